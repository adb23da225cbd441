// The page in headless Chromium:
//  - frames: show times rendered by the page on the virtual clock match the
//    native rewind-capture's frames of the same times, by the golden frames'
//    rule;
//  - play: started with the autoplay permission, the show plays 10 s without
//    a JavaScript or WebGL error, its picture changes and its music advances.
// Usage: node run.js PAGE_DIR SHOW_DIR REWIND_CAPTURE [PICTURE_DIR]
// PICTURE_DIR keeps the page's frames and screenshots for looking at.
'use strict';

const { execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { serveFolder } = require('./static_server');
const { launchChromium, waitForPhase } = require('./browser');

const [pageDir, showDir, captureTool, pictureDir] = process.argv.slice(2);

// One time in every slot of the show, one in the rewind passage, the end frame.
const frameTimes = [
  500, 5000, 25500, 30500, 45500, 75500, 113000, 125000, 150000, 180000, 210000, 225000, 240000, 252000, 266000,
  271000,
];
// As the golden frames are drawn: effects with trails need frames before.
const leadInFrames = 10;
// The golden frames' rule: at most 1.5 levels of mean difference and at most
// half a percent of the pixels off by more than 40 levels in a channel.
const rule = { maxMean: 1.5, maxStrongShare: 0.005, strong: 40 };
const playSeconds = 10;

let passed = 0;
let failed = 0;
function check(ok, text) {
  console.log(`${ok ? 'PASS' : 'FAIL'} ${text}`);
  if (ok) passed += 1;
  else failed += 1;
}

// Every console error, page error and WebGL complaint of a page.
function watchProblems(page) {
  const problems = [];
  page.on('pageerror', error => problems.push(`page error: ${error.message}`));
  page.on('console', message => {
    const text = message.text();
    if (message.type() === 'error' || /WebGL|GL_INVALID|GL ERROR/i.test(text)) problems.push(`${message.type()}: ${text}`);
  });
  return problems;
}

function renderNatively(times) {
  const out = fs.mkdtempSync(path.join(os.tmpdir(), 'rewind-web-native-'));
  execFileSync(path.resolve(captureTool), ['--times', times.join(','), '--lead-in', String(leadInFrames), '--out', out], {
    cwd: showDir,
    stdio: ['ignore', 'ignore', 'inherit'],
  });
  return out;
}

// In the page: each kept frame against the native PNG of its time.
function compareInPage({ natives, rule }) {
  const canvas = document.createElement('canvas');
  const context = canvas.getContext('2d', { willReadFrequently: true });
  return Promise.all(
    window.rewindPage.frames.map(async frame => {
      const source = natives[frame.time];
      if (!source) return { time: frame.time, problem: 'no native frame' };
      const picture = await createImageBitmap(await (await fetch(source)).blob());
      if (picture.width !== frame.width || picture.height !== frame.height)
        return { time: frame.time, problem: `size ${frame.width}x${frame.height}, native ${picture.width}x${picture.height}` };
      canvas.width = frame.width;
      canvas.height = frame.height;
      context.drawImage(picture, 0, 0);
      const native = context.getImageData(0, 0, frame.width, frame.height).data;
      let sum = 0;
      let strong = 0;
      for (let p = 0; p < native.length; p += 4) {
        let worst = 0;
        for (let c = 0; c < 3; c += 1) {
          const difference = Math.abs(native[p + c] - frame.rgba[p + c]);
          sum += difference;
          worst = Math.max(worst, difference);
        }
        if (worst > rule.strong) strong += 1;
      }
      const pixels = native.length / 4;
      context.putImageData(new ImageData(frame.rgba, frame.width, frame.height), 0, 0);
      return { time: frame.time, mean: sum / (3 * pixels), strongShare: strong / pixels, png: canvas.toDataURL() };
    }),
  );
}

function keepPicture(name, dataUrlOrBuffer) {
  if (!pictureDir) return;
  fs.mkdirSync(pictureDir, { recursive: true });
  const bytes =
    typeof dataUrlOrBuffer === 'string' ? Buffer.from(dataUrlOrBuffer.split(',')[1], 'base64') : dataUrlOrBuffer;
  fs.writeFileSync(path.join(pictureDir, name), bytes);
}

async function testFrames(browser, url) {
  const nativeDir = renderNatively(frameTimes);
  const natives = {};
  for (const time of frameTimes) {
    const name = `time-${String(time).padStart(6, '0')}.png`;
    natives[time] = `data:image/png;base64,${fs.readFileSync(path.join(nativeDir, name)).toString('base64')}`;
  }
  fs.rmSync(nativeDir, { recursive: true });

  const page = await browser.newPage({ viewport: { width: 800, height: 600 } });
  const problems = watchProblems(page);
  await page.goto(`${url}?times=${frameTimes.join(',')}&leadin=${leadInFrames}`);
  const phase = await waitForPhase(page, ['captured', 'failed'], 900);
  check(phase === 'captured', `frames: the page rendered its times (${phase})`);
  const results = phase === 'captured' ? await page.evaluate(compareInPage, { natives, rule }) : [];
  const timing = (await page.evaluate(() => window.rewindPage.log)).filter(line => !line.startsWith('! '));
  for (const time of frameTimes) {
    const result = results.find(r => r.time === time);
    if (!result || result.problem) {
      check(false, `frame ${time} ms: ${result ? result.problem : 'not handed back by the page'}`);
      continue;
    }
    keepPicture(`web-${String(time).padStart(6, '0')}.png`, result.png);
    const ok = result.mean <= rule.maxMean && result.strongShare <= rule.maxStrongShare;
    check(ok, `frame ${time} ms: mean difference ${result.mean.toFixed(3)}, ` +
      `${(100 * result.strongShare).toFixed(3)} % of the pixels off by more than ${rule.strong}`);
  }
  check(problems.length === 0, `frames: no console errors${problems.length ? `\n  ${problems.join('\n  ')}` : ''}`);
  if (timing.length > 0) console.log(`frame times in the page:\n  ${timing.join('\n  ')}`);
  await page.close();
}

async function testPlay(browser, url) {
  const page = await browser.newPage({ viewport: { width: 640, height: 480 } });
  const problems = watchProblems(page);
  await page.goto(`${url}?autoplay`);
  const phase = await waitForPhase(page, ['playing', 'failed'], 300);
  check(phase === 'playing', `play: the show started (${phase})`);
  if (phase !== 'playing') {
    await page.close();
    return;
  }
  const startMusic = await page.evaluate(() => window.rewindPage.musicTime());
  const pictures = new Set();
  const started = Date.now();
  for (let shot = 0; Date.now() - started < playSeconds * 1000; shot += 1) {
    const picture = await page.screenshot();
    pictures.add(picture.toString('base64'));
    if (shot % 4 === 0) keepPicture(`play-${shot}.png`, picture);
    await page.waitForTimeout(1000);
  }
  const endMusic = await page.evaluate(() => window.rewindPage.musicTime());
  const endPhase = await page.evaluate(() => window.rewindPage.phase);
  check(endPhase === 'playing', `play: still playing after ${playSeconds} s (${endPhase})`);
  check(pictures.size >= 3, `play: the picture changed (${pictures.size} different screenshots)`);
  // The music plays in real time whatever the frame rate: most of the 10 s.
  check(endMusic - startMusic >= playSeconds * 500, `play: the music advanced from ${startMusic} to ${endMusic} ms`);
  check(problems.length === 0, `play: no console errors${problems.length ? `\n  ${problems.join('\n  ')}` : ''}`);
  await page.close();
}

async function main() {
  const { server, url } = await serveFolder(pageDir);
  const browser = await launchChromium();
  try {
    await testFrames(browser, url);
    await testPlay(browser, url);
  } catch (error) {
    check(false, `the run stopped: ${error.message}`);
  } finally {
    await browser.close();
    server.close();
  }
  console.log(`${passed} passed, ${failed} failed`);
  process.exitCode = failed === 0 ? 0 : 1;
}

main();
