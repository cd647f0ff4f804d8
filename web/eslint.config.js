// The page's JavaScript, its tests', tools' and benchmark's, under ESLint's
// recommended rules.
//   web/node_modules/.bin/eslint -c web/eslint.config.js web tests/web ...
import js from "@eslint/js";
import globals from "globals";

export default [
  // The service worker's source is a template, completed as the site is
  // built (its file list and version are not JavaScript until then).
  { ignores: ["web/node_modules/", "web/sw.js"] },
  js.configs.recommended,
  {
    files: ["**/*.js", "**/*.mjs"],
    languageOptions: { ecmaVersion: 2022, sourceType: "module", globals: { ...globals.browser } },
    // The page and its tests read a terminal's bytes, where a control
    // character in a pattern is the point.
    rules: { "no-control-regex": "off" },
  },
  { files: ["tests/web/**", "tools/**", "bench/**"], languageOptions: { globals: { ...globals.node } } },
  // A library of Emscripten's, run by its linker.
  { files: ["web/no_time_formatting.js"], languageOptions: { globals: { mergeInto: "readonly", LibraryManager: "readonly" } } },
];
