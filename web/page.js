'use strict';
// The page's script: it gives the analysis, compiled to WebAssembly, the bytes of each map the
// user chooses or drops, and lists what comes back. What the report holds, and in which order, is
// the module's to say; the script only lays it out.
(() => {
  const $ = (id) => document.getElementById(id);

  // The module is held in the page in base64.
  const ready = (async () => {
    const bytes = Uint8Array.from(atob($('module').textContent), (c) => c.charCodeAt(0));
    const module = await WebAssembly.compile(bytes);
    // The C library's calls on the system: a check makes none, so any call is a fault.
    const imports = {};
    for (const { module: from, name, kind } of WebAssembly.Module.imports(module)) {
      if (kind !== 'function') continue;
      imports[from] ??= {};
      imports[from][name] = () => {
        throw new Error(`the module called ${from}.${name}`);
      };
    }
    const { exports } = await WebAssembly.instantiate(module, imports);
    exports._initialize();
    const text = (at, size) =>
      new TextDecoder().decode(new Uint8Array(exports.memory.buffer, at, size));

    const put = (map) => {
      const room = exports.map_room(map.length);
      new Uint8Array(exports.memory.buffer, room, map.length).set(map);
    };
    // One of the module's views of the map: the checker's JSON, or the page's lines.
    const run = (view, map) => {
      put(map);
      const at = exports[view]();
      return JSON.parse(text(at, exports.answer_size()));
    };
    const texts = JSON.parse(text(exports.texts(), exports.answer_size()));
    const version = exports.version();
    const versionText = text(version, new Uint8Array(exports.memory.buffer, version).indexOf(0));

    const statwarden = Object.freeze({
      version: versionText,
      // The object that statwarden-cli --all --json gives for the map, without its file name.
      check(map) {
        const [result] = run('check', map);
        delete result.file;
        return result;
      },
      // The map's picture, two by two pixels a tile: its size and its RGB bytes, top row first;
      // null for a map without land.
      picture(map) {
        put(map);
        const at = exports.picture();
        if (!at) return null;
        const width = exports.picture_width();
        const height = exports.picture_height();
        const rgb = new Uint8Array(exports.memory.buffer, at, width * height * 3).slice();
        return { width, height, rgb };
      },
    });
    globalThis.statwarden = statwarden;
    $('version').textContent = versionText;
    return { texts, statwarden, show: (map) => run('show', map) };
  })();

  const element = (tag, text, className) => {
    const made = document.createElement(tag);
    if (text !== undefined) made.textContent = text;
    if (className) made.className = className;
    return made;
  };

  const row = (cells, tag) => {
    const tr = element('tr');
    for (const cell of cells) tr.append(element(tag, String(cell)));
    return tr;
  };

  const cssColor = (color) => `#${color.toString(16).padStart(6, '0')}`;
  // Marks in a light colour get a dark edge, and the other way round.
  const edgeOf = (color) =>
    (color >> 16) * 299 + (color >> 8 & 255) * 587 + (color & 255) * 114 < 128000 ? '#fff' : '#000';

  // The map's picture scaled up by a whole number to about the page's width, in the screen's own
  // pixels, each start framed and named in its slot's colour. A name goes beside its frame, on the
  // first side where it covers no mine, oil patch, frame or other name; the mines and oil patches
  // are drawn again over the frames.
  const mapPicture = (texts, { width, height, rgb }, starts) => {
    const u = Math.max(1, Math.round(devicePixelRatio));
    const scale = Math.max(1, Math.floor(Math.min(672, $('results').clientWidth) * u / width));
    const tile = 2 * scale;
    const plain = new ImageData(width, height);
    const kept = new ImageData(width, height);
    for (let i = 0; i < width * height; ++i) {
      const color = rgb[3 * i] << 16 | rgb[3 * i + 1] << 8 | rgb[3 * i + 2];
      for (const image of texts.resourceColors.includes(color) ? [plain, kept] : [plain]) {
        image.data.set([...rgb.subarray(3 * i, 3 * i + 3), 255], 4 * i);
      }
    }
    const small = element('canvas');
    [small.width, small.height] = [width, height];
    const canvas = element('canvas');
    [canvas.width, canvas.height] = [width * scale, height * scale];
    canvas.style.width = `${canvas.width / u}px`;
    canvas.setAttribute('role', 'img');
    canvas.setAttribute('aria-label', 'The map, each start framed and named');
    const context = canvas.getContext('2d');
    const paint = (image) => {
      small.getContext('2d').putImageData(image, 0, 0);
      context.imageSmoothingEnabled = false;
      context.drawImage(small, 0, 0, canvas.width, canvas.height);
    };
    paint(plain);

    // Frames and names stay whole on the canvas, a frame's edge included.
    const within = (at, size, room) =>
      Math.min(Math.max(Math.round(at), 2 * u), room - size - 2 * u);
    const side = tile + 2 * Math.max(tile, 6 * u);
    const taken = starts.map(({ x, y }) => [within((x + 0.5) * tile - side / 2, side, canvas.width),
      within((y + 0.5) * tile - side / 2, side, canvas.height), side, side]);
    const overlaps = ([x, y, w, h]) => taken.some(([x2, y2, w2, h2]) =>
      x < x2 + w2 && x2 < x + w && y < y2 + h2 && y2 < y + h);
    const hidesResource = ([x, y, w, h]) => {
      for (let py = Math.floor(y / scale); py < Math.ceil((y + h) / scale); ++py) {
        for (let px = Math.floor(x / scale); px < Math.ceil((x + w) / scale); ++px) {
          if (kept.data[4 * (py * width + px) + 3]) return true;
        }
      }
      return false;
    };
    context.font = `bold ${14 * u}px system-ui, sans-serif`;
    context.textBaseline = 'middle';
    context.lineJoin = 'round';
    const [h, gap] = [20 * u, 2 * u];
    const spots = starts.map((start, i) => {
      const [fx, fy] = taken[i];
      const w = Math.ceil(context.measureText(start.color).width) + 6 * u;
      const [mx, my] = [fx + (side - w) / 2, fy + (side - h) / 2];
      const sides = [[mx, fy - h - gap], [mx, fy + side + gap], [fx + side + gap, my],
        [fx - w - gap, my]];
      const spot = sides
        .map(([x, y]) => [within(x, w, canvas.width), within(y, h, canvas.height), w, h])
        .find((box) => !overlaps(box) && !hidesResource(box));
      if (spot) taken.push(spot);
      return spot;
    });
    for (const [i, start] of starts.entries()) {
      const [color, edge] = [cssColor(texts.playerColors[start.player - 1]),
        edgeOf(texts.playerColors[start.player - 1])];
      const [fx, fy] = taken[i];
      for (const [style, line] of [[edge, 2 * gap], [color, gap]]) {
        [context.strokeStyle, context.lineWidth] = [style, line];
        context.strokeRect(fx, fy, side, side);
      }
      if (!spots[i]) continue;
      const [x, y] = spots[i];
      [context.strokeStyle, context.lineWidth, context.fillStyle] = [edge, 3 * u, color];
      context.strokeText(start.color, x + 3 * u, y + h / 2);
      context.fillText(start.color, x + 3 * u, y + h / 2);
    }
    paint(kept);
    return canvas;
  };

  // What each start reaches, a row a start.
  const startsTable = (texts, starts) => {
    const table = element('table', undefined, 'starts');
    const head = element('thead');
    head.append(row(['Player', ...texts.reachItems.map((item) => item[0].toUpperCase() +
      item.slice(1))], 'th'));
    const body = element('tbody');
    for (const start of starts) {
      const mine = start.homeMine;
      const tr = row([start.color, mine ? mine.gold : 'none', mine ? mine.distance : 'none',
        start.goldWithin12, start.rescuableWithin20], 'td');
      const swatch = cssColor(texts.playerColors[start.player - 1]);
      tr.firstChild.style.borderLeft = `0.75em solid ${swatch}`;
      body.append(tr);
    }
    table.append(head, body);
    return table;
  };

  // One map's part of the page: its name, the verdict, then the report's groups in three columns.
  const mapSection = (texts, name, shown) => {
    const section = element('section');
    section.append(element('h2', name));
    if (!shown) {
      section.append(element('p', texts.fileInputError, 'verdict warn'));
      return section;
    }
    section.append(element('p', shown.verdict, `verdict ${shown.clean ? 'clean' : 'warn'}`));
    if (shown.groups.length > 0) {
      const table = element('table');
      const head = element('thead');
      head.append(row(texts.columns, 'th'));
      table.append(head);
      for (const group of shown.groups) {
        const body = element('tbody');
        const title = element('th', group.title);
        title.colSpan = 3;
        title.scope = 'colgroup';
        const titleRow = element('tr');
        titleRow.append(title);
        body.append(titleRow);
        for (const cells of group.rows) body.append(row(cells, 'td'));
        table.append(body);
      }
      section.append(table);
    }
    if (!shown.picture) {
      section.append(element('p', `${texts.noPicture}.`));
      return section;
    }
    const figure = element('figure');
    const { starts } = shown.reach;
    figure.append(mapPicture(texts, shown.picture, starts), startsTable(texts, starts));
    section.append(figure);
    return section;
  };

  const checkFiles = async (files) => {
    const { texts, statwarden, show } = await ready;
    const results = $('results');
    results.replaceChildren();
    let clean = 0;
    let warned = 0;
    let unread = 0;
    for (const file of files) {
      let shown = null;
      try {
        const map = new Uint8Array(await file.arrayBuffer());
        const { reach } = statwarden.check(map);
        shown = { ...show(map), picture: statwarden.picture(map), reach };
      } catch {
        // Not readable (a folder, a file gone since it was chosen, too big for memory).
      }
      results.append(mapSection(texts, file.name, shown));
      if (!shown) ++unread;
      else if (shown.clean) ++clean;
      else ++warned;
    }
    const parts = [`${clean} clean`, `${warned} with discrepancies`];
    if (unread > 0) parts.push(`${unread} not read`);
    $('summary').textContent = files.length > 1 ? `${files.length} maps: ${parts.join(', ')}.` : '';
  };

  const picker = $('maps');
  picker.addEventListener('change', () => checkFiles([...picker.files]));

  // A map dropped anywhere on the page is checked, not opened by the browser.
  const drop = $('drop');
  document.addEventListener('dragover', (event) => {
    event.preventDefault();
    drop.classList.add('over');
  });
  document.addEventListener('dragleave', () => drop.classList.remove('over'));
  document.addEventListener('drop', (event) => {
    event.preventDefault();
    drop.classList.remove('over');
    checkFiles([...event.dataTransfer.files]);
  });
})();
