// Prints the page's figures: download sizes (raw and gzip), the time from
// loading the page to its first frame on the local server, and the median
// frame time per slot in headless Chromium at 640x480 beside native
// rewind-capture --bench over the same show times, measured in one run.
// Usage: node measure.js PAGE_DIR SHOW_DIR REWIND_CAPTURE [STEP_MS]
'use strict';

const { execFileSync } = require('child_process');
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');
const { serveFolder } = require('./static_server');
const { launchChromium, waitForPhase } = require('./browser');

const [pageDir, showDir, captureTool, stepText] = process.argv.slice(2);
const step = Number(stepText || 250);
const showLength = 271000;

function printSizes() {
  console.log('download sizes:');
  for (const name of ['rewind.wasm', 'rewind.js', 'rewind.data', 'index.html', 'page.js', 'page.css']) {
    const bytes = fs.readFileSync(path.join(pageDir, name));
    const gzip = zlib.gzipSync(bytes, { level: 9 }).length;
    console.log(`  ${name.padEnd(12)} ${(bytes.length / 1048576).toFixed(2).padStart(8)} MiB raw ` +
      `${(gzip / 1048576).toFixed(2).padStart(8)} MiB gzip`);
  }
}

async function firstFrame(browser, url) {
  const page = await browser.newPage({ viewport: { width: 640, height: 480 } });
  await page.goto(`${url}?autoplay`);
  await waitForPhase(page, ['playing', 'failed'], 300);
  const { loadedAt, firstFrameAt } = await page.evaluate(() => window.rewindPage);
  await page.close();
  console.log(`page load to downloads done: ${(loadedAt / 1000).toFixed(2)} s; ` +
    `to the first frame: ${(firstFrameAt / 1000).toFixed(2)} s`);
}

async function frameTimes(browser, url, times) {
  const page = await browser.newPage({ viewport: { width: 800, height: 600 } });
  await page.goto(`${url}?times=${times.join(',')}&leadin=0&measure`);
  await waitForPhase(page, ['captured', 'failed'], 3600);
  const log = await page.evaluate(() => window.rewindPage.log);
  await page.close();
  console.log('headless Chromium (SwiftShader), 640x480, frame to frame (at least one animation frame):');
  for (const line of log.filter(entry => !entry.startsWith('! '))) console.log(`  ${line}`);
  console.log('native rewind-capture --bench on the same machine:');
  const native = execFileSync(path.resolve(captureTool), ['--bench', '--times', times.join(',')], {
    cwd: showDir,
    encoding: 'utf8',
  });
  for (const line of native.trim().split('\n')) console.log(`  ${line}`);
}

async function main() {
  printSizes();
  const times = [];
  for (let time = step; time <= showLength; time += step) times.push(time);
  const { server, url } = await serveFolder(pageDir);
  const browser = await launchChromium();
  try {
    await firstFrame(browser, url);
    await frameTimes(browser, url, times);
  } finally {
    await browser.close();
    server.close();
  }
}

main();
