// The page's stored frames at three screens, for one or more builds in one
// run, the builds taking turns (see BENCHMARKS.md, "The page's frames"):
// the memory 24 frames of scene 8 take, the peak while a GIF of them is
// saved, the capture of those frames and showing one. Memory is the
// proportional set size (Pss) summed over every process of the browser,
// read from /proc/PID/smaps_rollup, with the page's garbage collected
// before each reading (settledPss).
//   node web/tests/frames_benchmark.mjs RUNS BUILD_DIR...
import { readdirSync, readFileSync } from 'node:fs';
import { launchBrowser, openPage, testPageUrl } from './browser_support.mjs';

const [runsText, ...buildDirs] = process.argv.slice(2);
if (!buildDirs.length) {
  console.error('usage: node frames_benchmark.mjs RUNS BUILD_DIR...');
  process.exit(2);
}
const SCREENS = [
  { name: '1366x768', options: { viewport: { width: 1366, height: 768 } } },
  { name: 'iPad 1024x768 @2', options: { viewport: { width: 1024, height: 768 }, deviceScaleFactor: 2, isMobile: true, hasTouch: true } },
  { name: '4K 1920x1080 @2', options: { viewport: { width: 1920, height: 1080 }, deviceScaleFactor: 2 } },
];

// Every process started from this one, and their Pss in MB.
function treePssMb() {
  const children = new Map();
  for (const name of readdirSync('/proc')) {
    if (!/^\d+$/.test(name)) continue;
    try {
      const stat = readFileSync(`/proc/${name}/stat`, 'utf8');
      const ppid = Number(stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1]);
      if (!children.has(ppid)) children.set(ppid, []);
      children.get(ppid).push(Number(name));
    } catch { /* gone meanwhile */ }
  }
  let kb = 0;
  const visit = (pid) => {
    for (const child of children.get(pid) || []) {
      try {
        kb += Number(/^Pss:\s+(\d+)/m.exec(readFileSync(`/proc/${child}/smaps_rollup`, 'utf8'))[1]);
      } catch { /* gone meanwhile */ }
      visit(child);
    }
  };
  visit(process.pid);
  return kb / 1024;
}

// After a garbage collection and a wait, the least of five readings: the
// browser gives freed memory back to the system in its own time.
async function settledPss(page) {
  await page.evaluate(() => { window.gc(); window.gc(); });
  await page.waitForTimeout(1500);
  let least = Infinity;
  for (let i = 0; i < 5; ++i) {
    least = Math.min(least, treePssMb());
    await page.waitForTimeout(200);
  }
  return least;
}

async function measure(buildDir, screen) {
  const browser = await launchBrowser(['--js-flags=--expose-gc']);
  try {
    const { page } = await openPage(browser, testPageUrl(buildDir), screen.options, []);
    await page.evaluate(() => { document.getElementById('scene-8').click(); window.kelvora.viewer.frames24.click(); });
    await page.waitForTimeout(1000);
    const empty = await settledPss(page);
    const capture = await page.evaluate(() => new Promise((resolve) => {
      const v = window.kelvora.viewer;
      v.model.pressDraw();
      const poll = () => (v.model.isCapturing() ? setTimeout(poll, 5) : resolve(v.stats.captureMs));
      poll();
    }));
    const stored = await settledPss(page);
    let peak = stored;
    const sampler = setInterval(() => { peak = Math.max(peak, treePssMb()); }, 20);
    await page.evaluate(() => {
      const { saving, viewer } = window.kelvora;
      saving.open(viewer);
      saving.gif();
    });
    await page.waitForTimeout(300);
    clearInterval(sampler);
    const show = await page.evaluate(() => {
      const v = window.kelvora.viewer;
      const ctx = v.picture.getContext('2d');
      const times = [];
      for (let i = 0; i < 48; ++i) {
        const t0 = performance.now();
        v.store.show(i % 24);
        ctx.getImageData(0, 0, 1, 1);
        times.push(performance.now() - t0);
      }
      times.sort((a, b) => a - b);
      return times[times.length >> 1];
    });
    const size = await page.evaluate(() => [window.kelvora.viewer.picture.width, window.kelvora.viewer.picture.height]);
    return { size, frames: stored - empty, gif: peak - stored, capture, show };
  } finally {
    await browser.close();
  }
}

const runs = Number(runsText);
const f = (x) => x.toFixed(1);
console.log('screen            build                          picture      frames MB  GIF peak MB  capture ms  show ms (median of 48)');
for (const screen of SCREENS) {
  for (let run = 0; run < runs; ++run) {
    for (const dir of buildDirs) {
      const r = await measure(dir, screen);
      console.log(`${screen.name.padEnd(17)} ${dir.padEnd(30)} ${r.size.join('x').padEnd(11)}  ${f(r.frames).padStart(9)}  ${f(r.gif).padStart(11)}  ${f(r.capture).padStart(10)}  ${r.show.toFixed(2)}`);
    }
  }
}
