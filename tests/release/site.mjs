// The unpacked site as a user meets it, in headless Chromium: the page starts the editor, a pix file
// put in with Import shows in the Files list, and its "download" there saves it again.
// Usage: node site.mjs URL OUT-FOLDER CHROMIUM PIX-FILE (the download is saved in OUT-FOLDER)
import fs from "node:fs";
import path from "node:path";
import { launchChromium } from "../web/browser_support.mjs";

const [url, out, executablePath, pixFile] = process.argv.slice(2);
const name = path.basename(pixFile);
const browser = await launchChromium(executablePath);
try {
  const context = await browser.newContext({ viewport: { width: 1200, height: 700 }, acceptDownloads: true });
  const page = await context.newPage();
  page.on("pageerror", (error) => console.log(`[site] page error: ${error.message}`));
  page.on("dialog", (dialog) => dialog.accept());
  await page.goto(url);
  const waitFor = (fn, arg) => page.waitForFunction(fn, arg, { timeout: 30000, polling: 50 });
  await waitFor(() => typeof pixedPage !== "undefined" && pixedPage.firstScreenMs > 0);
  console.log("[site] the editor shows its first screen");

  await page.setInputFiles("#import-files", { name, mimeType: "application/octet-stream", buffer: fs.readFileSync(pixFile) });
  await waitFor((n) => document.getElementById("notice").textContent.includes(n), name);
  await page.click("#files summary");
  const row = page.locator("#file-list tr", { has: page.locator("td", { hasText: new RegExp(`^${name}$`) }) });
  const downloading = page.waitForEvent("download");
  await row.getByText("download", { exact: true }).click();
  const download = await downloading;
  const saved = path.join(out, "downloaded-" + download.suggestedFilename());
  await download.saveAs(saved);
  console.log(`[site] the Files list's download of ${name} saved as ${saved}`);
} finally {
  await browser.close();
}
