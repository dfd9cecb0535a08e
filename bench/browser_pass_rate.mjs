// SPDX-License-Identifier: GPL-3.0-or-later
// Passes a second of the browser edition in each browser engine beside the
// desktop renderer's, in the same run, and the frames a second the page
// presents. Needs `npm ci --prefix tests/browser` once.
// Usage: node bench/browser_pass_rate.mjs SITE_DIR RENDERER [SECONDS [ENGINE ...]]
// The rates are medians of three turns each.
import { execFileSync } from "node:child_process";
import { engines, launchBrowser, serveSite, sleep } from "../tests/browser/browser.mjs";

const [siteDir, renderer, secondsText = "10", ...chosen] = process.argv.slice(2);
const seconds = Number(secondsText);
const passes = 2000;
const rounds = 3;

// The desktop: a headless run of the first example, its passes timed alone.
function desktopRate() {
    const start = process.hrtime.bigint();
    execFileSync(renderer, ["--example", "1", "--iterations", String(passes), "--quiet"]);
    return passes / (Number(process.hrtime.bigint() - start) / 1e9);
}

// The page's passes and frames a second over a while, "Anregung" on.
async function runningRates(browser) {
    await browser.click("#CheckBox1Box");
    await sleep(1000);
    const counted = () => browser.evaluate(() => ({ ...window.wogenfeld.statistics, time: performance.now() }));
    const before = await counted();
    await sleep(seconds * 1000);
    const after = await counted();
    const elapsed = (after.time - before.time) / 1000;
    return { passes: (after.passes - before.passes) / elapsed, frames: (after.frames - before.frames) / elapsed };
}

// One engine: the check hook's passes without frames (page load included),
// then the page as a user sees it and with four probes and "Messung" open.
async function engineRates(engine, server) {
    const browser = await launchBrowser({ engine });
    try {
        await browser.goto(`${server.url}/index.html`);
        await browser.waitFor(() => window.wogenfeld !== undefined);
        const checkStart = Date.now();
        await browser.goto(`${server.url}/index.html?example=1&passes=${passes}&check=1`);
        await browser.waitFor(() => document.getElementById("check").textContent !== "", null, 600000);
        const check = passes / ((Date.now() - checkStart) / 1000);

        // Without and with the measuring in turns, so that a spell of load on
        // a shared machine falls on both alike; the median of each.
        const plain = [], measuring = [];
        for (let round = 0; round < rounds; ++round) {
            await browser.goto(`${server.url}/index.html`);
            await browser.waitFor(() => window.wogenfeld !== undefined);
            plain.push(await runningRates(browser));

            await browser.goto(`${server.url}/index.html`);
            await browser.waitFor(() => window.wogenfeld !== undefined);
            await browser.press("F2");
            // Four probes, in a row from the source, set as a user sets them in "Messung".
            await browser.evaluate(() => {
                const inputs = document.querySelectorAll("#measureWindow .probe-rows input");
                for (let slot = 0; slot < 4; ++slot) {
                    inputs[3 * slot + 1].value = String(36 + 5 * slot);
                    inputs[3 * slot].checked = true;
                    inputs[3 * slot].dispatchEvent(new Event("change"));
                }
            });
            measuring.push(await runningRates(browser));
        }
        const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
        return {
            check,
            passes: median(plain.map((rate) => rate.passes)),
            frames: median(plain.map((rate) => rate.frames)),
            measuringPasses: median(measuring.map((rate) => rate.passes)),
            measuringFrames: median(measuring.map((rate) => rate.frames)),
            ratio: median(plain.map((rate, round) => measuring[round].passes / rate.passes)),
        };
    } finally {
        await browser.close();
    }
}

const server = await serveSite(siteDir);
const fixed = (value) => value.toFixed(1).padStart(8);
for (const engine of chosen.length ? chosen : engines) {
    const rates = await engineRates(engine, server);
    const name = engine.padEnd(9);
    console.log(`${name}check hook (no frames)   ${fixed(rates.check)} passes/s (page load included)`);
    console.log(`${name}page running unpaced     ${fixed(rates.passes)} passes/s`);
    console.log(`${name}frames presented         ${fixed(rates.frames)} frames/s`);
    console.log(`${name}four probes, "Messung"   ${fixed(rates.measuringPasses)} passes/s ` +
                `(${rates.ratio.toFixed(2)} of without, median of ${rounds} turns), ${fixed(rates.measuringFrames)} frames/s`);
}
server.close();
console.log(`desktop renderer, headless  ${fixed(desktopRate())} passes/s`);
