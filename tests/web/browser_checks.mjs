// The site in headless Chromium: a first run whose Escape writes the settings, the golden start
// screen, a painting session with a rectangle, a fill, Right and Ctrl+S exported byte for byte as
// the Linux program saved it, Ctrl+S after Clear appending, the toolbar's New beginning a new file,
// Ctrl+Shift+E's pictures (the GIF downloaded from the list of files) byte for byte as the Linux
// program wrote them, the steps of session_edits.mjs saved as the Linux program saved them, names
// and size kept over a reload, a bad Import, the list of files beside the screen, storage refused or
// full, the page's figures, and a painting that outlives a crashed tab;
// the wheel, the middle button, Alt with a click and the editor's keys kept from the browser.
// Usage: node browser_checks.mjs URL OUT-FOLDER CHROMIUM SCREEN-PROBE GOLDEN LINUX-PIX
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import path from "node:path";

import { idleShare, launchChromium } from "./browser_support.mjs";
import { sessionEdits } from "./session_edits.mjs";

const [url, out, executablePath, probe, golden, linuxPix] = process.argv.slice(2);
const TOOLBAR = 28; // the toolbar's height: the canvas starts below it, at 1:1 in this window
fs.mkdirSync(out, { recursive: true });

const note = (text) => console.log(`[browser] ${text}`);
function check(condition, text) {
  if (!condition) throw new Error(text);
}

// ---- The page and its editor.
let lastPage = null; // for a screenshot when a check fails
async function openPage(context, address = url) {
  const page = await context.newPage();
  lastPage = page;
  page.on("pageerror", (error) => note(`page error: ${error.message}`));
  page.on("dialog", (dialog) => dialog.accept());
  await page.goto(address);
  return page;
}
const evaluate = (page, fn, arg) => page.evaluate(fn, arg);
const waitFor = (page, fn, arg, timeout = 20000) => page.waitForFunction(fn, arg, { timeout, polling: 50 });
const startScreen = (page) => waitFor(page, () => typeof pixedPage !== "undefined" && pixedPage.firstScreenMs > 0);
// Wait until the editor's start-up messages (2 s each) are over: the status line is drawn.
const settled = (page) => waitFor(page, () => document.getElementById("screen").getContext("2d")
    .getImageData(12, 572, 8, 16).data.some((v, i) => i % 4 !== 3 && v !== 0));

// The colours of a rectangle of the canvas as "RRGGBB ..." sorted.
function colours(page, left, top, width, height) {
  return evaluate(page, ([l, t, w, h]) => {
    const data = document.getElementById("screen").getContext("2d").getImageData(l, t, w, h).data;
    const found = new Set();
    for (let i = 0; i < data.length; i += 4) {
      found.add(((data[i] << 16) | (data[i + 1] << 8) | data[i + 2]).toString(16).toUpperCase().padStart(6, "0"));
    }
    return [...found].sort().join(" ");
  }, [left, top, width, height]);
}
const readFile = (page, name) => evaluate(page, (n) => {
  const file = "/pixed/" + n;
  return Module.FS.analyzePath(file).exists ? Array.from(Module.FS.readFile(file)) : null;
}, name);
const fileSize = async (page, name) => ((await readFile(page, name)) || []).length;

// Input as a user gives it: a move, then a press held until its effect shows.
const move = (page, x, y) => page.mouse.move(x, y + TOOLBAR);
async function holdUntil(page, button, condition, what) {
  await page.mouse.down({ button });
  const deadline = Date.now() + 10000;
  while (!(await condition())) {
    check(Date.now() < deadline, `no effect of ${what}`);
    await page.waitForTimeout(30);
  }
  await page.mouse.up({ button });
  await page.waitForTimeout(100);
}
async function changes(page, what, x, y, region, button = "left") {
  await move(page, x, y);
  const before = await colours(page, ...region) + (await regionHash(page, region));
  await holdUntil(page, button, async () => before !== await colours(page, ...region) + (await regionHash(page, region)), what);
}
const regionHash = (page, [l, t, w, h]) => evaluate(page, ([l, t, w, h]) => {
  const data = document.getElementById("screen").getContext("2d").getImageData(l, t, w, h).data;
  let hash = 0;
  for (let i = 0; i < data.length; i++) hash = (hash * 31 + data[i]) | 0;
  return hash;
}, [l, t, w, h]);
const pick = (page, x, y) => changes(page, `a pick at (${x},${y})`, x, y, [360, 572, 72, 16], "right");
async function paint(page, x, y, colour) {
  await move(page, x, y);
  const cell = [141 + 5 * Math.floor((x - 140) / 5), 6 + 5 * Math.floor((y - 6) / 5), 4, 4];
  await holdUntil(page, "left", async () => (await colours(page, ...cell)) === colour, `painting ${colour}`);
}
const cellOf = (x, y) => [141 + 5 * Math.floor((x - 140) / 5), 6 + 5 * Math.floor((y - 6) / 5), 4, 4];
// A tool's key held until the status line names another tool.
async function tool(page, key) {
  const name = [460, 572, 128, 16];
  const before = await regionHash(page, name);
  await page.keyboard.down(key);
  await waitFor(page, ([l, t, w, h, was]) => {
    const data = document.getElementById("screen").getContext("2d").getImageData(l, t, w, h).data;
    let hash = 0;
    for (let i = 0; i < data.length; i++) hash = (hash * 31 + data[i]) | 0;
    return hash !== was;
  }, [...name, before], 5000);
  await page.keyboard.up(key);
  await page.waitForTimeout(100);
}
// A rectangle dragged from the cell under (x0, y0) to the one under (x1, y1), each end held until it shows.
async function rectangle(page, x0, y0, x1, y1, colour) {
  await move(page, x0, y0);
  await page.mouse.down();
  for (const [x, y] of [[x0, y0], [x1, y1]]) {
    await move(page, x, y);
    const deadline = Date.now() + 10000;
    while ((await colours(page, ...cellOf(x, y))) !== colour) {
      check(Date.now() < deadline, `the rectangle shows nothing at (${x},${y})`);
      await page.waitForTimeout(30);
    }
  }
  await page.mouse.up();
  await page.waitForTimeout(100);
}
// A click, taken once however the passes fall: Save's pause of 200 ms outlasts it, and held on, the
// button would save again on every pass that finds it down.
async function save(page, bytes) {
  await move(page, 330, 511);
  await page.mouse.down();
  await page.mouse.up();
  await waitFor(page, (wanted) => {
    const file = "/pixed/test1.pix";
    return Module.FS.analyzePath(file).exists && Module.FS.stat(file).size >= wanted;
  }, bytes, 10000);
  await page.waitForTimeout(300);
  const saved = await fileSize(page, "test1.pix");
  check(saved === bytes, `Save gave ${saved} bytes, expected ${bytes}`);
}
// A keyboard entry opened by the button at (x, y), then its keys typed as a person types them, each
// held 150 ms; after Enter a pause, in which a size's second entry opens.
const promptShown = async (page) => (await colours(page, 390, 405, 275, 90)).includes("FF0000");
async function enterWithKeys(page, x, y, keys) {
  // The menu takes only a press begun after it has seen the button up: the way from Settings to
  // it takes a person longer than the menu's first look.
  await page.waitForTimeout(400);
  await move(page, x, y);
  await holdUntil(page, "left", () => promptShown(page), `the entry at (${x},${y})`);
  await typeIntoEntries(page, keys, `the entry at (${x},${y})`);
}
async function typeIntoEntries(page, keys, what) {
  const prompt = () => promptShown(page);
  for (const key of keys) {
    await page.keyboard.down(key);
    await page.waitForTimeout(150);
    await page.keyboard.up(key);
    await page.waitForTimeout(key === "Enter" ? 600 : 150);
  }
  const deadline = Date.now() + 10000;
  for (let quiet = 0; quiet < 3; quiet = (await prompt()) ? 0 : quiet + 1) {
    check(Date.now() < deadline, `${what} did not end`);
    await page.waitForTimeout(300);
  }
}
// The question about a recovery copy, answered with a key: its second line, white on the black
// start screen, where the settings messages of a first start (one line each) show nothing.
async function answerRecoveryQuestion(page, key) {
  await waitFor(page, () => {
    const data = document.getElementById("screen").getContext("2d").getImageData(30, 56, 480, 16).data;
    let white = false;
    let black = false;
    for (let i = 0; i < data.length; i += 4) {
      white ||= data[i] === 255 && data[i + 1] === 255 && data[i + 2] === 255;
      black ||= data[i] === 0 && data[i + 1] === 0 && data[i + 2] === 0;
    }
    return white && black;
  });
  await page.focus("#screen");
  await page.keyboard.press(key, { delay: 100 });
}
async function escapeAndEnd(page) {
  await page.focus("#screen");
  await page.keyboard.press("Escape");
  await waitFor(page, () => pixedPage.hasEnded);
  check(await page.isVisible("#again"), "no offer to start again after the end");
  check((await page.textContent("#ended-text")).startsWith("pixed has ended."), "the page does not say pixed ended");
}
// A plain 8-bit BMP file of one colour ("RRGGBB"), as an artist's tool writes a button.
function plainBmp(width, height, colour) {
  const rowBytes = (width + 3) & ~3;
  const pixels = 14 + 40 + 4;
  const file = Buffer.alloc(pixels + rowBytes * height); // every pixel index 0
  file.write("BM", 0, "latin1");
  file.writeUInt32LE(file.length, 2);
  file.writeUInt32LE(pixels, 10);
  file.writeUInt32LE(40, 14);
  file.writeInt32LE(width, 18);
  file.writeInt32LE(height, 22);
  file.writeUInt16LE(1, 26);
  file.writeUInt16LE(8, 28);
  file.writeUInt32LE(1, 46); // one colour in the palette, stored blue, green, red
  file.writeUInt8(parseInt(colour.slice(4, 6), 16), 54);
  file.writeUInt8(parseInt(colour.slice(2, 4), 16), 55);
  file.writeUInt8(parseInt(colour.slice(0, 2), 16), 56);
  return file;
}
async function until(condition, what, timeout = 10000) {
  const deadline = Date.now() + timeout;
  while (!(await condition())) {
    check(Date.now() < deadline, typeof what === "function" ? await what() : what);
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
}
const nameBytes = (name) => [...Buffer.from(name), ...new Array(25 - name.length).fill(0)];
async function expectFile(page, name, bytes, what) {
  const found = await readFile(page, name);
  check(found && JSON.stringify(found) === JSON.stringify(bytes), `${what}: ${name} holds ${JSON.stringify(found)}`);
}

const browser = await launchChromium(executablePath);
let failed = false;
try {
  const context = await browser.newContext({ viewport: { width: 800, height: 600 + TOOLBAR }, acceptDownloads: true });

  // ---- A first run without settings files: Escape ends it and writes them.
  let page = await openPage(context);
  await startScreen(page);
  await settled(page);
  check((await page.textContent("#notice")) === "", `a notice on a clean start: ${await page.textContent("#notice")}`);
  await escapeAndEnd(page);
  note("the first run ended with Escape");

  // ---- Started again: the settings are back from the browser's storage; the golden start screen.
  await page.click("#again");
  await startScreen(page);
  await move(page, 400, 300); // where the editor puts its cursor
  await settled(page);
  const firstScreenMs = await evaluate(page, () => pixedPage.firstScreenMs);
  await expectFile(page, "SaveName.dat", nameBytes("test1.pix"), "the settings of the first run");
  await expectFile(page, "LoadName.dat", nameBytes("test1.pix"), "the settings of the first run");
  await expectFile(page, "SaveSize.dat", [102, 78], "the settings of the first run");
  const shot = path.join(out, "startup.png");
  await page.locator("#screen").screenshot({ path: shot });
  const differ = execFileSync(probe, ["differ", golden, shot], { encoding: "utf8" }).trim();
  check(differ === "0", `the start screen differs from the golden one in ${differ} pixels (${shot})`);
  note(`the start screen equals the golden one, ${firstScreenMs.toFixed(0)} ms after opening`);

  // ---- The Linux program's session: its save file, exported.
  await pick(page, 700, 74);
  await paint(page, 200, 100, "FF0000");
  await changes(page, "Quad", 330, 551, [285, 540, 89, 23]);
  await paint(page, 253, 147, "FF0000");
  await save(page, 102 * 78);
  await pick(page, 730, 40);
  await paint(page, 300, 200, "F9E21F");
  await tool(page, "u");
  await rectangle(page, 402, 252, 452, 292, "F9E21F");
  await pick(page, 695, 26); // colour 1
  await tool(page, "g");
  await changes(page, "the fill", 427, 272, cellOf(427, 272));
  await tool(page, "b");
  await save(page, 2 * 102 * 78);
  // Right loads image 1; a new cell; Ctrl+S writes it over image 1, and the browser keeps its own
  // save dialog shut.
  const numberArea = [672, 508, 128, 64];
  const noNumber = await regionHash(page, numberArea);
  await page.keyboard.press("ArrowRight", { delay: 100 });
  await until(async () => (await regionHash(page, numberArea)) !== noNumber, "no effect of Right");
  await paint(page, 350, 250, "0000CC"); // colour 1, picked for the fill
  const beforeCtrlS = JSON.stringify(await readFile(page, "test1.pix"));
  await evaluate(page, () => document.getElementById("screen").addEventListener("keydown", (event) => {
    if (event.ctrlKey && event.code === "KeyS") window.ctrlSKept = event.defaultPrevented;
  }));
  await page.keyboard.down("Control");
  await page.keyboard.press("s", { delay: 100 });
  await page.keyboard.up("Control");
  await until(async () => JSON.stringify(await readFile(page, "test1.pix")) !== beforeCtrlS, "no effect of Ctrl+S");
  check(await evaluate(page, () => window.ctrlSKept === true), "Ctrl+S went on to the browser");
  check((await fileSize(page, "test1.pix")) === 2 * 102 * 78, "Ctrl+S changed the length of test1.pix");
  // Ctrl+Shift+E writes the pictures into the page's storage, as the Linux program wrote them beside
  // its save file; the list of files tells what each is, and downloads the GIF with one click.
  await page.keyboard.down("Control");
  await page.keyboard.down("Shift");
  await page.keyboard.down("E");
  await until(async () => (await fileSize(page, "test1-sheet.json")) > 0, "Ctrl+Shift+E wrote no test1-sheet.json");
  await page.keyboard.up("E");
  await page.keyboard.up("Shift");
  await page.keyboard.up("Control");
  const linuxFolder = path.dirname(linuxPix);
  for (const name of ["test1-sheet.png", "test1-sheet.json", "test1-1.png"]) {
    check(Buffer.from(await readFile(page, name)).equals(fs.readFileSync(path.join(linuxFolder, name))),
          `${name} differs from the Linux program's`);
  }
  await page.click("#files summary");
  const kinds = { "test1.gif": "GIF animation", "test1-sheet.png": "PNG sheet", "test1-sheet.json": "JSON",
                  "test1-1.png": "PNG", "test1.pix": "pix images", "SaveSize.dat": "settings" };
  for (const [name, kind] of Object.entries(kinds)) {
    const shown = await page.locator("#file-list tr", { has: page.locator("td", { hasText: new RegExp(`^${name}$`) }) })
        .locator("td.kind").textContent();
    check(shown === kind, `the list calls ${name} "${shown}", not "${kind}"`);
  }
  const gifDownloading = page.waitForEvent("download");
  await page.locator("#file-list tr", { has: page.locator("td", { hasText: /^test1\.gif$/ }) }).locator("a").click();
  const gifDownload = await gifDownloading;
  const gif = path.join(out, gifDownload.suggestedFilename());
  await gifDownload.saveAs(gif);
  check(fs.readFileSync(gif).equals(fs.readFileSync(path.join(linuxFolder, "test1.gif"))),
        `${gif} differs from the Linux program's test1.gif`);
  await page.click("#files summary");
  await waitFor(page, () => document.getElementById("screen").width === 800);
  note("Ctrl+Shift+E wrote the Linux program's pictures; the list downloads the GIF byte for byte");
  await sessionEdits(page);
  note("the wheel's zoom and a stroke, a paste from image 0 and a mirrored rectangle, each saved with Ctrl+S");
  const downloading = page.waitForEvent("download");
  await page.click("#export");
  const download = await downloading;
  const exported = path.join(out, download.suggestedFilename());
  await download.saveAs(exported);
  check(fs.readFileSync(exported).equals(fs.readFileSync(linuxPix)), `${exported} differs from ${linuxPix}`);
  const sounds = await evaluate(page, () => pixedPage.soundsStarted);
  check(sounds >= 4, `${sounds} sounds played for two saves, expected 4`);
  note("the session's export equals the Linux program's save file; its sounds played");

  // ---- Clear, then Ctrl+S: no image is shown, so it appends; the file's other images stay.
  const imagesBefore = await readFile(page, "test1.pix");
  await changes(page, "Clear", 455, 511, cellOf(350, 250));
  await paint(page, 350, 250, "0000CC");
  await page.keyboard.down("Control");
  await page.keyboard.press("s", { delay: 100 });
  await page.keyboard.up("Control");
  await until(async () => (await fileSize(page, "test1.pix")) === 3 * 102 * 78, "Ctrl+S after Clear did not append");
  // (350, 250) is column 42, row 48; the quad pen paints colour 1 there and right and below.
  const appended = new Array(102 * 78).fill(0);
  for (const at of [48 * 102 + 42, 48 * 102 + 43, 49 * 102 + 42, 49 * 102 + 43]) appended[at] = 1;
  const afterClear = await readFile(page, "test1.pix");
  const wanted = [...imagesBefore, ...appended];
  const differs = wanted.findIndex((byte, i) => afterClear[i] !== byte);
  check(differs < 0, `after Clear, Ctrl+S: test1.pix differs from the model at byte ${differs}`);
  note("after Clear Ctrl+S appended the image, the others as they were");

  // ---- The toolbar's New, in place of Ctrl+N: the editor asks for the name, the width and the
  // height; a new file starts black, and Ctrl+S makes it image 0 of the new file.
  await page.click("#new");
  await until(() => promptShown(page), "New opened no entry");
  await page.waitForTimeout(400); // the entry's first look comes a moment after its prompt
  await typeIntoEntries(page, ["f", "r", "e", "s", "h", "Enter", "Enter", "Enter"], "New's entries");
  await page.keyboard.down("Control");
  await page.keyboard.press("s", { delay: 100 });
  await page.keyboard.up("Control");
  await until(async () => (await fileSize(page, "fresh.pix")) === 102 * 78, "Ctrl+S wrote no fresh.pix after New");
  await expectFile(page, "fresh.pix", new Array(102 * 78).fill(0), "the new file's first image");
  note("the toolbar's New asked for a new file, which Ctrl+S began with a black image");

  // ---- Undo and redo of a stroke, typed as a person types them.
  const cell = [401, 301, 4, 4];
  await pick(page, 730, 40); // yellow again, after the fill's colour
  await paint(page, 400, 300, "F9E21F");
  await page.keyboard.press("Control+z", { delay: 100 });
  await waitFor(page, ([l, t]) => document.getElementById("screen").getContext("2d").getImageData(l, t, 1, 1)
      .data.slice(0, 3).every((v) => v === 0), cell, 5000);
  await page.keyboard.press("Control+y", { delay: 100 });
  await waitFor(page, ([l, t]) => document.getElementById("screen").getContext("2d").getImageData(l, t, 1, 1)
      .data[0] === 0xF9, cell, 5000);
  note("Ctrl+Z takes the stroke back, Ctrl+Y puts it again");

  // ---- New names and size, kept over a reload once the run has ended.
  await move(page, 300, 300);
  await page.mouse.click(300, 300 + TOOLBAR, { button: "right" }); // focus without painting
  // The browser cannot put the pointer on the menu as the desktop does: the user moves there.
  const menu = [420, 440, 234, 20];
  await changes(page, "the settings menu", 205, 551, menu);
  await enterWithKeys(page, 537, 450, ["a", "r", "t", "2", "9", "Enter"]); // the save name
  await changes(page, "the settings menu", 205, 551, menu);
  await enterWithKeys(page, 620, 450, ["5", "0", "Enter", "5", "0", "Enter"]); // width and height
  const fields = [140, 405, 300, 80];
  const fieldsBefore = await regionHash(page, fields);
  await escapeAndEnd(page);
  await expectFile(page, "SaveName.dat", nameBytes("art29.pix"), "Escape's settings");
  await page.reload();
  // The stroke undone and redone is unsaved work: its copy is offered back, and set aside here.
  await answerRecoveryQuestion(page, "x");
  await startScreen(page);
  await settled(page);
  await expectFile(page, "SaveName.dat", nameBytes("art29.pix"), "the settings after a reload");
  await expectFile(page, "SaveSize.dat", [50, 50], "the settings after a reload");
  check((await fileSize(page, "test1.pix")) === 3 * 102 * 78, "test1.pix is not kept over a reload");
  check((await regionHash(page, fields)) === fieldsBefore, "the names and the size on the screen changed over a reload");
  note("names, size and files are kept over a reload");

  // ---- A bad Import: shown, and kept as it is, over a reload too; a file of the same name
  // is replaced only when the user agrees.
  const short = Buffer.alloc(1000, 7);
  await page.setInputFiles("#import-files", { name: "short.pix", mimeType: "application/octet-stream", buffer: short });
  await waitFor(page, () => document.getElementById("notice").textContent.includes("not a whole number"));
  await waitFor(page, () => !pixedPage.storingFiles);
  await page.reload();
  await startScreen(page);
  await expectFile(page, "short.pix", [...short], "the short import after a reload");
  page.removeAllListeners("dialog");
  let asked = false;
  page.once("dialog", async (dialog) => {
    await dialog.dismiss();
    asked = true;
  });
  await page.setInputFiles("#import-files", { name: "short.pix", mimeType: "application/octet-stream", buffer: Buffer.alloc(10) });
  // The question answered, and the import over: its last step empties the chooser.
  for (const deadline = Date.now() + 10000; !asked; await page.waitForTimeout(50)) {
    check(Date.now() < deadline, "no question before short.pix is replaced");
  }
  await waitFor(page, () => document.getElementById("import-files").value === "");
  await expectFile(page, "short.pix", [...short], "an import refused by the user");
  await page.click("#files summary");
  check((await page.textContent("#file-list")).includes("short.pixpix images1000 bytes"), "the list does not show short.pix");
  const list = await page.locator("#file-list").boundingBox();
  const screen = await page.locator("#screen").boundingBox();
  check(list.x >= screen.x + screen.width || list.y >= screen.y + screen.height,
        `the list of files covers the editor's screen: ${JSON.stringify(list)} over ${JSON.stringify(screen)}`);
  // Closed again, the list gives the canvas back its 800 x 600 pixels, which the checks read.
  await page.click("#files summary");
  await waitFor(page, () => document.getElementById("screen").width === 800);
  note("a bad import is shown and kept as it is; a replace waits for the user");

  // ---- A button bitmap imported shows at once, and again when replaced: the program keeps the
  // bitmaps it draws only until the page writes into its folder.
  page.on("dialog", (dialog) => dialog.accept());
  const clearButton = [410, 500, 89, 23];
  for (const colour of ["FF0000", "F9E21F"]) {
    await page.setInputFiles("#import-files", { name: "clear_button.bmp", mimeType: "image/bmp", buffer: plainBmp(89, 23, colour) });
    await until(async () => (await colours(page, ...clearButton)) === colour,
                async () => `the imported Clear button in ${colour} is not shown: ${await colours(page, ...clearButton)}`);
  }
  note("a button bitmap imported shows, and shows again when replaced");

  // ---- A palette file imported under another name is kept as Palette.gpl (the page asks first),
  // and the editor takes its colours at its next start: swatch 4 shows the file's fifth colour.
  const swatch4 = [696, 70, 8, 8];
  const palette = Buffer.from("#000000\n#010203\n#040506\n#070809\n#123456\n");
  await page.setInputFiles("#import-files", { name: "game.hex", mimeType: "text/plain", buffer: palette });
  await waitFor(page, () => document.getElementById("notice").textContent.includes("game.hex as Palette.gpl"));
  await expectFile(page, "Palette.gpl", [...palette], "the imported palette");
  await waitFor(page, () => !pixedPage.storingFiles);
  await page.reload();
  await startScreen(page);
  await settled(page);
  await until(async () => (await colours(page, ...swatch4)) === "123456",
              async () => `swatch 4 after the palette's import: ${await colours(page, ...swatch4)}`);
  // Picked and painted, the file's colour is saved as its index, as on Linux: image pixel (10, 10)
  // of the session's 50 x 50, saved into its art29.pix.
  await pick(page, 695, 74);
  await paint(page, 192, 57, "123456");
  const savedBefore = await fileSize(page, "art29.pix");
  await move(page, 330, 511);
  await page.mouse.down();
  await page.mouse.up();
  await waitFor(page, (wanted) => Module.FS.analyzePath("/pixed/art29.pix").exists &&
                                  Module.FS.stat("/pixed/art29.pix").size >= wanted, savedBefore + 50 * 50, 10000);
  const savedPixel = (await readFile(page, "art29.pix"))[savedBefore + 10 * 50 + 10];
  check(savedPixel === 4, `the pixel painted in swatch 4's colour is saved as ${savedPixel}, expected 4`);
  // Taken out again: the figures below are the editor's with its own colours.
  await evaluate(page, () => new Promise((resolve) => {
    Module.FS.unlink("/pixed/Palette.gpl");
    Module.FS.syncfs(false, resolve);
  }));
  note("a palette file imported is kept as Palette.gpl, whose colours the next start shows, picked, painted and saved as their index");

  // ---- The page's figures: idle processor time and the benchmark mode.
  await page.waitForTimeout(2000);
  const idle = await idleShare(page, 10000);
  check(idle < 25, `the idle page takes ${idle.toFixed(1)} % of a core: it spins`);
  note(`idle: the browser's processes take ${idle.toFixed(1)} % of a core`);
  await page.close();
  page = await openPage(context, url + "?passes=300");
  await waitFor(page, () => pixedPage.benchmark !== "", null, 60000);
  note(`benchmark: ${await evaluate(page, () => pixedPage.benchmark)}`);
  await context.close();

  // ---- Storage refused (a private window, blocked site data): said on the page; the editor
  // works in memory.
  const refused = await browser.newContext({ viewport: { width: 800, height: 600 + TOOLBAR } });
  await refused.addInitScript(() => {
    IDBFactory.prototype.open = () => { throw new DOMException("refused", "SecurityError"); };
  });
  page = await openPage(refused);
  await startScreen(page);
  await waitFor(page, () => document.getElementById("notice").textContent.includes("does not keep"));
  await page.setInputFiles("#import-files", { name: "one.pix", mimeType: "application/octet-stream", buffer: Buffer.alloc(7956, 3) });
  await waitFor(page, () => Module.FS.analyzePath("/pixed/one.pix").exists);
  await refused.close();
  note("refused storage is reported, and the editor keeps its files in memory");

  // ---- Storage full: the browser gives a write up; said on the page, the file stays in memory.
  const full = await browser.newContext({ viewport: { width: 800, height: 600 + TOOLBAR } });
  await full.addInitScript(() => {
    const put = IDBObjectStore.prototype.put;
    IDBObjectStore.prototype.put = function (...args) {
      const request = put.apply(this, args);
      this.transaction.abort();
      return request;
    };
  });
  page = await openPage(full);
  await startScreen(page);
  await page.setInputFiles("#import-files", { name: "two.pix", mimeType: "application/octet-stream", buffer: Buffer.alloc(7956, 4) });
  await waitFor(page, () => document.getElementById("notice").textContent.includes("not keep"));
  await expectFile(page, "two.pix", [...Buffer.alloc(7956, 4)], "a file the storage gave up");
  await full.close();
  note("a write the browser gives up is reported, and the file stays in memory");

  // ---- A tab that crashes with unsaved work: at the next visit the page offers the painting back
  // from the browser's storage; R puts it back, and Save and Export give it byte for byte.
  const crashing = await browser.newContext({ viewport: { width: 800, height: 600 + TOOLBAR }, acceptDownloads: true });
  page = await openPage(crashing);
  await startScreen(page);
  await settled(page);
  await pick(page, 700, 74);
  await paint(page, 200, 100, "FF0000");
  await page.waitForTimeout(3000);
  await waitFor(page, () => !pixedPage.storingFiles);
  const crashed = page.waitForEvent("crash");
  const session = await crashing.newCDPSession(page);
  session.send("Page.crash").catch(() => {}); // the renderer is gone before it could answer
  await crashed;
  note("the tab crashed with a red cell unsaved");
  page = await openPage(crashing);
  await page.bringToFront(); // the crashed tab's window had the focus
  await answerRecoveryQuestion(page, "r");
  await startScreen(page);
  await settled(page);
  await save(page, 102 * 78);
  const painted = new Array(102 * 78).fill(0);
  painted[18 * 102 + 12] = 4; // (200, 100) is column 12, row 18; red is colour 4
  const exporting = page.waitForEvent("download");
  await page.click("#export");
  const crashExport = path.join(out, "after-crash.pix");
  await (await exporting).saveAs(crashExport);
  check(JSON.stringify([...fs.readFileSync(crashExport)]) === JSON.stringify(painted),
        `${crashExport} does not hold the painting made before the crash`);
  // A second tab of the same site shares the storage: it keeps no copy of its own over the first
  // tab's, and says so; the first one keeps its copy.
  const second = await crashing.newPage();
  lastPage = second;
  const secondSays = [];
  second.on("console", (message) => secondSays.push(message.text()));
  await second.goto(url);
  await startScreen(second);
  await settled(second);
  await until(async () => secondSays.some((line) => line.includes("keeps none")),
              "the second tab did not say that another pixed keeps the recovery copy");
  check(!secondSays.some((line) => line.includes("cannot keep")), "the second tab could not take its lock");
  await second.close();
  await crashing.close();
  note("the painting of a crashed tab came back with R, and Export gives it byte for byte; a second tab keeps no copy");

  // ---- The wheel, the middle button, Alt with a click and the keys the editor takes reach the
  // program, and the page keeps them from the browser: no scrolling, zooming, paste, reload or
  // shortcut of its own.
  const inputs = await browser.newContext({ viewport: { width: 800, height: 600 + TOOLBAR } });
  page = await openPage(inputs);
  await startScreen(page);
  await settled(page);
  await evaluate(page, () => {
    // Emscripten's first call of an export puts the function itself in its place: a setter keeps
    // the spy in front of whatever is put there.
    window.given = [];
    for (const name of ["_pixed_web_wheel", "_pixed_web_pointer"]) {
      let real = Module[name];
      const spy = (...args) => {
        window.given.push([name, ...args]);
        return real(...args);
      };
      Object.defineProperty(Module, name, { get: () => spy, set: (value) => { real = value; } });
    }
    // Heard after the page's own listeners: whether they kept the event from the browser.
    window.kept = [];
    for (const type of ["wheel", "keydown", "pointerdown"]) {
      window.addEventListener(type, (event) => window.kept.push({ type, code: event.code, button: event.button,
        altKey: event.altKey, kept: event.defaultPrevented }));
    }
  });
  const given = (name) => evaluate(page, (n) => window.given.filter((call) => call[0] === n).map((call) => call.slice(1)), name);
  const lastKept = (type) => evaluate(page, (t) => window.kept.filter((event) => event.type === t).pop(), type);
  await move(page, 400, 300);
  await page.mouse.wheel(0, -100);
  await page.keyboard.down("Control");
  await page.mouse.wheel(0, 300);
  await page.keyboard.up("Control");
  await until(async () => (await given("_pixed_web_wheel")).length === 2, "the wheel did not reach the program");
  check(JSON.stringify(await given("_pixed_web_wheel")) === "[[1],[-1]]",
        `the wheel gave ${JSON.stringify(await given("_pixed_web_wheel"))}, expected a notch away, then one towards`);
  check(await evaluate(page, () => window.kept.filter((e) => e.type === "wheel").every((e) => e.kept)),
        "a turn of the wheel (Ctrl+wheel included) went on to the browser");
  await page.mouse.down({ button: "middle" });
  await page.mouse.up({ button: "middle" });
  check((await given("_pixed_web_pointer")).some(([, , buttons]) => buttons === 4),
        "the middle button did not reach the program as the record's third button");
  await page.keyboard.down("Alt");
  await page.mouse.down();
  const altClick = await lastKept("pointerdown");
  await page.mouse.up();
  await page.keyboard.up("Alt");
  check(altClick.altKey && altClick.button === 0 && (await given("_pixed_web_pointer")).some(([, , b]) => b === 1),
        `Alt with a left click did not reach the program as a click: ${JSON.stringify(altClick)}`);
  check(await evaluate(page, () => document.hasFocus() && document.activeElement.id === "screen"),
        "Alt with a click took the focus from the editor");
  const combinations = ["Control+0", "Control+1", "Control+9", "Control+a", "Control+c", "Control+d", "Control+s",
    "Control+v", "Control+x", "Control+z", "Control+y", "Control+Shift+E", "F1", "F3", "F4", "F5", "F6", "F7",
    "Alt+n", "Space", "PageUp", "PageDown", "Delete", "ArrowLeft", "ArrowUp", "ArrowRight", "ArrowDown"];
  for (const keys of combinations) {
    await evaluate(page, () => { window.kept = []; });
    await page.keyboard.press(keys, { delay: 30 });
    const last = await lastKept("keydown");
    check(last && last.code !== "" && last.kept, `${keys} went on to the browser: ${JSON.stringify(last)}`);
  }
  check(await evaluate(page, () => document.getElementById("screen").dispatchEvent(new KeyboardEvent("keydown",
    { code: "KeyL", key: "l", ctrlKey: true, cancelable: true }))), "the page kept Ctrl+L, the browser's own");
  await inputs.close();
  note(`the wheel, the middle button, Alt with a click and ${combinations.length} keys reach the editor, not the browser`);
} catch (error) {
  failed = true;
  console.error(`[browser] FAIL: ${error.stack}`);
  const shot = path.join(out, "failed.png");
  if (lastPage && (await lastPage.screenshot({ path: shot }).then(() => true, () => false))) {
    console.error(`[browser] the page when it failed: ${shot}`);
  }
} finally {
  await browser.close();
}
process.exit(failed ? 1 : 0);
