// The MIDI tool's page in Chromium, driven as its user drives it, on a real
// folder of the browser's origin-private file system; every file it writes is
// compared with what tessaro-cli writes for the same file and settings.
import {test, before, after} from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import {launch, openPage, useFolder, folderFiles, answer, click, run, scratch, samples, tessaroCli} from './browser.mjs';

const sampleNames = ['rast.mid', 'rast_es.mid', 'rast_uzun.mid'];
const sampleFiles = () => sampleNames.map((name) => [name, fs.readFileSync(path.join(samples, name))]);

// What tessaro-cli writes for `command` on `file` ([name, bytes]): the files
// new in its folder afterwards.
function companion(command, [name, bytes], {build = 'Tessaro5Vu', separator = '.'} = {}) {
  const dir = scratch('tessaro-cli-');
  fs.writeFileSync(path.join(dir, name), bytes);
  try {
    run(tessaroCli, ['--build', build, '--decimal-separator', separator, command, name], {cwd: dir});
  } catch (error) {
    // A command that fails for the file still writes what the window writes.
  }
  const out = {};
  for (const file of fs.readdirSync(dir)) if (file !== name) out[file] = fs.readFileSync(path.join(dir, file));
  fs.rmSync(dir, {recursive: true});
  return out;
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

  assert.deepEqual(refused, []);
  assert.deepEqual(errors, []);
  await page.close();
});
