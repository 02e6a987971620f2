// The WebAssembly modules against the native companions, run side by side on
// the same inputs: every file either writes must be the other's byte for byte,
// and every message the same text in the same order. tessaro-cli and
// orvette-cli run the cores' commands as the windows do and print what the
// windows would show, so they are the native side here.
//
// Environment: MT_WEB_MODULES (the folder of midi_module.js and
// finder_module.js), MT_TESSARO_CLI, MT_ORVETTE_CLI, MT_MIDI_SAMPLES (the
// folder of the sample MIDI files the build writes).
'use strict';

const assert = require('node:assert/strict');
const { execFile, spawnSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { test } = require('node:test');
const { midiInputs, finderInputs } = require('./inputs.js');

const env = process.env;
const modules = env.MT_WEB_MODULES;
const missing = ['MT_WEB_MODULES', 'MT_TESSARO_CLI', 'MT_ORVETTE_CLI', 'MT_MIDI_SAMPLES'].filter((name) => !env[name]);
const skip = missing.length ? `not set: ${missing.join(', ')}` : false;

const builds = ['Tessaro5Vu', 'Tessaro5', 'Lumbric5'];
const separators = ['.', ','];

// The files of a native folder, without those named in `inputs`.
function nativeFiles(folder, inputs) {
  const out = new Map();
  for (const name of fs.readdirSync(folder).sort()) {
    if (!inputs.has(name)) out.set(name, fs.readFileSync(path.join(folder, name)));
  }
  return out;
}

function moduleFiles(FS, folder, inputs) {
  const out = new Map();
  for (const name of FS.readdir(folder).sort()) {
    if (name !== '.' && name !== '..' && !inputs.has(name)) out.set(name, Buffer.from(FS.readFile(`${folder}/${name}`)));
  }
  return out;
}

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

// One MIDI command on every file, as tessaro-cli runs it: a fresh tool per
// file, the file loaded as its list entry, then the command. Gives what
// tessaro-cli prints: the messages on standard error, the counts of TEST on
// standard output, each line headed by the file's name.
function midiCommand(M, build, separator, folder, files, command) {
  let stderr = '';
  let stdout = '';
  for (const file of files) {
    const tell = (messages) => {
      for (const message of messages) stderr += `${file}: ${message}\n`;
    };
    const tool = new M.MidiTool(build, folder);
    tool.decimalSeparator = separator;
    const load = tool.LoadImage(file.replace(/\.[^.]*$/, ''), file);
    tell(load.messages);
    if (load.kind === 'Loaded') {
      if (command === 'test') {
        const outcome = tool.TestEt();
        tell(outcome.messages);
        if (!outcome.stop) stdout += `${file}: ${outcome.tickWarnings.length}\n`;
      } else if (command === 'dump') {
        tell(tool.TxtYaz().messages);
        tell(tool.SaveReport().messages);
      } else if (command === 'split') {
        tell(tool.MidiYaz().messages);
      } else {
        tell(tool.cents().messages);
      }
    }
    tool.delete();
  }
  return { stdout, stderr };
}

test('the MIDI module writes and says what tessaro-cli does', { skip }, async (t) => {
  const createMidiModule = require(path.join(modules, 'midi_module.js'));
  const inputs = midiInputs(env.MT_MIDI_SAMPLES);
  const names = new Set(inputs.map((input) => input.name));
  const files = inputs.map((input) => input.name);
  for (const build of builds) {
    for (const separator of separators) {
      await t.test(`${build}, decimal separator "${separator}"`, async () => {
        const M = await createMidiModule();
        const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'midi-identity-'));
        const webFolder = '/w';
        M.FS.mkdir(webFolder);
        for (const input of inputs) {
          fs.writeFileSync(path.join(folder, input.name), input.bytes);
          M.FS.writeFile(`${webFolder}/${input.name}`, input.bytes);
        }
        try {
          for (const command of ['test', 'dump', 'split', 'cents']) {
            const native = spawnSync(
              env.MT_TESSARO_CLI,
              ['--build', build, '--decimal-separator', separator, command, '--', ...files],
              { cwd: folder, encoding: 'utf8', maxBuffer: 1 << 28 },
            );
            assert.equal(native.error, undefined);
            const web = midiCommand(M, build, separator, webFolder, files, command);
            assertSameLines(native.stderr, web.stderr, `${command}: messages`);
            assertSameLines(native.stdout, web.stdout, `${command}: counts`);
          }
          assertSameFiles(nativeFiles(folder, names), moduleFiles(M.FS, webFolder, names), `${build} "${separator}"`);
        } finally {
          fs.rmSync(folder, { recursive: true, force: true });
        }
      });
    }
  }
});

// The settings of a run as orvette-cli's options. A typed text that is not a
// number (the window takes its leading number) keeps the window's initial
// text on both sides, since orvette-cli refuses it.
function runOptions(F, settings, separator) {
  const s = { ...settings };
  for (const field of ['degreeText', 'startText', 'stopText', 'centLimitText']) {
    if (s[field] !== undefined && !F.IsDecimal(s[field], separator)) delete s[field];
  }
  const args = s.span === 'Single' ? ['--single', s.degreeText ?? '53'] : ['--range', s.startText ?? '12', s.stopText ?? '2400'];
  args.push('--criterion', s.criterion === 'StandardDeviation' ? 'std' : 'max');
  if (s.centLimitText !== undefined) args.push('--limit', s.centLimitText);
  return { args, settings: { ...s, decimalSeparator: separator } };
}

// A row of the chart under the header's columns, as orvette-cli prints it.
function rowLine(texts) {
  let line = '';
  const place = (column, text) => {
    line = line.padEnd(Math.max(column, line.length + 1), ' ') + text;
  };
  place(1, texts.step);
  place(6, texts.cent);
  place(16, texts.count);
  place(20, texts.share);
  return line;
}

const kHeader = ' Dgr.   Cents    #   % Dur.';

// The finder's run as orvette-cli makes it with --curve --csv --table --scl:
// what it prints and the files it writes into `folder` of the module's file system.
function finderRun(F, input, options, separator, folder) {
  const said = [];
  let stdout = '';
  const finder = new F.Finder();
  try {
    const read = finder.KaynakOku(input.bytes, input.name);
    if (read.message) return { said: [read.message], stdout, empty: false };
    if (read.records === 0) return { said, stdout, empty: true };
    F.FS.writeFile(`${folder}/table.txt`, finder.SourceTableText());
    const run = finder.Basla(options.settings);
    for (const point of run.curve) stdout += `${point.degree} ${F.ShortForm(point.measure, separator)}\n`;
    if (run.message) said.push(run.message);
    stdout += '\n';
    const found = run.status === 'Found';
    if (found) {
      stdout += `${run.degree}\n${kHeader}\n`;
      for (const row of finder.RowTexts(separator)) stdout += `${rowLine(row)}\n`;
      stdout += '\n';
      for (const line of finder.SummaryLines(separator)) stdout += `${line}\n`;
    }
    if (found || run.status === 'NoneQualified') {
      const printed = finder.Print(folder, separator);
      if (printed.message) said.push(printed.message);
    }
    if (found) F.FS.writeFile(`${folder}/tempered.scl`, finder.TemperedScale('tempered.scl', input.name));
    return { said, stdout, empty: false };
  } finally {
    finder.delete();
  }
}

function orvette(folder, table, args, separator) {
  return new Promise((resolve) => {
    execFile(
      env.MT_ORVETTE_CLI,
      [...args, '--curve', '--csv', '--table', 'table.txt', '--scl', 'tempered.scl', '--', table],
      { cwd: folder, encoding: 'utf8', maxBuffer: 1 << 26, env: { ...env, LC_ALL: separator === ',' ? 'tr_TR.UTF-8' : 'C' } },
      (error, stdout, stderr) => resolve({ code: error ? error.code : 0, stdout, stderr }),
    );
  });
}

// The runs of one table: its seed's settings, or the window's initial ones;
// the bundled samples also by a single degree, by Standard Deviation and over
// every degree.
function runsOf(input) {
  if (input.settings) return [input.settings];
  const runs = [{}];
  if (input.sample) {
    runs.push({ span: 'Single', degreeText: '53' }, { criterion: 'StandardDeviation', centLimitText: '5' });
    runs.push({ span: 'Range', startText: '12', stopText: '2400', centLimitText: '0' });
  }
  return runs;
}

// Both separators for the samples and the seeds; the corpora, hundreds of
// tables, take the one their input names, or one and the other in turn, since
// most of a run's time is the companion's start.
function separatorsOf(input, index) {
  if (input.sample || input.name.startsWith('seed_')) return separators;
  if (input.settings) return [input.settings.separator];
  return [separators[index % 2]];
}

test('the finder module writes and says what orvette-cli does', { skip }, async () => {
  const F = await require(path.join(modules, 'finder_module.js'))();
  const base = fs.mkdtempSync(path.join(os.tmpdir(), 'finder-identity-'));
  const cases = [];
  finderInputs().forEach((input, i) => {
    for (const settings of runsOf(input)) {
      for (const separator of separatorsOf(input, i)) cases.push({ input, settings, separator, id: cases.length });
    }
  });
  const failures = [];
  const check = async ({ input, settings, separator, id }) => {
    const what = `${input.name} ${JSON.stringify(settings)} "${separator}"`;
    const folder = path.join(base, `c${id}`);
    const webFolder = `/c${id}`;
    fs.mkdirSync(folder);
    F.FS.mkdir(webFolder);
    fs.writeFileSync(path.join(folder, input.name), input.bytes);
    const options = runOptions(F, settings, separator);
    const web = finderRun(F, input, options, separator, webFolder);
    const native = await orvette(folder, input.name, options.args, separator);
    try {
      if (web.empty) {
        // orvette-cli refuses a table without records with a text of its own.
        assert.equal(native.stderr.split('\n').length, 2, `${what}: an empty table`);
      } else {
        assertSameLines(native.stderr, web.said.map((m) => `${input.name}: ${m}\n`).join(''), `${what}: messages`);
        assertSameLines(native.stdout, web.stdout, `${what}: the chart and the curve`);
      }
      const names = new Set([input.name]);
      assertSameFiles(nativeFiles(folder, names), moduleFiles(F.FS, webFolder, names), what);
    } catch (error) {
      failures.push(error.message);
    }
    fs.rmSync(folder, { recursive: true, force: true });
  };
  // A few companions at a time: most of their time is starting up.
  const queue = [...cases];
  await Promise.all(
    [1, 2, 3].map(async () => {
      while (queue.length) await check(queue.shift());
    }),
  );
  fs.rmSync(base, { recursive: true, force: true });
  assert.deepEqual(failures, [], `${failures.length} of ${cases.length} runs differ`);
  assert.ok(cases.length > 700, `${cases.length} runs`);
});
