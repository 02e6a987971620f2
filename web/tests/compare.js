// What the identity tests share: where the modules and the companions are,
// and how two sets of files and two texts are held side by side.
'use strict';

const assert = require('node:assert/strict');
const fs = require('node:fs');

const env = process.env;
const missing = ['MT_WEB_MODULES', 'MT_TESSARO_CLI', 'MT_ORVETTE_CLI', 'MT_MIDI_SAMPLES'].filter((name) => !env[name]);
const skip = missing.length ? `not set: ${missing.join(', ')}` : false;
const separators = ['.', ','];

// The files of a folder, without those named in `inputs`: `read` lists a
// folder (the native one, or the module's file system) and reads a file.
function filesIn(names, read, inputs) {
  const out = new Map();
  for (const name of names.sort()) if (name !== '.' && name !== '..' && !inputs.has(name)) out.set(name, Buffer.from(read(name)));
  return out;
}
const nativeFiles = (folder, inputs) => filesIn(fs.readdirSync(folder), (name) => fs.readFileSync(`${folder}/${name}`), inputs);
const moduleFiles = (FS, folder, inputs) => filesIn(FS.readdir(folder), (name) => FS.readFile(`${folder}/${name}`), inputs);

// Every file the same, under the same names; a difference names its file and
// its first differing byte.
function assertSameFiles(native, web, what) {
  assert.deepEqual([...web.keys()], [...native.keys()], `${what}: the files written`);
  for (const [name, bytes] of native) {
    const other = web.get(name);
    if (Buffer.compare(bytes, other) !== 0) {
      let at = 0;
      while (at < bytes.length && bytes[at] === other[at]) ++at;
      assert.fail(`${what}: ${name} differs from byte ${at} (native ${bytes.length} bytes, module ${other.length})`);
    }
  }
}

function assertSameLines(native, web, what) {
  const n = native.split('\n');
  const w = web.split('\n');
  const at = n.findIndex((line, i) => line !== w[i]);
  if (at >= 0 || n.length !== w.length) {
    const line = at >= 0 ? at : Math.min(n.length, w.length);
    assert.fail(`${what}: line ${line + 1} differs\n  native: ${JSON.stringify(n[line])}\n  module: ${JSON.stringify(w[line])}`);
  }
}

module.exports = { env, skip, separators, nativeFiles, moduleFiles, assertSameFiles, assertSameLines };
