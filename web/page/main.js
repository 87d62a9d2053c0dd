// Starts the page: the WebAssembly module, then the menu. A viewer replaces
// the menu while a scene is open. Errors are shown in the page, never left
// to the console.

const page = {
  k: null,
  menu: null,
  viewer: null,
  saving: null,
  stats: { menuShownMs: null },
};

function element(id) { return document.getElementById(id); }

function showMessage(title, text, detail) {
  element('message-title').textContent = title;
  element('message-text').textContent = text;
  element('message-detail').textContent = detail || '';
  element('message').hidden = false;
  element('message-ok').focus();
}

// A fault of the page itself, with what the browser says about it.
function fail(error) {
  const detail = error && error.stack ? String(error.stack) : String(error);
  showMessage('エラー', 'ページの処理中に問題が起きました。', detail);
}

function modalOpen() { return !element('message').hidden || (page.saving && page.saving.isOpen()); }

function guard(action) {
  return (...args) => {
    try {
      return action(...args);
    } catch (error) {
      fail(error);
      return undefined;
    }
  };
}

function showMenu() {
  page.viewer = null;
  element('viewer').hidden = true;
  element('menu-screen').hidden = false;
  document.title = 'メニュー';
  page.menu.focusFirst();
}

function openScene(sceneIndex) {
  element('menu-screen').hidden = true;
  const root = element('viewer');
  root.hidden = false;
  document.title = 'Kelvora';
  page.viewer = new Viewer(root, page.k, sceneIndex, {
    onEnd: showMenu,
    message: showMessage,
    fail,
    modalOpen,
    save: (viewer) => page.saving.open(viewer),
  });
  root.focus();
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
  page.menu = new Menu(element('menu'), k, guard(openScene), guard(endProgram));
  page.saving = new Saving(k, element('save-panel'), element('worksheet'), null);
  element('save-gif').addEventListener('click', guard(() => page.saving.gif()));
  element('save-png').addEventListener('click', guard(() => page.saving.png()));
  element('save-sheet').addEventListener('click', guard(() => page.saving.worksheet()));
  element('save-cancel').addEventListener('click', guard(() => page.saving.close()));
  element('save-panel').addEventListener('keydown', guard((event) => {
    if (event.key === 'Escape') { event.stopPropagation(); page.saving.close(); }
  }), true);
  element('message-ok').addEventListener('click', () => { element('message').hidden = true; });
  element('restart').addEventListener('click', guard(() => { element('ended').hidden = true; showMenu(); }));
  showMenu();
  requestAnimationFrame(() => { page.stats.menuShownMs = performance.now(); });
}

window.addEventListener('error', (event) => {
  event.preventDefault();
  fail(event.error || event.message);
});
window.addEventListener('unhandledrejection', (event) => {
  event.preventDefault();
  fail(event.reason);
});

// For tests and benchmarks: the module, the open viewer and the timings.
window.kelvora = page;

KelvoraModule({ print: () => {}, printErr: () => {} }).then(guard(start), fail);
