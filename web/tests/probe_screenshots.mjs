// Screenshots of the page's viewer with one and with two probes on scenes
// 2, 4 and 8, for the README: each scene drawn, a particle clicked, then a
// second, at places given as fractions of the picture.
//   node web/tests/probe_screenshots.mjs build-web OUT_DIR
import { mkdirSync } from 'node:fs';
import { join } from 'node:path';
import { launchBrowser, openPage, testPageUrl } from './browser_support.mjs';

const [buildDir, outDir] = process.argv.slice(2);
if (!buildDir || !outDir) {
  console.error('usage: node probe_screenshots.mjs BUILD_DIR OUT_DIR');
  process.exit(2);
}
mkdirSync(outDir, { recursive: true });

const PLACES = { 2: [[0.055, 0.5], [0.383, 0.4]], 4: [[0.5, 0.5], [0.6, 0.5]], 8: [[0.5, 0.55], [0.35, 0.7]] };

// Waits until no capture runs and the frames fill the picture as laid out.
async function settled(page) {
  await page.waitForTimeout(400);
  await page.waitForFunction(() => {
    const { viewer, k } = window.kelvora;
    return viewer.model.phase() !== k.ViewerPhase.Capturing && viewer.model.shownFrame() >= 0;
  }, null, { timeout: 30000 });
}

async function clickAt(page, [fx, fy]) {
  const r = await page.evaluate(() => {
    const b = document.getElementById('picture').getBoundingClientRect();
    return { x: b.left, y: b.top, w: b.width, h: b.height };
  });
  await page.mouse.click(r.x + fx * r.w, r.y + fy * r.h);
  await settled(page);
}

const browser = await launchBrowser();
const problems = [];
const { page } = await openPage(browser, testPageUrl(buildDir), { viewport: { width: 1366, height: 768 } }, problems);
for (const [scene, places] of Object.entries(PLACES)) {
  await page.click(`#scene-${scene}`);
  await page.click('#draw');
  await settled(page);
  await page.click('#step');
  for (const [n, place] of places.entries()) {
    await clickAt(page, place);
    await page.screenshot({ path: join(outDir, `web-probe-scene${scene.padStart(2, '0')}-${n + 1}.png`) });
  }
  await page.click('#end');
}
await browser.close();
if (problems.length) console.log(problems.join('\n'));
