// The browser page, opened from disk in Debian's headless Chromium: its script interface gives
// what the checker gives, the file picker lists what the window lists, and nothing leaves it.
// Run by ctest, which names the page, the checker and the maps in the environment.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { readdirSync, readFileSync, statSync } from 'node:fs';
import { createServer } from 'node:http';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const { SW_PAGE, SW_CLI, SW_MAPS_DIR, SW_SAMPLES } = process.env;
const pageUrl = pathToFileURL(SW_PAGE).href;
const maps = readdirSync(SW_MAPS_DIR)
  .filter((name) => name.endsWith('.pud'))
  .sort()
  .map((name) => join(SW_MAPS_DIR, name));

// The checker's output; exit status 1 only says that a map has discrepancies.
const cli = (...args) => {
  const run = spawnSync(SW_CLI, args, { encoding: 'utf8', maxBuffer: 1 << 28 });
  assert.ok(run.status === 0 || run.status === 1, run.stderr);
  return run.stdout;
};

let browser;
let page;
const requests = [];
const violations = [];
const errors = [];

before(async () => {
  browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    // Without these, Chromium itself keeps trying to reach its own services.
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync'],
  });
  page = await browser.newPage();
  page.on('request', (request) => requests.push(request.url()));
  page.on('pageerror', (error) => errors.push(String(error)));
  page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
  await page.exposeFunction('reportViolation', (directive) => violations.push(directive));
  await page.addInitScript(() =>
    document.addEventListener('securitypolicyviolation', (event) =>
      globalThis.reportViolation(event.effectiveDirective)));
  await page.goto(pageUrl);
  await page.waitForFunction(() => globalThis.statwarden !== undefined);
});

after(async () => {
  await browser?.close();
});

test('statwarden.check gives what statwarden-cli --all --json gives, for every map', async () => {
  const expected = JSON.parse(cli('--all', '--json', ...maps));
  assert.equal(expected.length, maps.length);
  const times = [];
  for (const [i, map] of maps.entries()) {
    const { result, ms } = await page.evaluate((base64) => {
      const bytes = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
      const start = performance.now();
      const checked = globalThis.statwarden.check(bytes);
      return { result: checked, ms: performance.now() - start };
    }, readFileSync(map).toString('base64'));
    const { file, ...want } = expected[i];
    assert.equal(file, map);
    assert.deepStrictEqual(result, want, map);
    times.push(ms);
  }
  times.sort((a, b) => a - b);
  console.log(`a check of one map in the page: median ${times[times.length >> 1].toFixed(2)} ms,` +
    ` slowest ${times.at(-1).toFixed(2)} ms`);
  const version = await page.evaluate(() => globalThis.statwarden.version);
  assert.equal(`statwarden-cli ${version}\n`, cli('--version'));
});

// The lines of one map's part of the page, the verdict last, as the window's list would hold
// them without its spacer lines and tabs.
const shownLines = (section) =>
  section.evaluate((element) => {
    const lines = [...element.querySelectorAll(':scope > table tbody tr')].map((tr) =>
      [...tr.children].map((cell) => cell.textContent).join('|'));
    return [element.querySelector('h2').textContent, ...lines,
      element.querySelector('.verdict').textContent];
  });

const windowLines = (map, name) => [name,
  ...cli('--all', '--raw', map).split('\n').filter((line) => line !== ' ' && line !== '')
    .map((line) => line.split(/\t+/).map((cell) => cell.trimEnd()).join('|'))];

test('maps chosen with the file picker are listed as the window lists them', async () => {
  // One rigged, one clean, a real map with other fields changed as well, and one whose slots
  // start unequally.
  const chosen = [join(SW_SAMPLES, 'rigged.pud'), join(SW_SAMPLES, 'clean.pud'),
    join(SW_MAPS_DIR, 'War.pud'), join(SW_MAPS_DIR, '(4)4-isl.pud')];
  await page.setInputFiles('#maps', chosen);
  await page.waitForFunction(() => document.querySelector('#summary').textContent !== '');
  assert.equal(await page.textContent('#summary'), '4 maps: 1 clean, 3 with discrepancies.');
  const sections = await page.$$('#results section');
  assert.equal(sections.length, chosen.length);
  for (const [i, map] of chosen.entries()) {
    assert.deepStrictEqual(await shownLines(sections[i]), windowLines(map, map.split('/').pop()));
  }
  const [rigged, clean] = await Promise.all(sections.slice(0, 2).map(shownLines));
  assert.equal(rigged.at(-1), 'Warning - unit discrepancies found');
  assert.deepStrictEqual(clean, ['clean.pud', 'No unit specials found']);
  assert.deepStrictEqual((await shownLines(sections[3])).slice(1, 3),
    ['Player start change:-', 'Violet catapult|0|1']);
});

test('no request leaves the page, which is at most 150 KB', async () => {
  assert.ok(statSync(SW_PAGE).size <= 150 * 1024);
  // All the page asked for, loading and checking: itself.
  assert.deepStrictEqual(requests, [pageUrl]);
  // Were it to try to reach out, its policy would stop it before anything is sent.
  const hits = [];
  const server = createServer((request, response) => {
    hits.push(request.url);
    response.end();
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  await page.evaluate(async (origin) => {
    await fetch(`${origin}/fetch`).catch(() => {});
    const image = new Image();
    image.src = `${origin}/image.png`;
    document.body.append(image);
    await new Promise((resolve) => setTimeout(resolve, 300));
  }, `http://127.0.0.1:${server.address().port}`);
  server.close();
  assert.deepStrictEqual(hits, []);
  assert.deepStrictEqual(violations.sort(), ['connect-src', 'img-src']);
  assert.deepStrictEqual(errors.filter((error) => !error.includes('Content Security Policy')), []);
});
