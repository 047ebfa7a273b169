// ESLint's recommended rules over the page's JavaScript and the browser tests (scripts/lint runs
// it). ESLint and its rule sets are installed in the browser tests' npm project (tests/web), from
// where this file takes them.
import { createRequire } from 'node:module';

const require = createRequire(new URL('tests/web/package.json', import.meta.url));
const js = require('@eslint/js');
const globals = require('globals');

export default [
  // The service worker is a template (scripts/lint hands it in with its file list blank).
  { ignores: ['build/', '**/node_modules/', '**/sw.js'] },
  js.configs.recommended,
  // The page: ES modules in the browser.
  {
    files: ['**/*.js'],
    languageOptions: { globals: globals.browser },
  },
  // The tests run under Node and hand functions to the page, which run in the browser.
  {
    files: ['**/*.mjs'],
    languageOptions: { globals: { ...globals.node, ...globals.browser } },
  },
];
