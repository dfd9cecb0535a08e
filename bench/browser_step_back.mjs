// SPDX-License-Identifier: GPL-3.0-or-later
// What a step back costs on the page: a paused run of 1,100 passes (example
// 1, the check hook), then single steps back, each timed from the call to the
// frame handed over. Needs `npm ci --prefix tests/browser` once.
// Usage: node bench/browser_step_back.mjs SITE_DIR [STEPS [ENGINE ...]]
// Prints the median and the longest of STEPS (default 200) steps.
import { engines, launchBrowser, serveSite } from "../tests/browser/browser.mjs";

const [siteDir, stepsText = "200", ...chosen] = process.argv.slice(2);
const steps = Number(stepsText);

const server = await serveSite(siteDir);
try {
    for (const engine of chosen.length ? chosen : engines) {
        const browser = await launchBrowser({ engine });
        try {
            await browser.goto(`${server.url}/index.html?example=1&passes=1100&check=1`);
            await browser.waitFor(() => document.getElementById("check").textContent !== "", null, 600000);
            const times = await browser.evaluate((count) => {
                const taken = [];
                for (let k = 0; k < count; ++k) {
                    const start = performance.now();
                    window.wogenfeld.act("wf_step_back", [], []);
                    taken.push(performance.now() - start);
                }
                return taken.sort((a, b) => a - b);
            }, steps);
            const median = times[Math.floor(times.length / 2)];
            console.log(`${engine}: a step back ${median.toFixed(1)} ms (median of ${steps}), ` +
                        `the longest ${times.at(-1).toFixed(1)} ms`);
        } finally {
            await browser.close();
        }
    }
} finally {
    server.close();
}
