// 保存 in the page: the stored loop as a looping GIF (gifenc, one palette
// for the whole loop), the frame shown as PNG, and the worksheet (every
// frame of the period on one A4 landscape page under the scene's title)
// through the browser's print dialog, where "Save as PDF" writes the file.
import { GIFEncoder, nearestColorIndex, quantize } from 'gifenc';
import { freeCanvas } from './dom.js';
import { guarded } from './errors.js';

function download(blob, fileName) {
  const url = URL.createObjectURL(blob);
  const a = document.createElement('a');
  a.href = url;
  a.download = fileName;
  document.body.appendChild(a);
  a.click();
  a.remove();
  setTimeout(guarded(() => URL.revokeObjectURL(url)), 60000);
}

// The loop as GIF bytes, delayMs a frame, repeating for ever. The palette
// is quantised from a sample of every frame, so colours that only some
// frames have keep their own entries. Frames are unpacked one at a time,
// once for the sample and once to encode into one buffer of indices, so a
// large loop never has its pixels out at once.
function encodeGif(store, delayMs) {
  const count = store.count();
  // At most about a million pixels in the sample, every 7th on small frames.
  const stride = Math.max(7, Math.ceil(store.width * store.height * count / 1e6));
  const perFrame = Math.ceil(store.width * store.height / stride);
  const sample = new Uint8Array(perFrame * count * 4);
  let at = 0;
  for (let k = 0; k < count; ++k) {
    const data = store.bytes(k);
    for (let p = 0; p < data.length; p += 4 * stride) {
      sample[at++] = data[p];
      sample[at++] = data[p + 1];
      sample[at++] = data[p + 2];
      sample[at++] = 255;
    }
  }
  const palette = quantize(sample.subarray(0, at), 256);
  const gif = GIFEncoder();
  const index = new Uint8Array(store.width * store.height);
  const nearest = new Map();
  for (let k = 0; k < count; ++k) {
    paletteIndices(store.bytes(k), palette, nearest, index);
    const options = { delay: delayMs };
    if (k === 0) {
      options.palette = palette;
      options.repeat = 0;
    }
    gif.writeFrame(index, store.width, store.height, options);
  }
  gif.finish();
  return gif.bytes();
}

// Each pixel's nearest palette entry, into `out`; `nearest` remembers the
// entry of each colour met, from frame to frame.
function paletteIndices(bytes, palette, nearest, out) {
  const words = new Int32Array(bytes.buffer, bytes.byteOffset, out.length);
  let last = 0;
  let lastIndex = -1;
  for (let i = 0; i < out.length; ++i) {
    const w = words[i];
    if (w !== last || lastIndex < 0) {
      lastIndex = nearest.get(w);
      if (lastIndex === undefined) {
        lastIndex = nearestColorIndex(palette, [w & 255, (w >> 8) & 255, (w >> 16) & 255]);
        nearest.set(w, lastIndex);
      }
      last = w;
    }
    out[i] = lastIndex;
  }
}

// Frame k of the store on a canvas of its own, which the caller frees.
function frameCanvas(store, k) {
  const canvas = document.createElement('canvas');
  canvas.width = store.width;
  canvas.height = store.height;
  canvas.getContext('2d').putImageData(store.image(k), 0, 0);
  return canvas;
}

function worksheetLabel(k, frameCount) {
  const time = k === 0 ? 't = 0' : 't = ' + k + '/' + frameCount + ' T';
  return 'コマ ' + (k + 1) + '\u3000' + time;
}

// The columns that show the frames largest (full rows preferred), as the
// desktop worksheet chooses them.
function worksheetColumns(count, frameWidth, frameHeight, areaWidth, areaHeight, labelHeight, gap) {
  const scaleFor = (columns) => {
    const rows = Math.ceil(count / columns);
    const cellWidth = (areaWidth - gap * (columns - 1)) / columns;
    const cellHeight = (areaHeight - gap * (rows - 1)) / rows;
    return Math.min(cellWidth / frameWidth, (cellHeight - labelHeight) / frameHeight);
  };
  let best = 1;
  let bestScale = 0;
  for (let columns = 1; columns <= count; ++columns) {
    const scale = scaleFor(columns) * (count % columns === 0 ? 1.05 : 1.0);
    if (scale > bestScale * 1.000001) {
      bestScale = scale;
      best = columns;
    }
  }
  return { columns: best, scale: scaleFor(best) };
}

// Fills the print-only worksheet: the title, then each frame with its label.
// Sizes in millimetres on A4 landscape with 10 mm margins.
function buildWorksheet(sheet, title, store) {
  // A millimetre less than the printable area, for the outlines.
  const area = { width: 276, height: 189 };
  const titleHeight = 16 * 0.3528 * 1.6;
  const labelHeight = 10 * 0.3528 * 1.6;
  const gap = area.width * 0.015;
  const gridHeight = area.height - titleHeight;
  const f = { width: store.width, height: store.height };
  const count = store.count();
  const { columns, scale } = worksheetColumns(count, f.width, f.height, area.width, gridHeight, labelHeight, gap);
  const shownWidth = f.width * scale;
  const shownHeight = f.height * scale;
  sheet.textContent = '';
  const heading = document.createElement('h1');
  heading.textContent = title;
  heading.style.height = titleHeight + 'mm';
  sheet.appendChild(heading);
  const grid = document.createElement('div');
  grid.className = 'sheet-grid';
  grid.style.gridTemplateColumns = 'repeat(' + columns + ', ' + shownWidth + 'mm)';
  grid.style.columnGap = gap + 'mm';
  grid.style.rowGap = gap + 'mm';
  // Enough pixels for print, not the whole frame of a large screen.
  const thumbWidth = Math.min(f.width, 960);
  const thumbHeight = Math.round(f.height * thumbWidth / f.width);
  for (let k = 0; k < count; ++k) {
    const frame = frameCanvas(store, k);
    const cell = document.createElement('figure');
    const thumb = document.createElement('canvas');
    thumb.width = thumbWidth;
    thumb.height = thumbHeight;
    const ctx = thumb.getContext('2d');
    ctx.imageSmoothingQuality = 'high';
    ctx.drawImage(frame, 0, 0, thumbWidth, thumbHeight);
    freeCanvas(frame);
    const img = document.createElement('img');
    img.src = thumb.toDataURL('image/png');
    freeCanvas(thumb);
    // The frame's outline, drawn around the picture rather than under it.
    const framed = document.createElement('div');
    framed.className = 'sheet-frame';
    framed.style.width = shownWidth + 'mm';
    framed.style.height = shownHeight + 'mm';
    framed.appendChild(img);
    const caption = document.createElement('figcaption');
    caption.textContent = worksheetLabel(k, count);
    caption.style.height = labelHeight + 'mm';
    cell.appendChild(framed);
    cell.appendChild(caption);
    grid.appendChild(cell);
  }
  sheet.appendChild(grid);
}

// The choice of 保存 and what each choice does.
export class Saving {
  constructor(panel, sheet) {
    this.panel = panel;
    this.sheet = sheet;
  }

  open(viewer) {
    if (!viewer.model.controls().save || !viewer.store.allStored()) return;
    this.viewer = viewer;
    this.panel.showModal();
    this.panel.querySelector('button').focus();
  }

  isOpen() { return this.panel.open; }
  close() { if (this.panel.open) this.panel.close(); }

  // Tab goes round the dialog's buttons and never out of it, not even to
  // the browser's own bar.
  keepFocus(event) {
    if (event.key !== 'Tab') return;
    const buttons = [...this.panel.querySelectorAll('button')];
    const at = buttons.indexOf(document.activeElement);
    const next = (at + (event.shiftKey ? buttons.length - 1 : 1)) % buttons.length;
    event.preventDefault();
    buttons[at < 0 ? 0 : next].focus();
  }

  // However the dialog closed (a choice, キャンセル, Esc), the focus goes
  // back to 保存.
  closed() {
    const save = this.viewer && this.viewer.saveButton;
    if (save && save.isConnected) save.focus();
  }

  // The scene's name with the parameter it was drawn with, as the desktop
  // proposes it.
  baseName() { return this.viewer.model.saveFileStem() || 'kelvora'; }

  saved(fileName) { this.viewer.saveStatus.textContent = '保存しました：' + fileName; }

  gif() {
    this.close();
    const name = this.baseName() + '.gif';
    const bytes = encodeGif(this.viewer.store, this.viewer.model.speed());
    download(new Blob([bytes], { type: 'image/gif' }), name);
    this.saved(name);
  }

  png() {
    this.close();
    const model = this.viewer.model;
    const count = model.lastFrame() + 1;
    const shown = model.shownFrame();
    const frame = frameCanvas(this.viewer.store, shown >= 0 && shown < count ? shown : 0);
    const name = this.baseName() + '.png';
    frame.toBlob(guarded((blob) => {
      freeCanvas(frame);
      if (blob) {
        download(blob, name);
        this.saved(name);
      }
    }), 'image/png');
  }

  worksheet() {
    this.close();
    buildWorksheet(this.sheet, this.viewer.model.worksheetTitle(), this.viewer.store);
    // The sheet's pictures are only for printing: dropped once it is done.
    window.addEventListener('afterprint', guarded(() => { this.sheet.textContent = ''; }), { once: true });
    window.print();
  }
}
