// 保存 in the page: the stored loop as a looping GIF (gifenc, one palette
// for the whole loop), the frame shown as PNG, and the worksheet (every
// frame of the period on one A4 landscape page under the scene's title)
// through the browser's print dialog, where "Save as PDF" writes the file.
import { applyPalette, GIFEncoder, quantize } from 'gifenc';
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

function framePixels(frame) {
  return frame.getContext('2d').getImageData(0, 0, frame.width, frame.height).data;
}

// The loop as GIF bytes, delayMs a frame, repeating for ever. The palette
// is quantised from a sample of every frame, so colours that only some
// frames have keep their own entries. The frames' pixels are read one frame
// at a time, once for the sample and once to encode, so a large loop never
// has all its pixels out of the canvases at once.
function encodeGif(frames, delayMs) {
  const stride = 7;  // every 7th pixel of each frame goes into the sample
  const perFrame = Math.ceil(frames[0].width * frames[0].height / stride);
  const sample = new Uint8Array(perFrame * frames.length * 4);
  let at = 0;
  for (const frame of frames) {
    const data = framePixels(frame);
    for (let p = 0; p < data.length; p += 4 * stride) {
      sample[at++] = data[p];
      sample[at++] = data[p + 1];
      sample[at++] = data[p + 2];
      sample[at++] = 255;
    }
  }
  const palette = quantize(sample.subarray(0, at), 256);
  const gif = GIFEncoder();
  frames.forEach((frame, k) => {
    const index = applyPalette(framePixels(frame), palette);
    const options = { delay: delayMs };
    if (k === 0) {
      options.palette = palette;
      options.repeat = 0;
    }
    gif.writeFrame(index, frame.width, frame.height, options);
  });
  gif.finish();
  return gif.bytes();
}

// Fills the print-only worksheet as the core lays it out (layOutWorksheet):
// the title, then each frame with its label. Sizes in millimetres on the
// page inside its margins.
function buildWorksheet(k, sheet, title, frames) {
  const page = k.worksheetPage();
  // A millimetre less than the printable area, for the outlines.
  const width = page.widthMm - 2 * page.marginMm - 1;
  const height = page.heightMm - 2 * page.marginMm - 1;
  const f = frames[0];
  const grid = k.layOutWorksheet(frames.length, f.width, f.height, width, height);
  const mm = (e, left, top, w, h) => {
    e.style.left = left + 'mm';
    e.style.top = top + 'mm';
    e.style.width = w + 'mm';
    e.style.height = h + 'mm';
  };
  sheet.textContent = '';
  sheet.style.width = width + 'mm';
  sheet.style.height = height + 'mm';
  const heading = document.createElement('h1');
  heading.textContent = title;
  heading.style.fontSize = page.titlePoints + 'pt';
  mm(heading, 0, 0, width, grid.titleHeight);
  sheet.appendChild(heading);
  // Enough pixels for print, not the whole frame of a large screen.
  const thumbWidth = Math.min(f.width, 960);
  const thumbHeight = Math.round(f.height * thumbWidth / f.width);
  frames.forEach((frame, i) => {
    const at = grid.frames[i];
    const cell = document.createElement('figure');
    mm(cell, at.left, at.top, grid.shownWidth, grid.shownHeight + grid.labelHeight);
    const thumb = document.createElement('canvas');
    thumb.width = thumbWidth;
    thumb.height = thumbHeight;
    const ctx = thumb.getContext('2d');
    ctx.imageSmoothingQuality = 'high';
    ctx.drawImage(frame, 0, 0, thumbWidth, thumbHeight);
    const img = document.createElement('img');
    img.src = thumb.toDataURL('image/png');
    freeCanvas(thumb);
    // The frame's outline, drawn around the picture rather than under it.
    const framed = document.createElement('div');
    framed.className = 'sheet-frame';
    framed.style.height = grid.shownHeight + 'mm';
    framed.appendChild(img);
    const caption = document.createElement('figcaption');
    caption.textContent = at.label;
    caption.style.fontSize = page.labelPoints + 'pt';
    caption.style.height = caption.style.lineHeight = grid.labelHeight + 'mm';
    cell.append(framed, caption);
    sheet.appendChild(cell);
  });
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
    this.panel.hidden = false;
    this.panel.querySelector('button').focus();
  }

  isOpen() { return !this.panel.hidden; }
  close() { this.panel.hidden = true; }

  frames() {
    const store = this.viewer.store;
    const frames = [];
    for (let k = 0; k < store.count(); ++k) frames.push(store.frame(k));
    return frames;
  }

  // The scene's name with the parameter it was drawn with, as the desktop
  // proposes it.
  baseName() { return this.viewer.model.saveFileStem() || 'kelvora'; }

  saved(fileName) { this.viewer.showSaveStatus('保存しました：' + fileName); }

  gif() {
    this.close();
    const name = this.baseName() + '.gif';
    const bytes = encodeGif(this.frames(), this.viewer.model.speed());
    download(new Blob([bytes], { type: 'image/gif' }), name);
    this.saved(name);
  }

  png() {
    this.close();
    const model = this.viewer.model;
    const count = model.lastFrame() + 1;
    const shown = model.shownFrame();
    const frame = this.viewer.store.frame(shown >= 0 && shown < count ? shown : 0);
    const name = this.baseName() + '.png';
    frame.toBlob(guarded((blob) => {
      if (blob) {
        download(blob, name);
        this.saved(name);
      }
    }), 'image/png');
  }

  worksheet() {
    this.close();
    buildWorksheet(this.viewer.k, this.sheet, this.viewer.model.worksheetTitle(), this.frames());
    // The sheet's pictures are only for printing: dropped once it is done.
    window.addEventListener('afterprint', guarded(() => { this.sheet.textContent = ''; }), { once: true });
    window.print();
  }
}
