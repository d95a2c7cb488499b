// The steps of tests/xvfb/session_edits.sh played in the page, whose points and keys they share: a
// notch of the wheel zooms the grid about the pointer and a stroke follows, Ctrl+S; a part of image 0
// copied, pasted into image 1 and dragged there, Ctrl+S; a rectangle drawn with X's mirror on, Ctrl+S.
// Each press or key is held until its effect shows. Played where the Linux session played them: image
// 1 of test1.pix just saved with Ctrl+S and shown at the start pitch, the pen, colour 1, no selection.
const TOOLBAR = 28; // the canvas starts below the toolbar
const BLUE = "0000CC"; // colour 1
const ZOOM_AT = [400, 300];
const STROKE = [251, 152, 269, 152];
const GRID = [140, 5, 511, 391];
const TOOL_NAME = [460, 572, 136, 16];
const COPY_FROM = [192, 87, 267, 162];
const GRAB = [202, 97, 222, 112];
const RECTANGLE = [492, 32, 542, 67];
const MIRRORED_CORNER = [247, 67];
const IMAGE_1_ONLY = [302, 197];
const AXIS = [394, 5, 3, 391];

const pointIs = (page, [x, y], colour) => page.evaluate(([x, y]) => {
  const data = document.getElementById("screen").getContext("2d").getImageData(x, y, 1, 1).data;
  return ((data[0] << 16) | (data[1] << 8) | data[2]).toString(16).toUpperCase().padStart(6, "0");
}, [x, y]).then((found) => found === colour);
const regionHash = (page, region) => page.evaluate(([l, t, w, h]) => {
  const data = document.getElementById("screen").getContext("2d").getImageData(l, t, w, h).data;
  let hash = 0;
  for (let i = 0; i < data.length; i++) hash = (hash * 31 + data[i]) | 0;
  return hash;
}, region);
const fileBytes = (page) => page.evaluate(() => JSON.stringify(Array.from(Module.FS.readFile("/pixed/test1.pix"))));

async function until(page, condition, what) {
  const deadline = Date.now() + 10000;
  while (!(await condition())) {
    if (Date.now() > deadline) throw new Error(`the session's edits: ${what}`);
    await page.waitForTimeout(30);
  }
}
// A condition that the region differs from how it is now.
async function regionChanges(page, region) {
  const before = await regionHash(page, region);
  return async () => (await regionHash(page, region)) !== before;
}
const move = (page, x, y) => page.mouse.move(x, y + TOOLBAR);
// Keys down in order, held until the condition holds, let go in reverse order.
async function keysUntil(page, keys, condition, what) {
  for (const key of keys) {
    await page.keyboard.down(key);
    await page.waitForTimeout(100);
  }
  try {
    await until(page, condition, what);
  } finally {
    for (const key of [...keys].reverse()) await page.keyboard.up(key);
    await page.waitForTimeout(100);
  }
}
async function ctrlS(page, what) {
  const before = await fileBytes(page);
  await keysUntil(page, ["Control", "s"], async () => (await fileBytes(page)) !== before,
                  `${what}: Ctrl+S did not change test1.pix`);
}
async function tool(page, key) {
  await keysUntil(page, [key], await regionChanges(page, TOOL_NAME), `the key ${key} chose no tool`);
}
async function releaseWhen(page, condition, what) {
  try {
    await until(page, condition, what);
  } finally {
    await page.mouse.up();
    await page.waitForTimeout(100);
  }
}
// Pressed at (x0, y0) and held a second (a press inside the selection shows nothing), then moved.
async function drag(page, [x0, y0, x1, y1], condition, what) {
  await move(page, x0, y0);
  await page.mouse.down();
  await page.waitForTimeout(1000);
  await move(page, x1, y1);
  await releaseWhen(page, condition, what);
}
// Pressed at `from` until it shows blue, moved to `to`, let go when `shows` is blue.
async function stroke(page, from, to, shows, what) {
  await move(page, ...from);
  await page.mouse.down();
  await until(page, () => pointIs(page, from, BLUE), `${what}: its press shows nothing`);
  await move(page, ...to);
  await releaseWhen(page, () => pointIs(page, shows, BLUE), `${what}: its end shows nothing`);
}

export async function sessionEdits(page) {
  await move(page, ...ZOOM_AT);
  const zoomed = await regionChanges(page, GRID);
  await page.mouse.wheel(0, -100);
  await until(page, zoomed, "a notch of the wheel did not zoom the grid");
  await stroke(page, STROKE.slice(0, 2), STROKE.slice(2), STROKE.slice(2), "the zoomed stroke");
  await ctrlS(page, "the stroke");

  await keysUntil(page, ["Control", "1"], await regionChanges(page, GRID), "Ctrl+1 did not zoom back");
  await keysUntil(page, ["Home"], () => pointIs(page, IMAGE_1_ONLY, "000000"), "Home did not load image 0");
  await tool(page, "m");
  const corner = [COPY_FROM[2] - 5, COPY_FROM[3] - 5, 10, 10];
  await drag(page, COPY_FROM, await regionChanges(page, corner), "no selection drawn");
  await keysUntil(page, ["Control", "c"], () => page.waitForTimeout(1000).then(() => true), "");
  await keysUntil(page, ["ArrowRight"], () => pointIs(page, IMAGE_1_ONLY, "F9E21F"), "Right did not load image 1");
  await keysUntil(page, ["Control", "v"], await regionChanges(page, TOOL_NAME), "Ctrl+V pasted nothing to float");
  await drag(page, GRAB, () => pointIs(page, GRAB.slice(2), "FF0000"), "the pasted part was not dragged");
  await ctrlS(page, "the paste");

  await keysUntil(page, ["Control", "d"], await regionChanges(page, GRID), "Ctrl+D did not drop the selection");
  await keysUntil(page, ["x"], await regionChanges(page, AXIS), "X showed no mirror axis");
  await tool(page, "u");
  await stroke(page, RECTANGLE.slice(0, 2), RECTANGLE.slice(2), MIRRORED_CORNER, "the mirrored rectangle");
  await ctrlS(page, "the mirrored rectangle");
  await keysUntil(page, ["x"], await regionChanges(page, AXIS), "X did not take the mirror off");
  await tool(page, "b");
}
