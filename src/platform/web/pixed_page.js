// The page around the editor: its canvas, input and sounds, the working folder kept in the
// browser's storage, the toolbar (Import, Export, New, the list of files) and the end of a run.
"use strict";

const FOLDER = "/pixed"; // the working folder, kept in IndexedDB
const RECOVERY = FOLDER + "/.recovery"; // the editor's recovery copies, kept with it
const BITMAPS = "/bitmaps"; // the program's own button bitmaps, fetched from the site
const PALETTE = "Palette.gpl"; // the folder's palette file, which the editor reads at its start
const BUTTON_BITMAPS = [@PIXED_BUTTON_BITMAP_LIST@];

const area = document.getElementById("area");
const canvas = document.getElementById("screen");
const notice = document.getElementById("notice");
const fileList = document.getElementById("file-list");

// ---- Notices: storage problems stay until storing works again; the others until the next.
let storageProblem = "";
let lastNotice = "";
function showNotice(text) {
  lastNotice = text;
  notice.textContent = storageProblem || text;
  notice.title = notice.textContent;
  notice.className = storageProblem ? "problem" : "";
}

// ---- The canvas: the program's screen kept at 1:1, drawn scaled as the program places it.
const screen = document.createElement("canvas");
let screenContext = null;
let frame = null;
const work = document.createElement("canvas");
let plan = { w: 0, h: 0, factor: 1 };

// The screen's size is the program's: taken from it once it runs, before it places or draws anything.
function makeScreen() {
  screen.width = Module._pixed_web_screen_width();
  screen.height = Module._pixed_web_screen_height();
  screenContext = screen.getContext("2d");
  frame = screenContext.createImageData(screen.width, screen.height);
  plan = { w: screen.width, h: screen.height, factor: 1 };
}

function drawCanvas() {
  const context = canvas.getContext("2d");
  const whole = plan.w === screen.width * plan.factor && plan.h === screen.height * plan.factor;
  let source = screen;
  if (!whole && plan.factor > 1) {
    // Area sampling: a whole multiple first, then the linear step to the size.
    if (work.width !== screen.width * plan.factor || work.height !== screen.height * plan.factor) {
      work.width = screen.width * plan.factor;
      work.height = screen.height * plan.factor;
    }
    const workContext = work.getContext("2d");
    workContext.imageSmoothingEnabled = false;
    workContext.drawImage(screen, 0, 0, work.width, work.height);
    source = work;
  }
  context.imageSmoothingEnabled = !whole;
  context.imageSmoothingQuality = "low";
  context.drawImage(source, 0, 0, plan.w, plan.h);
}

function layout() {
  const box = area.getBoundingClientRect();
  const ratio = window.devicePixelRatio || 1;
  Module._pixed_web_layout(Math.round(box.width * ratio), Math.round(box.height * ratio));
}

// ---- Input: pointer and keys into the program; a press on the page wakes its sounds.
let pressOnCanvas = false;
let wakeUp = null;
function wake() {
  if (wakeUp) wakeUp();
}

function pointer(event) {
  if (event.type === "pointerdown" && event.target === canvas) pressOnCanvas = true;
  const box = area.getBoundingClientRect();
  const ratio = window.devicePixelRatio || 1;
  // Buttons count only for presses that began on the canvas (not on the toolbar).
  const buttons = pressOnCanvas ? event.buttons : 0;
  if (event.buttons === 0) pressOnCanvas = false;
  Module._pixed_web_pointer(Math.floor((event.clientX - box.left) * ratio),
                            Math.floor((event.clientY - box.top) * ratio), buttons);
  wake();
}

// The wheel: each event is one notch, whatever its unit, away from the user when deltaY is below 0.
// The page neither scrolls nor zooms (Ctrl+wheel), but for the list of files, which scrolls.
function wheel(event) {
  if (fileList.contains(event.target) && !event.ctrlKey) return;
  event.preventDefault();
  if (area.contains(event.target) && event.deltaY !== 0) {
    Module._pixed_web_wheel(event.deltaY < 0 ? 1 : -1);
    wake();
  }
}

// The browser's shortcuts with Ctrl that the editor takes for its own: the digits, A, C, D, S, V,
// X, Y, Z, and E with Shift. Other shortcuts with Ctrl or Cmd go on to the browser.
function editorsShortcut(event) {
  return /^(Digit[0-9]|Key[ACDSVXYZ]|Control(Left|Right)|Shift(Left|Right))$/.test(event.code) ||
      (event.code === "KeyE" && event.shiftKey);
}

function key(event, down) {
  unlockSound();
  if (event.repeat) {
    event.preventDefault();
    return;
  }
  const known = Module.ccall("pixed_web_key", "number", ["string", "number"], [event.code, down ? 1 : 0]);
  const shortcut = event.metaKey || (event.ctrlKey && !editorsShortcut(event));
  if (known && !shortcut) event.preventDefault();
  wake();
}

function listen() {
  canvas.addEventListener("pointerdown", (event) => {
    canvas.focus();
    canvas.setPointerCapture(event.pointerId);
    unlockSound();
    event.preventDefault();
  });
  for (const type of ["pointerdown", "pointermove", "pointerup", "pointercancel"]) {
    window.addEventListener(type, pointer);
  }
  canvas.addEventListener("contextmenu", (event) => event.preventDefault());
  // The middle button is the editor's: no scrolling by dragging, no paste, no click.
  canvas.addEventListener("mousedown", (event) => { if (event.button === 1) event.preventDefault(); });
  canvas.addEventListener("auxclick", (event) => event.preventDefault());
  window.addEventListener("wheel", wheel, { passive: false });
  canvas.addEventListener("keydown", (event) => key(event, true));
  canvas.addEventListener("keyup", (event) => key(event, false));
  canvas.addEventListener("focus", () => { Module._pixed_web_focus(1); wake(); });
  canvas.addEventListener("blur", () => { Module._pixed_web_focus(0); wake(); });
  window.addEventListener("resize", layout);
  window.addEventListener("beforeunload", (event) => {
    // The names and the size are written when the editor ends (Escape or Quit).
    if (running) event.preventDefault();
  });
  canvas.focus();
  if (document.activeElement === canvas) Module._pixed_web_focus(1);
}

// ---- Sound: Web Audio, from the first press on the page on.
let audio = null;
let playing = null;
const sounds = new Map();
function unlockSound() {
  if (!audio && window.AudioContext) audio = new AudioContext();
  if (audio && audio.state === "suspended") audio.resume();
}

// ---- The working folder in the browser's storage (IDBFS over IndexedDB).
let storing = null; // the store in progress: { again, finish }
let storeWaiters = [];
function storageFailed(error) {
  const full = error && (error.name === "QuotaExceededError" || /quota/i.test(String(error)));
  storageProblem = (full ? "The browser's storage is full" : "The browser does not keep pixed's files") +
      " (" + (error && error.name ? error.name : String(error)) + "): they live in this tab only. " +
      "Export what you need, or use Files to download them.";
  showNotice(lastNotice);
}

// IDBFS of this version loses a write the browser gave up (a full disk aborts the transaction):
// every transaction on the folder's database is watched for that.
function watchTransactions() {
  const db = Module.FS.filesystems.IDBFS.dbs[FOLDER];
  if (!db || db.pixedWatched) return;
  db.pixedWatched = true;
  const open = db.transaction.bind(db);
  db.transaction = (...args) => {
    const transaction = open(...args);
    transaction.addEventListener("abort", () => {
      if (storing) storing.finish(transaction.error || new Error("the browser gave the write up"));
    });
    return transaction;
  };
}

function storeFiles() {
  if (storing) {
    storing.again = true;
    return;
  }
  const current = { again: false, finished: false };
  storing = current;
  current.finish = (error) => {
    if (current.finished) return;
    current.finished = true;
    storing = null;
    if (error) {
      storageFailed(error);
    } else if (storageProblem) {
      storageProblem = "";
      showNotice("The browser keeps pixed's files again.");
    }
    listFiles();
    if (current.again) {
      storeFiles();
    } else {
      storeWaiters.splice(0).forEach((resolve) => resolve());
    }
  };
  watchTransactions();
  try {
    Module.FS.syncfs(false, (error) => current.finish(error));
  } catch (error) {
    current.finish(error);
  }
}

function filesStored() {
  return storing ? new Promise((resolve) => storeWaiters.push(resolve)) : Promise.resolve();
}

function loadFolder() {
  const FS = Module.FS;
  FS.mkdir(FOLDER);
  FS.mount(FS.filesystems.IDBFS, {}, FOLDER);
  Module.addRunDependency("folder");
  const loaded = (error) => {
    if (error) storageFailed(error);
    Module.removeRunDependency("folder");
  };
  try {
    FS.syncfs(true, loaded);
  } catch (error) {
    loaded(error);
  }
}

function fetchBitmaps() {
  Module.FS.mkdir(BITMAPS);
  for (const name of BUTTON_BITMAPS) {
    const dependency = "bitmap " + name;
    Module.addRunDependency(dependency);
    fetch("bitmaps/" + name)
        .then((response) => response.ok ? response.arrayBuffer() : Promise.reject(new Error(response.status)))
        .then((bytes) => Module.FS.writeFile(BITMAPS + "/" + name, new Uint8Array(bytes)))
        .catch((error) => showNotice("The button bitmap " + name + " could not be loaded (" + error.message + ")."))
        .finally(() => Module.removeRunDependency(dependency));
  }
}

// ---- The toolbar.
function download(name, bytes, type = "application/octet-stream") {
  const link = document.createElement("a");
  link.href = URL.createObjectURL(new Blob([bytes], { type }));
  link.download = name;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 10000);
}

// The folder's files, then the recovery copies (as ".recovery/NAME"; not their lock and the
// half-written file of a write).
function folderFiles() {
  const FS = Module.FS;
  const files = [];
  for (const folder of [FOLDER, RECOVERY]) {
    if (!FS.analyzePath(folder).exists) continue;
    for (const name of FS.readdir(folder).sort()) {
      const path = folder + "/" + name;
      if (!FS.isFile(FS.stat(path).mode) || (folder === RECOVERY && /\.(lock|new)$/.test(name))) continue;
      files.push({ name: folder === FOLDER ? name : ".recovery/" + name, download: name, path,
                   size: FS.stat(path).size });
    }
  }
  return files;
}

// What a file is, told by its name, and the type the browser is given with it: the editor's pix
// files and its exports (Ctrl+Shift+E) first, so that a GIF is known at a glance.
const FILE_KINDS = [
  [/^\.recovery\//, "recovery copy"],
  [/\.gif$/i, "GIF animation", "image/gif"],
  [/-sheet\.png$/i, "PNG sheet", "image/png"],
  [/\.png$/i, "PNG", "image/png"],
  [/\.json$/i, "JSON", "application/json"],
  [/\.pix$/i, "pix images"],
  [/\.(gpl|pal|act|hex)$/i, "palette"],
  [/\.bmp$/i, "bitmap", "image/bmp"],
  [/\.dat$/i, "settings"],
];
function fileKind(name) {
  const [, kind = "", type = "application/octet-stream"] = FILE_KINDS.find(([pattern]) => pattern.test(name)) || [];
  return { kind, type };
}

function listFiles() {
  fileList.replaceChildren();
  for (const file of folderFiles()) {
    const row = fileList.insertRow();
    const { kind, type } = fileKind(file.name);
    row.insertCell().textContent = file.name;
    const kindCell = row.insertCell();
    kindCell.className = "kind";
    kindCell.textContent = kind;
    const size = row.insertCell();
    size.className = "size";
    size.textContent = file.size + " bytes";
    const link = document.createElement("a");
    link.href = "#";
    link.textContent = "download";
    link.addEventListener("click", (event) => {
      event.preventDefault();
      download(file.download, Module.FS.readFile(file.path), type);
    });
    row.insertCell().append(link);
  }
}

// What an imported pix file holds, in images of the editor's size.
function imageCount(name, size) {
  const width = Module._pixed_web_image_width();
  const height = Module._pixed_web_image_height();
  const image = width > 0 && height > 0 ? width * height : 0;
  if (!/\.pix$/i.test(name) || (image > 0 && size % image === 0)) {
    return "";
  }
  const whole = image > 0 ? Math.floor(size / image) : 0;
  return name + " holds " + size + " bytes: not a whole number of " + width + " x " + height +
      " images (" + whole + " whole, " + (size - whole * image) + " bytes over). It is kept as it is.";
}

// The name a file is kept under: a palette file of another name may become the folder's palette
// (the editor reads only Palette.gpl, in whichever of the four forms it is).
function importedName(name) {
  if (name === PALETTE || !/\.(gpl|pal|act|hex)$/i.test(name)) return name;
  const replaced = Module.FS.analyzePath(FOLDER + "/" + PALETTE).exists ? ", in place of the one there" : "";
  return confirm("Use " + name + " as pixed's palette? It is kept as " + PALETTE + replaced +
                 ", and pixed takes its colours at its next start.") ? PALETTE : name;
}

async function importFiles(files) {
  const FS = Module.FS;
  const taken = [];
  const remarks = [];
  for (const file of files) {
    const name = importedName(file.name);
    const path = FOLDER + "/" + name;
    if (name === file.name && FS.analyzePath(path).exists &&
        !confirm("Replace " + file.name + " in pixed's folder?")) {
      continue;
    }
    FS.writeFile(path, new Uint8Array(await file.arrayBuffer()));
    // The program keeps the bitmaps it has drawn until their folder changes.
    Module._pixed_web_files_changed();
    taken.push(name === file.name ? name : file.name + " as " + name);
    const remark = imageCount(file.name, file.size);
    if (remark) remarks.push(remark);
    if (name === PALETTE) {
      remarks.push("Imported " + taken[taken.length - 1] + ": its colours are used from pixed's next start " +
                   "(Escape, then Start pixed again).");
    }
  }
  if (taken.length > 0) {
    showNotice(remarks.length > 0 ? remarks.join(" ") : "Imported " + taken.join(", ") + ".");
    storeFiles();
  }
}

function exportSaveFile() {
  const name = Module.UTF8ToString(Module._pixed_web_save_name());
  const path = FOLDER + "/" + name;
  if (!name || !Module.FS.analyzePath(path).exists) {
    showNotice("There is no save file " + name + " yet: Save writes it.");
    return;
  }
  download(name, Module.FS.readFile(path));
}

// Ctrl+N, which the browser keeps for a new window and never gives the page: typed into the editor
// as a person types it, with its screen given the keyboard back first.
function newFile() {
  if (!running) return;
  canvas.focus();
  for (const [code, down] of [["ControlLeft", 1], ["KeyN", 1], ["KeyN", 0], ["ControlLeft", 0]]) {
    Module.ccall("pixed_web_key", "number", ["string", "number"], [code, down]);
  }
  wake();
}

function setUpToolbar() {
  const chooser = document.getElementById("import-files");
  document.getElementById("import").addEventListener("click", () => chooser.click());
  chooser.addEventListener("change", () => {
    importFiles([...chooser.files]).finally(() => { chooser.value = ""; });
  });
  document.getElementById("export").addEventListener("click", exportSaveFile);
  document.getElementById("new").addEventListener("click", newFile);
  // The list opens beside the editor's screen, which moves over for it: nothing of the picture is
  // covered (the images play in the reference view at its top left).
  const files = document.getElementById("files");
  files.addEventListener("toggle", () => {
    listFiles();
    document.body.classList.toggle("files-open", files.open);
    layout();
  });
  document.getElementById("again").addEventListener("click", () => location.reload());
}

// ---- What the program calls (src/platform/web/web_page.cpp).
let running = false;
const channel = new MessageChannel();
const channelWaiters = [];
channel.port1.onmessage = () => channelWaiters.shift()();

const pixedPage = {
  soundsStarted: 0,
  firstScreenMs: 0,
  benchmark: "",
  hasEnded: false,
  get storingFiles() {
    return storing !== null;
  },
  placeCanvas(x, y, w, h, factor) {
    const ratio = window.devicePixelRatio || 1;
    plan = { w, h, factor };
    canvas.width = w;
    canvas.height = h;
    Object.assign(canvas.style, { left: x / ratio + "px", top: y / ratio + "px",
                                  width: w / ratio + "px", height: h / ratio + "px" });
    drawCanvas();
  },
  showFrame(pixels, wholePassDrawn) {
    frame.data.set(pixels);
    screenContext.putImageData(frame, 0, 0);
    drawCanvas();
    // The first frame that a whole pass of the editor drew: its start screen.
    if (wholePassDrawn && !pixedPage.firstScreenMs) pixedPage.firstScreenMs = performance.now();
  },
  // A zero wait is a message to the page itself: timers of 0 ms wait 4 ms once nested.
  wait(ms, wakeOnInput) {
    return new Promise((resolve) => {
      if (ms <= 0) {
        channelWaiters.push(resolve);
        channel.port2.postMessage(0);
        return;
      }
      const done = () => {
        clearTimeout(timer);
        if (wakeUp === done) wakeUp = null;
        resolve();
      };
      const timer = setTimeout(done, ms);
      if (wakeOnInput) wakeUp = done;
    });
  },
  playSound(id, bytes) {
    if (!audio) return;
    if (!sounds.has(id)) sounds.set(id, audio.decodeAudioData(bytes.buffer));
    sounds.get(id).then((buffer) => {
      if (playing) playing.stop();
      playing = audio.createBufferSource();
      playing.buffer = buffer;
      playing.connect(audio.destination);
      playing.start();
      pixedPage.soundsStarted++;
    }).catch(() => {});
  },
  storeFiles,
  ended(status) {
    running = false;
    storeFiles();
    filesStored().then(() => {
      document.getElementById("ended-text").textContent = "pixed has ended." +
          (status === 3 ? " A settings file could not be written: the names or the size changed in this run are lost." : "");
      document.getElementById("area").hidden = true;
      document.getElementById("ended").hidden = false;
      pixedPage.hasEnded = true;
    });
  },
  passesWanted() {
    return Number(new URLSearchParams(location.search).get("passes")) || 0;
  },
  report(text) {
    pixedPage.benchmark = text;
    console.log("pixed: " + text);
    showNotice(text);
  },
  // Held until the page goes: the browser gives it back when the tab closes,
  // crashes or is discarded. 1 when taken, 0 when another tab holds it.
  takeLock(name) {
    if (!navigator.locks) return Promise.resolve(1);
    return new Promise((resolve) => {
      navigator.locks.request("pixed:" + name, { ifAvailable: true }, (lock) => {
        resolve(lock ? 1 : 0);
        return lock ? new Promise(() => {}) : null;
      }).catch(() => resolve(1));
    });
  },
};

var Module = {
  preRun: [loadFolder, fetchBitmaps],
  onRuntimeInitialized() {
    makeScreen();
    running = true;
    setUpToolbar();
    listen();
    layout();
    listFiles();
  },
  print: (text) => console.log(text),
  printErr: (text) => console.warn(text),
};
