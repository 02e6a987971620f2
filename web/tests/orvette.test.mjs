// The finder's page in Chromium, driven through its menus as its user drives
// it, on a real folder of the browser's origin-private file system; what it
// prints is compared with what orvette-cli writes, and its chart with the
// window's picture of the worked example.
import {test} from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import {sharedBrowser, launch, openPage, useFolder, useFiles, assertWritten, assertDownloaded, answer, screenshot, click,
  companion, scratch, root, finderSamples, orvetteCli} from './browser.mjs';

const tables = () => fs.readdirSync(finderSamples).filter((n) => n.endsWith('.txt'))
    .map((name) => [name, fs.readFileSync(path.join(finderSamples, name))]);

// The sonuc.csv that orvette-cli writes for `table` with `args`, under `lang`;
// when no degree is found it holds the two heading lines all the same.
const csv = (table, args, lang = 'C') =>
  ({'sonuc.csv': companion(orvetteCli, table, [table[0], ...args, '--csv'], {...process.env, LANG: lang, LC_ALL: lang})
      .files['sonuc.csv']});

async function menu(page, name) {
  if (name === 'Open' || name === 'Exit') await click(page, 'menuitem', 'File');
  await click(page, 'menuitem', name);
}

// Types `text` into the text box labelled `label`, replacing what it held.
async function type(page, label, text) {
  const box = page.locator(`::-p-aria([name="${label}"][role="textbox"])`);
  await box.click({count: 3});
  await page.keyboard.press('Backspace');
  await page.keyboard.type(text);
}

const browser = sharedBrowser();

test('the README walkthrough: open, choose, run, print', async () => {
  const {page, refused, errors} = await openPage(browser.browser, 'Orvette101A.html');
  await useFolder(page, 'walk', tables());
  assert.deepEqual(await answer(page, () => menu(page, 'Print')), ['Önce çalıştırın.']);
  assert.deepEqual(await answer(page, () => menu(page, 'Run')), ['Bir dosya seçin.']);
  assert.deepEqual(await answer(page, () => menu(page, 'Open')), []);
  assert.deepEqual(await page.$$eval('#File1 [role=option]', (o) => o.map((e) => e.textContent)),
      ['kaymis_major.txt', 'pisagor.txt', 'rast.txt', 'saf_major.txt']);
  assert.deepEqual(await answer(page, () => click(page, 'option', 'saf_major.txt')), []);
  assert.deepEqual(await answer(page, () => menu(page, 'Run')), []);
  assert.equal(await page.$eval('#File1', (e) => e.hidden), true);
  await screenshot(page, 'orvette101a-page');
  assert.deepEqual(await answer(page, () => menu(page, 'Print')), []);
  await assertWritten(page, csv(tables()[3], []));

  // Standard Deviation within 5 cents finds 34.
  assert.deepEqual(await answer(page, () => menu(page, 'Critera')), []);
  await click(page, 'radio', 'Standard Deviation');
  await type(page, 'Cent Limit', '5');
  assert.deepEqual(await answer(page, () => menu(page, 'Run')), []);
  assert.deepEqual(await answer(page, () => menu(page, 'Print')), []);
  await assertWritten(page, csv(tables()[3], ['--criterion', 'std', '--limit', '5']));

  // The arrow keys read every table passed over: pisagor.txt within 2 cents finds 41.
  await answer(page, () => menu(page, 'Open'));
  await answer(page, () => page.keyboard.press('ArrowUp'));
  await answer(page, () => page.keyboard.press('ArrowUp'));
  await menu(page, 'Critera');
  await click(page, 'radio', 'Maximum Deviation');
  await type(page, 'Cent Limit', '2');
  assert.deepEqual(await answer(page, () => menu(page, 'Run')), []);
  assert.deepEqual(await answer(page, () => menu(page, 'Print')), []);
  await assertWritten(page, csv(tables()[1], ['--limit', '2']));

  // kaymis_major.txt, Single 12 under Standard Deviation within 1 cent.
  await answer(page, () => menu(page, 'Open'));
  assert.deepEqual(await answer(page, () => click(page, 'option', 'kaymis_major.txt')), []);
  await menu(page, 'Temperemants');
  await click(page, 'radio', 'Single');
  await type(page, 'Degree', '12');
  await menu(page, 'Critera');
  await click(page, 'radio', 'Standard Deviation');
  await type(page, 'Cent Limit', '1');
  assert.deepEqual(await answer(page, () => menu(page, 'Run')), ['12 eşit temperaman kriterleri sağlamadı.']);

  assert.deepEqual(refused, []);
  assert.deepEqual(errors, []);
  await page.close();
});

// Reads the canvas and the window's picture of the same chart in the page:
// pixels that differ outside the cells of texts fail the test; inside them the
// glyphs may differ in their smoothing only, so each text's ink (its pixels
// darker than white) must be within a factor of two of the picture's.
test('the worked example draws the window\'s chart', async () => {
  const {page} = await openPage(browser.browser, 'Orvette101A.html');
  await useFolder(page, 'chart', [['uc_perde.txt', Buffer.from('0,2\r\n386,1\r\n702,1\r\n')]]);
  await page.evaluate(() => {
    window.textCells = [];
    const canvas = window.pageTest.canvas;
    const text = canvas.Text.bind(canvas);
    canvas.Text = (x, y, colour, t) => {
      window.textCells.push([x, y, [...t].length * 8, 13]);
      text(x, y, colour, t);
    };
  });
  await answer(page, () => menu(page, 'Open'));
  await answer(page, () => click(page, 'option', 'uc_perde.txt'));
  await menu(page, 'Temperemants');
  await click(page, 'radio', 'Single');
  await type(page, 'Degree', '12');
  await menu(page, 'Critera');
  await type(page, 'Cent Limit', '11');
  assert.deepEqual(await answer(page, () => menu(page, 'Run')), []);
  const golden = fs.readFileSync(path.join(root, 'finder/app/tests/golden/three_pitches.png')).toString('base64');
  const result = await page.evaluate(async (golden) => {
    const image = new Image();
    image.src = `data:image/png;base64,${golden}`;
    await image.decode();
    const work = document.createElement('canvas');
    work.width = image.width;
    work.height = image.height;
    const context = work.getContext('2d');
    context.drawImage(image, 0, 0);
    const want = context.getImageData(0, 0, work.width, work.height).data;
    const chart = document.getElementById('chart');
    const got = chart.getContext('2d').getImageData(0, 0, chart.width, chart.height).data;
    const inText = (x, y) => window.textCells.some(([l, t, w, h]) => x >= l && x < l + w && y >= t - 1 && y < t + h + 2);
    let inside = 0;
    const outside = [];
    for (let y = 0; y < chart.height; ++y) {
      for (let x = 0; x < chart.width; ++x) {
        const i = 4 * (y * chart.width + x);
        if (got[i] === want[i] && got[i + 1] === want[i + 1] && got[i + 2] === want[i + 2]) continue;
        if (inText(x, y)) ++inside;
        else if (outside.length < 5) outside.push([x, y, [...got.slice(i, i + 3)], [...want.slice(i, i + 3)]]);
      }
    }
    const ink = (data, [l, t, w, h]) => {
      let sum = 0;
      for (let y = t; y < t + h && y < chart.height; ++y) {
        for (let x = Math.max(l, 0); x < l + w && x < chart.width; ++x) {
          const i = 4 * (y * chart.width + x);
          sum += 765 - data[i] - data[i + 1] - data[i + 2];
        }
      }
      return sum;
    };
    const inkRatios = window.textCells.map((cell) => (ink(got, cell) + 1) / (ink(want, cell) + 1));
    return {size: [work.width, work.height], outside, inside, inkRatios, texts: window.textCells.length};
  }, golden);
  assert.deepEqual(result.size, [1200, 545]);
  assert.deepEqual(result.outside, []);
  for (const ratio of result.inkRatios) assert.ok(ratio > 0.5 && ratio < 2, `ink ratio ${ratio}`);
  console.log(`# chart: ${result.texts} texts, ${result.inside} pixels differ inside their cells, none outside`);
  await page.close();
});

test('without a folder, under Turkish settings: sonuc.csv comes as a download with a comma, and a typed comma is a decimal point', async () => {
  const turkish = await launch({language: 'tr-TR'});
  const downloads = scratch('downloads-');
  const {page} = await openPage(turkish.browser, 'Orvette101A.html', {downloads});
  await useFiles(page, tables());
  await answer(page, () => menu(page, 'Open'));
  await answer(page, () => click(page, 'option', 'saf_major.txt'));
  await menu(page, 'Critera');
  await type(page, 'Cent Limit', '1,5');
  assert.deepEqual(await answer(page, () => menu(page, 'Run')), []);
  assert.deepEqual(await answer(page, () => menu(page, 'Print')), []);
  const want = csv(tables()[3], ['--limit', '1,5'], 'tr_TR.UTF-8');
  assert.match(want['sonuc.csv'].toString('latin1'), /0,50000/);
  await assertDownloaded(downloads, want);
  fs.rmSync(downloads, {recursive: true});
  await turkish.close();
});

test('a pitch above the octave closes the finder until the page is opened anew', async () => {
  const {page} = await openPage(browser.browser, 'Orvette101A.html');
  await useFolder(page, 'octave', [['a.txt', Buffer.from('0,1\r\n1250,1\r\n')], ['b.txt', tables()[3][1]]]);
  await answer(page, () => menu(page, 'Open'));
  assert.deepEqual(await answer(page, () => click(page, 'option', 'a.txt')),
      ['oktav dışında Cent bulundu, akış durudurulacak.']);
  assert.equal(await page.$eval('#Form1', (e) => e.hidden), true);
  assert.equal(await page.$eval('#closed', (e) => e.hidden), false);
  await page.close();
});
