// Writes the page twice into BUILD_DIR, each one file that opens from disk
// with no request: the template with its style and one script, the page's
// ES modules bundled by esbuild with the GIF encoder and the WebAssembly
// module (the WebAssembly inside as base64).
//   kelvora.html       the page that ships (module kelvora-web.js)
//   kelvora-test.html  the page with the browser tests' hooks: the module
//                      built with them (kelvora-web-test.js) and the page's
//                      state as window.kelvora
//   node web/build.mjs BUILD_DIR
import { build } from 'esbuild';
import { readFileSync, renameSync, writeFileSync } from 'node:fs';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const buildDir = process.argv[2] && resolve(process.argv[2]);
if (!buildDir) {
  console.error('usage: node web/build.mjs BUILD_DIR');
  process.exit(2);
}

// What only the test page may hold.
const TEST_HOOKS = ['failCapturesWith', 'window.kelvora'];

function stop(message) {
  console.error(`web/build.mjs: ${message}`);
  process.exit(1);
}

// `import createModule from 'kelvora-web'` is the Emscripten module of
// this build.
function emscriptenModule(file) {
  return {
    name: 'kelvora-web',
    setup(b) {
      b.onResolve({ filter: /^kelvora-web$/ }, () => ({ path: join(buildDir, file) }));
    },
  };
}

async function bundle(entry, moduleFile) {
  const result = await build({
    entryPoints: [join(here, 'page', entry)],
    bundle: true,
    format: 'iife',
    charset: 'utf8',
    legalComments: 'none',
    // Strict as the modules are on their own.
    banner: { js: "'use strict';" },
    write: false,
    logLevel: 'warning',
    plugins: [emscriptenModule(moduleFile)],
  });
  return result.outputFiles[0].text;
}

// The WebAssembly inside the module, which the page's text shows only as
// base64.
function embeddedWasm(moduleFile) {
  const text = readFileSync(join(buildDir, moduleFile), 'latin1');
  const match = /data:application\/octet-stream;base64,([A-Za-z0-9+/=]+)/.exec(text);
  if (!match) stop(`${moduleFile} holds no WebAssembly`);
  return Buffer.from(match[1], 'base64').toString('latin1');
}

function writePage(name, script) {
  let html = readFileSync(join(here, 'page/kelvora.html'), 'utf8');
  const parts = { STYLE: readFileSync(join(here, 'page/kelvora.css'), 'utf8'), SCRIPT: script };
  for (const [marker, text] of Object.entries(parts)) {
    // The text would end the script or style element early.
    if (/<\/(script|style)/i.test(text)) stop(`${marker} contains an end tag of script or style`);
    if (!html.includes(`/*@${marker}@*/`)) stop(`the template has no /*@${marker}@*/`);
    html = html.replace(`/*@${marker}@*/`, () => text);
  }
  const out = join(buildDir, name);
  writeFileSync(out + '.tmp', html);
  renameSync(out + '.tmp', out);
  console.log(`${out}: ${html.length} characters`);
}

const shipped = await bundle('main.js', 'kelvora-web.js');
const wasm = embeddedWasm('kelvora-web.js');
for (const hook of TEST_HOOKS)
  if (shipped.includes(hook) || wasm.includes(hook)) stop(`the page that ships holds the test hook ${hook}`);
if (!embeddedWasm('kelvora-web-test.js').includes(TEST_HOOKS[0])) stop(`kelvora-web-test.js has no ${TEST_HOOKS[0]}`);
writePage('kelvora.html', shipped);
writePage('kelvora-test.html', await bundle('test_main.js', 'kelvora-web-test.js'));
