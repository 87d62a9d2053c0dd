// Writes build-web/kelvora.html: the page template with its style, the GIF
// encoder, the WebAssembly module (kelvora-web.js, the WebAssembly inside as
// base64) and the page's scripts all inline, so the one file opens from disk
// with no request.
//   node web/assemble.mjs BUILD_DIR
import { readFileSync, writeFileSync, renameSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const build = process.argv[2];
if (!build) {
  console.error('usage: node web/assemble.mjs BUILD_DIR');
  process.exit(2);
}

const read = (path) => readFileSync(path, 'utf8');
const withoutSourceMap = (js) => js.replace(/^\/\/# sourceMappingURL=.*$/gm, '');

const gifenc = withoutSourceMap(read(join(here, 'node_modules/gifenc/dist/gifenc.js')));
const parts = {
  STYLE: read(join(here, 'page/kelvora.css')),
  GIFENC: 'var KelvoraGif = (function () {\nvar exports = {};\n' + gifenc + '\nreturn exports;\n})();',
  MODULE: read(join(build, 'kelvora-web.js')),
  APP: "(function () {\n'use strict';\n" +
    ['painter.js', 'frame_store.js', 'menu.js', 'viewer.js', 'saving.js', 'main.js']
      .map((name) => read(join(here, 'page', name))).join('\n') + '\n})();',
};

let html = read(join(here, 'page/kelvora.html'));
for (const [name, text] of Object.entries(parts)) {
  // The text ends the script or style element early if it holds its end tag.
  if (/<\/(script|style)/i.test(text)) {
    console.error(`assemble: ${name} contains an end tag of script or style`);
    process.exit(1);
  }
  const marker = `/*@${name}@*/`;
  if (!html.includes(marker)) {
    console.error(`assemble: the template has no ${marker}`);
    process.exit(1);
  }
  html = html.replace(marker, () => text);
}

const out = join(build, 'kelvora.html');
writeFileSync(out + '.tmp', html);
renameSync(out + '.tmp', out);
console.log(`${out}: ${html.length} characters`);
