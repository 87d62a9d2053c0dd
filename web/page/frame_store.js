// The picture on the page and the stored frames. Each frame is kept as a
// canvas of its own, copied from the picture once it is drawn, and shown
// again with one drawImage, scaled when the picture's size has changed
// since: the scene is not drawn again.

class FrameStore {
  constructor(display) {
    this.display = display;
    this.ctx = display.getContext('2d', { alpha: false });
    this.frames = [];
    this.stored = [];
    this.clearTo('#ffffff');
  }

  clearTo(colour) {
    this.ctx.fillStyle = colour;
    this.ctx.fillRect(0, 0, this.display.width, this.display.height);
  }

  // The picture's pixels for a capture at this size; the frames' canvases.
  allocate(count, width, height) {
    this.setDisplaySize(width, height, -1);
    this.frames = [];
    this.stored = [];
    for (let k = 0; k < count; ++k) {
      const frame = document.createElement('canvas');
      frame.width = width;
      frame.height = height;
      this.frames.push(frame);
      this.stored.push(false);
    }
  }

  store(k) {
    const frame = this.frames[k];
    if (!frame) return false;
    const ctx = frame.getContext('2d', { alpha: false });
    if (!ctx) return false;
    ctx.drawImage(this.display, 0, 0);
    this.stored[k] = true;
    return true;
  }

  holds(k) { return this.stored[k] === true; }
  count() { return this.frames.length; }
  frame(k) { return this.holds(k) ? this.frames[k] : null; }
  allStored() { return this.frames.length > 0 && this.stored.every(Boolean); }

  show(k) {
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
    // Zero-sized canvases give their memory back at once.
    for (const frame of this.frames) {
      frame.width = 0;
      frame.height = 0;
    }
    this.frames = [];
    this.stored = [];
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
    }
  }
}
