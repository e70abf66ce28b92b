// Renders pages to PNG screenshots in one headless browser: Chromium over the DevTools
// protocol, Firefox over WebDriver BiDi (built into Firefox; no driver program needed).
// usage: node render.js chrome|firefox BROWSER PROFILE-DIR JOBS.json
// JOBS.json: [{"file": "...html", "png": "...png", "width": W, "height": H}]
// Exit status 0 when every page was rendered, 2 when the browser fails.
'use strict';
const fs = require('fs');
const path = require('path');
const puppeteer = require('puppeteer-core');

async function main() {
  const [engine, browserPath, profile, jobsFile] = process.argv.slice(2);
  const jobs = JSON.parse(fs.readFileSync(jobsFile, 'utf8'));
  const chrome = engine === 'chrome';
  const browser = await puppeteer.launch({
    browser: engine,
    executablePath: browserPath,
    headless: true,
    userDataDir: profile,
    args: chrome ? ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                    '--disable-background-networking', '--disable-component-update',
                    '--disable-sync', '--hide-scrollbars', '--force-color-profile=srgb',
                    '--font-render-hinting=none']
                 : [],
    // No scroll bars in Firefox's screenshots either, and sRGB colours as they are written.
    extraPrefsFirefox: { 'layout.testing.overlay-scrollbars.always-visible': false,
                         'gfx.color_management.mode': 0 },
  });
  try {
    const page = await browser.newPage();
    for (const job of jobs) {
      await page.setViewport({ width: job.width, height: job.height, deviceScaleFactor: 1 });
      await page.goto('file://' + path.resolve(job.file), { waitUntil: 'load' });
      await page.evaluate(() => document.fonts.ready);
      await page.screenshot({ path: job.png });
    }
  } finally {
    await browser.close();
  }
}

main().catch((e) => {
  console.error('render: ' + (e && e.stack ? e.stack : e));
  process.exit(2);
});
