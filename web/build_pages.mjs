// Puts each page together as one file that needs nothing else: its styles,
// scripts, pictures and the WebAssembly module (which carries its own code as
// base64) are written into it.
//
//   node web/build_pages.mjs OUT_DIR MODULE_DIR PICTURE_DIR
//
// In a page template, {{file:NAME}} stands for the text of pages/NAME,
// {{text:NAME}} for that text as a JavaScript string literal, and
// {{data:NAME}} for PICTURE_DIR/NAME as a data: address.
import fs from 'node:fs';
import path from 'node:path';
import {fileURLToPath} from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const [outDir, moduleDir, pictureDir] = process.argv.slice(2);
if (!outDir || !moduleDir || !pictureDir) {
  console.error('usage: node web/build_pages.mjs OUT_DIR MODULE_DIR PICTURE_DIR');
  process.exit(2);
}

// Texts made here rather than read: each worker's or page's module with the
// script that drives it.
const made = {
  'tessaro_worker.js': () => read(path.join(moduleDir, 'midi_module.js')) + '\n' + page('tessaro_worker.js'),
  'finder_module.js': () => read(path.join(moduleDir, 'finder_module.js')),
};

function read(file) {
  return fs.readFileSync(file, 'utf8');
}

function page(name) {
  return read(path.join(here, 'pages', name));
}

function text(name) {
  return made[name] ? made[name]() : page(name);
}

// A string literal that may stand inside a <script> element.
function literal(source) {
  return JSON.stringify(source).replace(/<\//g, '<\\/').replace(/\u2028/g, '\\u2028').replace(/\u2029/g, '\\u2029');
}

// A script's text that may stand inside a <script> element.
function inline(source) {
  if (/<\/script/i.test(source)) throw new Error('a script holds </script>');
  return source;
}

function build(template) {
  return page(template).replace(/\{\{(file|text|data):([\w.]+)\}\}/g, (all, kind, name) => {
    if (kind === 'file') return inline(text(name));
    if (kind === 'text') return literal(text(name));
    const bytes = fs.readFileSync(path.join(pictureDir, name));
    return `data:image/png;base64,${bytes.toString('base64')}`;
  });
}

fs.mkdirSync(outDir, {recursive: true});
for (const template of ['Tessaro5Vu.html', 'Orvette101A.html']) {
  if (!fs.existsSync(path.join(here, 'pages', template))) continue;
  const out = path.join(outDir, template);
  fs.writeFileSync(`${out}.part`, build(template));
  fs.renameSync(`${out}.part`, out);
  console.log(`${out}: ${fs.statSync(out).size} bytes`);
}
