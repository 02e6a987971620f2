// The MIDI tool's worker: the MIDI core (the module's script stands before
// this one in the worker's source) working in a folder of the module's
// in-memory file system. The page hands it each file to load and takes the
// files it writes; nothing stays in that folder between commands.
'use strict';

const kFolder = '/folder';
const kMeterStartRow = 236;
const kPacketsToOpen = 1025;

let M = null;
let tool = null;

function meterRow(k) {
  return Math.max(0, Math.round(kMeterStartRow - (k / kPacketsToOpen) * kMeterStartRow));
}

// Takes a file the core wrote out of the folder.
function takeOut(name) {
  const path = `${kFolder}/${name}`;
  const bytes = M.FS.readFile(path);
  M.FS.unlink(path);
  return bytes;
}

// Something in the way of `name`, so that the core's save of it fails as a
// save on a disk does, with the core's own message.
function blockName(name) {
  M.FS.mkdir(`${kFolder}/${name}`);
}

function unblockName(name) {
  M.FS.rmdir(`${kFolder}/${name}`);
}

const handlers = {
  async init({build}) {
    M = await createMidiModule();
    M.FS.mkdir(kFolder);
    tool = new M.MidiTool(build, kFolder);
    return {};
  },

  // The name list by the core's own rule, for the names of the user's folder:
  // each stands for a moment as an empty file in the module's folder.
  names({names}) {
    for (const name of names) M.FS.writeFile(`${kFolder}/${name}`, new Uint8Array(0));
    const list = M.ListMidiNames(kFolder);
    for (const name of names) M.FS.unlink(`${kFolder}/${name}`);
    return {names: list};
  },

  load({entry, fileName, bytes}) {
    // A file that cannot be read is not there for the core either.
    if (bytes) M.FS.writeFile(`${kFolder}/${fileName}`, bytes);
    const outcome = tool.LoadImage(entry, fileName);
    if (bytes) M.FS.unlink(`${kFolder}/${fileName}`);
    return {loaded: outcome.kind === 'Loaded', messages: outcome.messages};
  },

  test() {
    return {messages: tool.TestEt().messages};
  },

  // to TXT up to the save: the report made, its warnings, its bytes.
  txt({separator}) {
    tool.decimalSeparator = separator;
    const made = tool.TxtYaz();
    const saved = tool.SaveReport();
    this.report = {loaded: made.loaded, name: made.name, afterSave: saved.messages};
    const bytes = saved.written ? takeOut(saved.name) : null;
    return {loaded: made.loaded, beforeSave: made.messages, name: made.name, bytes,
      transfer: bytes ? [bytes.buffer] : []};
  },

  // What to TXT says once the page has put the report into the user's folder,
  // or failed to: then the core's own texts of a save that failed, made again
  // with something in the way of the report.
  txtSaved({written}) {
    const report = this.report;
    if (written || !report.loaded) return {afterSave: report.afterSave};
    tool.TxtYaz();
    blockName(report.name);
    const saved = tool.SaveReport();
    unblockName(report.name);
    return {afterSave: saved.messages};
  },

  start() {
    let shown = kMeterStartRow;
    const split = tool.MidiYaz((k) => {
      const row = meterRow(k);
      if (row !== shown) {
        shown = row;
        postMessage({row});
      }
      return true;
    });
    if (split.kind !== 'Written') return {messages: split.messages, files: null};
    const files = [[split.name13, takeOut(split.name13)], [split.name24, takeOut(split.name24)]];
    return {messages: split.messages, files, transfer: files.map(([, bytes]) => bytes.buffer)};
  },

  // What Start says when the page could not put its files into the user's
  // folder: the core's text of a split that could not be saved.
  startUnwritten({name}) {
    blockName(name);
    const split = tool.MidiYaz();
    unblockName(name);
    return {messages: split.messages};
  },
};

let queue = Promise.resolve();
onmessage = ({data}) => {
  queue = queue.then(async () => {
    let answer;
    try {
      answer = await handlers[data.op](data);
    } catch (error) {
      answer = {failed: String(error && error.message || error)};
    }
    const transfer = answer.transfer || [];
    delete answer.transfer;
    postMessage(answer, transfer);
  });
};
