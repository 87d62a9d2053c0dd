// The viewer: the desktop viewer's controls at their design places (twips,
// 15 to a pixel), the picture filling three quarters of the width and four
// fifths of the height, and everything they do handed to the C++
// ViewerModel. The page is the model's host: it keeps the frames, runs
// capture one frame per task and playback on setTimeout, and shows what the
// model says each time it changes.
import { freeCanvas } from './dom.js';
import { guarded, showMessage } from './errors.js';
import { FrameStore } from './frame_store.js';
import { Painter } from './painter.js';

const TWIPS_PER_PIXEL = 15;

// Nearest whole number, halves to even, as the desktop layout rounds.
function toInt32(v) {
  const r = Math.round(v);
  return Math.abs(v - Math.trunc(v)) === 0.5 && r % 2 !== 0 ? r - 1 : r;
}

function twipsRect(element, [left, top, width, height]) {
  element.style.left = toInt32(left / TWIPS_PER_PIXEL) + 'px';
  element.style.top = toInt32(top / TWIPS_PER_PIXEL) + 'px';
  element.style.width = toInt32(width / TWIPS_PER_PIXEL) + 'px';
  element.style.height = toInt32(height / TWIPS_PER_PIXEL) + 'px';
}

// The picture's place in a drawing area of the given size, as
// src/viewer/viewer_layout.cpp computes it on the desktop.
function layoutPicture(areaWidth, areaHeight) {
  const width = areaWidth * 0.75;
  const height = areaHeight * 0.8;
  const left = (areaWidth + 130 - width) / 2;
  const top = (areaHeight - height) / 2;
  return {
    left: toInt32(left), top: toInt32(top), width: toInt32(width), height: toInt32(height),
    titleLeft: toInt32((width + left) / 2 - 80),
  };
}

function focusKind(k, element) {
  if (!element || element === document.body) return k.FocusKind.Picture;
  if (element.tagName === 'BUTTON') return k.FocusKind.Button;
  if (element.tagName === 'INPUT') {
    if (element.type === 'radio') return k.FocusKind.OptionButton;
    if (element.type === 'range') return k.FocusKind.ScrollBar;
    if (element.type === 'text') return k.FocusKind.TextBox;
  }
  return k.FocusKind.Picture;
}

function viewerKey(k, key) {
  switch (key) {
    case ' ': return k.ViewerKey.Space;
    case 'ArrowRight': return k.ViewerKey.Right;
    case 'PageDown': return k.ViewerKey.PageDown;
    case 'ArrowLeft': return k.ViewerKey.Left;
    case 'PageUp': return k.ViewerKey.PageUp;
    case 'Enter': return k.ViewerKey.Enter;
    case 'Escape': return k.ViewerKey.Escape;
    default: return null;
  }
}

export class Viewer {
  // k: the WebAssembly module; ui: { onEnd(), modalOpen(), save(viewer) }.
  constructor(root, k, sceneIndex, ui) {
    this.root = root;
    this.k = k;
    this.ui = ui;
    this.sceneIndex = sceneIndex;
    this.closed = false;
    this.captureQueued = false;
    this.timer = null;
    this.stats = { captureStart: 0, captureMs: null };
    this.createControls();
    this.store = new FrameStore(this.picture, k);
    this.painter = new Painter(this.picture);
    this.channel = new MessageChannel();
    this.channel.port1.onmessage = guarded(() => this.runCapture());

    this.place = this.computePlace();
    this.applyPlace(true);
    this.viewer = k.createViewer(sceneIndex, this.host(), this.pictureSize());
    this.model = this.viewer.model();
    this.title.textContent = this.model.title();
    this.picture.setAttribute('aria-label', this.model.pictureName());
    this.parameterLabel.textContent = this.model.parameterLabel();
    const hasParameter = this.model.hasParameter();
    for (const e of [this.parameterLabel, this.parameterBar, this.parameterText]) e.hidden = !hasParameter;
    this.refresh();

    this.onKey = guarded((event) => this.key(event));
    this.onResize = guarded(() => this.resized());
    document.addEventListener('keydown', this.onKey, true);
    window.addEventListener('resize', this.onResize);
  }

  createControls() {
    const root = this.root;
    root.textContent = '';
    const add = (tag, id, rect, text) => {
      const e = document.createElement(tag);
      e.id = id;
      if (text !== undefined) e.textContent = text;
      if (rect) twipsRect(e, rect);
      root.appendChild(e);
      return e;
    };
    const button = (id, caption, rect, title) => {
      const b = add('button', id, rect, caption);
      if (title) b.title = title;
      return b;
    };
    const range = (id, rect, min, max, small, large, value) => {
      const r = add('input', id, rect);
      r.type = 'range';
      r.min = String(min);
      r.max = String(max);
      r.step = '1';
      r.value = String(value);
      r.dataset.small = String(small);
      r.dataset.large = String(large);
      return r;
    };
    const option = (id, caption, rect, value) => {
      const label = add('label', id + '-label', rect);
      const input = document.createElement('input');
      input.type = 'radio';
      input.name = 'frames';
      input.id = id;
      input.value = String(value);
      label.appendChild(input);
      label.appendChild(document.createTextNode(caption));
      return input;
    };

    this.picture = add('canvas', 'picture');
    this.picture.tabIndex = 0;
    this.picture.setAttribute('role', 'img');
    this.drawButton = button('draw', '描画', [480, 840, 1455, 495], '描画（Enter キー）');
    this.playButton = button('play', 'アニメ開始', [480, 1560, 1455, 495], 'アニメ開始（スペース キー）');
    this.pauseButton = button('pause', '一時停止', [480, 2040, 1455, 495], '一時停止（スペース キー）');
    this.stepButton = button('step', 'コマ送り', [480, 2520, 1455, 495],
      'コマ送り（→ キー、Page Down キー）\nコマ戻し（← キー、Page Up キー）');
    this.endButton = button('end', '終了', [480, 3240, 1455, 492], '終了（Esc キー）');
    add('div', 'speed-label', [720, 4080, 855, 255], 'アニメ速度');
    this.speedBar = range('speed', [600, 4440, 1095, 495], 1, 1000, 10, 50, 200);
    add('div', 'fast-label', [240, 4560, 615, 375], '速');
    add('div', 'slow-label', [1920, 4560, 495, 375], '遅');
    this.parameterLabel = add('div', 'parameter-label', [120, 5520, 2295, 255]);
    this.parameterBar = range('parameter', [600, 5760, 855, 495], 1, 5, 1, 1, 1);
    this.parameterText = add('input', 'parameter-text', [720, 6360, 615, 375]);
    this.parameterText.type = 'text';
    this.parameterText.readOnly = true;
    this.frames12 = option('frames12', '１２画面', [2880, 360, 1215, 375], 12);
    this.frames24 = option('frames24', '２４画面', [4200, 360, 1335, 375], 24);
    this.title = add('div', 'title', [5280, 240, 5055, 495]);
    this.saveButton = button('save', '保存', [480, 7080, 1455, 495],
      'アニメーションGIF、ワークシート（印刷・PDF）、表示中のコマ（PNG）として保存');
    this.saveStatus = add('div', 'save-status', [120, 7620, 2295, 255]);
    this.readout = add('div', 'readout', [480, 330, 2160, 435]);

    // Tab order as designed, 保存 after アニメ開始.
    [this.speedBar, this.picture, this.drawButton, this.pauseButton, this.stepButton, this.endButton,
      this.parameterBar, this.parameterText, this.frames12, this.frames24, this.playButton, this.saveButton]
      .forEach((e, i) => { e.tabIndex = i + 1; });

    const on = (element, type, action) =>
      element.addEventListener(type, guarded(action));
    on(this.drawButton, 'click', () => this.model.pressDraw());
    on(this.playButton, 'click', () => this.model.pressPlay());
    on(this.pauseButton, 'click', () => this.model.pressPause());
    on(this.stepButton, 'click', () => this.model.pressStep());
    on(this.endButton, 'click', () => this.end());
    on(this.saveButton, 'click', () => this.ui.save(this));
    on(this.frames12, 'change', () => { if (this.frames12.checked) this.model.chooseFrameCount(12); });
    on(this.frames24, 'change', () => { if (this.frames24.checked) this.model.chooseFrameCount(24); });
    // As a scroll bar that reports its value once the thumb is let go.
    on(this.speedBar, 'change', () => this.model.setSpeed(Number(this.speedBar.value)));
    on(this.parameterBar, 'change', () => this.model.setParameter(Number(this.parameterBar.value)));
    for (const bar of [this.speedBar, this.parameterBar]) {
      on(bar, 'keydown', (event) => this.scrollBarKey(bar, event));
      bar.addEventListener('wheel', guarded((event) => this.scrollBarWheel(bar, event)), { passive: false });
    }
  }

  // The page's side of the model (src/viewer_model/viewer_host.h).
  host() {
    // An error of the page's own is shown, and the model told the step
    // failed.
    const g = (action) => guarded(action, false);
    return {
      paint: g((ops, texts, dots, width, height) => this.painter.paint(ops, texts, dots, width, height)),
      allocateFrames: g((count, width, height) => this.store.allocate(count, width, height)),
      storeFrame: g((k) => this.store.store(k)),
      showFrame: g((k) => this.store.show(k)),
      releaseFrames: g(() => this.store.release()),
      scheduleCapture: g(() => { this.captureQueued = true; this.channel.port2.postMessage(0); }),
      cancelCapture: g(() => { this.captureQueued = false; }),
      modelChanged: g(() => this.refresh()),
      showMessage: g((text) => showMessage('Kelvora', text, '')),
      runtimeError: g((number, text, detail) => showMessage('実行時エラー ' + number, text, detail)),
      wakeAt: g((ticket, delay) => {
        clearTimeout(this.timer);
        this.timer = setTimeout(guarded(() => this.viewer.clockFired(ticket)), delay);
      }),
      cancelWake: g(() => { clearTimeout(this.timer); this.timer = null; }),
    };
  }

  // One frame of a capture per task, so the page stays live and each frame
  // is seen as it is drawn.
  runCapture() {
    if (!this.captureQueued || this.closed) return;
    this.captureQueued = false;
    this.model.captureNextFrame();
  }

  // Shows what the model says.
  refresh() {
    if (!this.model || this.closed) return;
    const m = this.model;
    const capturing = m.isCapturing();
    if (capturing && this.wasCapturing) {
      // Between the first and the last frame of a capture the buttons stay
      // as its start set them; the readout and the parameter move.
      this.showParameter();
      this.showReadout();
      return;
    }
    const c = m.controls();
    this.drawButton.disabled = !c.draw;
    this.playButton.disabled = !c.play;
    this.pauseButton.disabled = !c.pause;
    this.stepButton.disabled = !c.step;
    this.endButton.disabled = !c.end;
    this.saveButton.disabled = !c.save;
    this.frames12.disabled = !c.frameCount;
    this.frames24.disabled = !c.frameCount;
    for (const option of [this.frames12, this.frames24]) option.parentElement.classList.toggle('disabled', !c.frameCount);
    this.speedBar.disabled = !c.speed;
    this.parameterBar.disabled = !c.parameter;
    (m.frameCountChoice() === 24 ? this.frames24 : this.frames12).checked = true;
    this.showParameter();
    this.showReadout();

    if (capturing && !this.wasCapturing) {
      this.stats.captureStart = performance.now();
      this.stats.captureMs = null;
    } else if (!capturing && this.wasCapturing) {
      if (m.phase() !== this.k.ViewerPhase.Empty) this.stats.captureMs = performance.now() - this.stats.captureStart;
    }
    this.wasCapturing = capturing;
  }

  showParameter() {
    const p = this.model.parameter();
    this.parameterBar.min = String(p.min);
    this.parameterBar.max = String(p.max);
    this.parameterBar.dataset.large = String(p.largeChange);
    this.parameterBar.value = String(p.value);
    if (this.parameterText.value !== p.text) this.parameterText.value = p.text;
  }

  showReadout() {
    const readout = this.model.frameReadout();
    if (this.readout.textContent !== readout) {
      this.readout.textContent = readout;
      // A screen reader names the picture by the scene and the frame shown.
      this.picture.setAttribute('aria-label', this.model.pictureName());
    }
  }

  // Where everything goes in the window as it is now.
  computePlace() {
    const width = Math.max(1, document.documentElement.clientWidth);
    const height = Math.max(1, document.documentElement.clientHeight);
    return { width, height, ratio: window.devicePixelRatio || 1, picture: layoutPicture(width, height) };
  }

  pictureSize() {
    const p = this.place;
    return {
      width: Math.max(1, p.picture.width), height: Math.max(1, p.picture.height),
      devicePixelRatio: p.ratio, screenWidth: p.width, screenHeight: p.height,
    };
  }

  // Places the picture and the title. The picture's pixels change size when
  // a capture starts; until then the browser scales them to fit.
  applyPlace(initial) {
    const r = this.place.picture;
    const s = this.picture.style;
    s.left = r.left + 'px';
    s.top = r.top + 'px';
    s.width = Math.max(1, r.width) + 'px';
    s.height = Math.max(1, r.height) + 'px';
    this.title.style.left = r.titleLeft + 'px';
    if (initial) {
      const size = this.pictureSize();
      this.store.setDisplaySize(Math.max(1, Math.round(size.width * size.devicePixelRatio)),
        Math.max(1, Math.round(size.height * size.devicePixelRatio)));
    }
  }

  // A resize or a tablet's rotation: the model has the frames drawn again
  // at the new size once it settles; until then they play on, scaled to fit.
  resized() {
    if (this.closed) return;
    this.place = this.computePlace();
    this.applyPlace(false);
    this.viewer.resize(this.pictureSize());
  }

  key(event) {
    if (this.closed || this.ui.modalOpen()) return;
    if (event.altKey || event.ctrlKey || event.metaKey || event.shiftKey) return;
    const key = viewerKey(this.k, event.key);
    if (key === null) return;
    // A focused button takes Enter as a browser's button does: it is pressed.
    if (event.key === 'Enter' && document.activeElement.tagName === 'BUTTON') return;
    const command = this.model.commandForKey(key, focusKind(this.k, document.activeElement));
    const C = this.k.KeyCommand;
    if (command === C.None) return;
    event.preventDefault();
    event.stopPropagation();
    if (event.repeat && !this.k.repeatsWhenHeld(key)) return;
    if (command === C.Draw) this.model.pressDraw();
    else if (command === C.Play) this.model.pressPlay();
    else if (command === C.Pause) this.model.pressPause();
    else if (command === C.Step) this.model.pressStep();
    else if (command === C.StepBack) this.model.stepBack();
    else if (command === C.End) this.end();
  }

  // The arrows move a scroll bar by its small change, the page keys by its
  // large change; the right arrow and Page Down raise the value.
  scrollBarKey(bar, event) {
    const small = Number(bar.dataset.small);
    const large = Number(bar.dataset.large);
    const steps = { ArrowRight: small, ArrowDown: small, ArrowLeft: -small, ArrowUp: -small, PageDown: large, PageUp: -large };
    if (!(event.key in steps) || bar.disabled) return;
    event.preventDefault();
    this.moveBar(bar, steps[event.key]);
  }

  // The wheel moves the thumb the way the arrows do: a turn down raises the
  // value, three small changes a notch at most a large change.
  scrollBarWheel(bar, event) {
    event.preventDefault();
    if (bar.disabled) return;
    const delta = event.deltaY !== 0 ? event.deltaY : event.deltaX;
    if (delta === 0) return;
    const step = Math.max(1, Math.min(3 * Number(bar.dataset.small), Number(bar.dataset.large)));
    this.moveBar(bar, Math.sign(delta) * step);
  }

  moveBar(bar, by) {
    const value = Math.min(Number(bar.max), Math.max(Number(bar.min), Number(bar.value) + by));
    if (value === Number(bar.value)) return;
    bar.value = String(value);
    bar.dispatchEvent(new Event('change'));
  }

  // 終了: everything stops, the store empties, the menu comes back.
  end() {
    if (this.closed) return;
    this.model.pressEnd();
    this.close();
    this.ui.onEnd();
  }

  close() {
    if (this.closed) return;
    this.closed = true;
    document.removeEventListener('keydown', this.onKey, true);
    window.removeEventListener('resize', this.onResize);
    clearTimeout(this.timer);
    this.captureQueued = false;
    this.channel.port1.onmessage = null;
    this.viewer.delete();
    this.store.dispose();
    this.painter.dispose();
    freeCanvas(this.picture);
    this.root.textContent = '';
  }
}
