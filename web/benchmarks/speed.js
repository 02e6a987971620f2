// The modules under Node against the native companions on the same machine in
// the same run: to TXT of a 1 MB packet file, and the finder's search over
// every degree from 12 to 2400 on 32,767 pitches. Each is timed three times and
// the best kept; the companions' times include their start (a few tens of ms).
//
//   node web/benchmarks/speed.js   (after scripts/test, or with the paths set as the identity test takes them)
'use strict';

const { spawnSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const root = path.resolve(__dirname, '..', '..');
const env = process.env;
const modules = env.MT_WEB_MODULES || path.join(root, 'build-web/web');
const tessaro = env.MT_TESSARO_CLI || path.join(root, 'build/midi/cli/tessaro-cli');
const orvette = env.MT_ORVETTE_CLI || path.join(root, 'build/finder/cli/orvette-cli');

// A melody of packets (bend, note on, note off) a little over 1 MB long.
function packetFile(bytes) {
  const events = [0x00, 0xff, 0x51, 0x03, 0x07, 0xa1, 0x20];
  for (let i = 0; events.length < bytes - 30; ++i) {
    const bend = 8192 + ((i * 397) % 4096) - 2048;
    const key = 48 + ((i * 7) % 24);
    events.push(0x00, 0xe0, bend & 0x7f, bend >> 7, 0x00, 0x90, key, 0x50, 0x60, 0x80, key, 0x40);
  }
  events.push(0x00, 0xff, 0x2f, 0x00);
  const header = [0x4d, 0x54, 0x68, 0x64, 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xe0];
  const n = events.length;
  const track = [0x4d, 0x54, 0x72, 0x6b, (n >>> 24) & 0xff, (n >>> 16) & 0xff, (n >>> 8) & 0xff, n & 0xff];
  return Buffer.from([...header, ...track, ...events]);
}

// 32,767 pitches with durations, one a line.
function pitchTable(count) {
  let text = '';
  let seed = 24;
  for (let i = 0; i < count; ++i) {
    seed = (seed * 1103515245 + 12345) % 2147483648;
    text += `${((seed % 1200000) / 1000).toFixed(3)},${1 + (i % 4)}\r\n`;
  }
  return Buffer.from(text, 'latin1');
}

function best(times) {
  return Math.min(...times);
}

function timeNative(program, args, cwd, extraEnv = {}) {
  const times = [];
  for (let i = 0; i < 3; ++i) {
    const start = process.hrtime.bigint();
    const run = spawnSync(program, args, { cwd, env: { ...env, ...extraEnv }, encoding: 'latin1' });
    times.push(Number(process.hrtime.bigint() - start) / 1e6);
    if (run.error) throw run.error;
  }
  return best(times);
}

function timeModule(work) {
  const times = [];
  for (let i = 0; i < 3; ++i) {
    const start = process.hrtime.bigint();
    work();
    times.push(Number(process.hrtime.bigint() - start) / 1e6);
  }
  return best(times);
}

function report(what, native, web) {
  console.log(`${what}: native ${native.toFixed(0)} ms, WebAssembly ${web.toFixed(0)} ms, ratio ${(web / native).toFixed(2)}`);
}

async function main() {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'speed-'));
  try {
    const midi = packetFile(1 << 20);
    fs.writeFileSync(path.join(folder, 'paket.mid'), midi);
    const M = await require(path.join(modules, 'midi_module.js'))();
    M.FS.mkdir('/w');
    M.FS.writeFile('/w/paket.mid', midi);
    const nativeTxt = timeNative(tessaro, ['--decimal-separator', '.', 'dump', 'paket.mid'], folder);
    const webTxt = timeModule(() => {
      const tool = new M.MidiTool('Tessaro5Vu', '/w');
      tool.LoadImage('paket');
      tool.TxtYaz();
      if (!tool.SaveReport().written) throw new Error('the report was not written');
      tool.delete();
    });
    const size = fs.statSync(path.join(folder, 'paket.txt')).size;
    if (M.FS.stat('/w/paket.txt').size !== size) throw new Error('the reports differ in length');
    report(`to TXT of ${midi.length} bytes (report ${size} bytes)`, nativeTxt, webTxt);

    const table = pitchTable(32767);
    fs.writeFileSync(path.join(folder, 'perde.txt'), table);
    const F = await require(path.join(modules, 'finder_module.js'))();
    const nativeRun = timeNative(orvette, ['--range', '12', '2400', '--limit', '0', 'perde.txt'], folder, { LC_ALL: 'C' });
    const webRun = timeModule(() => {
      const finder = new F.Finder();
      finder.KaynakOku(table, 'perde.txt');
      const run = finder.Basla({ span: 'Range', startText: '12', stopText: '2400', centLimitText: '0' });
      if (run.curve.length !== 2389) throw new Error(`${run.curve.length} degrees tried`);
      finder.delete();
    });
    report('search of degrees 12 to 2400 on 32767 pitches', nativeRun, webRun);
  } finally {
    fs.rmSync(folder, { recursive: true, force: true });
  }
}

main();
