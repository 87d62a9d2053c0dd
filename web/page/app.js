// Starts the page: the WebAssembly module, then the menu. A viewer replaces
// the menu while a scene is open. Errors are shown in the page, never left
// to the console.
import { element } from './dom.js';
import { fail, guarded } from './errors.js';
import { Menu } from './menu.js';
import { cssFontFamilies } from './painter.js';
import { Saving } from './saving.js';
import { Viewer } from './viewer.js';

// Starts the page on the module made by createModule (the Emscripten
// factory). Returns the page's state: the module (k), the menu, the open
// viewer, the saving panel and the timings.
export function startApp(createModule) {
  const page = {
    k: null,
    menu: null,
    viewer: null,
    saving: null,
    stats: { menuShownMs: null },
  };

  const modalOpen = () => !element('message').hidden || (page.saving && page.saving.isOpen());

  function showMenu() {
    page.viewer = null;
    element('viewer').hidden = true;
    element('menu-screen').hidden = false;
    document.title = 'メニュー';
    page.menu.layOut();
    page.menu.focusFirst();
  }

  function openScene(sceneIndex) {
    element('menu-screen').hidden = true;
    const root = element('viewer');
    root.hidden = false;
    document.title = 'Kelvora';
    page.viewer = new Viewer(root, page.k, sceneIndex, {
      onEnd: showMenu,
      modalOpen,
      save: (viewer) => page.saving.open(viewer),
    });
    page.viewer.focusInitial();
  }

  function endProgram() {
    // A page that was not opened by a script cannot close itself; then it
    // says so.
    window.close();
    element('menu-screen').hidden = true;
    element('ended').hidden = false;
  }

  function start(k) {
    page.k = k;
    document.body.style.fontFamily = cssFontFamilies(k);
    page.menu = new Menu(element('menu'), k, openScene, endProgram);
    page.saving = new Saving(element('save-panel'), element('worksheet'));
    const on = (id, type, action, capture) => element(id).addEventListener(type, guarded(action), capture);
    on('save-cancel', 'click', () => page.saving.close());
    on('save-panel', 'close', () => page.saving.closed());
    on('save-panel', 'click', (event) => { if (event.target === element('save-panel')) page.saving.close(); });
    // Esc closes the dialog (the browser's cancel) and goes no further.
    on('save-panel', 'keydown', (event) => {
      if (event.key === 'Escape') event.stopPropagation();
      page.saving.keepFocus(event);
    }, true);
    on('message-ok', 'click', () => { element('message').hidden = true; });
    on('restart', 'click', () => { element('ended').hidden = true; showMenu(); });
    showMenu();
    requestAnimationFrame(guarded(() => { page.stats.menuShownMs = performance.now(); }));
  }

  window.addEventListener('error', (event) => {
    event.preventDefault();
    fail(event.error || event.message);
  });
  window.addEventListener('unhandledrejection', (event) => {
    event.preventDefault();
    fail(event.reason);
  });

  createModule({ print: () => {}, printErr: () => {} }).then(guarded(start), guarded(fail));
  return page;
}
