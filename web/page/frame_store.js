// The picture on the page and the stored frames. Each frame is kept as a
// canvas of its own, drawn there directly during capture, and shown with
// one drawImage, scaled when the picture's size has changed since: the
// scene is not drawn again. While frames are captured, the picture shows
// the latest one at each of the browser's screen updates.
//
// A new canvas costs the browser several milliseconds the first time it is
// drawn on (its pixels are allocated then), more than copying a frame into
// it, so released frames' canvases are kept for the next capture of the
// same size, and the viewer prepares them ahead while it waits for the next capture.
// Every canvas let go of is freed at once (freeCanvas).
import { freeCanvas } from './dom.js';
import { guarded } from './errors.js';

export class FrameStore {
  constructor(display) {
    this.display = display;
    this.ctx = display.getContext('2d', { alpha: false });
    this.frames = [];
    this.stored = [];
    this.spare = [];  // canvases of released frames, for the next capture
    this.warming = null;
    this.latest = display;  // the canvas drawn or stored last
    this.pendingShow = -1;  // the frame to put on the picture at the next screen update
    this.showing = null;
    this.clearTo('#ffffff');
  }

  // A canvas of this size with its pixels allocated.
  take(width, height) {
    const spare = this.spare.pop();
    if (spare && spare.width === width && spare.height === height) return spare;
    if (spare) freeCanvas(spare);
    const frame = document.createElement('canvas');
    frame.width = width;
    frame.height = height;
    const ctx = frame.getContext('2d', { alpha: false });
    if (!ctx) throw new RangeError('no canvas for a frame');
    ctx.fillStyle = '#ffffff';
    ctx.fillRect(0, 0, width, height);
    return frame;
  }

  // Prepares canvases for a capture of count frames at this size, one per
  // task so the page stays live.
  prepare(count, width, height) {
    clearTimeout(this.warming);
    this.keepSpares(width, height);
    const step = guarded(() => {
      if (this.spare.length + this.frames.length >= count) return;
      this.spare.push(this.take(width, height));
      this.warming = setTimeout(step, 0);
    });
    this.warming = setTimeout(step, 0);
  }

  // Keeps the spare canvases of this size, frees the others.
  keepSpares(width, height) {
    const fits = (c) => c.width === width && c.height === height;
    for (const c of this.spare) if (!fits(c)) freeCanvas(c);
    this.spare = this.spare.filter(fits);
  }

  clearTo(colour) {
    this.ctx.fillStyle = colour;
    this.ctx.fillRect(0, 0, this.display.width, this.display.height);
  }

  // The picture's pixels for a capture at this size; the frames' canvases.
  // False when the browser has no memory for them.
  allocate(count, width, height) {
    clearTimeout(this.warming);
    this.setDisplaySize(width, height, -1);
    this.release();
    this.keepSpares(width, height);
    try {
      for (let k = 0; k < count; ++k) {
        this.frames.push(this.take(width, height));
        this.stored.push(false);
      }
    } catch (error) {
      if (!(error instanceof RangeError)) throw error;
      this.dispose();
      return false;
    }
    return true;
  }

  // The canvas to draw frame k on, null when there is none.
  drawingTarget(k) { return this.frames[k] || null; }

  // Keeps what was drawn on `drawnOn` as frame k (a copy only when it was
  // drawn elsewhere) and puts it on the picture at the next screen update.
  store(k, drawnOn) {
    const frame = this.frames[k];
    if (!frame) return false;
    if (drawnOn !== frame) {
      const ctx = frame.getContext('2d', { alpha: false });
      if (!ctx) return false;
      ctx.drawImage(drawnOn, 0, 0, frame.width, frame.height);
    }
    this.stored[k] = true;
    this.latest = frame;
    this.pendingShow = k;
    if (this.showing === null) {
      this.showing = requestAnimationFrame(guarded(() => {
        this.showing = null;
        if (this.pendingShow >= 0) this.show(this.pendingShow);
      }));
    }
    return true;
  }

  holds(k) { return this.stored[k] === true; }
  count() { return this.frames.length; }
  frame(k) { return this.holds(k) ? this.frames[k] : null; }
  allStored() { return this.frames.length > 0 && this.stored.every(Boolean); }

  show(k) {
    this.pendingShow = -1;
    if (!this.holds(k)) return false;
    const frame = this.frames[k];
    this.ctx.imageSmoothingEnabled = true;
    this.ctx.imageSmoothingQuality = 'high';
    if (frame.width === this.display.width && frame.height === this.display.height)
      this.ctx.drawImage(frame, 0, 0);
    else
      this.ctx.drawImage(frame, 0, 0, this.display.width, this.display.height);
    return true;
  }

  release() {
    // The picture keeps the frame drawn last; it is all that is left.
    if (this.pendingShow >= 0) this.show(this.pendingShow);
    this.latest = this.display;
    this.spare.push(...this.frames);
    this.frames = [];
    this.stored = [];
  }

  // Gives every canvas's memory back: zero-sized canvases free it at once.
  dispose() {
    clearTimeout(this.warming);
    cancelAnimationFrame(this.showing);
    this.showing = null;
    this.latest = this.display;
    for (const canvas of [...this.frames, ...this.spare]) freeCanvas(canvas);
    this.frames = [];
    this.stored = [];
    this.spare = [];
  }

  // A new size for the picture's pixels. What it shows is kept, scaled: the
  // stored frame shownFrame when there is one, else the old pixels.
  setDisplaySize(width, height, shownFrame) {
    const d = this.display;
    if (d.width === width && d.height === height) return;
    let old = null;
    if (!this.holds(shownFrame) && d.width > 0 && d.height > 0) {
      old = document.createElement('canvas');
      old.width = d.width;
      old.height = d.height;
      old.getContext('2d').drawImage(d, 0, 0);
    }
    d.width = width;
    d.height = height;
    this.clearTo('#ffffff');
    if (this.holds(shownFrame)) {
      this.show(shownFrame);
    } else if (old) {
      this.ctx.imageSmoothingEnabled = true;
      this.ctx.drawImage(old, 0, 0, width, height);
      freeCanvas(old);
    }
  }
}
