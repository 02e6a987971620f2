// The MIDI tool's page in Chromium, driven as its user drives it, on a real
// folder of the browser's origin-private file system; every file it writes is
// compared with what tessaro-cli writes for the same file and settings.
import {test, before, after} from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import {launch, openPage, useFolder, folderFiles, folderDigests, screenshot, digestsOf, answer, click, run, scratch, samples,
  tessaroCli} from './browser.mjs';
import {packetFile} from './packets.mjs';

const sampleNames = ['rast.mid', 'rast_es.mid', 'rast_uzun.mid'];
const sampleFiles = () => sampleNames.map((name) => [name, fs.readFileSync(path.join(samples, name))]);

// What tessaro-cli writes for `command` on `file` ([name, bytes]): the files
// new in its folder afterwards.
function companion(command, [name, bytes], {build = 'Tessaro5Vu', separator = '.'} = {}) {
  return companionRun(command, [name, bytes], {build, separator}).files;
}

// The same, with the messages the window would show: the companion's lines on
// standard error, less the file's name in front.
function companionRun(command, [name, bytes], {build = 'Tessaro5Vu', separator = '.'} = {}) {
  const dir = scratch('tessaro-cli-');
  fs.writeFileSync(path.join(dir, name), bytes);
  // A command that fails for the file still writes what the window writes.
  const {stderr} = run(tessaroCli, ['--build', build, '--decimal-separator', separator, command, name], {cwd: dir});
  const files = {};
  for (const file of fs.readdirSync(dir)) if (file !== name) files[file] = fs.readFileSync(path.join(dir, file));
  fs.rmSync(dir, {recursive: true});
  const messages = stderr.split('\n').filter((line) => line.startsWith(`${name}: `)).map((l) => l.slice(name.length + 2));
  return {files, messages};
}

const entries = (page) => page.$$eval('[role=option]', (options) => options.map((o) => o.textContent));
const chosen = (page) => page.$$eval('[role=option][aria-selected=true]', (options) => options.map((o) => o.textContent));

let browser;
before(async () => {
  browser = await launch();
});
after(async () => {
  await browser.close();
});

test('the README walkthrough: choose, TEST, to TXT and Start in a picked folder', async () => {
  const {page, refused, errors} = await openPage(browser.browser, 'Tessaro5Vu.html');
  assert.deepEqual(await useFolder(page, 'walk', sampleFiles()), []);
  assert.deepEqual(await entries(page), ['rast', 'rast_es', 'rast_uzun']);
  assert.equal(await page.$eval('#caption', (c) => c.textContent), 'Tessaro5');

  assert.deepEqual(await answer(page, () => click(page, 'option', 'rast_es')), []);
  assert.deepEqual(await answer(page, () => click(page, 'button', 'TEST')), ['Çok büyük Tick ! !']);
  assert.deepEqual(await answer(page, () => click(page, 'option', 'rast')), []);
  assert.deepEqual(await answer(page, () => click(page, 'button', 'TEST')), []);
  // The arrow keys choose, and so load, as a click does.
  await answer(page, () => click(page, 'option', 'rast'));
  await answer(page, () => page.keyboard.press('ArrowDown'));
  assert.deepEqual(await chosen(page), ['rast_es']);
  assert.deepEqual(await answer(page, () => click(page, 'button', 'TEST')), ['Çok büyük Tick ! !']);
  await answer(page, () => click(page, 'option', 'rast'));

  assert.deepEqual(await answer(page, () => click(page, 'button', 'to TXT')), []);
  const report = companion('dump', sampleFiles()[0]);
  assert.deepEqual(Object.keys(report), ['rast.txt']);
  assert.ok((await folderFiles(page, ['rast.txt']))['rast.txt'].equals(report['rast.txt']));

  assert.deepEqual(await answer(page, () => click(page, 'option', 'rast_uzun')), []);
  assert.deepEqual(await answer(page, () => click(page, 'button', 'Start')), []);
  const split = companion('split', sampleFiles()[2]);
  const written = await folderFiles(page, Object.keys(split));
  for (const [name, bytes] of Object.entries(split)) assert.ok(written[name].equals(bytes), name);
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
  const report = companion('dump', sampleFiles()[0], {build: 'Tessaro5'});
  assert.ok((await folderFiles(page, ['rast.txt']))['rast.txt'].equals(report['rast.txt']));
  await page.close();

  const lumbric = (await openPage(browser.browser, 'Tessaro5Vu.html', {query: '?build=Lumbric5'})).page;
  await useFolder(lumbric, 'lumbric5', sampleFiles());
  assert.equal(await lumbric.$eval('#caption', (c) => c.textContent), 'Lumbric sürüm 5');
  assert.deepEqual(await lumbric.$$eval('button', (b) => b.filter((e) => e.offsetParent).map((e) => e.textContent))
      .then((names) => names.filter((n) => ['Start', 'TEST', 'to TXT'].includes(n))), ['Start']);
  assert.deepEqual(await answer(lumbric, () => click(lumbric, 'button', 'Start')), ['Bir dosya seçin.']);
  await answer(lumbric, () => click(lumbric, 'option', 'rast'));
  assert.deepEqual(await answer(lumbric, () => click(lumbric, 'button', 'Start')), []);
  const split = companion('split', sampleFiles()[0], {build: 'Lumbric5'});
  const written = await folderFiles(lumbric, Object.keys(split));
  for (const [name, bytes] of Object.entries(split)) assert.ok(written[name].equals(bytes), name);
  await lumbric.close();
});

test('without a folder: chosen files, and every file written comes as a download', async () => {
  const downloads = scratch('downloads-');
  const {page} = await openPage(browser.browser, 'Tessaro5Vu.html', {downloads});
  await answer(page, () => page.evaluate((files) => window.pageTest.useFiles(files.map(([name, base64]) =>
    new File([Uint8Array.from(atob(base64), (c) => c.charCodeAt(0))], name))),
  sampleFiles().map(([name, bytes]) => [name, bytes.toString('base64')])));
  await answer(page, () => click(page, 'option', 'rast'));
  assert.deepEqual(await answer(page, () => click(page, 'button', 'to TXT')), []);
  await answer(page, () => click(page, 'button', 'Start'));
  const wanted = {...companion('dump', sampleFiles()[0]), ...companion('split', sampleFiles()[0])};
  for (let i = 0; i < 200 && Object.keys(wanted).some((n) => !fs.existsSync(path.join(downloads, n))); ++i) {
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
  for (const [name, bytes] of Object.entries(wanted)) {
    assert.ok(fs.readFileSync(path.join(downloads, name)).equals(bytes), name);
  }
  assert.deepEqual(await entries(page), ['rast', 'rast_13', 'rast_24', 'rast_es', 'rast_uzun']);
  fs.rmSync(downloads, {recursive: true});
  await page.close();
});

test('under Turkish settings the report writes cents with a comma', async () => {
  const turkish = await launch({language: 'tr-TR'});
  const {page} = await openPage(turkish.browser, 'Tessaro5Vu.html');
  await useFolder(page, 'turkish', sampleFiles());
  await answer(page, () => click(page, 'option', 'rast'));
  await answer(page, () => click(page, 'button', 'to TXT'));
  const report = companion('dump', sampleFiles()[0], {separator: ','});
  assert.ok((await folderFiles(page, ['rast.txt']))['rast.txt'].equals(report['rast.txt']));
  await turkish.close();
});

// Bad input: the page says what the window says, and writes what it writes.
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
    const load = await answer(page, () => click(page, 'option', 'a'));
    const empty = row.file[1].length === 0;
    assert.deepEqual(load, empty ? ['Dosya boş: a.mid'] : []);
    for (const command of row.commands) {
      const said = await answer(page, () => click(page, 'button', command));
      if (empty) {
        assert.deepEqual(said, ['Bir dosya seçin.'], command);  // nothing was loaded
        continue;
      }
      const cli = {TEST: 'test', 'to TXT': 'dump', Start: 'split'}[command];
      const want = companionRun(cli, row.file);
      assert.deepEqual(said, want.messages, command);
      const written = await folderFiles(page, Object.keys(want.files));
      for (const [name, bytes] of Object.entries(want.files)) assert.ok(written[name]?.equals(bytes), name);
    }
    const left = Object.keys(await folderFiles(page)).sort();
    if (empty) assert.deepEqual(left, ['a.mid', 'b.mid']);
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
  const want = {...companion('dump', big), ...companion('split', big)};
  const got = await folderDigests(page, Object.keys(want));
  for (const [name, bytes] of Object.entries(want)) assert.deepEqual(got[name], digestsOf(bytes), name);
  assert.deepEqual(errors, []);
  await page.close();
});

test('leaving the page during Start writes nothing', async (t) => {
  const big = ['uzun.mid', packetFile(8 << 20)];
  const {page} = await openPage(browser.browser, 'Tessaro5Vu.html');
  await useFolder(page, 'left', [big]);
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
  const names = await again.evaluate(async () => {
    const dir = await (await navigator.storage.getDirectory()).getDirectoryHandle('left');
    const names = [];
    for await (const name of dir.keys()) names.push(name);
    return names;
  });
  assert.deepEqual(names, ['uzun.mid']);
  await again.close();
});
