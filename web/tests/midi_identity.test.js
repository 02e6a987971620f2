// The MIDI module against tessaro-cli, run side by side on the same inputs:
// every file either writes must be the other's byte for byte, and every
// message the same text in the same order. tessaro-cli runs the core's
// commands as the window does and prints what the window would show.
//
// Environment: MT_WEB_MODULES (the folder of midi_module.js and
// finder_module.js), MT_TESSARO_CLI, MT_ORVETTE_CLI, MT_MIDI_SAMPLES (the
// folder of the sample MIDI files the build writes).
'use strict';

const assert = require('node:assert/strict');
const { spawnSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { test } = require('node:test');
const { env, skip, separators, nativeFiles, moduleFiles, assertSameFiles, assertSameLines } = require('./compare.js');
const { midiInputs } = require('./inputs.js');

const builds = ['Tessaro5Vu', 'Tessaro5', 'Lumbric5'];

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
  const createMidiModule = require(path.join(env.MT_WEB_MODULES, 'midi_module.js'));
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
