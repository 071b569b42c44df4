// Remakes web/screenshot.png for the README: the browser page after a check of the rigged sample
// map. Needs a build (./dev test or ./dev run) and the page's test tools (npm ci).
//   node tools/page-screenshot.mjs
import { fileURLToPath, pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const root = fileURLToPath(new URL('..', import.meta.url));
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
const page = await browser.newPage({ viewport: { width: 640, height: 400 } });
await page.goto(pathToFileURL(`${root}build/web/statwarden.html`).href);
await page.setInputFiles('#maps', `${root}build/native/samples/rigged.pud`);
await page.waitForSelector('#results section');
await page.screenshot({ path: `${root}web/screenshot.png`, fullPage: true });
await browser.close();
console.log(`wrote ${root}web/screenshot.png`);
