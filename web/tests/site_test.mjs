// The web app folder (build-web/site/) as a school's web server would give
// it out: served from 127.0.0.1, visited once, then with the network off it
// starts again from the service worker's cache, the menu comes up and a
// scene draws. A newer build served in its place replaces the old one on
// the next visit, and the old cache is gone.
//   node web/tests/site_test.mjs BUILD_DIR
import { CHROMIUM } from './browser_support.mjs';
import { chromium } from 'playwright-core';
import { MANIFEST, writeSite } from '../site.mjs';
import { createServer } from 'node:http';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { extname, join, normalize } from 'node:path';

const build = process.argv[2];
if (!build) {
  console.error('usage: node web/tests/site_test.mjs BUILD_DIR');
  process.exit(2);
}

const failures = [];
const check = (ok, what) => { if (!ok) failures.push(what); };

const TYPES = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.png': 'image/png',
  '.webmanifest': 'application/manifest+json' };

// A static server of one folder at a time; `down` refuses every request, as
// a server out of reach would.
function serve() {
  const server = createServer((request, response) => {
    if (server.down) { request.socket.destroy(); return; }
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname)).replace(/^\/+/, '');
    const file = path === '' ? 'index.html' : path;
    try {
      const bytes = readFileSync(join(server.folder, file));
      response.writeHead(200, { 'Content-Type': TYPES[extname(file)] || 'application/octet-stream' });
      response.end(bytes);
    } catch {
      response.writeHead(404).end();
    }
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

// The menu is up and a scene, opened from it, draws on its picture.
async function menuAndScene(page, what) {
  await page.waitForSelector('#menu button[data-scene]', { timeout: 20000 });
  const buttons = await page.locator('#menu button[data-scene]').count();
  check(buttons === 16, `${what}: the menu has ${buttons} scene buttons`);
  await page.locator('#menu button[data-scene="4"]').click();
  await page.getByRole('button', { name: '描画', exact: true }).click();
  const inked = await page.waitForFunction(() => {
    const canvas = document.querySelector('#viewer canvas');
    if (!canvas || !canvas.width) return false;
    const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    let coloured = 0;
    for (let i = 0; i < pixels.length; i += 4) if (pixels[i] !== pixels[i + 1] || pixels[i + 1] !== pixels[i + 2]) ++coloured;
    return coloured > 100;
  }, null, { timeout: 20000 }).then(() => true, () => false);
  check(inked, `${what}: scene 4 draws its coloured curves`);
}

const cacheNames = (page) => page.evaluate(() => caches.keys());
const controlled = (page) => page.waitForFunction(() => navigator.serviceWorker.controller !== null, null, { timeout: 20000 });

const page1 = readFileSync(join(build, 'kelvora.html'), 'utf8');
const scratch = mkdtempSync(join(tmpdir(), 'kelvora-site-'));
const server = await serve();
// A profile of its own, not an incognito context: Chromium installs no app
// from one.
const context = await chromium.launchPersistentContext(join(scratch, 'profile'), {
  executablePath: CHROMIUM, args: ['--no-sandbox', '--disable-gpu', '--no-first-run'],
  viewport: { width: 1366, height: 768 },
});
try {
  server.folder = join(build, 'site');
  const manifest = JSON.parse(readFileSync(join(server.folder, 'manifest.webmanifest'), 'utf8'));
  check(JSON.stringify(manifest) === JSON.stringify(MANIFEST), 'the manifest written is the one described');
  const url = `http://127.0.0.1:${server.address().port}/`;
  const page = context.pages()[0] || await context.newPage();
  page.on('pageerror', (e) => failures.push(`page error: ${e.message}`));

  await page.goto(url);
  await menuAndScene(page, 'first visit');
  await controlled(page);
  // What Chromium asks of an app before it offers to install it.
  const cdp = await context.newCDPSession(page);
  const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
  check(installabilityErrors.length === 0, `installable: ${JSON.stringify(installabilityErrors)}`);
  const first = await cacheNames(page);
  check(first.length === 1 && first[0].startsWith('kelvora-'), `first visit: caches ${first}`);

  server.down = true;
  await context.setOffline(true);
  await page.reload();
  await menuAndScene(page, 'offline');

  // A newer build: the same page with one change, made into a site the
  // way scripts/web makes one.
  const newer = join(scratch, 'newer');
  const newerCache = await writeSite(page1.replace('</head>', '<meta name="kelvora-build" content="newer"></head>'), newer);
  check(newerCache !== first[0], 'a different build has a differently named cache');
  server.folder = newer;
  server.down = false;
  await context.setOffline(false);
  await page.reload();
  const shown = await page.locator('meta[name="kelvora-build"]').count();
  check(shown === 1, 'next visit: the newer page is shown');
  let names = [];
  for (let tries = 0; tries < 100 && !(names.length === 1 && names[0] === newerCache); ++tries) {
    await page.waitForTimeout(200);
    names = await cacheNames(page);
  }
  check(names.length === 1 && names[0] === newerCache, `next visit: the old cache is replaced by ${newerCache}: ${names}`);

  server.down = true;
  await context.setOffline(true);
  await page.reload();
  check(await page.locator('meta[name="kelvora-build"]').count() === 1, 'offline again: the newer page starts');
  await menuAndScene(page, 'offline after the update');
} finally {
  await context.close();
  server.close();
  rmSync(scratch, { recursive: true, force: true });
}

if (failures.length) {
  for (const failure of failures) console.error(`FAIL: ${failure}`);
  process.exit(1);
}
console.log('site: installable, starts offline, replaced by a newer build');
