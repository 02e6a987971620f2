// What the MIDI module adds to the core for the page: Start's progress told to
// a JavaScript callback that can stop it, the name list of a folder, and the
// decimal separator as the page sets it.
'use strict';

const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { test } = require('node:test');
const { env, skip } = require('./compare.js');

async function withSample() {
  const M = await require(path.join(env.MT_WEB_MODULES, 'midi_module.js'))();
  M.FS.mkdir('/w');
  M.FS.writeFile('/w/rast_uzun.mid', fs.readFileSync(path.join(env.MT_MIDI_SAMPLES, 'rast_uzun.mid')));
  return M;
}

test('Start tells the callback of each pair step and stops when it says so', { skip }, async () => {
  const rows = [
    { name: 'a callback that lets it run sees 1, 3, 5, ... and both files appear', stopAt: Infinity, kind: 'Written' },
    { name: 'false at the first step writes nothing', stopAt: 1, kind: 'Closed' },
    { name: 'false midway writes nothing', stopAt: 101, kind: 'Closed' },
  ];
  for (const row of rows) {
    const M = await withSample();
    const tool = new M.MidiTool('Tessaro5Vu', '/w');
    tool.LoadImage('rast_uzun');
    const steps = [];
    const outcome = tool.MidiYaz((k) => steps.push(k) && k < row.stopAt);
    tool.delete();
    assert.equal(outcome.kind, row.kind, row.name);
    assert.deepEqual(outcome.messages, [], row.name);
    assert.ok(steps.length > 1 || row.stopAt === 1, row.name);
    steps.forEach((k, i) => assert.equal(k, 2 * i + 1, row.name));
    const written = row.kind === 'Written' ? ['rast_uzun.mid', 'rast_uzun_13.mid', 'rast_uzun_24.mid'] : ['rast_uzun.mid'];
    assert.deepEqual(M.FS.readdir('/w').filter((name) => name !== '.' && name !== '..').sort(), written, row.name);
  }
});

test('the name list holds the .mid files in any case, sorted without regard to case, and nothing else', { skip }, async () => {
  const M = await withSample();
  for (const name of ['b.MID', 'A.mid', 'c.txt', 'notes.midi', '.mid']) M.FS.writeFile(`/w/${name}`, 'x');
  M.FS.mkdir('/w/folder.mid');
  const list = M.ListMidiNames('/w').map((entry) => `${entry.entry}=${entry.fileName}`);
  // ".mid" alone would be an empty entry; a folder is no file.
  assert.deepEqual(list, ['A=A.mid', 'b=b.MID', 'rast_uzun=rast_uzun.mid']);
});

test('the decimal separator is one ASCII character', { skip }, async () => {
  const M = await withSample();
  const tool = new M.MidiTool('Lumbric5', '/w');
  // [name, text, taken]
  const rows = [['a comma', ',', true], ['two characters', ',,', false], ['nothing', '', false], ['a letter beyond ASCII', 'ş', false]];
  const takes = (text) => {
    try {
      tool.decimalSeparator = text;
      return true;
    } catch {
      return false;
    }
  };
  for (const [name, text, taken] of rows) {
    tool.decimalSeparator = '.';
    assert.equal(takes(text), taken, name);
    assert.equal(tool.decimalSeparator, taken ? text : '.', name);
  }
  assert.throws(() => new M.MidiTool('Tessaro6', '/w'), undefined, 'an unknown build');
  tool.delete();
});
