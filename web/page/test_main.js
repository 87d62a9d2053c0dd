// The page for the browser tests and the benchmark (kelvora-test.html): the
// module built with the tests' hooks (failCapturesWith), and the page's
// state as window.kelvora.
import createModule from 'kelvora-web';
import { startApp } from './app.js';

window.kelvora = startApp(createModule);
