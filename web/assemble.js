// Puts the page together as one file: the HTML with its stylesheet, the
// engine (emscripten's glue, with the WebAssembly in base64 after it) and the
// page's scripts inline, and a Content-Security-Policy that allows exactly
// those two scripts and that stylesheet, by their hashes, no connection at
// all, and workers only from the page's own blobs (its batch worker).
//   node assemble.js out.html page.html page.css engine.js engine.wasm regions.json script.js…
'use strict';
const crypto = require('crypto');
const fs = require('fs');

const [out, template, css, glue, wasm, rules, ...scripts] = process.argv.slice(2);
const read = (file) => fs.readFileSync(file, 'utf8');
const hash = (text) => "'sha256-" + crypto.createHash('sha256').update(text, 'utf8').digest('base64') + "'";

// The page's scripts share one function's scope, and start once all are in.
const page = "(function () {\n'use strict';\n" + scripts.map(read).join('\n') + '})();\n';
const engine = read(glue) + '\ncreateEngine.wasm = "' + fs.readFileSync(wasm).toString('base64') + '";\n';
const parts = { CSS: read(css), ENGINE: engine, PAGE: page };
for (const name of ['ENGINE', 'PAGE']) {
  if (/<\/script/i.test(parts[name])) throw new Error(name + ' holds </script and would end its element early');
}
// The date the rules data was collected, as the engine's loader reads it.
const collected = JSON.parse(read(rules)).collected;
if (!/^\d{4}-\d{2}-\d{2}$/.test(collected || '')) throw new Error(rules + ': no "collected" date');

// 'wasm-unsafe-eval' lets the engine's WebAssembly be compiled and nothing
// else; without it Chromium refuses the module. No 'unsafe-inline', no
// 'self': a file opened from disk or a chat has no origin worth trusting.
// A worker's script can be named by no hash; blob: is the narrowest source
// there is, and only the page's scripts make blobs.
const csp = [
  "default-src 'none'",
  'script-src ' + hash(parts.ENGINE) + ' ' + hash(parts.PAGE) + " 'wasm-unsafe-eval'",
  'style-src ' + hash(parts.CSS),
  'worker-src blob:',
  "img-src 'none'",
  "connect-src 'none'",
  "form-action 'none'",
  "base-uri 'none'",
].join('; ');

// Replaced in one pass, so a placeholder inside an inserted text stays text.
const html = read(template).replace(/@(CSP|CSS|ENGINE|PAGE|DATA_DATE)@/g, (_, name) =>
  name === 'CSP' ? csp : name === 'DATA_DATE' ? collected : parts[name]);
fs.writeFileSync(out, html);
