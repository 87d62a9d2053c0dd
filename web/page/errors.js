// How the page shows a message, and a fault of its own with what the
// browser says about it. Every callback the browser makes into the page
// (event listeners, timers, screen updates, promise callbacks) goes through
// guarded(), so an error is shown in the page, never left to the console.
import { element } from './dom.js';

export function showMessage(title, text, detail) {
  element('message-title').textContent = title;
  element('message-text').textContent = text;
  element('message-detail').textContent = detail || '';
  element('message').hidden = false;
  element('message-ok').focus();
}

export function fail(error) {
  const detail = error && error.stack ? String(error.stack) : String(error);
  showMessage('エラー', 'ページの処理中に問題が起きました。', detail);
}

// The callback, with an error it throws shown; then valueOnError is
// returned in place of its result.
export function guarded(callback, valueOnError) {
  return (...args) => {
    try {
      return callback(...args);
    } catch (error) {
      fail(error);
      return valueOnError;
    }
  };
}
