// What the MIDI module adds to the core for the page: Start's progress told to
// a JavaScript callback that can stop it, the name list of a folder, and the
// decimal separator as the page sets it.
'use strict';

const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { test } = require('node:test');

const env = process.env;
const skip = env.MT_WEB_MODULES && env.MT_MIDI_SAMPLES ? false : 'not set: MT_WEB_MODULES, MT_MIDI_SAMPLES';

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
    const outcome = tool.MidiYaz((k) => {
      steps.push(k);
      return k < row.stopAt;
    });
    tool.delete();
    assert.equal(outcome.kind, row.kind, row.name);
    assert.deepEqual(outcome.messages, [], row.name);
    assert.ok(steps.length > 1 || row.stopAt === 1, row.name);
    steps.forEach((k, i) => assert.equal(k, 2 * i + 1, row.name));
    const written = M.FS.readdir('/w').filter((name) => name.endsWith('_13.mid') || name.endsWith('_24.mid'));
    assert.deepEqual(written, row.kind === 'Written' ? ['rast_uzun_13.mid', 'rast_uzun_24.mid'] : [], row.name);
    assert.equal(M.FS.readdir('/w').filter((name) => name.endsWith('.part')).length, 0, row.name);
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
  const rows = [
    { name: 'a comma', text: ',', takes: true },
    { name: 'two characters', text: ',,', takes: false },
    { name: 'nothing', text: '', takes: false },
    { name: 'a letter beyond ASCII', text: 'ş', takes: false },
  ];
  for (const row of rows) {
    tool.decimalSeparator = '.';
    let refused = false;
    try {
      tool.decimalSeparator = row.text;
    } catch {
      refused = true;
    }
    assert.equal(!refused, row.takes, row.name);
    assert.equal(tool.decimalSeparator, row.takes ? row.text : '.', row.name);
  }
  assert.throws(() => new M.MidiTool('Tessaro6', '/w'), undefined, 'an unknown build');
  tool.delete();
});
