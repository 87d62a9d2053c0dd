// What the browser test and the benchmark share: Debian's Chromium driven
// by playwright-core, headless, offline, and small readers for the files
// the page saves.
import { chromium } from 'playwright-core';
import { execFileSync } from 'node:child_process';
import { pathToFileURL } from 'node:url';
import { join, resolve } from 'node:path';

export const CHROMIUM = process.env.KELVORA_CHROMIUM || '/usr/bin/chromium';

export async function launchBrowser(extraArgs = []) {
  return chromium.launch({
    executablePath: CHROMIUM,
    args: [...extraArgs, '--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage', '--disable-background-networking',
      '--disable-component-update', '--disable-default-apps', '--disable-extensions', '--disable-sync',
      '--no-first-run', '--mute-audio', '--disable-features=Translate,MediaRouter'],
  });
}

export function pageUrl(path) { return pathToFileURL(resolve(path)).href; }

// The page with the tests' hooks (window.kelvora, see web/page/test_main.js)
// and the page that ships, in a build folder.
export function testPageUrl(buildDir) { return pageUrl(join(buildDir, 'kelvora-test.html')); }
export function shippedPageUrl(buildDir) { return pageUrl(join(buildDir, 'kelvora.html')); }

// A page of a fresh context with the network off; every console error, page
// error and request that leaves the file goes into `problems`. Resolves once
// the menu is shown.
export async function openPage(browser, url, options, problems) {
  const context = await browser.newContext({ acceptDownloads: true, ...options });
  await context.setOffline(true);
  const page = await context.newPage();
  page.on('console', (m) => { if (m.type() === 'error') problems.push(`console error: ${m.text()}`); });
  page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
  page.on('request', (r) => { if (!/^(file|data|blob):/.test(r.url())) problems.push(`request: ${r.url()}`); });
  await page.goto(url);
  await page.waitForFunction(() => !document.getElementById('menu-screen').hidden);
  if (url.endsWith('-test.html')) await page.waitForFunction(() => window.kelvora.stats.menuShownMs !== null);
  return { context, page };
}

// Frame count and delays (hundredths of a second) of a GIF file, and
// whether it loops.
export function readGif(bytes) {
  const b = bytes;
  if (b.toString('latin1', 0, 6) !== 'GIF89a') throw new Error('not a GIF89a file');
  let p = 13;
  const packed = b[10];
  if (packed & 0x80) p += 3 * (1 << ((packed & 7) + 1));
  const delays = [];
  let loops = false;
  const skipSubBlocks = () => { while (b[p] !== 0) p += b[p] + 1; p += 1; };
  for (;;) {
    const tag = b[p++];
    if (tag === 0x3b) break;
    if (tag === 0x21) {
      const label = b[p++];
      if (label === 0xf9) delays.push(b.readUInt16LE(p + 2));
      if (label === 0xff && b.toString('latin1', p + 1, p + 12) === 'NETSCAPE2.0') loops = true;
      skipSubBlocks();
    } else if (tag === 0x2c) {
      const local = b[p + 8];
      p += 9;
      if (local & 0x80) p += 3 * (1 << ((local & 7) + 1));
      p += 1;  // LZW minimum code size
      skipSubBlocks();
    } else {
      throw new Error(`unexpected GIF block 0x${tag.toString(16)}`);
    }
  }
  return { delays, loops };
}

// Pages and page size in points of a PDF file (poppler's pdfinfo).
export function readPdf(path) {
  const info = execFileSync('pdfinfo', [path], { encoding: 'utf8' });
  const pages = Number(/^Pages:\s+(\d+)/m.exec(info)[1]);
  const [, w, h] = /^Page size:\s+([\d.]+) x ([\d.]+) pts/m.exec(info);
  return { pages, width: Number(w), height: Number(h) };
}

// The tally of a test program: check() counts a pass or prints the fault;
// finish() adds the page's problems, prints the totals and exits 0 only
// when nothing failed.
export function checks(name) {
  const problems = [];
  const tally = { passed: 0, failed: 0 };
  const started = Date.now();
  function check(ok, what) {
    if (ok) {
      ++tally.passed;
    } else {
      ++tally.failed;
      console.log(`FAIL ${what}`);
    }
  }
  function finish(shotDir) {
    for (const p of problems) console.log(`FAIL ${p}`);
    tally.failed += problems.length;
    console.log(`${name}: ${((Date.now() - started) / 1000).toFixed(1)} s, screenshots in ${shotDir}`);
    console.log(`${name}: ${tally.passed} passed, ${tally.failed} failed`);
    process.exit(tally.failed === 0 ? 0 : 1);
  }
  return { problems, check, finish };
}
