// SPDX-License-Identifier: GPL-3.0-or-later
// Stepping through the passes of a paused run on the page: each pass it goes
// to shows the state and frame the desktop renderer reaches in as many passes.
import { execFileSync } from "node:child_process";
import assert from "node:assert/strict";
import { test } from "node:test";

export function stepTest(context) {
    test("a step back of 1, 10 and 1000 passes shows the renderer's state and frame of that pass", async () => {
        const { browser, page, renderer } = context();
        const shows = async (passes, how) => {
            const out = execFileSync(renderer, ["--example", "1", "--iterations", String(passes), "--hash", "--quiet"],
                                     { encoding: "utf8" });
            const [, state, frame] = out.match(/state ([0-9a-f]{16})\nframe ([0-9a-f]{16})/);
            assert.equal(await page.shownFrame(), frame, how);
            assert.equal(await browser.evaluate(() => window.wogenfeld.hashes()), `state ${state} frame ${frame}`, how);
            assert.equal(await browser.evaluate(() => Number(document.getElementById("timeBar").value)), passes, how);
        };
        await page.checkLine("example=1&passes=1100"); // paused at pass 1100
        await browser.contextClick("#PaintBox1");
        await browser.waitFor(() => !document.getElementById("probeMenu").hidden);
        assert.equal(await page.text("#menuStepBack"), "Einen Durchgang zurück,");
        await browser.click("#menuStepBack");
        await shows(1099, "one back through the menu");
        await browser.focus("#PaintBox1");
        for (let k = 0; k < 10; ++k) await browser.press(",");
        await shows(1089, "ten back by the key");
        await browser.evaluate(() => {
            const bar = document.getElementById("timeBar");
            bar.value = "89";
            bar.dispatchEvent(new Event("change"));
        });
        await shows(89, "a thousand back on the time bar");
        await browser.press(".");
        await shows(90, "one on by the key");
    });
}
