// The page in a real browser, headless and offline: axe-core, a click at
// every control, the Tab key and the wheel; the menu's keys, every
// scene drawn, played, paused, stepped and ended, each control's enabled
// state against the model at every step, a resize while playing, saving as
// GIF and PNG, the worksheet printed to PDF, errors of the page shown in it,
// and screenshots; all on the test page, and the page that ships without
// the test hooks.
//   node web/tests/browser_test.mjs build-web [SCREENSHOT_DIR]
import { mkdirSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { checks, launchBrowser, openPage, readGif, readPdf, shippedPageUrl, testPageUrl } from './browser_support.mjs';

const [buildDir, shotDir = 'build-web/screenshots'] = process.argv.slice(2);
if (!buildDir) {
  console.error('usage: node browser_test.mjs BUILD_DIR [SCREENSHOT_DIR]');
  process.exit(2);
}
mkdirSync(shotDir, { recursive: true });

const { problems, check, finish } = checks('browser test');

// The phase by name, and every control whose enabled state differs from
// what the model says.
async function state(page) {
  return page.evaluate(() => {
    const { viewer, k } = window.kelvora;
    const m = viewer.model;
    const c = m.controls();
    const ids = { draw: c.draw, play: c.play, pause: c.pause, step: c.step, end: c.end, save: c.save,
      frames12: c.frameCount, frames24: c.frameCount, speed: c.speed, parameter: c.parameter };
    const wrong = Object.entries(ids).filter(([id, on]) => document.getElementById(id).disabled === on).map(([id]) => id);
    const phase = Object.keys(k.ViewerPhase).find((name) => k.ViewerPhase[name] === m.phase());
    return { phase, wrong, controls: ids, readout: document.getElementById('readout').textContent, shown: m.shownFrame() };
  });
}

// Checks the phase and that the page shows the model's controls.
async function expectPhase(page, phase, what) {
  const s = await state(page);
  check(s.phase === phase, `${what}: phase ${s.phase}, expected ${phase}`);
  check(s.wrong.length === 0, `${what}: controls not as the model says: ${s.wrong.join(', ')}`);
  return s;
}

async function waitForPhase(page, phase) {
  await page.waitForFunction((p) => {
    const { viewer, k } = window.kelvora;
    return viewer && viewer.model.phase() === k.ViewerPhase[p];
  }, phase, { timeout: 30000 });
}

// Opens a scene from the menu with the keyboard: the arrows walk the
// buttons in reading order from the first, Enter opens the focused one.
async function openWithKeys(page, scene) {
  const order = await page.evaluate(() => window.kelvora.menu.order);
  const position = order.indexOf(scene);
  for (let i = 0; i < position; ++i) await page.keyboard.press('ArrowRight');
  const focused = await page.evaluate(() => document.activeElement.dataset.scene);
  check(focused === String(scene), `menu: ${position} × → focuses scene ${focused}, expected ${scene}`);
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => window.kelvora.viewer !== null);
}

// Ink in stored frame 0, and a later frame that differs from it.
async function framesDrawn(page) {
  return page.evaluate(() => {
    const store = window.kelvora.viewer.store;
    const pixels = (k) => store.bytes(k).slice();
    const a = pixels(0);
    const b = pixels(Math.floor(store.count() / 4));
    let ink = 0;
    let differ = 0;
    for (let i = 0; i < a.length; i += 4) {
      if (a[i] !== 255 || a[i + 1] !== 255 || a[i + 2] !== 255) ++ink;
      if (a[i] !== b[i] || a[i + 1] !== b[i + 1] || a[i + 2] !== b[i + 2]) ++differ;
    }
    return { ink, differ, count: store.count(), width: store.width, height: store.height };
  });
}

async function menuChecks(page) {
  const menu = await page.evaluate(() => {
    const buttons = [...document.querySelectorAll('#menu button[data-scene]')];
    return {
      heading: document.getElementById('menu-heading').textContent,
      captions: buttons.map((b) => b.textContent),
      expected: buttons.map((b) => window.kelvora.k.menuCaption(Number(b.dataset.scene))),
      end: document.getElementById('menu-end').textContent,
      // Reading order from the buttons' places: row by row, left first.
      placed: buttons.map((b) => ({ scene: Number(b.dataset.scene), top: b.offsetTop, left: b.offsetLeft }))
        .sort((x, y) => x.top - y.top || x.left - y.left).map((b) => b.scene),
      order: window.kelvora.menu.order,
    };
  });
  check(menu.heading === '波動メニュー', `menu heading "${menu.heading}"`);
  check(menu.captions.length === 16 && menu.captions.every((c, i) => c === menu.expected[i] && c.length > 0), 'menu: sixteen scene buttons with their captions');
  check(menu.end === '終了', 'menu: 終了');
  check(JSON.stringify(menu.placed) === JSON.stringify(menu.order), `menu: buttons placed in reading order ${menu.placed}`);
}

// axe-core on the page as it is now: no critical or serious violation.
const AXE = readFileSync(new URL('../node_modules/axe-core/axe.min.js', import.meta.url), 'utf8');
async function axeChecks(page, what) {
  const found = await page.evaluate(async (source) => {
    if (!window.axe) (0, eval)(source);
    const { violations } = await window.axe.run(document);
    return violations.filter((v) => v.impact === 'critical' || v.impact === 'serious')
      .map((v) => `${v.id} (${v.impact}) on ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);
  }, AXE);
  check(found.length === 0, `axe, ${what}: ${found.join('; ')}`);
}

// A click reaches every control of the window shown: the element at its
// centre, and at both ends of a slider, is the control itself.
async function hitChecks(page, what) {
  const missed = await page.evaluate(() => {
    const { viewer } = window.kelvora;
    const shown = viewer
      ? viewer.description.controls.map((c, i) => ({ c, placed: viewer.placed[i] }))
      : [...document.querySelectorAll('#menu > button')].map((b) => ({ c: { name: b.id, takesFocus: true }, placed: b }));
    const out = [];
    for (const { c, placed } of shown) {
      if (!c.takesFocus || placed.hidden) continue;
      const r = placed.getBoundingClientRect();
      const y = r.top + r.height / 2;
      const points = [[r.left + r.width / 2, y]];
      if (c.role === 'scrollbar') points.push([r.left + 2, y], [r.right - 2, y]);
      for (const [x, py] of points) {
        const hit = document.elementFromPoint(x, py);
        if (!hit || !(placed === hit || placed.contains(hit))) out.push(`${c.name} at ${Math.round(x)},${Math.round(py)}: ${hit && hit.id}`);
      }
    }
    return out;
  });
  check(missed.length === 0, `hit, ${what}: ${missed.join('; ')}`);
}

// Tab walks the live controls in the described order, which is the
// document's (of a group of options, the one chosen); no element has a tab
// index of its own above 0.
async function tabChecks(page) {
  const { expected, positive } = await page.evaluate(() => {
    const v = window.kelvora.viewer;
    const live = v.description.controls.filter((c, i) => {
      const e = v.controls[c.name];
      return c.takesFocus && !e.disabled && !v.placed[i].hidden && (c.role !== 'option' || e.checked);
    });
    live[0] && v.controls[live[0].name].focus();
    return { expected: live.map((c) => c.name), positive: [...document.querySelectorAll('[tabindex]')].filter((e) => e.tabIndex > 0).length };
  });
  const walked = [await page.evaluate(() => document.activeElement.id)];
  for (let i = 1; i < expected.length; ++i) {
    await page.keyboard.press('Tab');
    walked.push(await page.evaluate(() => document.activeElement.id));
  }
  check(JSON.stringify(walked) === JSON.stringify(expected), `tab order ${walked}, expected ${expected}`);
  check(positive === 0, `${positive} elements with a positive tab index`);
}

// The wheel over a slider: turns below a notch add up to one.
async function wheelChecks(page) {
  const box = await page.evaluate(() => { const r = document.getElementById('speed').getBoundingClientRect(); return [r.x + r.width / 2, r.y + r.height / 2]; });
  const speed = () => page.evaluate(() => window.kelvora.viewer.model.speed());
  const before = await speed();
  await page.mouse.move(box[0], box[1]);
  await page.mouse.wheel(0, 50);
  const half = await speed();
  await page.mouse.wheel(0, 50);
  const whole = await speed();
  check(half === before && whole > before, `wheel: speed ${before}, ${half} after half a notch, ${whole} after another`);
  await page.mouse.wheel(0, -100);
  check(await speed() === before, 'wheel: a notch up takes it back');
}

// One scene from the menu and back: 描画, play, pause, step, step back,
// the keys, 終了.
async function sceneRound(page, scene, frames) {
  await openWithKeys(page, scene);
  await expectPhase(page, 'Empty', `scene ${scene} opened`);
  if (frames === 24) await page.click('#frames24');
  if (scene === 14) {
    // The parameter: its text follows the bar (one large change, 1, from 20).
    await page.focus('#parameter');
    await page.keyboard.press('PageDown');
    const p = await page.evaluate(() => ({ text: document.getElementById('parameter-text').value, value: window.kelvora.viewer.model.parameter().value }));
    check(p.value === 21 && p.text === '2.1', `scene 14: Page Down on the parameter gives ${p.value} "${p.text}"`);
  }
  await page.click('#draw');
  await waitForPhase(page, 'Ready');
  let s = await expectPhase(page, 'Ready', `scene ${scene} drawn`);
  check(s.controls.play && s.controls.step && s.controls.save && !s.controls.frameCount, `scene ${scene}: controls after 描画`);
  check(s.readout === `コマ ${frames} / ${frames}`, `scene ${scene}: readout "${s.readout}" after 描画`);
  const drawn = await framesDrawn(page);
  check(drawn.count === frames, `scene ${scene}: ${drawn.count} frames stored`);
  check(drawn.ink > 500, `scene ${scene}: ${drawn.ink} pixels of ink`);
  check(drawn.differ > 0, `scene ${scene}: frames 0 and ${Math.floor(frames / 4)} differ`);

  await page.click('#play');
  s = await expectPhase(page, 'Playing', `scene ${scene} playing`);
  check(!s.controls.draw && !s.controls.save && s.controls.pause && !s.controls.parameter, `scene ${scene}: controls while playing`);
  const first = s.shown;
  await page.waitForFunction((f) => window.kelvora.viewer.model.shownFrame() > f + 1, first, { timeout: 5000 });
  await page.click('#pause');
  s = await expectPhase(page, 'Paused', `scene ${scene} paused`);
  const paused = s.shown;
  await page.click('#step');
  s = await expectPhase(page, 'Stepped', `scene ${scene} stepped`);
  check(s.shown === (paused + 1) % frames, `scene ${scene}: コマ送り shows ${s.shown} after ${paused}`);
  // ← with the picture focused steps back; Space plays, Space again pauses.
  await page.focus('#picture');
  await page.keyboard.press('ArrowLeft');
  s = await expectPhase(page, 'Stepped', `scene ${scene} stepped back`);
  check(s.shown === paused, `scene ${scene}: ← shows ${s.shown}, expected ${paused}`);
  await page.keyboard.press('Space');
  await expectPhase(page, 'Playing', `scene ${scene} Space`);
  await page.keyboard.press('Space');
  await expectPhase(page, 'Paused', `scene ${scene} Space again`);
  // With the speed bar focused the arrows are the bar's, not a step.
  await page.focus('#speed');
  await page.keyboard.press('ArrowRight');
  s = await state(page);
  const speed = await page.evaluate(() => window.kelvora.viewer.model.speed());
  check(s.phase === 'Paused' && speed === 210, `scene ${scene}: → on アニメ速度 gives speed ${speed}, phase ${s.phase}`);
  await page.click('#end');
  const back = await page.evaluate(() => !document.getElementById('menu-screen').hidden && window.kelvora.viewer === null);
  check(back, `scene ${scene}: 終了 shows the menu`);
}

// The probe as a user places it: real clicks on the picture mark the
// nearest particle (the graph appears, in colour), a click there again
// removes it, Shift+→ places it from the keyboard, Esc removes it and
// leaves the viewer open; scene 0 takes no click.
async function probeChecks(page) {
  const settled = () => page.waitForFunction(() => {
    const v = window.kelvora.viewer;
    return !v.model.isCapturing() && v.store.width === Math.round(v.place.picture.width * v.place.ratio);
  }, null, { timeout: 30000 });
  const probe = () => page.evaluate(() => {
    const graph = document.getElementById('probe-graph');
    const bytes = graph.width ? graph.getContext('2d').getImageData(0, 0, graph.width, graph.height).data : [];
    let colour = 0;
    for (let i = 0; i < bytes.length; i += 4) if (bytes[i] !== bytes[i + 1] || bytes[i + 1] !== bytes[i + 2]) ++colour;
    return { marked: window.kelvora.viewer.model.probeMarked(), shown: !graph.hidden, colour, text: document.getElementById('probe-text').textContent };
  });
  const clickPicture = async () => {
    const r = await page.evaluate(() => { const b = document.getElementById('picture').getBoundingClientRect(); return [b.left + b.width * 0.4, b.top + b.height / 2]; });
    check(await page.evaluate(([x, y]) => document.elementFromPoint(x, y).id, r) === 'picture', 'probe: the picture is hit');
    await page.mouse.click(r[0], r[1]);
  };
  await openWithKeys(page, 2);
  await page.click('#draw');
  await waitForPhase(page, 'Ready');
  await clickPicture();
  let p = await probe();
  check(p.marked && p.shown && p.colour > 200 && p.text.startsWith('プローブ 1'), `probe: a click marks a particle ${JSON.stringify(p)}`);
  await settled();
  // 保存 keeps it: the PNG has the graph under the frame, the printed
  // sheet an answer page.
  await page.click('#save');
  const [pngDownload] = await Promise.all([page.waitForEvent('download'), page.click('#save-png')]);
  const png = readFileSync(await pngDownload.path());
  const store = await page.evaluate(() => [window.kelvora.viewer.store.width, window.kelvora.viewer.store.height]);
  check(png.readUInt32BE(16) === store[0] && png.readUInt32BE(20) > store[1] * 1.2, `probe: the PNG ${png.readUInt32BE(16)}x${png.readUInt32BE(20)} has the graph under the frame`);
  writeFileSync(join(shotDir, 'probe-saved.png'), png);
  await page.click('#save');
  const [gifDownload] = await Promise.all([page.waitForEvent('download'), page.click('#save-gif')]);
  const gif = readFileSync(await gifDownload.path());
  const frames = await page.evaluate(() => window.kelvora.viewer.model.lastFrame() + 1);
  check(gif.readUInt16LE(6) === store[0] && gif.readUInt16LE(8) === png.readUInt32BE(20) && readGif(gif).delays.length === frames,
    `probe: the GIF ${gif.readUInt16LE(6)}x${gif.readUInt16LE(8)} of ${readGif(gif).delays.length} frames has the graph under each`);
  await page.evaluate(() => { window.print = () => {}; });
  await page.click('#save');
  await page.click('#save-sheet');
  const sheetPath = join(shotDir, 'probe-worksheet.pdf');
  await page.pdf({ path: sheetPath, preferCSSPageSize: true, printBackground: true });
  check(readPdf(sheetPath).pages === 2, `probe: the worksheet has ${readPdf(sheetPath).pages} pages, the sheet and its answer`);
  await page.evaluate(() => window.dispatchEvent(new Event('afterprint')));
  await clickPicture();
  p = await probe();
  check(!p.marked && !p.shown && p.text === '', `probe: a click on the marked particle removes it ${JSON.stringify(p)}`);
  await settled();
  await page.focus('#picture');
  await page.keyboard.press('Shift+ArrowRight');
  check((await probe()).marked, 'probe: Shift+→ places the probe');
  await page.keyboard.press('Escape');
  p = await probe();
  check(!p.marked && await page.evaluate(() => window.kelvora.viewer !== null), `probe: Esc removes it, the viewer stays ${JSON.stringify(p)}`);
  await page.click('#end');
  await openWithKeys(page, 0);
  await page.click('#draw');
  await waitForPhase(page, 'Ready');
  await clickPicture();
  check(!(await probe()).marked, 'probe: scene 0 takes no probe');
  await page.click('#end');
}

// 保存 of the open, drawn viewer: the GIF, the PNG and the worksheet.
async function saveChecks(page, frames, speedMs) {
  await page.evaluate((ms) => { const bar = document.getElementById('speed'); bar.value = String(ms); bar.dispatchEvent(new Event('change')); }, speedMs);
  await page.click('#save');
  const [gifDownload] = await Promise.all([page.waitForEvent('download'), page.click('#save-gif')]);
  const stem = await page.evaluate(() => window.kelvora.viewer.model.saveFileStem());
  check(gifDownload.suggestedFilename() === stem + '.gif', `GIF: named "${gifDownload.suggestedFilename()}"`);
  const gif = readGif(readFileSync(await gifDownload.path()));
  check(gif.delays.length === frames, `GIF: ${gif.delays.length} frames, expected ${frames}`);
  check(gif.delays.every((d) => d === Math.round(speedMs / 10)), `GIF: delays ${[...new Set(gif.delays)]}, expected ${speedMs / 10}`);
  check(gif.loops, 'GIF: loops');

  await page.click('#save');
  const [pngDownload] = await Promise.all([page.waitForEvent('download'), page.click('#save-png')]);
  const png = readFileSync(await pngDownload.path());
  const size = await page.evaluate(() => { const s = window.kelvora.viewer.store; return [s.width, s.height]; });
  check(png.toString('latin1', 1, 4) === 'PNG' && png.readUInt32BE(16) === size[0] && png.readUInt32BE(20) === size[1], 'PNG: the frame shown, at its size');

  await page.evaluate(() => { window.printCalls = 0; window.print = () => { window.printCalls += 1; }; });
  await page.click('#save');
  await page.click('#save-sheet');
  const sheet = await page.evaluate(() => ({
    prints: window.printCalls,
    labels: [...document.querySelectorAll('#worksheet figcaption')].map((c) => c.textContent),
    content: window.kelvora.k.worksheetContent(window.kelvora.viewer.sceneIndex, window.kelvora.viewer.model.lastFrame() + 1,
      window.kelvora.viewer.pictureSize(), []),
    fields: [...document.querySelectorAll('#worksheet .sheet-field')].map((f) => f.textContent),
    key: [...document.querySelectorAll('#worksheet .sheet-key-entry')].map((e) => e.textContent),
    title: document.querySelector('#worksheet h1').textContent,
  }));
  check(sheet.prints === 1, 'worksheet: the print dialog is asked for');
  check(sheet.labels.length === frames && sheet.labels.every((l, k) => l === sheet.content.labels[k]), `worksheet labels ${sheet.labels.slice(0, 2)}`);
  check(sheet.fields.join() === sheet.content.fields.map((f) => f.caption).join() && sheet.fields.length === 4, `worksheet fields ${sheet.fields}`);
  check(sheet.key.length > 0 && sheet.key.join() === sheet.content.key.map((e) => e.text).join(), `worksheet key ${sheet.key}`);
  const pdfPath = join(shotDir, 'worksheet.pdf');
  await page.pdf({ path: pdfPath, preferCSSPageSize: true, printBackground: true });
  const pdf = readPdf(pdfPath);
  check(pdf.pages === 1 && Math.abs(pdf.width - 841.9) < 1 && Math.abs(pdf.height - 595.3) < 1, `worksheet PDF: ${pdf.pages} page(s) of ${pdf.width} x ${pdf.height} pt`);
  const left = await page.evaluate(() => { window.dispatchEvent(new Event('afterprint')); return document.getElementById('worksheet').childElementCount; });
  check(left === 0, `worksheet: ${left} elements left after printing`);

  // A page for every value of the parameter.
  await page.click('#save');
  await page.click('#save-sheet-all');
  const values = await page.evaluate(() => window.kelvora.viewer.model.parameter().max - window.kelvora.viewer.model.parameter().min + 1);
  const allPath = join(shotDir, 'worksheet-all.pdf');
  await page.pdf({ path: allPath, preferCSSPageSize: true, printBackground: true });
  check(readPdf(allPath).pages === values, `worksheet of every value: ${readPdf(allPath).pages} pages, expected ${values}`);
  await page.evaluate(() => window.dispatchEvent(new Event('afterprint')));
  return sheet.title;
}

// A focused button takes Enter as a browser's button does; the choice of
// 保存 is a modal dialog that Esc and a click outside close, giving the
// focus back to 保存.
async function keyChecks(page) {
  await page.click('#pause');
  await page.focus('#play');
  await page.keyboard.press('Enter');
  await expectPhase(page, 'Playing', 'Enter on a focused アニメ開始');
  await page.focus('#pause');
  await page.keyboard.press('Enter');
  await expectPhase(page, 'Paused', 'Enter on a focused 一時停止');
  const focusIn = () => page.evaluate(() => document.activeElement.closest('dialog') ? 'dialog' : document.activeElement.id);
  for (const close of ['Escape', 'outside']) {
    await page.focus('#save');
    await page.keyboard.press('Enter');
    check(await page.evaluate(() => document.getElementById('save-panel').open), `Enter on a focused 保存 opens the dialog (${close})`);
    const where = [];
    for (let i = 0; i < 6; ++i) { await page.keyboard.press('Tab'); where.push(await focusIn()); }
    check(where.every((w) => w === 'dialog'), `Tab stays in the dialog: ${where}`);
    if (close === 'Escape') await page.keyboard.press('Escape');
    else await page.mouse.click(5, 5);
    const after = await page.evaluate(() => [document.getElementById('save-panel').open, document.activeElement.id]);
    check(!after[0] && after[1] === 'save', `${close} closes the dialog, focus on ${after[1]}`);
  }
  await expectPhase(page, 'Paused', 'after the dialog');
}

// Rotating an iPad while a loop plays: the ball stays round in the picture
// as shown, before and after the frames are drawn again by themselves.
async function rotationChecks(browser) {
  const { context, page } = await openPage(browser, url, { viewport: { width: 1024, height: 768 }, deviceScaleFactor: 2, isMobile: true, hasTouch: true }, problems);
  await page.tap('#scene-0');
  await page.tap('#draw');
  await waitForPhase(page, 'Ready');
  await page.tap('#play');
  // The green ball's width over its height in a screenshot of the picture.
  const roundness = async (what) => {
    const shot = (await page.locator('#picture').screenshot()).toString('base64');
    const ratio = await page.evaluate(async (png) => {
      const image = await createImageBitmap(await (await fetch('data:image/png;base64,' + png)).blob());
      const ctx = new OffscreenCanvas(image.width, image.height).getContext('2d');
      ctx.drawImage(image, 0, 0);
      const d = ctx.getImageData(0, 0, image.width, image.height).data;
      const xs = [];
      const ys = [];
      for (let i = 0; i < d.length; i += 4) {
        if (d[i + 1] > 100 && d[i] < 60 && d[i + 2] < 60) { xs.push((i / 4) % image.width); ys.push(Math.floor(i / 4 / image.width)); }
      }
      return (Math.max(...xs) - Math.min(...xs) + 1) / (Math.max(...ys) - Math.min(...ys) + 1);
    }, shot);
    check(ratio >= 0.85 && ratio <= 1.18, `${what}: the ball's width over height is ${ratio.toFixed(2)}`);
  };
  await roundness('iPad landscape');
  for (const [width, height] of [[768, 1024], [1024, 768]]) {
    await page.setViewportSize({ width, height });
    await page.waitForTimeout(50);
    await roundness(`turned to ${width}x${height}, old frames`);
    await page.waitForFunction(() => {
      const v = window.kelvora.viewer;
      return v.store.width === Math.round(v.place.picture.width * v.place.ratio) && v.model.isPlaying();
    }, null, { timeout: 30000 });
    await page.waitForTimeout(200);
    await roundness(`turned to ${width}x${height}, frames drawn again`);
    await page.screenshot({ path: join(shotDir, `viewer-ipad-${width}x${height}.png`) });
    // The options and the speed bar take a finger 44 px tall at their
    // centre, and the title over ２４画面 does not take its taps.
    const missed = await page.evaluate(() => ['frames12-label', 'frames24-label', 'speed'].filter((id) => {
      const e = document.getElementById(id);
      const r = e.getBoundingClientRect();
      const x = r.left + r.width / 2;
      const y = r.top + r.height / 2;
      return [-21.5, 0, 21.5].some((dy) => !e.contains(document.elementFromPoint(x, y + dy)));
    }));
    check(missed.length === 0, `${width}x${height}: missed by a finger: ${missed}`);
  }
  await context.close();
}

// A run-time error of a scene: its number and Japanese text in the page,
// capture stopped, only 描画 live; nothing on the console.
async function runtimeErrorChecks(page) {
  await openWithKeys(page, 2);
  await page.evaluate(() => window.kelvora.k.failCapturesWith(window.kelvora.viewer.viewer, 6));
  await page.click('#draw');
  await page.waitForFunction(() => !document.getElementById('message').hidden);
  const shown = await page.evaluate(() => [document.getElementById('message-title').textContent, document.getElementById('message-text').textContent]);
  check(shown[0] === '実行時エラー 6' && shown[1] === 'オーバーフローしました。', `run-time error shown as "${shown}"`);
  const s = await expectPhase(page, 'Empty', 'after a run-time error');
  check(s.controls.draw && !s.controls.play && !s.controls.save, 'after a run-time error: only 描画');
  await page.click('#message-ok');
  await page.click('#end');
}

// A fault of the page's own script in a callback from the browser (here a
// menu key) is shown in the page like any error, and the page goes on.
async function pageErrorChecks(page) {
  await page.evaluate(() => { window.kelvora.menu.walk = () => { throw new Error('walk failed'); }; });
  await page.keyboard.press('ArrowRight');
  const shown = await page.evaluate(() => [document.getElementById('message-title').textContent, document.getElementById('message-detail').textContent]);
  check(shown[0] === 'エラー' && shown[1].includes('walk failed'), `a page error shown as "${shown}"`);
  await page.click('#message-ok');
  await page.evaluate(() => { delete window.kelvora.menu.walk; window.kelvora.menu.focusFirst(); });
}

// The page that ships has no test hooks, and works as the test page does.
async function shippedPageChecks(browser) {
  const { context, page } = await openPage(browser, shippedPageUrl(buildDir), { viewport: { width: 1366, height: 768 } }, problems);
  check(await page.evaluate(() => window.kelvora === undefined), 'the page that ships has no window.kelvora');
  await page.click('#scene-3');
  await page.click('#draw');
  await page.waitForFunction(() => !document.getElementById('save').disabled, null, { timeout: 30000 });
  check(await page.evaluate(() => document.getElementById('readout').textContent) === 'コマ 12 / 12', 'the page that ships draws a scene');
  await context.close();
}

const browser = await launchBrowser();
const url = testPageUrl(buildDir);
try {
  // 1366 × 768: the menu, every scene, saving, a resize while playing.
  {
    const { context, page } = await openPage(browser, url, { viewport: { width: 1366, height: 768 } }, problems);
    await menuChecks(page);
    await axeChecks(page, 'the menu');
    await hitChecks(page, 'the menu at 1366 x 768');
    await page.screenshot({ path: join(shotDir, 'menu-1366x768.png') });
    for (let scene = 0; scene < 16; ++scene) await sceneRound(page, scene, scene % 3 === 1 ? 24 : 12);
    await probeChecks(page);

    await runtimeErrorChecks(page);
    await pageErrorChecks(page);
    await openWithKeys(page, 10);
    await axeChecks(page, 'the viewer before 描画');
    await hitChecks(page, 'the viewer at 1366 x 768');
    await tabChecks(page);
    await wheelChecks(page);
    await page.click('#draw');
    await waitForPhase(page, 'Ready');
    await axeChecks(page, 'the viewer after 描画');
    const title = await saveChecks(page, 12, 120);
    check(title === await page.evaluate(() => window.kelvora.viewer.model.worksheetTitle()) && title.startsWith(await page.evaluate(() => window.kelvora.k.sceneTitle(10))), `worksheet: the scene title "${title}"`);
    await page.click('#play');
    await page.waitForTimeout(500);
    await page.screenshot({ path: join(shotDir, 'viewer-1366x768.png') });
    // A smaller window: the frames play on, scaled to fit, and are drawn
    // again at the new size by themselves once it settles.
    await page.setViewportSize({ width: 1024, height: 640 });
    await page.waitForTimeout(100);
    const box = await page.evaluate(() => { const c = document.getElementById('picture'); return [c.offsetWidth, c.offsetHeight, c.width, c.height]; });
    check(box[0] === 768 && box[1] === 512 && box[2] === 1024, `resize: picture ${box}`);
    await hitChecks(page, 'the viewer at 1024 x 640');
    await page.waitForFunction(() => window.kelvora.viewer.store.width === 768 && window.kelvora.viewer.model.isPlaying(), null, { timeout: 30000 });
    const after = await framesDrawn(page);
    check(after.count === 12 && after.height === 512 && after.ink > 500, `resize: ${after.count} frames of ${after.width}x${after.height} drawn again`);
    await keyChecks(page);
    // 終了 in the menu: a page cannot close its own tab, so it says so.
    await page.click('#end');
    await page.click('#menu-end');
    check(await page.evaluate(() => !document.getElementById('ended').hidden), 'menu 終了: the page says Kelvora has ended');
    await page.click('#restart');
    check(await page.evaluate(() => !document.getElementById('menu-screen').hidden), 'メニューに戻る shows the menu again');
    await context.close();
  }
  await shippedPageChecks(browser);
  await rotationChecks(browser);
  // A tablet: 1024 × 768 at twice the pixels.
  {
    const { context, page } = await openPage(browser, url, { viewport: { width: 1024, height: 768 }, deviceScaleFactor: 2 }, problems);
    await page.screenshot({ path: join(shotDir, 'menu-1024x768@2x.png') });
    await hitChecks(page, 'the menu at 1024 x 768');
    await openWithKeys(page, 14);
    await hitChecks(page, 'the viewer at 1024 x 768');
    await page.click('#end');
    await openWithKeys(page, 8);
    await page.click('#draw');
    await waitForPhase(page, 'Ready');
    const drawn = await framesDrawn(page);
    check(drawn.width === 1536 && drawn.height === 1228, `2×: frames of ${drawn.width} x ${drawn.height} device pixels`);
    await page.click('#play');
    await page.waitForTimeout(500);
    await page.screenshot({ path: join(shotDir, 'viewer-1024x768@2x.png') });
    await page.click('#end');
    await context.close();
  }
} finally {
  await browser.close();
}

finish(shotDir);
