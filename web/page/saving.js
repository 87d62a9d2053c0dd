// 保存 in the page: the stored loop as a looping GIF (gifenc, one palette
// for the whole loop), the frame shown as PNG, and the worksheet (every
// frame of the period on one A4 landscape page, or a page for every value
// of the parameter) through the browser's print dialog, where "Save as
// PDF" writes the file. With probes marked, each picture is the frame
// ringed over its graph and the worksheet has a blank graph and an answer
// page, all drawn and laid out by the core as kelvora-render draws them.
import { GIFEncoder, nearestColorIndex, quantize } from 'gifenc';
import { freeCanvas } from './dom.js';
import { guarded } from './errors.js';
import { Painter } from './painter.js';

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

// Frame k of the store as a saved picture shows it, on a canvas of its
// own: with probes, ringed over its graph, as the core draws and places
// them.
function savedFrameCanvas(viewer, k) {
  const frame = frameCanvas(viewer.store, k);
  if (!viewer.model.probeMarked()) return frame;
  const graph = document.createElement('canvas');
  const painter = new Painter(frame, viewer.k);
  try {
    const layout = viewer.viewer.drawProbedPicture(k, {
      paint: (ops, texts, dots, width, height) => {
        painter.target(frame, null);
        painter.paint(ops, texts, dots, width, height);
      },
      paintGraph: (ops, texts, dots, width, height) => {
        painter.target(graph, null);
        painter.paintSized(ops, texts, dots, width, height);
      },
    });
    const whole = document.createElement('canvas');
    whole.width = layout.width;
    whole.height = layout.height;
    const ctx = whole.getContext('2d');
    ctx.drawImage(frame, 0, 0);
    ctx.drawImage(graph, 0, layout.graphTop);
    return whole;
  } finally {
    painter.dispose();
    freeCanvas(frame);
    freeCanvas(graph);
  }
}

// The saved pictures as the GIF encoder reads a store: the stored frames
// themselves, or with probes each one ringed over its graph.
function savedFrames(viewer) {
  if (!viewer.model.probeMarked()) return viewer.store;
  const first = savedFrameCanvas(viewer, 0);
  const frames = { width: first.width, height: first.height, count: () => viewer.store.count() };
  freeCanvas(first);
  frames.bytes = (k) => {
    const canvas = savedFrameCanvas(viewer, k);
    const bytes = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    freeCanvas(canvas);
    return bytes;
  };
  return frames;
}

// An element added to parent, with its class, text and style (lengths in
// millimetres and text sizes in points: see mm, pt).
function add(parent, tag, className, text, style) {
  const e = document.createElement(tag);
  if (className) e.className = className;
  if (text !== undefined) e.textContent = text;
  if (style) Object.assign(e.style, style);
  parent.appendChild(e);
  return e;
}

const mm = (length) => length + 'mm';
const pt = (size) => size + 'pt';

// One page: the title, the fields to fill in, the frames with their labels
// and the colour key, which names each colour for a black-and-white copy.
function buildPage(sheet, layout, content, title, pictures, graph) {
  const page = add(sheet, 'section', 'sheet-page', undefined, { height: mm(layout.pageHeight) });
  add(page, 'h1', '', title, { height: mm(layout.titleHeight), fontSize: pt(layout.titlePoints) });
  const fields = add(page, 'div', 'sheet-fields', undefined,
    { height: mm(layout.fieldsHeight), fontSize: pt(layout.fieldPoints) });
  for (const field of content.fields) add(fields, 'span', 'sheet-field', field.caption, { width: (field.share * 100) + '%' });
  const grid = add(page, 'div', 'sheet-grid', undefined, {
    height: mm(layout.gridHeight), margin: mm(layout.gridMargin) + ' 0',
    gridTemplateColumns: 'repeat(' + layout.columns + ', ' + mm(layout.shownWidth) + ')',
    columnGap: mm(layout.gap), rowGap: mm(layout.gap),
  });
  pictures.forEach((source, k) => {
    const cell = add(grid, 'figure');
    // The frame's outline, drawn around the picture rather than under it.
    const framed = add(cell, 'div', 'sheet-frame', undefined,
      { width: mm(layout.shownWidth), height: mm(layout.shownHeight) });
    add(framed, 'img').src = source;
    add(cell, 'figcaption', '', content.labels[k], {
      height: mm(layout.labelHeight), lineHeight: mm(layout.labelHeight), fontSize: pt(layout.labelPoints),
    });
  });
  if (graph) {
    add(page, 'img', 'sheet-graph', undefined,
      { width: mm(layout.width), height: mm(layout.graphHeight), marginBottom: mm(layout.graphGap) }).src = graph;
  }
  const key = add(page, 'div', 'sheet-key', undefined, { height: mm(layout.keyHeight), fontSize: pt(layout.labelPoints) });
  for (const entry of content.key) {
    const item = add(key, 'span', 'sheet-key-entry');
    const mark = add(item, 'span', 'sheet-mark sheet-mark-' + entry.mark);
    mark.style.setProperty('--mark-colour', entry.colour);
    add(item, 'span', '', entry.text);
  }
}

// Draws the frames of one period at a parameter value, afresh and with the
// pictures' text large enough for paper, as PNG pictures for the sheet;
// with probes at `places`, the frames ringed, and the blank graph and the
// answer's.
function drawPictures(k, viewer, frameCount, value, size, minimumTextPixels, places) {
  const canvas = document.createElement('canvas');
  const painter = new Painter(canvas, k);
  const pictures = [];
  const graphs = {};
  try {
    k.drawWorksheetPeriod(viewer.sceneIndex, frameCount, value, size, minimumTextPixels, places, {
      paint: (ops, texts, dots, width, height) => painter.paintSized(ops, texts, dots, width, height),
      frameDrawn: () => { pictures.push(canvas.toDataURL('image/png')); },
      graphDrawn: (answer) => { graphs[answer ? 'answer' : 'blank'] = canvas.toDataURL('image/png'); },
    });
  } finally {
    painter.dispose();
    freeCanvas(canvas);
  }
  return { pictures, graphs };
}

// Fills the print-only worksheet: a page for the value drawn, or for every
// value of the scene's parameter.
function buildWorksheet(sheet, k, viewer, allValues) {
  const model = viewer.model;
  const frameCount = model.lastFrame() + 1;
  // Enough pixels for print, not the whole picture of a large screen.
  const picture = viewer.pictureSize();
  const width = Math.min(picture.width, 800);
  const size = { ...picture, width, height: Math.round(picture.height * width / picture.width), devicePixelRatio: 1 };
  const places = viewer.viewer.probePlaces();
  const content = k.worksheetContent(viewer.sceneIndex, frameCount, size, places);
  const layout = k.worksheetPrintLayout(frameCount, size.width, size.height, places.length > 0);
  const minimumTextPixels = Math.ceil(content.minimumTextMm * size.width / layout.shownWidth);
  // The value the frames were drawn with, where the scene has one.
  const drawn = model.parameter().value;
  const pages = allValues || !model.hasParameter() ? content.pages : content.pages.filter((p) => p.value === drawn);
  sheet.textContent = '';
  sheet.style.width = mm(layout.areaWidth);
  // With probes each page is followed by its answer, the graph drawn.
  for (const page of pages) {
    const drawn = drawPictures(k, viewer, frameCount, page.value, size, minimumTextPixels, places);
    buildPage(sheet, layout, content, page.title, drawn.pictures, drawn.graphs.blank);
    if (page.answerTitle) buildPage(sheet, layout, content, page.answerTitle, drawn.pictures, drawn.graphs.answer);
  }
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
    this.offerChoices(viewer);
    this.panel.showModal();
    this.panel.querySelector('button').focus();
  }

  isOpen() { return this.panel.open; }
  close() { if (this.panel.open) this.panel.close(); }

  // Tab goes round the dialog's buttons and never out of it, not even to
  // the browser's own bar.
  keepFocus(event) {
    if (event.key !== 'Tab') return;
    const buttons = [...this.panel.querySelectorAll('button')].filter((b) => !b.hidden);
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

  saved(fileName) { this.viewer.showSaveStatus(this.viewer.k.savedStatus(fileName)); }
  // Where the browser says it could not make the file (toBlob gives no
  // blob: a canvas too large, memory), nothing is offered and the status
  // says so.
  failed() { this.viewer.showSaveStatus(this.viewer.k.saveFailedStatus()); }

  gif() {
    this.close();
    const name = this.baseName() + '.gif';
    const bytes = encodeGif(savedFrames(this.viewer), this.viewer.model.speed());
    download(new Blob([bytes], { type: 'image/gif' }), name);
    this.saved(name);
  }

  png() {
    this.close();
    const model = this.viewer.model;
    const count = model.lastFrame() + 1;
    const shown = model.shownFrame();
    const frame = savedFrameCanvas(this.viewer, shown >= 0 && shown < count ? shown : 0);
    const name = this.baseName() + '.png';
    frame.toBlob(guarded((blob) => {
      freeCanvas(frame);
      if (!blob) {
        this.failed();
        return;
      }
      download(blob, name);
      this.saved(name);
    }), 'image/png');
  }

  // The choices the core offers for the viewer's scene (a page for every
  // value only where there are values), before キャンセル, under the
  // caption of 保存.
  offerChoices(viewer) {
    const actions = {
      gif: () => this.gif(),
      png: () => this.png(),
      sheet: () => this.worksheet(false),
      'sheet-all': () => this.worksheet(true),
    };
    const cancel = this.panel.querySelector('#save-cancel');
    for (const old of this.panel.querySelectorAll('button[data-choice]')) old.remove();
    for (const choice of viewer.k.saveChoices(viewer.model.hasParameter())) {
      const button = document.createElement('button');
      button.id = 'save-' + choice.name;
      button.dataset.choice = choice.name;
      button.textContent = choice.caption;
      button.addEventListener('click', guarded(actions[choice.name]));
      cancel.before(button);
    }
    this.panel.querySelector('#save-heading').textContent = viewer.saveButton.textContent;
  }

  worksheet(allValues) {
    this.close();
    buildWorksheet(this.sheet, this.viewer.k, this.viewer, allValues);
    // The sheet's pictures are only for printing: dropped once it is done.
    window.addEventListener('afterprint', guarded(() => { this.sheet.textContent = ''; }), { once: true });
    window.print();
  }
}
