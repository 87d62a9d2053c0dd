// The menu: the heading, the sixteen scene buttons where the desktop menu
// puts them (src/menu/menu_layout.cpp, compiled in) and 終了. The arrow
// keys walk the buttons row by row, Enter opens the focused scene.
import { guarded } from './errors.js';

export class Menu {
  constructor(root, kelvora, openScene, endProgram) {
    this.root = root;
    this.layout = kelvora.menuLayout();
    this.order = this.layout.readingOrder;
    this.buttons = [];
    const L = this.layout;
    const px = (twips) => Math.round(twips / L.twipsPerPixel);
    // The window's whole area in pixels; user units are scaled onto it,
    // button widths are twips.
    const width = px(L.widthTwips);
    const height = px(L.heightTwips);
    const unitX = width / L.scaleWidth;
    const unitY = height / L.scaleHeight;
    root.style.width = width + 'px';
    root.style.height = height + 'px';
    const place = (element, r, widthInTwips) => {
      element.style.left = Math.round(r.left * unitX) + 'px';
      element.style.top = Math.round(r.top * unitY) + 'px';
      element.style.width = (widthInTwips ? px(r.width) : Math.round(r.width * unitX)) + 'px';
      element.style.height = Math.round(r.height * unitY) + 'px';
    };

    const heading = document.createElement('div');
    heading.id = 'menu-heading';
    heading.textContent = '波動メニュー';
    place(heading, L.heading, false);
    root.appendChild(heading);

    const sceneCount = kelvora.sceneCount();
    for (let i = 0; i < sceneCount; ++i) {
      const button = document.createElement('button');
      button.textContent = kelvora.menuCaption(i);
      button.dataset.scene = String(i);
      button.id = 'scene-' + i;
      // What a screen reader adds to the caption: what the button opens.
      const parameter = kelvora.parameterName(i);
      button.setAttribute('aria-description', parameter ? 'この場面を開く。' + parameter + 'を変えられる' : 'この場面を開く');
      place(button, L.sceneButtons[i], true);
      button.addEventListener('click', guarded(() => openScene(i)));
      this.buttons.push(button);
    }
    this.endButton = document.createElement('button');
    this.endButton.id = 'menu-end';
    this.endButton.textContent = '終了';
    this.endButton.setAttribute('aria-description', 'Kelvora を終わる');
    place(this.endButton, L.endButton, true);
    this.endButton.addEventListener('click', guarded(endProgram));
    // Tab goes as the arrows do, row by row through the scenes, then to 終了
    // under them; the document order is the same, for screen readers.
    [...this.order.map((scene) => this.buttons[scene]), this.endButton].forEach((element, position) => {
      element.tabIndex = position + 1;
      root.appendChild(element);
    });

    root.addEventListener('keydown', guarded((event) => this.key(event)));
  }

  focusFirst() { this.buttons[this.order[0]].focus(); }

  key(event) {
    if (event.altKey || event.ctrlKey || event.metaKey || event.shiftKey) return;
    const steps = { ArrowRight: 1, ArrowLeft: -1, ArrowDown: 2, ArrowUp: -2 };
    if (event.key in steps) {
      event.preventDefault();
      this.walk(steps[event.key]);
    } else if (event.key === 'Enter' && event.target.dataset && event.target.dataset.scene !== undefined) {
      event.preventDefault();
      event.target.click();
    }
  }

  walk(step) {
    const count = this.order.length;
    let position = 0;
    this.order.forEach((scene, i) => {
      if (this.buttons[scene] === document.activeElement) position = i + step;
    });
    position = ((position % count) + count) % count;
    this.buttons[this.order[position]].focus();
  }
}
