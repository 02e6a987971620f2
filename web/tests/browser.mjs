// Drives the built pages in Debian's Chromium, headless, with the network off:
// every request that is not for the page itself (file:, data:, blob:) is
// refused and kept, so a test can show that none was made.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {fileURLToPath, pathToFileURL} from 'node:url';
import {spawnSync} from 'node:child_process';
import crypto from 'node:crypto';
import assert from 'node:assert/strict';
import {before, after} from 'node:test';
import puppeteer from 'puppeteer-core';

export const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
export const pages = path.join(root, 'build/web');
export const tessaroCli = path.join(root, 'build/midi/cli/tessaro-cli');
export const orvetteCli = path.join(root, 'build/finder/cli/orvette-cli');
export const samples = path.join(root, 'build/midiapp/samples');
export const finderSamples = path.join(root, 'finder/samples');

export function scratch(prefix) {
  return fs.mkdtempSync(path.join(os.tmpdir(), prefix));
}

// A browser of its own, in a new empty profile, speaking `language`.
export async function launch({language = 'en-US'} = {}) {
  const profile = scratch('pages-profile-');
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--allow-file-access-from-files', `--lang=${language}`],
    env: {...process.env, LANG: language.replace('-', '_') + '.UTF-8', LANGUAGE: language.replace('-', '_')},
  });
  browser.pageLanguage = language;
  const close = async () => {
    await browser.close();
    fs.rmSync(profile, {recursive: true, force: true});
  };
  return {browser, close};
}

// One browser for all the tests of a file, launched before the first.
export function sharedBrowser() {
  const shared = {};
  before(async () => Object.assign(shared, await launch()));
  after(() => shared.close());
  return shared;
}

// Opens a built page in a new tab of `browser`; downloads land in `downloads`.
export async function openPage(browser, name, {query = '', downloads = null} = {}) {
  const page = await browser.newPage();
  const language = browser.pageLanguage;
  if (language) await (await page.createCDPSession()).send('Emulation.setLocaleOverride', {locale: language});
  const refused = [];
  await page.setRequestInterception(true);
  page.on('request', (request) => {
    if (/^(file|data|blob):/.test(request.url())) {
      request.continue();
    } else {
      refused.push(request.url());
      request.abort();
    }
  });
  const errors = [];
  page.on('pageerror', (error) => errors.push(String(error)));
  if (downloads) {
    const cdp = await page.createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', {behavior: 'allow', downloadPath: downloads});
  }
  await page.goto(pathToFileURL(path.join(pages, name)).href + query);
  await page.waitForFunction(() => window.pageTest && window.pageTest.useFolder);
  return {page, refused, errors};
}

const base64 = (files) => files.map(([name, bytes]) => [name, Buffer.from(bytes).toString('base64')]);

// Puts `files` ([name, Buffer] pairs) into a new folder `folder` of the page's
// origin-private file system and hands it to the page as the folder the user
// picked.
export async function useFolder(page, folder, files) {
  await page.evaluate(async (folder, files) => {
    const root = await navigator.storage.getDirectory();
    await root.removeEntry(folder, {recursive: true}).catch(() => {});
    const dir = await root.getDirectoryHandle(folder, {create: true});
    for (const [name, base64] of files) {
      const writable = await (await dir.getFileHandle(name, {create: true})).createWritable();
      await writable.write(Uint8Array.from(atob(base64), (c) => c.charCodeAt(0)));
      await writable.close();
    }
    window.testFolder = dir;
  }, folder, base64(files));
  return answer(page, () => page.evaluate(() => window.pageTest.useFolder(window.testFolder)));
}

// Hands `files` to the page as files the user chose, with no folder to write
// into: what the page writes comes as downloads.
export function useFiles(page, files) {
  return answer(page, () => page.evaluate((files) => window.pageTest.useFiles(files.map(([name, base64]) =>
    new File([Uint8Array.from(atob(base64), (c) => c.charCodeAt(0))], name))), base64(files)));
}

// The names in the folder `folder` of the origin-private file system of `page`.
export function folderNames(page, folder) {
  return page.evaluate(async (folder) => {
    const names = [];
    for await (const name of (await (await navigator.storage.getDirectory()).getDirectoryHandle(folder)).keys()) {
      names.push(name);
    }
    return names.sort();
  }, folder);
}

// Holds each file of `want` ({name: Buffer}) against the file of that name in
// the page's folder: SHA-256 of each 8 MiB piece, so that large files are
// compared whole without carrying them out of the page.
const kPiece = 8 << 20;
export async function assertWritten(page, want) {
  const got = await page.evaluate(async (names, piece) => {
    const out = {};
    for (const name of names) {
      const file = await window.testFolder.getFileHandle(name).then((h) => h.getFile(), () => null);
      if (!file) continue;
      out[name] = [file.size];
      for (let at = 0; at < file.size; at += piece) {
        const digest = await crypto.subtle.digest('SHA-256', await file.slice(at, at + piece).arrayBuffer());
        out[name].push([...new Uint8Array(digest)].map((b) => b.toString(16).padStart(2, '0')).join(''));
      }
    }
    return out;
  }, Object.keys(want), kPiece);
  for (const [name, bytes] of Object.entries(want)) {
    const digests = [bytes.length];
    for (let at = 0; at < bytes.length; at += kPiece) {
      digests.push(crypto.createHash('sha256').update(bytes.subarray(at, at + kPiece)).digest('hex'));
    }
    assert.deepEqual(got[name], digests, name);
  }
}

// Waits for the downloads `want` ({name: Buffer}) and holds each against it.
export async function assertDownloaded(downloads, want) {
  const names = Object.keys(want);
  for (let i = 0; i < 200 && names.some((n) => !fs.existsSync(path.join(downloads, n))); ++i) {
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
  for (const name of names) assert.ok(fs.readFileSync(path.join(downloads, name)).equals(want[name]), name);
}

// Does `action` as the user, then answers every message box with OK until the
// page has finished what the action started: the texts of the boxes, in order.
export async function answer(page, action) {
  await page.evaluate(() => { window.pageTest.boxes = []; });
  const done = Promise.resolve(action());
  let finished = false;
  done.then(() => { finished = true; }, () => { finished = true; });
  const texts = [];
  for (;;) {
    const state = await page.evaluate(() => ({
      open: document.querySelector('dialog[open] .box-text')?.textContent ?? null,
      busy: window.pageTest.busy(),
    }));
    if (state.open !== null) {
      texts.push(state.open);
      await page.locator('::-p-aria([name="OK"][role="button"])').click();
      await page.waitForFunction(() => !document.querySelector('dialog[open]'));
    } else if (finished && !state.busy) {
      break;
    } else {
      await new Promise((resolve) => setTimeout(resolve, 20));
    }
  }
  await done;
  return texts;
}

// Clicks the control of `role` named `name`, as the user does.
export function click(page, role, name) {
  return page.locator(`::-p-aria([name="${name}"][role="${role}"])`).click();
}

// Runs a companion on `file` ([name, Buffer]) in a folder of its own: what it
// printed on standard error and the files new in the folder afterwards.
export function companion(program, [name, bytes], args, env = process.env) {
  const dir = scratch('companion-');
  fs.writeFileSync(path.join(dir, name), bytes);
  const result = spawnSync(program, args, {cwd: dir, env, stdio: ['ignore', 'pipe', 'pipe'], encoding: 'utf8'});
  if (result.error) throw result.error;
  const files = {};
  for (const file of fs.readdirSync(dir)) if (file !== name) files[file] = fs.readFileSync(path.join(dir, file));
  fs.rmSync(dir, {recursive: true});
  return {files, stderr: result.stderr};
}

// Takes a picture of the page as it stands into build/web/screenshots/NAME.png
// (the README shows these).
export async function screenshot(page, name) {
  const dir = path.join(pages, 'screenshots');
  fs.mkdirSync(dir, {recursive: true});
  const size = await page.evaluate(() => [document.documentElement.scrollWidth, document.documentElement.scrollHeight]);
  await page.setViewport({width: size[0], height: size[1]});
  await page.screenshot({path: path.join(dir, `${name}.png`)});
}
