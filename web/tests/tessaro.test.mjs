// The MIDI tool's page in Chromium, driven as its user drives it, on a real
// folder of the browser's origin-private file system; every file it writes is
// compared with what tessaro-cli writes for the same file and settings.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import {sharedBrowser, launch, openPage, useFolder, useFiles, folderNames, assertWritten, assertDownloaded, screenshot,
  answer, click, companion, scratch, samples, tessaroCli} from './browser.mjs';
import {packetFile} from './packets.mjs';

const sampleFiles = () => ['rast.mid', 'rast_es.mid', 'rast_uzun.mid'].map((n) => [n, fs.readFileSync(path.join(samples, n))]);

// What tessaro-cli writes for `command` on `file` ([name, bytes]), and the
// messages the window would show: its lines on standard error, less the file's
// name in front. A command that fails for the file still writes what the window writes.
function tessaro(command, file, {build = 'Tessaro5Vu', separator = '.'} = {}) {
  const {files, stderr} = companion(tessaroCli, file, ['--build', build, '--decimal-separator', separator, command, file[0]]);
  const head = `${file[0]}: `;
  return {files, messages: stderr.split('\n').filter((l) => l.startsWith(head)).map((l) => l.slice(head.length))};
}
const written = (command, file, options) => tessaro(command, file, options).files;

const entries = (page) => page.$$eval('[role=option]', (options) => options.map((o) => o.textContent));
const chosen = (page) => page.$$eval('[role=option][aria-selected=true]', (options) => options.map((o) => o.textContent));
const browser = sharedBrowser();

test('the README walkthrough: choose, TEST, to TXT and Start in a picked folder', async () => {
  const {page, refused, errors} = await openPage(browser.browser, 'Tessaro5Vu.html');
  assert.deepEqual(await useFolder(page, 'walk', sampleFiles()), []);
  assert.deepEqual(await entries(page), ['rast', 'rast_es', 'rast_uzun']);
  assert.equal(await page.$eval('#caption', (c) => c.textContent), 'Tessaro5');

  assert.deepEqual(await answer(page, () => click(page, 'option', 'rast_es')), []);
  assert.deepEqual(await answer(page, () => click(page, 'button', 'TEST')), ['Çok büyük Tick ! !']);
  assert.deepEqual(await answer(page, () => click(page, 'option', 'rast')), []);
  assert.deepEqual(await answer(page, () => click(page, 'button', 'TEST')), []);
  // The arrow keys of the focused list choose, and so load, as a click does.
  await answer(page, () => click(page, 'option', 'rast'));
  await answer(page, () => page.keyboard.press('ArrowDown'));
  assert.deepEqual(await chosen(page), ['rast_es']);
  assert.deepEqual(await answer(page, () => click(page, 'button', 'TEST')), ['Çok büyük Tick ! !']);
  await answer(page, () => click(page, 'option', 'rast'));

  assert.deepEqual(await answer(page, () => click(page, 'button', 'to TXT')), []);
  const report = written('dump', sampleFiles()[0]);
  assert.deepEqual(Object.keys(report), ['rast.txt']);
  await assertWritten(page, report);

  assert.deepEqual(await answer(page, () => click(page, 'option', 'rast_uzun')), []);
  assert.deepEqual(await answer(page, () => click(page, 'button', 'Start')), []);
  await assertWritten(page, written('split', sampleFiles()[2]));
  assert.deepEqual(await entries(page), ['rast', 'rast_es', 'rast_uzun', 'rast_uzun_13', 'rast_uzun_24']);
  assert.deepEqual(await chosen(page), ['rast_uzun']);
  await screenshot(page, 'tessaro5vu-page');

  assert.deepEqual(refused, []);
  assert.deepEqual(errors, []);
  await page.close();
});

test('the earlier builds: Tessaro5 has TEST above to TXT, Lumbric5 Start alone and loads on Start', async () => {
  const {page} = await openPage(browser.browser, 'Tessaro5Vu.html', {query: '?build=Tessaro5'});
  await useFolder(page, 'tessaro5', sampleFiles());
  assert.equal(await page.$eval('#caption', (c) => c.textContent), 'Tessaro5');
  const places = await page.$$eval('button', (b) => Object.fromEntries(b.filter((e) => e.offsetParent)
      .map((e) => [e.textContent, [e.offsetLeft, e.offsetTop, e.offsetWidth, e.offsetHeight]])));
  assert.deepEqual(places.TEST, [248, 400, 113, 29]);
  assert.deepEqual(places['to TXT'], [248, 432, 113, 33]);
  assert.deepEqual(await answer(page, () => click(page, 'button', 'to TXT')), ['Bir dosya seçin.']);
  await answer(page, () => click(page, 'option', 'rast'));
  assert.deepEqual(await answer(page, () => click(page, 'button', 'to TXT')), []);
  await assertWritten(page, written('dump', sampleFiles()[0], {build: 'Tessaro5'}));
  await page.close();

  const lumbric = (await openPage(browser.browser, 'Tessaro5Vu.html', {query: '?build=Lumbric5'})).page;
  await useFolder(lumbric, 'lumbric5', sampleFiles());
  assert.equal(await lumbric.$eval('#caption', (c) => c.textContent), 'Lumbric sürüm 5');
  const shown = await lumbric.$$eval('button', (b) => b.filter((e) => e.offsetParent).map((e) => e.textContent));
  assert.deepEqual(shown.filter((n) => ['Start', 'TEST', 'to TXT'].includes(n)), ['Start']);
  assert.deepEqual(await answer(lumbric, () => click(lumbric, 'button', 'Start')), ['Bir dosya seçin.']);
  await answer(lumbric, () => click(lumbric, 'option', 'rast'));
  assert.deepEqual(await answer(lumbric, () => click(lumbric, 'button', 'Start')), []);
  await assertWritten(lumbric, written('split', sampleFiles()[0], {build: 'Lumbric5'}));
  await lumbric.close();
});

test('without a folder, under Turkish settings: every file written comes as a download, cents with a comma', async () => {
  const turkish = await launch({language: 'tr-TR'});
  const downloads = scratch('downloads-');
  const {page} = await openPage(turkish.browser, 'Tessaro5Vu.html', {downloads});
  await useFiles(page, sampleFiles());
  await answer(page, () => click(page, 'option', 'rast'));
  assert.deepEqual(await answer(page, () => click(page, 'button', 'to TXT')), []);
  await answer(page, () => click(page, 'button', 'Start'));
  const comma = {separator: ','};
  await assertDownloaded(downloads, {...written('dump', sampleFiles()[0], comma), ...written('split', sampleFiles()[0], comma)});
  assert.deepEqual(await entries(page), ['rast', 'rast_13', 'rast_24', 'rast_es', 'rast_uzun']);
  fs.rmSync(downloads, {recursive: true});
  await turkish.close();
});

// Bad input: the page says what the window says, writes what it writes, and
// leaves nothing else in the folder.
const rast = () => fs.readFileSync(path.join(samples, 'rast.mid'));
const badInputs = [
  {name: 'an empty file is refused and writes nothing', file: ['a.mid', Buffer.alloc(0)], commands: ['TEST', 'to TXT', 'Start']},
  {name: 'a file cut inside its header', file: ['a.mid', rast().subarray(0, 14)], commands: ['TEST', 'to TXT', 'Start']},
  {name: 'a file cut inside an event', file: ['a.mid', rast().subarray(0, 100)], commands: ['TEST', 'to TXT', 'Start']},
  {name: 'a file without packets', file: ['a.mid', rast().subarray(0, 30)], commands: ['Start']},
];
for (const row of badInputs) {
  test(`bad input: ${row.name}`, async () => {
    const {page, errors} = await openPage(browser.browser, 'Tessaro5Vu.html');
    await useFolder(page, 'bad', [row.file, ['b.mid', rast()]]);
    const empty = row.file[1].length === 0;
    assert.deepEqual(await answer(page, () => click(page, 'option', 'a')), empty ? ['Dosya boş: a.mid'] : []);
    const left = ['a.mid', 'b.mid'];
    for (const command of row.commands) {
      const said = await answer(page, () => click(page, 'button', command));
      if (empty) {
        assert.deepEqual(said, ['Bir dosya seçin.'], command);  // nothing was loaded
        continue;
      }
      const want = tessaro({TEST: 'test', 'to TXT': 'dump', Start: 'split'}[command], row.file);
      assert.deepEqual(said, want.messages, command);
      await assertWritten(page, want.files);
      left.push(...Object.keys(want.files));
    }
    assert.deepEqual(await folderNames(page, 'bad'), [...new Set(left)].sort());
    assert.deepEqual(errors, []);
    await page.close();
  });
}

test('bad input: a file gone since the list was read, and a folder without MIDI files', async () => {
  const {page} = await openPage(browser.browser, 'Tessaro5Vu.html');
  await useFolder(page, 'gone', [['a.mid', rast()], ['b.mid', rast()]]);
  await page.evaluate(() => window.testFolder.removeEntry('a.mid'));
  assert.deepEqual(await answer(page, () => click(page, 'option', 'a')), ['Dosya okunamadı: a.mid']);
  assert.deepEqual(await useFolder(page, 'none', [['notlar.txt', Buffer.from('x')]]),
      ['midi dosyalarınızı uygulama klasörüne taşıyın.']);
  assert.equal(await page.$eval('#Frame_MID', (f) => f.hidden), true);
  await page.close();
});

test('a 16 MB file is reported and split in the page', {timeout: 300000}, async () => {
  const big = ['gross.mid', packetFile(16 << 20)];
  const {page, errors} = await openPage(browser.browser, 'Tessaro5Vu.html');
  await useFolder(page, 'big', [big]);
  assert.deepEqual(await answer(page, () => click(page, 'option', 'gross')), []);
  assert.deepEqual(await answer(page, () => click(page, 'button', 'to TXT')), []);
  assert.deepEqual(await answer(page, () => click(page, 'button', 'Start')), []);
  await assertWritten(page, {...written('dump', big), ...written('split', big)});
  assert.deepEqual(errors, []);
  await page.close();
});

test('leaving the page during Start writes nothing', async (t) => {
  const {page} = await openPage(browser.browser, 'Tessaro5Vu.html');
  await useFolder(page, 'left', [['uzun.mid', packetFile(8 << 20)]]);
  await answer(page, () => click(page, 'option', 'uzun'));
  await click(page, 'button', 'Start');
  // Once the zipper has begun to open, the split is under way.
  const stillSplitting = await page.evaluate(async () => {
    while (window.pageTest.meterRow() === 236) await new Promise((resolve) => setTimeout(resolve, 1));
    return window.pageTest.busy();
  });
  await page.close();
  if (!stillSplitting) {
    t.skip('the split ended before the page could be left');
    return;
  }
  const again = (await openPage(browser.browser, 'Tessaro5Vu.html')).page;
  assert.deepEqual(await folderNames(again, 'left'), ['uzun.mid']);
  await again.close();
});
