// The inputs both builds are run over: the bundled samples, the samples of the
// programs' tests and the fuzz targets' kept seeds and corpora.
'use strict';

const fs = require('node:fs');
const path = require('node:path');

const root = path.resolve(__dirname, '..', '..');

// The lines "name hex" of a seed or corpus file; '#' lines are comments.
function hexLines(file) {
  const out = [];
  for (const line of fs.readFileSync(file, 'latin1').split('\n')) {
    if (line.startsWith('#') || line.trim() === '') continue;
    const [name, hex = ''] = line.trim().split(/\s+/);
    out.push({ name, bytes: Buffer.from(hex, 'hex') });
  }
  return out;
}

function filesIn(folder, pattern) {
  return fs
    .readdirSync(folder)
    .filter((name) => pattern.test(name))
    .sort()
    .map((name) => ({ name, bytes: fs.readFileSync(path.join(folder, name)) }));
}

// MIDI files, each with a file name of its own. `samplesDir` holds the sample
// files the build writes (rast.mid, rast_uzun.mid, rast_es.mid).
function midiInputs(samplesDir) {
  const inputs = filesIn(samplesDir, /\.mid$/i);
  for (const seed of hexLines(path.join(root, 'fuzz/seeds/midi.hex'))) {
    inputs.push({ name: `seed_${seed.name}.mid`, bytes: seed.bytes });
  }
  for (const target of ['midi_files', 'midi_split', 'midi_test', 'midi_txt']) {
    for (const entry of hexLines(path.join(root, `fuzz/seeds/corpus/${target}_fuzzer.hex`))) {
      inputs.push({ name: `${target}_${entry.name}.MID`, bytes: entry.bytes });
    }
  }
  return inputs;
}

// An input of the finder's run fuzz target: "#flags|degree|start|stop|limit"
// on its first line sets the run (flags: 's' Standard Deviation, 'r' Range, ','
// the decimal comma), the rest is the table.
function withSettings(name, bytes) {
  if (bytes[0] !== 0x23) return { name, bytes, settings: null };
  let end = bytes.indexOf(0x0a);
  if (end < 0) end = bytes.length;
  const fields = bytes.subarray(1, end).toString('latin1').split('|');
  const flags = fields[0] || '';
  const settings = {
    span: flags.includes('r') ? 'Range' : 'Single',
    criterion: flags.includes('s') ? 'StandardDeviation' : 'MaxDeviation',
    separator: flags.includes(',') ? ',' : '.',
  };
  const texts = ['degreeText', 'startText', 'stopText', 'centLimitText'];
  texts.forEach((field, i) => {
    if (fields[i + 1] !== undefined && fields[i + 1] !== '') settings[field] = fields[i + 1];
  });
  return { name, bytes: bytes.subarray(Math.min(end + 1, bytes.length)), settings };
}

// Source tables (".txt") and Scala scales (".scl"), with the run settings
// their seed carries, if any.
function finderInputs() {
  const inputs = filesIn(path.join(root, 'finder/samples'), /\.(txt|scl)$/i).map((f) => ({ ...f, settings: null, sample: true }));
  for (const folder of ['finder', 'finder_run']) {
    for (const f of filesIn(path.join(root, 'fuzz/seeds', folder), /\.txt$/)) {
      inputs.push(withSettings(`seed_${folder}_${f.name}`, f.bytes));
    }
  }
  for (const target of ['finder_source', 'finder_run']) {
    for (const entry of hexLines(path.join(root, `fuzz/seeds/corpus/${target}_fuzzer.hex`))) {
      inputs.push(withSettings(`${target}_${entry.name}.txt`, entry.bytes));
    }
  }
  return inputs;
}

module.exports = { midiInputs, finderInputs, root };
