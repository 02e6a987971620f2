// What both pages need of the browser and nothing of either program: the
// message box, the user's folder (or chosen files and downloads), the decimal
// separator of the browser's language. Loaded as a plain script before the
// page's own.
'use strict';

// The separator by the windows' rule: the decimal sign of the browser's own
// number format (its language and regional settings) when it is one ASCII
// character, otherwise the period.
function systemDecimalSeparator(language = undefined) {
  let sign = '.';
  try {
    const part = new Intl.NumberFormat(language).formatToParts(1.5).find((p) => p.type === 'decimal');
    if (part) sign = part.value;
  } catch (e) {
    // An unknown language tag: the period.
  }
  return sign.length === 1 && sign.charCodeAt(0) < 0x80 ? sign : '.';
}

// Modal message boxes with one OK button, titled with the program's caption.
// Boxes asked for while one is open wait their turn, in order.
class MessageBoxes {
  constructor(dialog) {
    this.dialog = dialog;
    this.title = dialog.querySelector('.box-title');
    this.text = dialog.querySelector('.box-text');
    this.ok = dialog.querySelector('button');
    this.queue = Promise.resolve();
    dialog.addEventListener('cancel', (event) => event.preventDefault());  // only OK closes it
  }

  show(title, text) {
    this.queue = this.queue.then(() => new Promise((resolve) => {
      this.title.textContent = title;
      this.text.textContent = text;
      this.ok.onclick = () => {
        this.dialog.close();
        resolve();
      };
      this.dialog.showModal();
      this.ok.focus();
    }));
    return this.queue;
  }

  async showAll(title, texts) {
    for (const text of texts) await this.show(title, text);
  }
}

// The folder the page works in: a directory the user picked (written through
// createWritable, which puts a file in place whole when it is closed), or,
// where the browser has no directory picker, the files the user chose, whose
// outputs are offered as downloads and kept beside them.
class PickedFolder {
  constructor(handle) {
    this.handle = handle;
  }

  get kind() {
    return 'folder';
  }

  async names() {
    const names = [];
    for await (const [name, entry] of this.handle.entries()) {
      if (entry.kind === 'file') names.push(name);
    }
    return names;
  }

  // The file's bytes, or null when it cannot be read.
  async read(name) {
    try {
      const file = await (await this.handle.getFileHandle(name)).getFile();
      return new Uint8Array(await file.arrayBuffer());
    } catch (e) {
      return null;
    }
  }

  async size(name) {
    try {
      return (await (await this.handle.getFileHandle(name)).getFile()).size;
    } catch (e) {
      return null;
    }
  }

  // Opens every named file for writing, then writes them all, and only then
  // closes them, each close putting one file in place; a failure before the
  // closes aborts them all, so that no file is changed. True when all landed.
  async writeAll(files) {
    const writables = [];
    try {
      for (const [name] of files) {
        const file = await this.handle.getFileHandle(name, {create: true});
        writables.push(await file.createWritable());
      }
      for (let i = 0; i < files.length; ++i) await writables[i].write(files[i][1]);
    } catch (e) {
      await Promise.allSettled(writables.map((w) => w.abort()));
      return false;
    }
    try {
      for (const writable of writables) await writable.close();
      return true;
    } catch (e) {
      return false;
    }
  }
}

class ChosenFiles {
  constructor(files) {
    this.files = new Map();
    for (const file of files) this.files.set(file.name, file);
  }

  get kind() {
    return 'files';
  }

  async names() {
    return [...this.files.keys()];
  }

  async read(name) {
    const file = this.files.get(name);
    if (!file) return null;
    try {
      return new Uint8Array(await file.arrayBuffer());
    } catch (e) {
      return null;
    }
  }

  async size(name) {
    const file = this.files.get(name);
    return file ? file.size : null;
  }

  async writeAll(files) {
    for (const [name, bytes] of files) {
      const blob = new Blob([bytes], {type: 'application/octet-stream'});
      this.files.set(name, new File([blob], name));
      const link = document.createElement('a');
      link.href = URL.createObjectURL(blob);
      link.download = name;
      document.body.append(link);
      link.click();
      link.remove();
      setTimeout(() => URL.revokeObjectURL(link.href), 60000);
    }
    return true;
  }
}

// The folder bar of a page: a directory picker where the browser has one,
// else a file chooser. Calls `opened(folder)` with the folder chosen. A test
// hands a directory handle to `window.pageTest.useFolder` in place of the
// picker, or files to `window.pageTest.useFiles`.
function setUpFolderBar(bar, accept, opened) {
  const button = bar.querySelector('.folder-button');
  const chooser = bar.querySelector('input[type=file]');
  const shown = bar.querySelector('.folder-name');
  const hasPicker = typeof window.showDirectoryPicker === 'function';
  const use = (folder, label) => {
    shown.textContent = label;
    return opened(folder);
  };
  chooser.accept = accept;
  if (hasPicker) {
    button.textContent = 'Klasör seç…';
    button.addEventListener('click', async () => {
      let handle;
      try {
        handle = await window.showDirectoryPicker({mode: 'readwrite'});
      } catch (e) {
        return;  // the user changed their mind
      }
      await use(new PickedFolder(handle), handle.name);
    });
  } else {
    button.textContent = 'Dosyaları seç…';
    button.addEventListener('click', () => chooser.click());
    chooser.addEventListener('change', () => use(new ChosenFiles(chooser.files), `${chooser.files.length} dosya`));
  }
  window.pageTest = Object.assign(window.pageTest || {}, {
    hasPicker,
    useFolder: (handle) => use(new PickedFolder(handle), handle.name),
    useFiles: (files) => use(new ChosenFiles(files), `${files.length} dosya`),
  });
}

// A list box of names, as the windows' lists take the mouse and the keys: a
// click on an entry, or an arrow, Home or End moving the choice, calls
// `choose(index)`. `page` holds `names` and `chosen` and runs the call through
// its `track`.
function setUpListBox(list, page) {
  list.addEventListener('click', (event) => {
    const option = event.target.closest('[role=option]');
    if (option) page.track(() => page.choose(Number(option.dataset.index)));
  });
  list.addEventListener('keydown', (event) => {
    const moves = {ArrowDown: 1, ArrowUp: -1, Home: -Infinity, End: Infinity};
    if (!(event.key in moves) || page.names.length === 0) return;
    event.preventDefault();
    const target = Math.min(page.names.length - 1, Math.max(0, page.chosen + moves[event.key]));
    if (target !== page.chosen) page.track(() => page.choose(target));
  });
}

// Marks the entry `chosen` of the list as chosen and brings it into view.
function showListChoice(list, chosen) {
  for (const option of list.children) {
    option.setAttribute('aria-selected', String(Number(option.dataset.index) === chosen));
  }
  const option = list.children[chosen];
  if (option) option.scrollIntoView({block: 'nearest'});
}
