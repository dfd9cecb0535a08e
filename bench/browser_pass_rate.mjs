// SPDX-License-Identifier: GPL-3.0-or-later
// Passes a second of the browser edition in headless Chromium beside the
// desktop renderer's, in the same run, and the frames a second the page
// presents. Needs `npm ci --prefix tests/browser` once.
// Usage: node bench/browser_pass_rate.mjs SITE_DIR RENDERER [SECONDS]
import { execFileSync } from "node:child_process";
import { launchBrowser, serveSite } from "../tests/browser/browser.mjs";

const [siteDir, renderer, secondsText = "10"] = process.argv.slice(2);
const seconds = Number(secondsText);
const passes = 2000;

// The desktop: a headless run of the first example, its passes timed alone.
function desktopRate() {
    const start = process.hrtime.bigint();
    execFileSync(renderer, ["--example", "1", "--iterations", String(passes), "--quiet"]);
    return passes / (Number(process.hrtime.bigint() - start) / 1e9);
}

const server = await serveSite(siteDir);
const browser = await launchBrowser();
const page = await browser.newPage();

// The core in the page without presenting: the check hook's passes, timed by the page.
await page.goto(`${server.url}/index.html`);
await page.waitForFunction(() => window.wogenfeld !== undefined);
const checkStart = Date.now();
await page.goto(`${server.url}/index.html?example=1&passes=${passes}&check=1`);
await page.waitForFunction(() => document.getElementById("check").textContent !== "", null, { timeout: 600000 });
const checkRate = passes / ((Date.now() - checkStart) / 1000);

// The page as a user sees it: "Anregung" on, passes and frames counted over a while.
await page.goto(`${server.url}/index.html`);
await page.waitForFunction(() => window.wogenfeld !== undefined);
await page.click("#CheckBox1Box");
await page.waitForTimeout(1000);
const before = await page.evaluate(() => ({ ...window.wogenfeld.statistics, time: performance.now() }));
await page.waitForTimeout(seconds * 1000);
const after = await page.evaluate(() => ({ ...window.wogenfeld.statistics, time: performance.now() }));
const elapsed = (after.time - before.time) / 1000;
const desktop = desktopRate();

await browser.close();
server.close();

const fixed = (value) => value.toFixed(1).padStart(8);
console.log(`desktop renderer, headless      ${fixed(desktop)} passes/s`);
console.log(`browser, check hook (no frames) ${fixed(checkRate)} passes/s (page load included)`);
console.log(`browser, page running unpaced   ${fixed((after.passes - before.passes) / elapsed)} passes/s`);
console.log(`browser, frames presented       ${fixed((after.frames - before.frames) / elapsed)} frames/s`);
