// The page's speed in headless Chromium (see BENCHMARKS.md, "In the
// browser"): page load to menu shown, capture of 24 frames for every scene
// with the picture at 1440 × 830, and showing a stored frame. The page that
// is measured may be an older build, for a comparison in one run.
//   node web/tests/benchmark.mjs build-web [RUNS] [SCENE,...]
import { launchBrowser, openPage, testPageUrl } from './browser_support.mjs';

const [buildDir, runsText = '5', scenesText] = process.argv.slice(2);
const scenes = scenesText ? scenesText.split(',').map(Number) : Array.from({ length: 16 }, (_, i) => i);
const runs = Number(runsText);
const url = testPageUrl(buildDir);
const median = (xs) => { const s = [...xs].sort((a, b) => a - b); const m = s.length >> 1; return s.length % 2 ? s[m] : (s[m - 1] + s[m]) / 2; };
const ms = (x) => x.toFixed(1);

// 1920 × 1038 puts the picture at 0.75 × 1920 by 0.8 × 1038: 1440 × 830.
const viewport = { width: 1920, height: 1038 };
const problems = [];
const browser = await launchBrowser();
try {
  const loads = [];
  for (let i = 0; i <= runs; ++i) {
    const { context, page } = await openPage(browser, url, { viewport }, problems);
    // The first load warms the browser's caches and is not counted.
    if (i > 0) loads.push(await page.evaluate(() => window.kelvora.stats.menuShownMs));
    await context.close();
  }
  console.log(`page load to menu shown: median ${ms(median(loads))} ms (${loads.map(ms).join(', ')})`);

  const { page } = await openPage(browser, url, { viewport }, problems);
  console.log('scene  picture      capture of 24 frames: median of later captures (runs); first capture; showing a stored frame');
  for (const scene of scenes) {
    const result = await page.evaluate(async ({ scene, runs }) => {
      const kv = window.kelvora;
      document.getElementById('scene-' + scene).click();
      const v = kv.viewer;
      v.frames24.click();
      const capture = () => new Promise((resolve) => {
        v.model.pressDraw();
        const poll = () => (v.model.isCapturing() ? setTimeout(poll, 5) : resolve(v.stats.captureMs));
        poll();
      });
      // The first capture, a second after the viewer opened (the time a
      // teacher takes to press 描画), settles the drawing state, as on the
      // desktop; it is reported on its own.
      await new Promise((resolve) => setTimeout(resolve, 1000));
      const first = await capture();
      const times = [];
      for (let i = 0; i < runs; ++i) times.push(await capture());
      const size = [v.picture.width, v.picture.height];
      // Showing a stored frame: unpacked onto the picture, and reading one
      // pixel back so the drawing is really done.
      const ctx = v.picture.getContext('2d');
      const shows = 200;
      const t0 = performance.now();
      for (let i = 0; i < shows; ++i) {
        v.store.show(i % 24);
        ctx.getImageData(0, 0, 1, 1);
      }
      const showMs = (performance.now() - t0) / shows;
      v.end();
      return { first, times, size, showMs };
    }, { scene, runs });
    console.log(`${String(scene).padStart(5)}  ${result.size.join(' x ').padEnd(11)}  ${ms(median(result.times))} ms (${result.times.map(ms).join(', ')}); first ${ms(result.first)} ms; show ${result.showMs.toFixed(2)} ms`);
  }
} finally {
  await browser.close();
}
for (const p of problems) console.log(`problem: ${p}`);
