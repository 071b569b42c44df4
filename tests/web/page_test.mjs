// The browser page, opened from disk in Debian's headless Chromium: its script interface gives
// what the checker gives, the file picker lists what the window lists, and nothing leaves it.
// Run by ctest, which names the page, the checker and the maps in the environment.
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, readdirSync, readFileSync, rmSync, statSync, writeFileSync }
  from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
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
  rmSync(scratch, { recursive: true });
});

// A map of 3 by 2 tiles, each of its own colour: a picture that is not square.
const section = (tag, bytes) => {
  const header = Buffer.alloc(8, tag);
  header.writeUInt32LE(bytes.length, 4);
  return [header, Buffer.from(bytes)];
};
const words = (...values) => new Uint8Array(new Uint16Array(values).buffer);
const scratch = mkdtempSync(join(tmpdir(), 'page-'));
const oblong = join(scratch, 'oblong.pud');
writeFileSync(oblong, Buffer.concat([...section('TYPE', Buffer.from('WAR2 MAP\0\0')),
  ...section('DIM ', words(3, 2)), ...section('MTXM', words(0x10, 0x30, 0x50, 0x60, 0x70, 0x80)),
  ...section('SQM ', words(0, 0, 0, 0, 0, 0))]));

test('statwarden.picture draws each map as statwarden-cli --picture does', async () => {
  const chosen = [...maps, oblong, join(SW_SAMPLES, 'rigged.pud')];
  const folder = mkdtempSync(join(scratch, 'pictures-'));
  cli('--picture', folder, ...chosen);
  for (const map of chosen) {
    const png = join(folder, map.split('/').pop().replace(/\.pud$/, '.png'));
    // Each picture's size and the SHA-256 of its RGB bytes: the page's, and the checker's PNG
    // file's as the browser decodes it (null where the checker wrote none).
    const [got, want] = await page.evaluate(async ([map, png]) => {
      const bytes = (base64) => Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
      const sum = async ({ width, height, rgb }) => [width, height,
        [...new Uint8Array(await crypto.subtle.digest('SHA-256', rgb))]
          .map((b) => b.toString(16).padStart(2, '0')).join('')];
      const picture = globalThis.statwarden.picture(bytes(map));
      if (!png) return [picture, null];
      const image = await createImageBitmap(new Blob([bytes(png)]),
        { colorSpaceConversion: 'none', premultiplyAlpha: 'none' });
      const context = new OffscreenCanvas(image.width, image.height).getContext('2d');
      context.drawImage(image, 0, 0);
      const { width, height, data } = context.getImageData(0, 0, image.width, image.height);
      return [picture && await sum(picture),
        await sum({ width, height, rgb: data.filter((_, i) => i % 4 !== 3) })];
    }, [readFileSync(map).toString('base64'),
      existsSync(png) ? readFileSync(png).toString('base64') : null]);
    assert.deepStrictEqual(got, want, map);
  }
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

test('each map chosen shows its picture, each start marked, and what each start reaches',
  async () => {
    const chosen = [join(SW_MAPS_DIR, 'War.pud'), join(SW_MAPS_DIR, '(4)4-isl.pud'),
      join(SW_SAMPLES, 'rigged.pud')];
    await page.setInputFiles('#maps', chosen);
    await page.waitForFunction(() => document.querySelector('#summary').textContent[0] === '3');
    const sections = await page.$$('#results section');
    assert.equal(await sections[2].evaluate((section) => section.lastChild.textContent),
      'No picture: the map does not give its size, tiles and movement.');
    for (const [i, map] of chosen.slice(0, 2).entries()) {
      const faults = await sections[i].evaluate((section, base64) => {
        const bytes = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
        const { width, height, rgb } = globalThis.statwarden.picture(bytes);
        const { starts } = globalThis.statwarden.check(bytes).reach;
        const canvas = section.querySelector('figure canvas');
        const scale = canvas.width / width;
        if (!Number.isInteger(scale) || canvas.height !== height * scale) return ['its size'];
        const shown = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
        const colorAt = (x, y) => shown[4 * (y * canvas.width + x)] << 16 |
          shown[4 * (y * canvas.width + x) + 1] << 8 | shown[4 * (y * canvas.width + x) + 2];
        const drawn = (x, y) => rgb[3 * (y * width + x)] << 16 | rgb[3 * (y * width + x) + 1] << 8 |
          rgb[3 * (y * width + x) + 2];
        const faults = [];
        // Mines (yellow) and oil patches (black) are never hidden.
        let hidden = 0;
        for (let y = 0; y < canvas.height; ++y) {
          for (let x = 0; x < canvas.width; ++x) {
            const color = drawn(Math.floor(x / scale), Math.floor(y / scale));
            if ((color === 0xffff00 || color === 0) && colorAt(x, y) !== color) ++hidden;
          }
        }
        if (hidden > 0) faults.push(`${hidden} pixels of mines or oil patches hidden`);
        // Each start has a frame and, beyond it, a name in its slot's colour, which the table's
        // row shows too.
        const rows = [...section.querySelectorAll('figure tbody tr')];
        for (const [j, start] of starts.entries()) {
          const swatch = getComputedStyle(rows[j].firstChild).borderLeftColor.match(/\d+/g);
          const color = swatch[0] << 16 | swatch[1] << 8 | swatch[2];
          const tile = 2 * scale;
          const [cx, cy] = [(start.x + 0.5) * tile, (start.y + 0.5) * tile];
          let [frame, name] = [0, 0];
          for (let y = 0; y < canvas.height; ++y) {
            for (let x = 0; x < canvas.width; ++x) {
              const away = Math.max(Math.abs(x + 0.5 - cx), Math.abs(y + 0.5 - cy));
              if (colorAt(x, y) !== color || drawn(Math.floor(x / scale), Math.floor(y / scale))
                === color || away > 1.5 * tile + 100) continue;
              if (away <= 1.5 * tile + 8) ++frame;
              else ++name;
            }
          }
          if (frame === 0 || name === 0) faults.push(`${start.color}: ${frame}, ${name} pixels`);
          const mine = start.homeMine;
          const cells = [start.color, mine ? mine.gold : 'none', mine ? mine.distance : 'none',
            start.goldWithin12, start.rescuableWithin20].map(String);
          const row = [...rows[j].children].map((cell) => cell.textContent);
          if (row.join('|') !== cells.join('|')) faults.push(`row ${row}`);
        }
        if (rows.length !== starts.length) faults.push(`${rows.length} rows`);
        return faults;
      }, readFileSync(map).toString('base64'));
      assert.deepStrictEqual(faults, [], map);
    }
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
