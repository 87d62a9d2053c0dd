// The viewer: its controls built and placed as the core describes them
// (describeViewer, layOutViewer), and everything they do handed to the C++
// ViewerModel. The page is the model's host: it keeps the frames, draws
// capture frames one per task and runs playback on setTimeout, and shows
// what the model says each time it changes.
import { applyLayout, buildControl, coarsePointer, showStatus } from './controls.js';
import { freeCanvas } from './dom.js';
import { guarded, showMessage } from './errors.js';
import { FrameStore } from './frame_store.js';
import { Painter } from './painter.js';
import { ProbeView } from './probe_view.js';

// A notch of a mouse wheel is 100 pixels in Chromium and 3 lines in
// Firefox; the core counts a notch as 120. By the event's deltaMode:
// pixels, lines, pages.
const WHEEL_TURN_PER_DELTA = [1.2, 40, 120];

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

// The probe's keys are Shift with an arrow; the others go without
// modifiers.
const SHIFTED_KEYS = { ArrowRight: 'ShiftRight', ArrowLeft: 'ShiftLeft', ArrowUp: 'ShiftUp', ArrowDown: 'ShiftDown' };

function viewerKey(k, event) {
  if (event.altKey || event.ctrlKey || event.metaKey) return null;
  if (event.shiftKey) return event.key in SHIFTED_KEYS ? k.ViewerKey[SHIFTED_KEYS[event.key]] : null;
  switch (event.key) {
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
    this.probe = new ProbeView(root, k);
    this.picture.addEventListener('click', guarded((event) => this.probe.click(event, this.picture, this.viewer)));
    this.store = new FrameStore(this.picture, k);
    this.painter = new Painter(this.picture, k);
    this.channel = new MessageChannel();
    this.channel.port1.onmessage = guarded(() => this.runCapture());

    this.place = this.computePlace();
    this.applyPlace(true);
    this.viewer = k.createViewer(sceneIndex, this.host(), this.pictureSize());
    this.model = this.viewer.model();
    this.picture.setAttribute('aria-label', this.model.pictureName());
    this.refresh();

    this.onKey = guarded((event) => this.key(event));
    this.onResize = guarded(() => this.resized());
    document.addEventListener('keydown', this.onKey, true);
    window.addEventListener('resize', this.onResize);
  }

  createControls() {
    const root = this.root;
    root.textContent = '';
    this.description = this.k.describeViewer(this.sceneIndex);
    // Every control by name; an option's radio button stands for it.
    this.placed = [];
    this.controls = {};
    for (const c of this.description.controls) {
      const { placed, control } = buildControl(c);
      root.appendChild(placed);
      this.placed.push(placed);
      this.controls[c.name] = control;
    }
    // The window's extent: what it scrolls over where the controls need
    // more room than the screen has.
    this.extent = document.createElement('div');
    this.extent.className = 'extent';
    this.extent.setAttribute('aria-hidden', 'true');
    root.appendChild(this.extent);
    const e = this.controls;
    this.picture = e.picture;
    this.drawButton = e.draw;
    this.playButton = e.play;
    this.pauseButton = e.pause;
    this.stepButton = e.step;
    this.endButton = e.end;
    this.saveButton = e.save;
    this.frames12 = e.frames12;
    this.frames24 = e.frames24;
    this.speedBar = e.speed;
    this.parameterBar = e.parameter;
    // For a finger, the bars' small change by a tap: [less, more] of each.
    this.steps = new Map([[this.speedBar, [e['speed-less'], e['speed-more']]],
      [this.parameterBar, [e['parameter-less'], e['parameter-more']]]]);
    this.parameterText = e['parameter-text'];
    this.title = e.title;
    this.readout = e.readout;
    this.saveStatus = e['save-status'];

    const on = (element, type, action) =>
      element.addEventListener(type, guarded(action));
    on(this.drawButton, 'click', () => this.model.pressDraw());
    on(this.playButton, 'click', () => this.model.pressPlay());
    on(this.pauseButton, 'click', () => this.model.pressPause());
    on(this.stepButton, 'click', () => this.model.pressStep());
    on(this.endButton, 'click', () => this.end());
    on(this.saveButton, 'click', () => this.ui.save(this));
    for (const option of [this.frames12, this.frames24]) {
      on(option, 'change', () => { if (option.checked) this.model.chooseFrameCount(Number(option.value)); });
    }
    // As a scroll bar that reports its value once the thumb is let go.
    on(this.speedBar, 'change', () => this.model.setSpeed(Number(this.speedBar.value)));
    on(this.parameterBar, 'change', () => this.model.setParameter(Number(this.parameterBar.value)));
    for (const [bar, [less, more]] of this.steps) {
      on(less, 'click', () => this.moveBar(bar, -Number(bar.dataset.small)));
      on(more, 'click', () => this.moveBar(bar, Number(bar.dataset.small)));
    }
    this.wheels = new Map();
    for (const bar of [this.speedBar, this.parameterBar]) {
      this.wheels.set(bar, new this.k.ScrollWheel());
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
      paintGraph: g((ops, texts, dots, width, height) => this.probe.paint(ops, texts, dots, width, height)),
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
    this.viewer.drawNextFrame();
  }

  // Shows what the model says.
  refresh() {
    if (!this.model || this.closed) return;
    const m = this.model;
    // The graph came or went: the frames move to make room.
    if (this.probe.sync(m)) this.resized();
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
    for (const [bar, buttons] of this.steps) for (const b of buttons) b.disabled = bar.disabled;
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
      showStatus(this.readout, this.describedAs('readout'), readout);
      // A screen reader names the picture by the scene and the frame shown.
      this.picture.setAttribute('aria-label', this.model.pictureName());
    }
  }

  // A save's outcome, shown as the desktop shows it.
  showSaveStatus(text) { showStatus(this.saveStatus, this.describedAs('save-status'), text); }

  describedAs(name) { return this.description.controls.find((c) => c.name === name); }

  // Where everything goes in the window as it is now.
  computePlace() {
    const width = Math.max(1, document.documentElement.clientWidth);
    const height = Math.max(1, document.documentElement.clientHeight);
    const layout = this.k.layOutViewer(this.sceneIndex, width, height, coarsePointer());
    const index = this.description.controls.findIndex((c) => c.role === 'picture');
    const box = layout.places[index];
    const { frame, graph } = this.probe.split(box);
    layout.places[index] = frame;
    return { width, height, ratio: window.devicePixelRatio || 1, layout, picture: frame, box, graph };
  }

  pictureSize() {
    const p = this.place;
    return {
      width: Math.max(1, p.picture.width), height: Math.max(1, p.picture.height),
      devicePixelRatio: p.ratio, screenWidth: p.width, screenHeight: p.height,
    };
  }

  // Places the controls. The picture's pixels change size when a capture
  // starts; until then the browser scales them to fit.
  applyPlace(initial) {
    applyLayout(this.placed, this.place.layout, this.extent);
    this.probe.apply(this.place.box, this.place.graph, this.viewer);
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

  // The control the window opens with (アニメ速度, as on the desktop),
  // without scrolling: the window opens at its top.
  focusInitial() { this.controls[this.description.initialFocus].focus({ preventScroll: true }); }

  key(event) {
    if (this.closed || this.ui.modalOpen()) return;
    const key = viewerKey(this.k, event);
    if (key === null) return;
    // A focused button takes Enter as a browser's button does: it is pressed.
    if (event.key === 'Enter' && document.activeElement.tagName === 'BUTTON') return;
    const command = this.model.commandForKey(key, focusKind(this.k, document.activeElement));
    const C = this.k.KeyCommand;
    if (command === C.None) return;
    event.preventDefault();
    event.stopPropagation();
    if (event.repeat && !this.k.repeatsWhenHeld(key)) return;
    if (command === C.End) this.end();
    else this.model.runCommand(command);
  }

  // The arrows and page keys move a focused scroll bar as the core's
  // scrollBarKeyStep says.
  scrollBarKey(bar, event) {
    const keys = { ArrowRight: 'Right', ArrowDown: 'Down', ArrowLeft: 'Left', ArrowUp: 'Up', PageDown: 'PageDown', PageUp: 'PageUp' };
    if (!(event.key in keys) || bar.disabled) return;
    event.preventDefault();
    this.moveBar(bar, this.k.scrollBarKeyStep(this.k.ScrollKey[keys[event.key]], Number(bar.dataset.small), Number(bar.dataset.large)));
  }

  // The wheel moves the thumb as the core's ScrollWheel says; turns below a
  // notch add up.
  scrollBarWheel(bar, event) {
    event.preventDefault();
    if (bar.disabled) return;
    const delta = event.deltaY !== 0 ? event.deltaY : event.deltaX;
    const turn = Math.round(delta * WHEEL_TURN_PER_DELTA[event.deltaMode]);
    const by = this.wheels.get(bar).turn(turn, Number(bar.dataset.small), Number(bar.dataset.large), 3);
    if (by !== 0) this.moveBar(bar, by);
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
    for (const wheel of this.wheels.values()) wheel.delete();
    this.viewer.delete();
    this.store.dispose();
    this.painter.dispose();
    this.probe.dispose();
    freeCanvas(this.picture);
    this.root.textContent = '';
  }
}
