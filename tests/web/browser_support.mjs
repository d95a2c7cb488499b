// What the browser checks and the page's benchmark share: Debian's Chromium, headless, started
// as this machine wants it, and the processor time of its processes.
import fs from "node:fs";
import { chromium } from "playwright-core";

// Never a browser of the tool's own: the system's, without its network chatter.
export function launchChromium(executablePath) {
  return chromium.launch({
    executablePath,
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
           "--disable-component-update", "--disable-sync"],
  });
}

// The processor time of this run's browser (all its processes), in clock ticks of /proc.
function browserTicks() {
  const parents = new Map();
  const ticks = new Map();
  for (const pid of fs.readdirSync("/proc").filter((entry) => /^\d+$/.test(entry))) {
    try {
      const stat = fs.readFileSync(`/proc/${pid}/stat`, "utf8");
      const fields = stat.slice(stat.lastIndexOf(")") + 2).split(" ");
      parents.set(pid, fields[1]);
      ticks.set(pid, Number(fields[11]) + Number(fields[12]));
    } catch {}
  }
  const ours = (pid) => pid === String(process.pid) || (parents.has(pid) && pid !== "1" && ours(parents.get(pid)));
  let total = 0;
  for (const [pid, count] of ticks) if (pid !== String(process.pid) && ours(pid)) total += count;
  return total;
}

// The share of one core (in %) that the browser's processes take while the page waits ms.
export async function idleShare(page, ms) {
  const ticksPerSecond = 100;
  const before = browserTicks();
  await page.waitForTimeout(ms);
  return (100 * (browserTicks() - before)) / ticksPerSecond / (ms / 1000);
}
