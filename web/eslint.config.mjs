// ESLint over web/: the page's modules, the tests and the build script,
// with ESLint's recommended rules.
import js from '@eslint/js';
import globals from 'globals';

export default [
  { ignores: ['node_modules/'] },
  js.configs.recommended,
  {
    files: ['page/**/*.js'],
    languageOptions: { sourceType: 'module', globals: globals.browser },
    rules: {
      // The windows' captions come from the core's description, never typed
      // here a second time.
      'no-restricted-syntax': ['error', {
        selector: 'Literal[value=/描画|アニメ開始|一時停止|コマ送り|アニメ速度|１２画面|２４画面/]',
        message: 'a caption of the windows: take it from describeViewer or describeMenu',
      }],
    },
  },
  {
    // The tests run in Node and hand functions to the page, which run there.
    files: ['**/*.mjs'],
    languageOptions: { sourceType: 'module', globals: { ...globals.node, ...globals.browser } },
  },
];
