// Puts the page together as one file: the HTML with its stylesheet, the
// engine (emscripten's output, the WebAssembly inside) and the page script
// inline, and a Content-Security-Policy that allows exactly those two
// scripts and that stylesheet, by their hashes, and no connection at all.
//   node assemble.js page.html page.css page.js engine.js regions.json out.html
'use strict';
const crypto = require('crypto');
const fs = require('fs');

const [template, css, page, engine, rules, out] = process.argv.slice(2);
const read = (file) => fs.readFileSync(file, 'utf8');
const hash = (text) => "'sha256-" + crypto.createHash('sha256').update(text, 'utf8').digest('base64') + "'";

const parts = { CSS: read(css), ENGINE: read(engine), PAGE: read(page) };
for (const name of ['ENGINE', 'PAGE']) {
  if (/<\/script/i.test(parts[name])) throw new Error(name + ' holds </script and would end its element early');
}
// The date the rules data was collected, as its own "about" says it.
const collected = /资料收集于\s*(\d{4}-\d{2}-\d{2})/.exec(JSON.parse(read(rules)).about || '');
if (!collected) throw new Error(rules + ': its "about" gives no 资料收集于 date');

// 'wasm-unsafe-eval' lets the engine's WebAssembly be compiled and nothing
// else; without it Chromium refuses the module. No 'unsafe-inline', no
// 'self': a file opened from disk or a chat has no origin worth trusting.
const csp = [
  "default-src 'none'",
  'script-src ' + hash(parts.ENGINE) + ' ' + hash(parts.PAGE) + " 'wasm-unsafe-eval'",
  'style-src ' + hash(parts.CSS),
  "img-src 'none'",
  "connect-src 'none'",
  "form-action 'none'",
  "base-uri 'none'",
].join('; ');

// Replaced in one pass, so a placeholder inside an inserted text stays text.
const html = read(template).replace(/@(CSP|CSS|ENGINE|PAGE|DATA_DATE)@/g, (_, name) =>
  name === 'CSP' ? csp : name === 'DATA_DATE' ? collected[1] : parts[name]);
fs.writeFileSync(out, html);
