// Paints the C++ canvas backend's batches (src/web/web_canvas_backend.h)
// with Canvas 2D. Coordinates arrive in device pixels, already mapped and
// rounded in C++; a pen of odd width is centred on the pixel's middle, an
// even one on its corner, so lines stay sharp.
import { freeCanvas } from './dom.js';

// The core's text font families as a CSS font-family list.
export function cssFontFamilies(k) {
  return k.textFontFamilies().map(f => (f === 'sans-serif' ? f : '"' + f + '"')).join(', ');
}

const cssColours = new Map();
// 0x00BBGGRR as a CSS colour.
function cssColour(c) {
  let s = cssColours.get(c);
  if (s === undefined) {
    s = 'rgb(' + (c & 255) + ',' + ((c >> 8) & 255) + ',' + ((c >> 16) & 255) + ')';
    cssColours.set(c, s);
  }
  return s;
}

function penOffset(width) { return width % 2 === 1 ? 0.5 : 0; }

export class Painter {
  // k: the WebAssembly module, which names the operation codes and fonts.
  constructor(canvas, k) {
    this.ops = k.paintOps();
    this.fonts = cssFontFamilies(k);
    this.target(canvas, null);
    this.scratch = document.createElement('canvas');
    this.scratchCtx = this.scratch.getContext('2d');
    this.openLine = null;  // the style of the line path being collected
  }

  // Draws on `canvas` from now on. What follows normally begins by clearing
  // it; if not, the picture goes on from `base`, the canvas drawn last.
  target(canvas, base) {
    this.canvas = canvas;
    this.ctx = canvas.getContext('2d', { alpha: false });
    this.base = base !== canvas ? base : null;
  }

  // Gives the scratch canvas's pixels back.
  dispose() {
    freeCanvas(this.scratch);
    this.scratch = null;
    this.scratchCtx = null;
    this.canvas = null;
    this.ctx = null;
    this.base = null;
  }

  setPen(colour, width, dotted) {
    const ctx = this.ctx;
    ctx.strokeStyle = cssColour(colour);
    ctx.lineWidth = width;
    // Dotted: one pixel on, two off, with flat ends so the dots keep that
    // length; solid pens have round ends.
    ctx.lineCap = dotted ? 'butt' : 'round';
    ctx.lineJoin = 'round';
    ctx.setLineDash(dotted ? [width, 2 * width] : []);
  }

  // Consecutive lines of one pen go into one path, stroked once.
  endLines() {
    if (this.openLine !== null) {
      this.ctx.stroke();
      this.openLine = null;
    }
  }

  line(x1, y1, x2, y2, colour, width, dotted) {
    const key = colour * 4096 + width * 2 + dotted;
    const ctx = this.ctx;
    if (this.openLine !== key) {
      this.endLines();
      this.setPen(colour, width, dotted);
      ctx.beginPath();
      this.openLine = key;
    }
    const o = penOffset(width);
    ctx.moveTo(x1 + o, y1 + o);
    ctx.lineTo(x2 + o, y2 + o);
  }

  // Text with its top-left at (left, top); below the minimum size it is
  // drawn at that size about the same centre, kept on the picture.
  text(text, left, top, size, colour, minimum) {
    const ctx = this.ctx;
    ctx.textBaseline = 'top';
    ctx.fillStyle = cssColour(colour);
    ctx.font = size + 'px ' + this.fonts;
    if (size >= minimum) {
      ctx.fillText(text, left, top);
      return;
    }
    const centreX = left + ctx.measureText(text).width / 2;
    const centreY = top + size / 2;
    ctx.font = minimum + 'px ' + this.fonts;
    const width = ctx.measureText(text).width;
    const x = Math.max(0, Math.min(Math.round(centreX - width / 2), this.canvas.width - width));
    const y = Math.max(0, Math.min(Math.round(centreY - minimum / 2), this.canvas.height - minimum));
    ctx.fillText(text, x, y);
  }

  // As paint, on the target first made width x height device pixels where it
  // is another size (a canvas clears when it is sized).
  paintSized(ops, texts, dots, width, height) {
    if (this.canvas.width !== width || this.canvas.height !== height) {
      this.canvas.width = width;
      this.canvas.height = height;
    }
    this.paint(ops, texts, dots, width, height);
  }

  paint(ops, texts, dots, width, height) {
    const ctx = this.ctx;
    const PaintOp = this.ops;
    if (this.base) {
      if (ops[0] !== PaintOp.Clear) ctx.drawImage(this.base, 0, 0, this.canvas.width, this.canvas.height);
      this.base = null;
    }
    const n = ops.length;
    let i = 0;
    while (i < n) {
      const op = ops[i];
      if (op === PaintOp.Line) {
        this.line(ops[i + 1], ops[i + 2], ops[i + 3], ops[i + 4], ops[i + 5], ops[i + 6], ops[i + 7]);
        i += 8;
        continue;
      }
      this.endLines();
      switch (op) {
        case PaintOp.Clear:
          ctx.fillStyle = cssColour(ops[i + 1]);
          ctx.fillRect(0, 0, this.canvas.width, this.canvas.height);
          i += 2;
          break;
        case PaintOp.Box:
          ctx.fillStyle = cssColour(ops[i + 5]);
          ctx.fillRect(ops[i + 1], ops[i + 2], ops[i + 3], ops[i + 4]);
          i += 6;
          break;
        case PaintOp.Circle: {
          const w = ops[i + 5];
          const o = penOffset(w);
          ctx.beginPath();
          ctx.arc(ops[i + 1] + o, ops[i + 2] + o, ops[i + 3], 0, 2 * Math.PI);
          // The fill first, the outline over its edge.
          if (ops[i + 7] >= 0) {
            ctx.fillStyle = cssColour(ops[i + 7]);
            ctx.fill();
          }
          this.setPen(ops[i + 4], w, ops[i + 6]);
          ctx.stroke();
          i += 8;
          break;
        }
        case PaintOp.Dot: {
          const w = ops[i + 3];
          const o = penOffset(w);
          ctx.beginPath();
          ctx.arc(ops[i + 1] + o, ops[i + 2] + o, w / 2, 0, 2 * Math.PI);
          ctx.fillStyle = cssColour(ops[i + 4]);
          ctx.fill();
          i += 5;
          break;
        }
        case PaintOp.Text:
          this.text(texts[ops[i + 5]], ops[i + 1], ops[i + 2], ops[i + 3], ops[i + 4], ops[i + 6]);
          i += 7;
          break;
        case PaintOp.Pixels:
          this.pixels(dots, width, height, ops[i + 1], ops[i + 2], ops[i + 3], ops[i + 4]);
          i += 5;
          break;
        default:
          throw new Error('unknown paint operation ' + op);
      }
    }
    this.endLines();
  }

  // Lays the dot layer's box (inclusive) over the picture: its transparent
  // pixels leave the picture as it is.
  pixels(dots, width, height, left, top, right, bottom) {
    if (this.scratch.width !== width || this.scratch.height !== height) {
      this.scratch.width = width;
      this.scratch.height = height;
    }
    const w = right - left + 1;
    const h = bottom - top + 1;
    const image = new ImageData(new Uint8ClampedArray(dots.buffer, dots.byteOffset, width * height * 4), width, height);
    this.scratchCtx.putImageData(image, 0, 0, left, top, w, h);
    this.ctx.drawImage(this.scratch, left, top, w, h, left, top, w, h);
  }
}
