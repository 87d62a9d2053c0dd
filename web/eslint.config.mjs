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
  },
  {
    // The tests run in Node and hand functions to the page, which run there.
    files: ['**/*.mjs'],
    languageOptions: { sourceType: 'module', globals: { ...globals.node, ...globals.browser } },
  },
];
