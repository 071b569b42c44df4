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

    // One of the module's views of the map: the checker's JSON, or the page's lines.
    const run = (view, map) => {
      const room = exports.map_room(map.length);
      new Uint8Array(exports.memory.buffer, room, map.length).set(map);
      const at = exports[view]();
      return JSON.parse(text(at, exports.answer_size()));
    };
    const texts = JSON.parse(text(exports.texts(), exports.answer_size()));
    const version = exports.version();
    const versionText = text(version, new Uint8Array(exports.memory.buffer, version).indexOf(0));

    globalThis.statwarden = Object.freeze({
      version: versionText,
      // The object that statwarden-cli --all --json gives for the map, without its file name.
      check(map) {
        const [result] = run('check', map);
        delete result.file;
        return result;
      },
    });
    $('version').textContent = versionText;
    return { texts, show: (map) => run('show', map) };
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

  // One map's part of the page: its name, the verdict, then the report's groups in three columns.
  const mapSection = (texts, name, shown) => {
    const section = element('section');
    section.append(element('h2', name));
    if (!shown) {
      section.append(element('p', texts.fileInputError, 'verdict warn'));
      return section;
    }
    section.append(element('p', shown.verdict, `verdict ${shown.clean ? 'clean' : 'warn'}`));
    if (shown.groups.length === 0) return section;
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
    return section;
  };

  const checkFiles = async (files) => {
    const { texts, show } = await ready;
    const results = $('results');
    results.replaceChildren();
    let clean = 0;
    let warned = 0;
    let unread = 0;
    for (const file of files) {
      let shown = null;
      try {
        shown = show(new Uint8Array(await file.arrayBuffer()));
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
