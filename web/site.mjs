// Writes BUILD_DIR/site/, a folder to copy onto any static web server: the
// one-file page as an app that can be added to a tablet's home screen and
// starts with no network after the first visit.
//   index.html            BUILD_DIR/kelvora.html with the manifest, the icons
//                         and the service worker named in its head
//   manifest.webmanifest  the Japanese name, icons, full screen, landscape
//   sw.js                 the service worker (web/site/service_worker.js)
//   icon-*.png, apple-touch-icon.png   drawn from data/kelvora.svg
//   node web/site.mjs BUILD_DIR
import { chromium } from 'playwright-core';
import { createHash } from 'node:crypto';
import { mkdirSync, readFileSync, renameSync, rmSync, writeFileSync } from 'node:fs';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const CHROMIUM = process.env.KELVORA_CHROMIUM || '/usr/bin/chromium';
const THEME = '#203060';

// Each icon: its size, and the share of it the drawing takes on a white
// ground (none: transparent around the drawing). A maskable icon keeps the
// drawing inside the circle Android may cut it to; iOS fills transparency
// with black, so its icon has a ground.
const ICONS = [
  { file: 'icon-192.png', size: 192, purpose: 'any' },
  { file: 'icon-512.png', size: 512, purpose: 'any' },
  { file: 'icon-maskable-512.png', size: 512, purpose: 'maskable', drawing: 0.72 },
  { file: 'apple-touch-icon.png', size: 180, drawing: 0.9 },
];

export const MANIFEST = {
  name: 'Kelvora 波と振動の教材',
  short_name: 'Kelvora',
  description: '波と振動を動画で見せる物理の教材',
  lang: 'ja',
  id: './',
  start_url: './',
  scope: './',
  display: 'fullscreen',
  orientation: 'landscape',
  background_color: '#ffffff',
  theme_color: THEME,
  categories: ['education'],
  icons: ICONS.filter((icon) => icon.purpose)
    .map(({ file, size, purpose }) => ({ src: file, sizes: `${size}x${size}`, type: 'image/png', purpose })),
};

const HEAD = `<link rel="manifest" href="manifest.webmanifest">
<meta name="theme-color" content="${THEME}">
<link rel="icon" href="icon-192.png" type="image/png">
<link rel="apple-touch-icon" href="apple-touch-icon.png">
<meta name="apple-mobile-web-app-capable" content="yes">
<meta name="mobile-web-app-capable" content="yes">
<meta name="apple-mobile-web-app-title" content="Kelvora">
<script>
// Each visit asks for a newer worker, which a new build brings. Without
// the worker (an old browser, a page opened from disk) the page still
// works, only not offline, so a failure here is not shown.
if ('serviceWorker' in navigator) {
  window.addEventListener('load', () => {
    navigator.serviceWorker.register('sw.js').then((registration) => registration.update()).catch(() => {});
  });
}
</script>
`;

async function drawIcons(svg) {
  const browser = await chromium.launch({ executablePath: CHROMIUM, args: ['--no-sandbox', '--disable-gpu'] });
  try {
    const page = await browser.newPage();
    const source = `data:image/svg+xml;base64,${svg.toString('base64')}`;
    const drawn = {};
    for (const { file, size, drawing } of ICONS) {
      await page.setViewportSize({ width: size, height: size });
      const side = Math.round(size * (drawing || 1));
      const ground = drawing ? '#ffffff' : 'transparent';
      await page.setContent(`<body style="margin:0;background:${ground}">
        <img src="${source}" style="position:absolute;width:${side}px;height:${side}px;
          left:${(size - side) / 2}px;top:${(size - side) / 2}px"></body>`);
      await page.waitForFunction(() => document.images[0].complete);
      drawn[file] = await page.screenshot({ omitBackground: !drawing });
    }
    return drawn;
  } finally {
    await browser.close();
  }
}

// The page with the app's head, and the files around it. The service
// worker's cache is named from a hash of everything else it serves.
export function siteFiles(pageHtml, icons) {
  if (!pageHtml.includes('</head>')) throw new Error('the page has no </head>');
  const files = {
    'index.html': Buffer.from(pageHtml.replace('</head>', () => `${HEAD}</head>`)),
    'manifest.webmanifest': Buffer.from(`${JSON.stringify(MANIFEST, null, 2)}\n`),
    ...icons,
  };
  const hash = createHash('sha256');
  for (const name of Object.keys(files).sort()) hash.update(name).update('\0').update(files[name]).update('\0');
  const cacheName = `kelvora-${hash.digest('hex').slice(0, 16)}`;
  const kept = ['./', ...Object.keys(files).filter((name) => name !== 'index.html').sort()];
  const worker = readFileSync(join(here, 'site/service_worker.js'), 'utf8')
    .replace("'@CACHE@'", () => JSON.stringify(cacheName))
    .replace("'@FILES@'", () => JSON.stringify(kept));
  return { files: { ...files, 'sw.js': Buffer.from(worker) }, cacheName };
}

// Writes the site into folder, replacing what was there.
export async function writeSite(pageHtml, folder) {
  const icons = await drawIcons(readFileSync(join(here, '..', 'data', 'kelvora.svg')));
  const { files, cacheName } = siteFiles(pageHtml, icons);
  const temporary = `${folder}.tmp`;
  rmSync(temporary, { recursive: true, force: true });
  mkdirSync(temporary, { recursive: true });
  for (const [name, bytes] of Object.entries(files)) writeFileSync(join(temporary, name), bytes);
  rmSync(folder, { recursive: true, force: true });
  renameSync(temporary, folder);
  return cacheName;
}

if (process.argv[1] && resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  const build = process.argv[2];
  if (!build) {
    console.error('usage: node web/site.mjs BUILD_DIR');
    process.exit(2);
  }
  const folder = join(build, 'site');
  const cacheName = await writeSite(readFileSync(join(build, 'kelvora.html'), 'utf8'), folder);
  console.log(`${folder}: the web app, cache ${cacheName}`);
}
