// The finder's window in a page: Form1's menus, controls and handlers over the
// finder's core, which draws the chart onto the page's <canvas> through
// ChartCanvas.
'use strict';

const kTitle = 'Orvette101A';
const kChooseFile = 'Bir dosya seçin.';
const kResultFile = 'sonuc.csv';
const kModuleFolder = '/folder';
// Where the window's painter samples a pixel for a wide line, from its top-left corner.
const kSample = 0.45;

// The chart area as the core draws on it, pixel for pixel as the window's
// image: lines and boxes unsmoothed on whole pixels, each character of a text
// in an 8-pixel cell of its own in the fixed-pitch font at 13 pixels.
class ChartCanvas {
  constructor(canvas, legends) {
    this.context = canvas.getContext('2d', {alpha: false});
    this.context.imageSmoothingEnabled = false;
    this.width = canvas.width;
    this.height = canvas.height;
    this.legends = legends;
    this.font = '13px "DejaVu Sans Mono", monospace';
    this.context.font = this.font;
    this.ascent = Math.round(this.context.measureText('0').fontBoundingBoxAscent);
    this.Clear();
  }

  Clear() {
    this.context.fillStyle = '#ffffff';
    this.context.fillRect(0, 0, this.width, this.height);
  }

  ShowLegends() {
    for (const legend of this.legends) legend.hidden = false;
  }

  Text(x, y, colour, text) {
    const context = this.context;
    context.font = this.font;
    context.fillStyle = colour;
    context.textBaseline = 'alphabetic';
    let left = x;
    for (const c of text) {
      if (left >= this.width) break;
      if (left > -8) context.fillText(c, left, y + this.ascent);
      left += 8;
    }
  }

  // A line 1 pixel wide covers the pixels from one end to the other, both
  // included. A wider one is the window's: the pixels whose centres, less a
  // 64th of a pixel or so as its painter samples them, lie within half the
  // width of the segment, round ends included.
  Line(x1, y1, x2, y2, colour, width) {
    const context = this.context;
    context.fillStyle = colour;
    const left = Math.min(x1, x2);
    const top = Math.min(y1, y2);
    const right = Math.max(x1, x2);
    const bottom = Math.max(y1, y2);
    if (width <= 1) {
      context.fillRect(left, top, right - left + 1, bottom - top + 1);
      return;
    }
    const reach = Math.ceil(width / 2) + 1;
    const dx = x2 - x1;
    const dy = y2 - y1;
    const length2 = dx * dx + dy * dy;
    const within = (x, y) => {
      const t = length2 === 0 ? 0 : Math.max(0, Math.min(1, ((x - x1) * dx + (y - y1) * dy) / length2));
      return Math.hypot(x1 + t * dx - x, y1 + t * dy - y) < width / 2;
    };
    for (let y = top - reach; y <= bottom + reach; ++y) {
      let run = null;
      for (let x = left - reach; x <= right + reach + 1; ++x) {
        const inside = x <= right + reach && within(x + kSample, y + kSample);
        if (inside && run === null) run = x;
        if (!inside && run !== null) {
          context.fillRect(run, y, x - run, 1);
          run = null;
        }
      }
    }
  }

  Box(x1, y1, x2, y2, colour) {
    this.context.fillStyle = colour;
    const left = Math.min(x1, x2);
    const top = Math.min(y1, y2);
    this.context.fillRect(left, top, Math.max(x1, x2) - left, Math.max(y1, y2) - top);
  }

  Refresh() {
    // The canvas shows what is drawn as soon as the handler yields.
  }
}

class Form1 {
  constructor(module) {
    this.module = module;
    this.finder = new module.Finder();
    module.FS.mkdir(kModuleFolder);
    this.boxes = new MessageBoxes(document.getElementById('messageBox'));
    this.separator = systemDecimalSeparator();
    this.folder = null;
    this.chosen = -1;
    this.names = [];
    this.closed = false;
    this.inFlight = 0;  // handlers that have not yet run to their end
    this.createControls();
    this.connectHandlers();
  }

  createControls() {
    for (const id of ['Form1', 'File1', 'Frame4', 'Frame5', 'Text1', 'Text2', 'Text3_1', 'Text3_2', 'Mn_File',
      'Mn_File_menu']) {
      this[id] = document.getElementById(id);
    }
    this.canvas = new ChartCanvas(document.getElementById('chart'),
        [document.getElementById('Image1'), document.getElementById('Image2')]);
  }

  connectHandlers() {
    const on = (id, handler) => document.getElementById(id).addEventListener('click', () => {
      this.closeMenu();
      if (!this.closed) this.track(() => handler.call(this));
    });
    this.Mn_File.addEventListener('click', () => {
      const open = this.Mn_File_menu.hidden;
      this.Mn_File_menu.hidden = !open;
      this.Mn_File.setAttribute('aria-expanded', String(open));
      if (open) this.Mn_File_menu.querySelector('button').focus();
    });
    document.addEventListener('click', (event) => {
      if (!event.target.closest('.menu')) this.closeMenu();
    });
    on('Mn_Open', this.Mn_Open_Click);
    on('Mn_Kapat', this.Mn_Kapat_Click);
    on('Mn_tet', this.Mn_tet_Click);
    on('Mn_Kriter', this.Mn_Kriter_Click);
    on('Mn_Basla', this.Mn_Basla_Click);
    on('Mn_Print', this.Mn_Print_Click);
    setUpListBox(this.File1, this);
  }

  closeMenu() {
    this.Mn_File_menu.hidden = true;
    this.Mn_File.setAttribute('aria-expanded', 'false');
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

  showMessage(text) {
    return text === null || text === undefined ? Promise.resolve() : this.boxes.show(kTitle, text);
  }

  useFolder(folder) {
    this.folder = folder;
    this.chosen = -1;
    this.names = [];
    if (!this.File1.hidden) return this.Mn_Open_Click();
  }

  // The tables of the folder: names ending in ".txt" in any letter case, by
  // name without regard to case, character by character as the window sorts.
  async sourceNames() {
    if (!this.folder) return [];
    const names = (await this.folder.names()).filter((n) => n.length >= 4 && n.slice(-4).toLowerCase() === '.txt');
    const order = (a, b) => (a < b ? -1 : a > b ? 1 : 0);
    return names.sort((a, b) => order(a.toLowerCase(), b.toLowerCase()) || order(a, b));
  }

  async Mn_Open_Click() {
    const chosenName = this.chosen >= 0 ? this.names[this.chosen] : null;
    this.names = await this.sourceNames();
    this.chosen = this.names.indexOf(chosenName);
    this.File1.replaceChildren(...this.names.map((name, i) => {
      const option = document.createElement('div');
      option.setAttribute('role', 'option');
      option.dataset.index = i;
      option.textContent = name;
      return option;
    }));
    this.showChoice();
    this.File1.hidden = false;
    this.File1.focus();
  }

  showChoice() {
    showListChoice(this.File1, this.chosen);
  }

  async choose(index) {
    if (this.closed) return;
    this.chosen = index;
    this.showChoice();
    await this.File1_Click();
  }

  async File1_Click() {
    const name = this.names[this.chosen];
    const bytes = await this.folder.read(name);
    const read = this.finder.KaynakOku(bytes, name);
    await this.showMessage(read.message);
    // A pitch above the octave ends the finder once the user has confirmed why.
    if (read.status === 'OutOfOctave') this.close();
  }

  Mn_tet_Click() {
    this.Frame5.hidden = false;
  }

  Mn_Kriter_Click() {
    this.Frame4.hidden = false;
  }

  settings() {
    return {
      span: document.querySelector('input[name=Option1]:checked').value,
      degreeText: this.Text2.value,
      startText: this.Text3_1.value,
      stopText: this.Text3_2.value,
      criterion: document.querySelector('input[name=Option2]:checked').value,
      centLimitText: this.Text1.value,
      decimalSeparator: this.separator,
    };
  }

  async Mn_Basla_Click() {
    if (this.chosen < 0) {
      await this.showMessage(kChooseFile);
      return;
    }
    const run = this.finder.Basla(this.settings());
    if (['Found', 'NoneQualified', 'DurationTooLarge'].includes(run.status)) {
      this.File1.hidden = this.Frame4.hidden = this.Frame5.hidden = true;
    }
    await this.showMessage(run.message);
    if (run.status !== 'Found') return;
    this.finder.RaporCiz(this.canvas, this.separator);
    this.canvas.Refresh();
  }

  // Print: the core writes "sonuc.csv" into its own folder; the page puts it
  // into the user's. When that fails, the core says so as it says of a save
  // that fails, by meeting something in the way of the file.
  async Mn_Print_Click() {
    const path = `${kModuleFolder}/${kResultFile}`;
    let printed = this.finder.Print(kModuleFolder, this.separator);
    if (printed.outcome === 'Written') {
      const bytes = this.module.FS.readFile(path);
      this.module.FS.unlink(path);
      document.body.classList.add('busy');
      const written = this.folder !== null && await this.folder.writeAll([[kResultFile, bytes]]);
      document.body.classList.remove('busy');
      if (!written) {
        this.module.FS.mkdir(path);
        printed = this.finder.Print(kModuleFolder, this.separator);
        this.module.FS.rmdir(path);
      }
    }
    await this.showMessage(printed.message);
  }

  Mn_Kapat_Click() {
    this.close();
  }

  // A page cannot close its own tab: the window goes, and the finder with it,
  // until the page is opened anew.
  close() {
    this.closed = true;
    this.Form1.hidden = true;
    document.getElementById('closed').hidden = false;
  }
}

createFinderModule().then((module) => {
  const form = new Form1(module);
  setUpFolderBar(document.querySelector('.folder-bar'), '.txt,text/plain',
      (folder) => form.track(() => form.useFolder(folder)));
  window.pageTest.busy = () => form.inFlight > 0;
  window.pageTest.canvas = form.canvas;
});
