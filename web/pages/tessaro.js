// The MIDI tool's window in a page: Form1's controls and handlers. The
// commands run in a worker that holds the MIDI core; this page moves the
// folder's bytes to it and its files back, and shows its messages.
'use strict';

const kMeterStartRow = 236;
const kMeterRows = 236;

const builds = {
  Tessaro5Vu: {caption: 'Tessaro5', testAbove: false, commands: true, loadOnClick: true},
  Tessaro5: {caption: 'Tessaro5', testAbove: true, commands: true, loadOnClick: true},
  Lumbric5: {caption: 'Lumbric sürüm 5', testAbove: true, commands: false, loadOnClick: false},
};
const kNoMidiFiles = 'midi dosyalarınızı uygulama klasörüne taşıyın.';
const kChooseFile = 'Bir dosya seçin.';
const kBrokeDown = 'İşlem tamamlanamadı; hiçbir dosya yazılmadı.';

// The worker that holds the MIDI core. Each request gets its answer in turn.
class Core {
  constructor(source, build, onRow) {
    this.worker = new Worker(URL.createObjectURL(new Blob([source], {type: 'text/javascript'})));
    this.pending = [];
    this.worker.onmessage = ({data}) => {
      if (data.row !== undefined) {
        onRow(data.row);
      } else {
        this.pending.shift()(data.failed === undefined ? data : Core.failed(data.failed));
      }
    };
    this.worker.onerror = (event) => {
      event.preventDefault();
      while (this.pending.length) this.pending.shift()(Core.failed(event.message));
    };
    this.ask({op: 'init', build});
  }

  // What a command that broke down in the worker (out of memory, say) says:
  // it did nothing, and why.
  static failed(why) {
    const messages = [`${kBrokeDown} (${why})`];
    return {failed: why, messages, beforeSave: messages, afterSave: [], bytes: null, files: null, loaded: false};
  }

  ask(request, transfer = []) {
    return new Promise((resolve) => {
      this.pending.push(resolve);
      this.worker.postMessage(request, transfer);
    });
  }
}

class Form1 {
  constructor(build) {
    this.build = builds[build] ? build : 'Tessaro5Vu';
    this.settings = builds[this.build];
    this.boxes = new MessageBoxes(document.getElementById('messageBox'));
    this.folder = null;
    this.names = [];  // the folder's MIDI files behind the list's entries
    this.chosen = -1;  // the list's chosen entry
    this.running = false;
    this.loaded = false;  // whether the core holds an image
    this.meter = document.getElementById('Picture2').getContext('2d');
    this.meterImage = document.getElementById('Picture1');
    this.meterRowShown = null;
    this.core = new Core(moduleSource, this.build, (row) => this.DrawMeter(row));
    this.inFlight = 0;  // handlers that have not yet run to their end
    this.createControls();
  }

  createControls() {
    document.title = this.build;
    document.getElementById('caption').textContent = this.settings.caption;
    this.List_MID = document.getElementById('List_MID');
    this.Frame_MID = document.getElementById('Frame_MID');
    this.Command1 = document.getElementById('Command1');
    this.Command2 = document.getElementById('Command2');
    this.Command3 = document.getElementById('Command3');
    if (this.settings.testAbove) this.Command1.classList.add('above');
    this.Command1.hidden = this.Command2.hidden = !this.settings.commands;
    this.Command1.addEventListener('click', () => this.track(() => this.Command1_Click()));
    this.Command2.addEventListener('click', () => this.track(() => this.Command2_Click()));
    this.Command3.addEventListener('click', () => this.track(() => this.Command3_Click()));
    setUpListBox(this.List_MID, this);
    const startUp = () => this.DrawMeter(kMeterStartRow);
    if (this.meterImage.complete) startUp(); else this.meterImage.addEventListener('load', startUp);
  }

  // The window's start-up, in the folder the user chose.
  async Form_Load(folder) {
    if (this.running) return;
    this.folder = folder;
    this.chosen = -1;
    await this.RefreshNameList();
    if (this.names.length === 0) {
      this.Frame_MID.hidden = true;
      await this.boxes.show(this.settings.caption, kNoMidiFiles);
      return;
    }
    this.DrawMeter(kMeterStartRow);
    this.Frame_MID.hidden = false;
  }

  // Runs a handler to its end, counting it in flight meanwhile.
  async track(handler) {
    ++this.inFlight;
    try {
      return await handler();
    } finally {
      --this.inFlight;
    }
  }

  showMessages(texts) {
    return this.boxes.showAll(this.settings.caption, texts);
  }

  setBusy(busy) {
    document.body.classList.toggle('busy', busy);
  }

  // Copies 50 × 236 pixels of the zipper from `row` on into the meter.
  DrawMeter(row) {
    row = Math.max(0, Math.min(row, this.meterImage.naturalHeight - kMeterRows));
    if (row === this.meterRowShown || !this.meterImage.complete) return;
    this.meterRowShown = row;
    this.meter.drawImage(this.meterImage, 0, row, 50, kMeterRows, 0, 0, 50, kMeterRows);
  }

  // Re-reads the folder; the choice stays with its file wherever its entry
  // now stands, and goes when the file has gone.
  async RefreshNameList() {
    const chosenFile = this.chosen >= 0 ? this.names[this.chosen].fileName : null;
    this.names = (await this.core.ask({op: 'names', names: await this.folder.names()})).names || [];
    this.chosen = this.names.findIndex((name) => name.fileName === chosenFile);
    this.List_MID.replaceChildren(...this.names.map((name, i) => {
      const option = document.createElement('div');
      option.setAttribute('role', 'option');
      option.dataset.index = i;
      option.textContent = name.entry;
      return option;
    }));
    this.showChoice();
  }

  showChoice() {
    showListChoice(this.List_MID, this.chosen);
  }

  async choose(index) {
    if (this.running) return;
    this.chosen = index;
    this.showChoice();
    await this.List_MID_Click();
  }

  async List_MID_Click() {
    this.DrawMeter(kMeterStartRow);
    if (this.settings.loadOnClick) await this.loadChosen();
  }

  async loadChosen() {
    if (this.chosen < 0) {
      await this.showMessages([kChooseFile]);
      return false;
    }
    const {entry, fileName} = this.names[this.chosen];
    const bytes = await this.folder.read(fileName);
    const answer = await this.core.ask({op: 'load', entry, fileName, bytes}, bytes ? [bytes.buffer] : []);
    await this.showMessages(answer.messages);
    // A failed load keeps the image loaded before.
    if (answer.loaded) this.loaded = true;
    return answer.loaded;
  }

  async Command1_Click() {
    if (this.running) return;
    this.running = true;
    const answer = await this.core.ask({op: 'test'});
    await this.showMessages(answer.messages);
    this.running = false;
  }

  async Command2_Click() {
    if (this.running) return;
    if (this.build === 'Tessaro5' && this.chosen < 0) {
      await this.showMessages([kChooseFile]);
      return;
    }
    this.running = true;
    // The hourglass stands while a report is made and saved; with no file
    // loaded nothing is made.
    this.setBusy(this.loaded);
    const made = await this.core.ask({op: 'txt', separator: systemDecimalSeparator()});
    await this.showMessages(made.beforeSave);
    let written = false;
    if (made.loaded) written = made.bytes !== null && await this.folder.writeAll([[made.name, made.bytes]]);
    const saved = await this.core.ask({op: 'txtSaved', written});
    this.setBusy(false);
    await this.showMessages(saved.afterSave);
    this.running = false;
  }

  async Command3_Click() {
    if (this.running) return;
    this.running = true;
    this.setEnabled(false);
    this.setBusy(true);
    if (this.settings.loadOnClick || await this.loadChosen()) {
      const split = await this.core.ask({op: 'start'});
      let messages = split.messages;
      if (split.files) {
        const written = await this.folder.writeAll(split.files);
        if (!written) messages = (await this.core.ask({op: 'startUnwritten', name: split.files[0][0]})).messages;
      }
      await this.showMessages(messages);
      if (split.files) await this.RefreshNameList();
    }
    this.setBusy(false);
    this.setEnabled(true);
    this.running = false;
  }

  setEnabled(enabled) {
    for (const control of [this.Command1, this.Command2, this.Command3]) control.disabled = !enabled;
    this.List_MID.setAttribute('aria-disabled', String(!enabled));
  }
}

const form = new Form1(new URLSearchParams(location.search).get('build') || 'Tessaro5Vu');
setUpFolderBar(document.querySelector('.folder-bar'), '.mid,.MID,audio/midi',
    (folder) => form.track(() => form.Form_Load(folder)));
window.pageTest.busy = () => form.inFlight > 0;
window.pageTest.meterRow = () => form.meterRowShown;
