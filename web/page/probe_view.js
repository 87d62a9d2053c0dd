// The probe on the page: while a particle is marked the picture box is
// split as the core lays it out (layOutProbeBox), the frames above and the
// displacement-time graph under them on a canvas of its own, with the
// graph's text alternative where a screen reader finds it. What a click or
// a key does to the marks, and all the drawing, is the core's.
import { place } from './controls.js';
import { freeCanvas } from './dom.js';
import { Painter } from './painter.js';

export class ProbeView {
  // root: the viewer's element; k: the WebAssembly module.
  constructor(root, k) {
    this.k = k;
    this.marked = false;
    // The picture box's white, behind the frames and the graph.
    this.box = document.createElement('div');
    this.box.id = 'probe-box';
    this.box.hidden = true;
    this.graph = document.createElement('canvas');
    this.graph.id = 'probe-graph';
    // Read from the text below instead.
    this.graph.setAttribute('aria-hidden', 'true');
    this.graph.hidden = true;
    this.text = document.createElement('div');
    this.text.id = 'probe-text';
    this.text.className = 'read-only';
    this.text.setAttribute('aria-live', 'polite');
    root.prepend(this.box);
    root.append(this.graph, this.text);
    this.painter = new Painter(this.graph, k);
  }

  // The picture's box split for the graph: { frame, graph } in the
  // window's pixels.
  split(box) {
    const s = this.k.layOutProbeBox(box.width, box.height, this.marked);
    const at = (r) => ({ left: box.left + r.left, top: box.top + r.top, width: r.width, height: r.height });
    return { frame: at(s.frame), graph: at(s.graph) };
  }

  // Places the box and the graph; the viewer's canvas for the graph takes
  // its size.
  apply(box, graph, viewer) {
    place(this.box, box);
    place(this.graph, graph);
    this.box.hidden = !this.marked;
    this.graph.hidden = !this.marked;
    if (viewer && this.marked) viewer.setGraphSize(graph.width, graph.height);
  }

  // What the model says now. Returns whether the graph came or went, which
  // moves the picture.
  sync(model) {
    const text = model.probeDescription();
    if (this.text.textContent !== text) this.text.textContent = text;
    const marked = model.probeMarked();
    if (marked === this.marked) return false;
    this.marked = marked;
    return true;
  }

  // The graph's paint operations, in device pixels of its canvas.
  paint(ops, texts, dots, width, height) { this.painter.paintSized(ops, texts, dots, width, height); }

  // A click or a tap on the picture, at its place on the element.
  click(event, picture, viewer) {
    const r = picture.getBoundingClientRect();
    viewer.clickPicture(event.clientX - r.left, event.clientY - r.top, Math.round(r.width), Math.round(r.height));
  }

  dispose() {
    this.painter.dispose();
    freeCanvas(this.graph);
  }
}
