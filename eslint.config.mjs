// The recommended rules for the page's script, which runs in the browser, and for its tests
// and this file, which run in node. ESLint and these rule sets are installed with the tests'
// other tools (npm ci in tests/web), so they are required from there.
import { createRequire } from 'node:module';

const require = createRequire(new URL('tests/web/', import.meta.url));
const js = require('@eslint/js');
const globals = require('globals');

export default [
    js.configs.recommended,
    // Leaving a key out of a copy is done by destructuring it beside the rest.
    { rules: { 'no-unused-vars': ['error', { ignoreRestSiblings: true }] } },
    { files: ['web/**/*.js'], languageOptions: { globals: globals.browser } },
    { files: ['**/*.mjs'], languageOptions: { globals: globals.node } },
    // The functions it hands to puppeteer run in the page.
    { files: ['tests/web/page-test.mjs'], languageOptions: { globals: { ...globals.node, ...globals.browser } } },
];
