// The page's figures in headless Chromium: its first screen after opening, the busy time of its
// idle passes (the page's benchmark mode, ?passes=N), and its share of a core while idle.
// Usage: node web_bench.mjs URL CHROMIUM PASSES   (prints "first-screen-ms N", "pass-busy-us N" and
// "idle-percent N"; the first run writes the settings files, so that the later ones start at once)
import { idleShare, launchChromium } from "../tests/web/browser_support.mjs";

const [url, executablePath, passes] = process.argv.slice(2);
const browser = await launchChromium(executablePath);
try {
  const context = await browser.newContext({ viewport: { width: 800, height: 628 } });
  const page = await context.newPage();
  const ready = (fn) => page.waitForFunction(fn, null, { timeout: 60000, polling: 50 });
  await page.goto(url);
  await ready(() => typeof pixedPage !== "undefined" && pixedPage.firstScreenMs > 0);
  await page.focus("#screen");
  await page.keyboard.press("Escape");
  await ready(() => pixedPage.hasEnded);

  await page.goto(url);
  await ready(() => pixedPage.firstScreenMs > 0);
  console.log(`first-screen-ms ${(await page.evaluate(() => pixedPage.firstScreenMs)).toFixed(0)}`);
  await page.waitForTimeout(2000);
  console.log(`idle-percent ${(await idleShare(page, 10000)).toFixed(1)}`);

  await page.goto(`${url}?passes=${passes}`);
  await ready(() => pixedPage.benchmark !== "");
  const report = await page.evaluate(() => pixedPage.benchmark);
  console.log(`pass-busy-us ${report.match(/busy median ([0-9.]+)/)[1]}`);
  console.log(`# ${report}`);
} finally {
  await browser.close();
}
