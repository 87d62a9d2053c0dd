// The picture on the page and the stored frames. Capture draws on the
// picture itself, as the desktop draws on its picture box, and each frame
// is kept packed in the module's memory, a byte a pixel at most
// (src/web/packed_frame.h); showing a frame unpacks it back onto the
// picture. The picture's pixels change size only when a capture starts:
// until then the browser shows them scaled to fit, never stretched
// (object-fit in the style).
import { freeCanvas } from './dom.js';

export class FrameStore {
  // k: the WebAssembly module.
  constructor(display, k) {
    this.display = display;
    this.ctx = display.getContext('2d', { alpha: false, willReadFrequently: true });
    this.packed = new k.WebFrameStore();
    this.width = 0;
    this.height = 0;
    this.clearTo('#ffffff');
  }

  clearTo(colour) {
    this.ctx.fillStyle = colour;
    this.ctx.fillRect(0, 0, this.display.width, this.display.height);
  }

  // The picture's pixels for a capture at this size. False when the
  // browser has no memory for them.
  allocate(count, width, height) {
    this.setDisplaySize(width, height);
    this.width = width;
    this.height = height;
    return this.packed.allocate(count, width, height);
  }

  // Keeps what the picture shows now as frame k. False when there is no
  // memory for it.
  store(k) {
    if (k < 0 || k >= this.count()) return false;
    this.packed.pixels().set(this.ctx.getImageData(0, 0, this.width, this.height).data);
    return this.packed.pack(k);
  }

  holds(k) { return this.packed.holds(k); }
  count() { return this.packed.count(); }
  allStored() { return this.packed.allStored(); }

  // Frame k's RGBA bytes, valid until the store is next used; null when it
  // is not stored.
  bytes(k) { return this.packed.unpack(k) ? this.packed.pixels() : null; }

  // Frame k's pixels as an ImageData over the module's memory, valid until
  // the store is next used; null when it is not stored.
  image(k) {
    const bytes = this.bytes(k);
    if (!bytes) return null;
    return new ImageData(new Uint8ClampedArray(bytes.buffer, bytes.byteOffset, bytes.length), this.width, this.height);
  }

  show(k) {
    if (this.display.width !== this.width || this.display.height !== this.height) return false;
    const image = this.image(k);
    if (!image) return false;
    this.ctx.putImageData(image, 0, 0);
    return true;
  }

  release() { this.packed.release(); }

  // Gives every frame's memory back, and the module's object with it.
  dispose() {
    this.packed.dispose();
    this.packed.delete();
    this.packed = null;
  }

  // A new size for the picture's pixels; what it showed is kept, scaled to
  // fit.
  setDisplaySize(width, height) {
    const d = this.display;
    if (d.width === width && d.height === height) return;
    let old = null;
    if (d.width > 0 && d.height > 0) old = this.ctx.getImageData(0, 0, d.width, d.height);
    d.width = width;
    d.height = height;
    this.clearTo('#ffffff');
    if (old) {
      const copy = document.createElement('canvas');
      copy.width = old.width;
      copy.height = old.height;
      copy.getContext('2d').putImageData(old, 0, 0);
      const scale = Math.min(width / old.width, height / old.height);
      const w = old.width * scale;
      const h = old.height * scale;
      this.ctx.imageSmoothingEnabled = true;
      this.ctx.drawImage(copy, (width - w) / 2, (height - h) / 2, w, h);
      freeCanvas(copy);
    }
  }
}
