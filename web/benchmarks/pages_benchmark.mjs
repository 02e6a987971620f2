// Times the pages in headless Chromium beside the native companions, on the
// same machine in the same run: to TXT of a 1 MB file of packets, and the
// finder's run over every degree from 12 to 2400 on 32,767 random pitches
// (the cent limit 0, so that no degree qualifies). Each figure is the median
// of five runs, from the click to the page's last message or file.
//
//   node web/benchmarks/pages_benchmark.mjs     (after scripts/web and a Release build)
import fs from 'node:fs';
import path from 'node:path';
import {launch, openPage, useFolder, answer, click, run, scratch, tessaroCli, orvetteCli} from '../tests/browser.mjs';
import {packetFile} from '../tests/packets.mjs';

const kRuns = 5;

function median(times) {
  const sorted = [...times].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

async function timed(action) {
  const start = process.hrtime.bigint();
  await action();
  return Number(process.hrtime.bigint() - start) / 1e6;
}

// A table of 32,767 pitches, reproducible: a linear congruential sequence.
function randomTable() {
  let seed = 12345;
  const next = () => (seed = (seed * 1103515245 + 12345) % 2147483648) / 2147483648;
  const lines = [];
  for (let i = 0; i < 32767; ++i) lines.push(`${(next() * 1200).toFixed(3)},${1 + Math.floor(next() * 8)}\r\n`);
  return Buffer.from(lines.join(''));
}

function native(program, args, file) {
  const dir = scratch('bench-');
  fs.writeFileSync(path.join(dir, file[0]), file[1]);
  const times = [];
  for (let i = 0; i < kRuns; ++i) times.push(timedSync(() => run(program, args, {cwd: dir})));
  fs.rmSync(dir, {recursive: true});
  return median(times);
}

function timedSync(action) {
  const start = process.hrtime.bigint();
  action();
  return Number(process.hrtime.bigint() - start) / 1e6;
}

const browser = await launch();
const figures = [];

{
  const file = ['paket.mid', packetFile(1 << 20)];
  const {page} = await openPage(browser.browser, 'Tessaro5Vu.html');
  await useFolder(page, 'bench', [file]);
  await answer(page, () => click(page, 'option', 'paket'));
  const times = [];
  for (let i = 0; i < kRuns; ++i) times.push(await timed(() => answer(page, () => click(page, 'button', 'to TXT'))));
  figures.push(['to TXT, 1 MB of packets', median(times), native(tessaroCli, ['--decimal-separator', '.', 'dump', file[0]], file)]);
  await page.close();
}

{
  const file = ['rastgele.txt', randomTable()];
  const {page} = await openPage(browser.browser, 'Orvette101A.html');
  await useFolder(page, 'bench', [file]);
  await click(page, 'menuitem', 'File');
  await click(page, 'menuitem', 'Open');
  await answer(page, () => click(page, 'option', 'rastgele.txt'));
  const times = [];
  for (let i = 0; i < kRuns; ++i) {
    await click(page, 'menuitem', 'Critera');
    const box = page.locator('::-p-aria([name="Cent Limit"][role="textbox"])');
    await box.click({count: 3});
    await page.keyboard.type('0');
    times.push(await timed(() => answer(page, () => click(page, 'menuitem', 'Run'))));
  }
  figures.push(['Run, 12 to 2400 on 32,767 pitches', median(times),
    native(orvetteCli, [file[0], '--limit', '0'], file)]);
  await page.close();
}

await browser.close();
console.log('| What | Page (Chromium) | Native companion | Ratio |');
console.log('|---|---|---|---|');
for (const [what, page, nativeTime] of figures) {
  console.log(`| ${what} | ${page.toFixed(0)} ms | ${nativeTime.toFixed(0)} ms | ${(page / nativeTime).toFixed(1)} |`);
}
