// Every screen a class brings, in headless Chromium: a laptop zoomed to
// 150 % and 200 %, a Chromebook, an iPad both ways, a phone both ways and a
// 4K panel. In each, every menu button and every control of 閉管 is brought
// into view as a user would (the wheel, or a swipe of a finger; never a
// scroll by script), hit at its centre, and under a finger at least 44 × 44
// CSS px; the step buttons and a finger's drag move the speed; a screenshot
// of each window.
//   node web/tests/viewport_test.mjs build-web [SCREENSHOT_DIR]
import { mkdirSync } from 'node:fs';
import { join } from 'node:path';
import { checks, launchBrowser, openPage, testPageUrl } from './browser_support.mjs';

const [buildDir, shotDir = 'build-web/screenshots'] = process.argv.slice(2);
if (!buildDir) {
  console.error('usage: node viewport_test.mjs BUILD_DIR [SCREENSHOT_DIR]');
  process.exit(2);
}
mkdirSync(shotDir, { recursive: true });

const TOUCH_TARGET = 44;
const CLOSED_PIPE = 10;

const tablet = { deviceScaleFactor: 2, isMobile: true, hasTouch: true };
const phone = { deviceScaleFactor: 3, isMobile: true, hasTouch: true };
const SCREENS = [
  { name: '1366x768-zoom150', viewport: { width: 910, height: 438 }, deviceScaleFactor: 1.5 },
  { name: '1366x768-zoom200', viewport: { width: 683, height: 384 }, deviceScaleFactor: 2 },
  { name: 'chromebook-1366x768', viewport: { width: 1366, height: 768 }, hasTouch: true },
  { name: 'ipad-1024x768', viewport: { width: 1024, height: 768 }, ...tablet },
  { name: 'ipad-768x1024', viewport: { width: 768, height: 1024 }, ...tablet },
  { name: 'phone-390x844', viewport: { width: 390, height: 844 }, ...phone },
  { name: 'phone-844x390', viewport: { width: 844, height: 390 }, ...phone },
  { name: '4k-3840x2160', viewport: { width: 3840, height: 2160 } },
];

const { problems, check, finish } = checks('viewport test');
let scrolls = 0;

// The element's box, and the window's.
function boxOf(page, id) {
  return page.evaluate((i) => {
    const r = document.getElementById(i).getBoundingClientRect();
    return { left: r.left, top: r.top, width: r.width, height: r.height, innerWidth, innerHeight };
  }, id);
}

// Scrolls as a user does until the element is whole in the window: a
// swipe of a finger or a turn of the wheel, over the window's right margin
// (no control lies there). Returns its box.
async function bringIntoView(page, cdp, id, touch) {
  for (let tries = 0; tries < 12; ++tries) {
    const b = await boxOf(page, id);
    const below = b.top + b.height - b.innerHeight;
    const by = b.top < 0 ? b.top - 8 : below > 0 ? below + 8 : 0;
    if (by === 0) return b;
    ++scrolls;
    const x = b.innerWidth - 3;
    const y = Math.round(b.innerHeight / 2);
    if (touch) {
      await cdp.send('Input.synthesizeScrollGesture', { x, y, yDistance: -Math.round(by), gestureSourceType: 'touch', speed: 3000 });
    } else {
      await page.mouse.move(x, y);
      await page.mouse.wheel(0, by);
    }
    // Until the scroll comes to rest.
    let last = null;
    for (let settle = 0; settle < 40; ++settle) {
      await page.waitForTimeout(30);
      const now = (await boxOf(page, id)).top;
      if (now === last) break;
      last = now;
    }
  }
  return boxOf(page, id);
}

// Every control given (ids of the elements placed), shown now: brought
// into view, hit at its centre, and a finger's size under touch.
async function reachChecks(page, cdp, ids, touch, what) {
  for (const id of ids) {
    const b = await bringIntoView(page, cdp, id, touch);
    const inView = b.top >= 0 && b.top + b.height <= b.innerHeight && b.left >= 0 && b.left + b.width <= b.innerWidth;
    check(inView, `${what}: ${id} brought into view (${Math.round(b.left)},${Math.round(b.top)} ${Math.round(b.width)}x${Math.round(b.height)})`);
    const hit = await page.evaluate(([i, x, y]) => {
      const e = document.getElementById(i);
      const found = document.elementFromPoint(x, y);
      return found && (found === e || e.contains(found)) ? '' : (found ? found.id || found.tagName : 'nothing');
    }, [id, b.left + b.width / 2, b.top + b.height / 2]);
    check(hit === '', `${what}: ${id} hit at its centre (found ${hit})`);
    if (touch) check(b.width >= TOUCH_TARGET && b.height >= TOUCH_TARGET, `${what}: ${id} is ${b.width}x${b.height}, under a finger's 44x44`);
  }
}

// The ids of what a user acts on in the window shown: the menu's buttons,
// or the viewer's controls that take the focus (an option by its label).
function targets(page) {
  return page.evaluate(() => {
    const { viewer } = window.kelvora;
    if (!viewer) return [...document.querySelectorAll('#menu > button')].filter((b) => !b.hidden).map((b) => b.id);
    return viewer.description.controls.map((c, i) => ({ c, placed: viewer.placed[i] }))
      .filter(({ c, placed }) => c.takesFocus && !placed.hidden).map(({ placed }) => placed.id);
  });
}

// A finger's drag along the speed bar, from its middle to its right end:
// the speed follows once the finger is lifted.
async function touchDrag(page, cdp, what) {
  const b = await bringIntoView(page, cdp, 'speed', true);
  const speed = () => page.evaluate(() => window.kelvora.viewer.model.speed());
  const before = await speed();
  const y = b.top + b.height / 2;
  const point = (x) => [{ x, y }];
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: point(b.left + b.width / 2) });
  for (let i = 1; i <= 5; ++i) {
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: point(b.left + b.width / 2 + i * (b.width / 2) / 5) });
  }
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  await page.waitForTimeout(50);
  const after = await speed();
  check(after > before, `${what}: a finger dragged the speed from ${before} to ${after}`);
}

// The − / + buttons step the speed by its small change.
async function stepChecks(page, cdp, what) {
  const speed = () => page.evaluate(() => window.kelvora.viewer.model.speed());
  const small = await page.evaluate(() => Number(document.getElementById('speed').dataset.small));
  const before = await speed();
  await bringIntoView(page, cdp, 'speed-more', true);
  await page.tap('#speed-more');
  check(await speed() === before + small, `${what}: + takes the speed from ${before} to ${await speed()}`);
  await bringIntoView(page, cdp, 'speed-less', true);
  await page.tap('#speed-less');
  check(await speed() === before, `${what}: − takes it back`);
}

async function screenChecks(browser, screen) {
  const { name, ...options } = screen;
  const touch = Boolean(options.hasTouch);
  const { context, page } = await openPage(browser, testPageUrl(buildDir), options, problems);
  const cdp = await context.newCDPSession(page);
  check(await page.evaluate(() => window.matchMedia('(pointer: coarse)').matches) === touch, `${name}: the pointer is ${touch ? 'coarse' : 'fine'}`);
  const menuTargets = await targets(page);
  check(menuTargets.length === 17, `${name}: ${menuTargets.length} menu buttons shown`);
  await reachChecks(page, cdp, menuTargets, touch, `${name} menu`);
  await page.screenshot({ path: join(shotDir, `menu-${name}.png`) });

  await bringIntoView(page, cdp, `scene-${CLOSED_PIPE}`, touch);
  await (touch ? page.tap(`#scene-${CLOSED_PIPE}`) : page.click(`#scene-${CLOSED_PIPE}`));
  await page.waitForFunction(() => window.kelvora.viewer !== null);
  const opened = await page.evaluate(() => [document.activeElement.id, window.kelvora.viewer.description.initialFocus]);
  check(opened[0] === opened[1], `${name}: the viewer opens with ${opened[0]} focused, described ${opened[1]}`);
  const viewerTargets = await targets(page);
  const steps = ['speed-less', 'speed-more', 'parameter-less', 'parameter-more'];
  check(steps.every((id) => viewerTargets.includes(id) === touch), `${name}: the step buttons shown only for a finger`);
  const picture = await boxOf(page, 'picture');
  const ratio = picture.width / picture.height;
  check(ratio > 1.2 && ratio < 1.8, `${name}: the picture is ${picture.width}x${picture.height}`);
  await reachChecks(page, cdp, viewerTargets, touch, `${name} 閉管`);
  // A loop drawn, seen from the top.
  await bringIntoView(page, cdp, 'draw', touch);
  await (touch ? page.tap('#draw') : page.click('#draw'));
  await page.waitForFunction(() => window.kelvora.viewer.model.phase() === window.kelvora.k.ViewerPhase.Ready, null, { timeout: 60000 });
  await bringIntoView(page, cdp, 'readout', touch);
  await page.screenshot({ path: join(shotDir, `viewer-${name}.png`) });
  if (touch) {
    // The choice of 保存: every button a finger's size, hit at its centre.
    await bringIntoView(page, cdp, 'save', touch);
    await page.tap('#save');
    const choices = await page.evaluate(() => [...document.querySelectorAll('#save-panel button')].map((b) => b.id));
    await reachChecks(page, cdp, choices, touch, `${name} 保存`);
    await page.tap('#save-cancel');
    await stepChecks(page, cdp, name);
    await touchDrag(page, cdp, name);
  }
  await context.close();
}

const browser = await launchBrowser();
try {
  for (const screen of SCREENS) await screenChecks(browser, screen);
} finally {
  await browser.close();
}
// Some screens are too small for everything at once: the test has scrolled.
check(scrolls > 0, `${scrolls} scrolls by wheel or swipe`);
console.log(`viewport test: ${scrolls} scrolls by wheel or swipe`);
finish(shotDir);
