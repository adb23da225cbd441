// Headless Chromium as the tests drive it: the installed browser, software
// WebGL (SwiftShader through ANGLE), sound allowed without a gesture, a fresh
// profile (playwright makes one per launch), nothing fetched from the network.
'use strict';

const { chromium } = require('playwright-core');

function launchChromium() {
  return chromium.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: [
      '--no-sandbox',
      '--use-gl=angle',
      '--use-angle=swiftshader',
      '--enable-unsafe-swiftshader',
      '--autoplay-policy=no-user-gesture-required',
      '--disable-background-networking',
      '--disable-component-update',
      '--no-first-run',
    ],
  });
}

// Waits until the page's phase is one of `phases`; returns the phase.
async function waitForPhase(page, phases, seconds) {
  await page.waitForFunction(wanted => wanted.includes(window.rewindPage.phase), phases, {
    timeout: seconds * 1000,
    polling: 250,
  });
  return page.evaluate(() => window.rewindPage.phase);
}

module.exports = { launchChromium, waitForPhase };
