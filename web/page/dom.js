// Small helpers for the page's elements.

export function element(id) { return document.getElementById(id); }

// Gives a canvas's pixels back to the browser at once, rather than when the
// garbage collector gets to it: a canvas holds 4 bytes a device pixel.
export function freeCanvas(canvas) {
  canvas.width = 0;
  canvas.height = 0;
}
