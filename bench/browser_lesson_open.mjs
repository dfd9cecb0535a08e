// SPDX-License-Identifier: GPL-3.0-or-later
// How long the page takes to open a lesson of 1,000 and of 100,000 passes
// (example 3, written by the desktop renderer), from the file handed over to
// the lesson's frame shown; the renderer's own opening of the same file beside
// it. Needs `npm ci --prefix tests/browser` once.
// Usage: node bench/browser_lesson_open.mjs SITE_DIR RENDERER [ROUNDS [LONG_ROUNDS [ENGINE ...]]]
// Prints the median of ROUNDS (default 3) openings of the short lesson and of
// LONG_ROUNDS (default 3) of the long one, which takes minutes in a page.
import { execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { engines, launchBrowser, serveSite } from "../tests/browser/browser.mjs";

const [siteDir, renderer, roundsText = "3", longRoundsText = "3", ...chosen] = process.argv.slice(2);
const lengths = [1000, 100000];
const roundsOf = [Number(roundsText), Number(longRoundsText)];

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

function seconds(run) {
    const start = process.hrtime.bigint();
    run();
    return Number(process.hrtime.bigint() - start) / 1e9;
}

// Milliseconds from the file handed to the page to the lesson shown.
async function pageOpening(browser, server, text) {
    await browser.goto(`${server.url}/index.html`);
    await browser.waitFor(() => window.wogenfeld !== undefined);
    return browser.evaluate(async (content) => {
        const transfer = new DataTransfer();
        transfer.items.add(new File([content], "unterricht.wogenfeld"));
        const picker = document.getElementById("lessonFile");
        picker.files = transfer.files;
        const start = performance.now();
        picker.dispatchEvent(new Event("change"));
        while (window.wogenfeld.statistics.lessons === 0) {
            if (!document.getElementById("messageBox").hidden) {
                throw new Error(document.getElementById("messageText").textContent);
            }
            await new Promise((done) => setTimeout(done, 5));
        }
        return performance.now() - start;
    }, text);
}

const folder = mkdtempSync(join(tmpdir(), "wogenfeld-lesson-bench-"));
const server = await serveSite(siteDir);
try {
    const files = lengths.map((passes) => {
        const file = join(folder, `${passes}.wogenfeld`);
        execFileSync(renderer, ["--example", "3", "--iterations", String(passes), "--save-lesson", file, "--quiet"]);
        return file;
    });
    const desktop = files.map((file, k) => median(Array.from({ length: roundsOf[k] }, () =>
        seconds(() => execFileSync(renderer, ["--lesson", file, "--quiet"])))));
    console.log(`renderer: ${lengths.map((passes, k) => `${passes} passes ${desktop[k].toFixed(2)} s`).join(", ")}`);
    for (const engine of chosen.length ? chosen : engines) {
        const browser = await launchBrowser({ engine, protocolTimeout: 3600000 });
        try {
            const times = [];
            for (const [k, file] of files.entries()) {
                const text = readFileSync(file, "utf8");
                const taken = [];
                for (let round = 0; round < roundsOf[k]; ++round) taken.push(await pageOpening(browser, server, text));
                times.push(median(taken) / 1000);
            }
            console.log(`${engine}: ${lengths.map((passes, k) => `${passes} passes ${times[k].toFixed(2)} s`).join(", ")}`);
        } finally {
            await browser.close();
        }
    }
} finally {
    server.close();
    rmSync(folder, { recursive: true, force: true });
}
