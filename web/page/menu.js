// The menu: the heading, the sixteen scene buttons and 終了, built and
// placed as the core describes them (describeMenu, layOutMenu). The arrow
// keys walk the buttons row by row, Enter opens the focused scene.
import { applyLayout, buildControl, coarsePointer } from './controls.js';
import { guarded } from './errors.js';

export class Menu {
  constructor(root, k, openScene, endProgram) {
    this.root = root;
    this.k = k;
    const menu = k.describeMenu();
    this.buttons = new Map();  // scene -> its button
    this.columns = 2;  // scene buttons to a row, as laid out
    // The scenes in reading order, the order of the arrows and of Tab.
    this.order = [];
    this.placed = [];
    menu.controls.forEach((c) => {
      const { placed, control } = buildControl(c);
      root.appendChild(placed);
      this.placed.push(placed);
      if (c.role !== 'button') return;
      if (c.value < 0) {
        control.addEventListener('click', guarded(endProgram));
        return;
      }
      control.dataset.scene = String(c.value);
      control.addEventListener('click', guarded(() => openScene(c.value)));
      this.buttons.set(c.value, control);
      this.order.push(c.value);
    });
    root.addEventListener('keydown', guarded((event) => this.key(event)));
    window.addEventListener('resize', guarded(() => this.layOut()));
  }

  // The menu's box, centred on the screen (or scrolled where it is
  // larger), and its controls in it.
  layOut() {
    if (this.root.offsetParent === null) return;
    const screen = document.documentElement;
    const layout = this.k.layOutMenu(screen.clientWidth, screen.clientHeight, coarsePointer());
    applyLayout(this.placed, layout, this.root);
    this.columns = layout.columns;
  }

  focusFirst() { this.buttons.get(this.order[0]).focus(); }

  key(event) {
    if (event.altKey || event.ctrlKey || event.metaKey || event.shiftKey) return;
    const A = this.k.MenuArrow;
    const arrows = { ArrowRight: A.Right, ArrowLeft: A.Left, ArrowDown: A.Down, ArrowUp: A.Up };
    if (event.key in arrows) {
      event.preventDefault();
      this.walk(arrows[event.key]);
    } else if (event.key === 'Enter' && event.target.dataset && event.target.dataset.scene !== undefined) {
      event.preventDefault();
      event.target.click();
    }
  }

  walk(arrow) {
    const focused = document.activeElement.dataset ? document.activeElement.dataset.scene : undefined;
    const scene = this.k.menuSceneAfterArrow(focused === undefined ? -1 : Number(focused), arrow, this.columns);
    this.buttons.get(scene).focus();
  }
}
