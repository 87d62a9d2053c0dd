// A window's controls as the core describes them (describeViewer,
// describeMenu): one element for each, in the description's order, which
// is the order of the Tab key and of a screen reader. Labels stack under
// the controls (see kelvora.css), so one reaching over a control never
// takes its clicks.

function colour(rgb) { return '#' + rgb.toString(16).padStart(6, '0'); }

function create(tag, c, text) {
  const e = document.createElement(tag);
  e.id = c.name;
  if (text !== undefined) e.textContent = text;
  return e;
}

// The element of each role, and the one that takes the focus and the
// events (an option's radio button inside its label).
function elementFor(c) {
  switch (c.role) {
    case 'button': return create('button', c, c.caption);
    case 'option': {
      const label = document.createElement('label');
      label.id = c.name + '-label';
      const input = create('input', c);
      input.type = 'radio';
      input.name = 'option';
      input.value = String(c.value);
      label.append(input, c.caption);
      return { placed: label, control: input };
    }
    case 'scrollbar': {
      const bar = create('input', c);
      bar.type = 'range';
      bar.min = String(c.min);
      bar.max = String(c.max);
      bar.step = '1';
      bar.value = String(c.initial);
      bar.dataset.small = String(c.smallChange);
      bar.dataset.large = String(c.largeChange);
      return bar;
    }
    case 'textbox': {
      const box = create('input', c);
      box.type = 'text';
      box.readOnly = true;
      box.value = c.caption;
      return box;
    }
    case 'picture': {
      const picture = create('canvas', c);
      picture.tabIndex = 0;
      picture.setAttribute('role', 'img');
      return picture;
    }
    default: return create('div', c, c.caption);
  }
}

// Names a label by its accessible name where the caption says less (速 is
// 速い to a screen reader): the caption is shown, the name is read.
function nameLabel(e, c) {
  if (!c.accessibleName || c.accessibleName === c.caption) return;
  e.textContent = '';
  const shown = document.createElement('span');
  shown.setAttribute('aria-hidden', 'true');
  shown.textContent = c.caption;
  const read = document.createElement('span');
  read.className = 'read-only';
  read.textContent = c.accessibleDescription ? c.accessibleName + '（' + c.accessibleDescription + '）' : c.accessibleName;
  e.append(shown, read);
}

// Builds the element of control c; returns { placed, control }.
export function buildControl(c) {
  const built = elementFor(c);
  const { placed, control } = built instanceof Element ? { placed: built, control: built } : built;
  if (c.role === 'label') {
    placed.classList.add('label');
    if (c.caption === '' && c.accessibleName) {
      // A label that shows a status: named by what it shows, or while it
      // shows nothing by its described name (see nameStatus).
      placed.setAttribute('role', 'status');
      placed.setAttribute('aria-label', c.accessibleName);
    } else {
      nameLabel(placed, c);
    }
  } else {
    if (c.tooltip) control.title = c.tooltip;
    // A button or an option is named by its caption already.
    if (c.role !== 'button' && c.role !== 'option') control.setAttribute('aria-label', c.accessibleName);
    if (c.accessibleDescription) control.setAttribute('aria-description', c.accessibleDescription);
  }
  // A text of another size than the window's, relative to it, so it grows
  // with the window's.
  if (c.fontEm !== 1) placed.style.fontSize = c.fontEm + 'em';
  if (c.fontColour !== 0) placed.style.color = colour(c.fontColour);
  placed.hidden = c.hidden;
  return { placed, control };
}

// Shows a status in a label built above, and names it by it.
export function showStatus(e, c, text) {
  if (e.textContent === text) return;
  e.textContent = text;
  e.setAttribute('aria-label', text || c.accessibleName);
}

// Puts an element at a rectangle in pixels of its window.
export function place(e, r) {
  e.style.left = r.left + 'px';
  e.style.top = r.top + 'px';
  e.style.width = r.width + 'px';
  e.style.height = r.height + 'px';
}

// A slider's thumb and track keep the browser's size whatever its box: where
// the text grows, the slider is laid out at the design's size and grown
// with it by a transform, which clicks and drags pass through.
function placeSlider(e, r, scale) {
  const s = Math.max(scale, 1);
  place(e, { left: r.left, top: r.top, width: r.width / s, height: r.height / s });
  e.style.transformOrigin = '0 0';
  e.style.transform = s === 1 ? '' : `scale(${s})`;
}

// Whether a finger is the pointer: the layouts then give every control a
// touch target and show the scroll bars' step buttons.
export function coarsePointer() { return window.matchMedia('(pointer: coarse)').matches; }

// Lays a window out as the core's layout says (layOutViewer, layOutMenu):
// each element placed or hidden, the text grown, and the window's extent,
// which scrolls where it is larger than the screen.
export function applyLayout(placed, layout, extent) {
  layout.places.forEach((r, i) => {
    placed[i].hidden = !layout.shown[i];
    if (placed[i].type === 'range') placeSlider(placed[i], r, layout.textScale);
    else place(placed[i], r);
  });
  document.body.style.fontSize = layout.fontPoints + 'pt';
  document.body.style.setProperty('--text-scale', String(layout.textScale));
  extent.style.width = layout.contentWidth + 'px';
  extent.style.height = layout.contentHeight + 'px';
}
