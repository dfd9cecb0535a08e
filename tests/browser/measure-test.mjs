// SPDX-License-Identifier: GPL-3.0-or-later
// Measuring on the page: probes set through the drawing area's menu, the
// readouts of "Messung" and its table, judged by the drive's physics and the
// desktop renderer's table of the same run.
import { execFileSync } from "node:child_process";
import assert from "node:assert/strict";
import { mkdtempSync, readFileSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join, resolve } from "node:path";
import { pathToFileURL } from "node:url";
import { test } from "node:test";
import { sleep } from "./browser.mjs";

// The renderer's --csv (or another kind's option) of `passes` passes of its start with these probes.
function renderedTable(renderer, passes, probes, option = "--csv") {
    const folder = mkdtempSync(join(tmpdir(), "wogenfeld-csv-"));
    try {
        const file = join(folder, "render.csv");
        execFileSync(renderer, ["--iterations", String(passes), ...probes.flatMap((p) => ["--probe", p.join(",")]),
                                option, file, "--quiet"]);
        return readFileSync(file, "utf8");
    } finally {
        rmSync(folder, { recursive: true, force: true });
    }
}

// A probe's last two upward zero crossings in the table's last 20 time units,
// each placed linearly between its passes; the amplitude half the swing between them.
function readingOf(table, column) {
    const rows = table.trim().split("\n").slice(1).map((line) => line.split(",").map(Number));
    const newest = rows.at(-1)[1];
    const rises = [];
    let low = Infinity, high = -Infinity;
    for (let k = rows.length - 1; k > 0 && rises.length < 2; --k) {
        const [a, b] = [rows[k - 1][column], rows[k][column]];
        if (rows[k - 1][1] < newest - 20) break;
        if (rises.length === 1) { low = Math.min(low, b); high = Math.max(high, b); }
        if (a < 0 && b >= 0) {
            rises.push(rows[k - 1][1] + (rows[k][1] - rows[k - 1][1]) * (-a / (b - a)));
            if (rises.length === 1) low = high = b;
        }
    }
    return { amplitude: (high - low) / 2, period: rises[0] - rises[1] };
}

// "Amplitude 40,00 · Periode 0,7854 · …" read back as numbers.
function germanNumber(text, before) {
    assert.ok(text.includes(before), `no ${before} in "${text}"`);
    return Number(text.split(before)[1].trim().split(" ")[0].replaceAll(".", "").replace(",", "."));
}

// What "Als CSV speichern …" downloads in the kind chosen ("0" plain, "1" decimal comma).
function savedTable(browser, kind) {
    return browser.evaluate(async (value) => {
        const blobs = [];
        const make = URL.createObjectURL;
        URL.createObjectURL = (blob) => { blobs.push(blob); return make.call(URL, blob); };
        document.getElementById("csvKind").value = value;
        document.getElementById("saveCsv").click();
        URL.createObjectURL = make;
        return blobs[0].text();
    }, kind);
}

// "Anregung" clicked, and then more than `passes` passes. The fresh run it
// starts begins with the first pass after the click: till then the run
// before it is counted, which may have made as many.
async function excitedRun(browser, passes) {
    await browser.click("#CheckBox1Box");
    const clickedAt = await browser.evaluate(() => window.wogenfeld.panel().newestPass);
    await browser.waitFor((least) => window.wogenfeld.panel().newestPass > least, clickedAt + passes, 180000);
}

export function measureTest(context) {
    test("a probe set through the menu reads the drive and saves the renderer's table", async () => {
        const { browser, page, renderer } = context();
        await page.open();
        // The menu at the middle of the resting net: the middle node, the source.
        await browser.contextClick("#PaintBox1");
        await browser.waitFor(() => !document.getElementById("probeMenu").hidden);
        assert.equal(await page.text("#menuRemove"), "Diese Messsonde entfernen");
        assert.ok(await browser.evaluate(() => document.getElementById("menuRemove").disabled), "no probe to remove");
        await browser.click("#menuSet");
        await browser.contextClick("#PaintBox1");
        await browser.click("#menuShow");
        const node = (slot) => browser.evaluate((s) => {
            const inputs = document.querySelectorAll("#measureWindow .probe-rows input");
            return [inputs[3 * s].checked, Number(inputs[3 * s + 1].value), Number(inputs[3 * s + 2].value)];
        }, slot);
        assert.deepEqual(await node(0), [true, 36, 36]);
        // The second probe through "Messung" itself, ten nodes along x.
        await browser.evaluate(() => {
            const inputs = document.querySelectorAll("#measureWindow .probe-rows input");
            inputs[4].value = "46";
            inputs[3].checked = true;
            inputs[3].dispatchEvent(new Event("change"));
        });
        assert.deepEqual(await node(1), [true, 46, 36]);

        // Some periods of the drive (45 passes each), however slow the engine.
        await excitedRun(browser, 150);
        const passes = await page.pauseAfter(0);
        // The markers lie over the frame; the frame stays the renderer's.
        assert.equal(await page.shownFrame(), (await browser.evaluate(() => window.wogenfeld.hashes())).split(" ")[3]);
        const marked = await browser.evaluate(() => {
            const markers = document.querySelector("canvas.markers");
            const { data } = markers.getContext("2d").getImageData(0, 0, markers.width, markers.height);
            const found = [false, false];
            for (let at = 0; at < data.length; at += 4) {
                if (data[at] === 192 && data[at + 1] === 57 && data[at + 2] === 43) found[0] = true;
                if (data[at] === 31 && data[at + 1] === 97 && data[at + 2] === 141) found[1] = true;
            }
            return found;
        });
        assert.deepEqual(marked, [true, true], "both markers in their colours");

        // The table of the same run as the renderer writes it, byte for byte.
        // In either kind; the run stays paused meanwhile.
        const saved = (kind) => savedTable(browser, kind);
        // Its energies summed in the page's worker, and on the page those it
        // had not sent back yet (or before it was ready): the same bits.
        assert.ok(await browser.evaluate(() => window.wogenfeld.statistics.energiesElsewhere) > 0);
        const table = renderedTable(renderer, passes, [[36, 36], [46, 36]]);
        assert.equal(await saved("0"), table);
        assert.equal(await saved("1"), renderedTable(renderer, passes, [[36, 36], [46, 36]], "--csv-decimal-comma"));
        await sleep(200); // a repaint of "Messung"
        const reading = await page.text("#measureWindow .probe-rows span[aria-label='Sonde 1 Messwerte']");
        // The source is driven to Z = -40 sin(8 t): period 2 pi / 8, amplitude 40.
        assert.ok(Math.abs(germanNumber(reading, "Periode") / (2 * Math.PI / 8) - 1) < 0.01, reading);
        assert.ok(Math.abs(germanNumber(reading, "Amplitude") / 40 - 1) < 0.01, reading);
        assert.match(await page.text("#runPasses"), new RegExp(`^Durchgänge des Laufs: ${passes.toLocaleString("de-DE")}$`));

        // Each probe's readout is what its column of that table gives.
        for (const [slot, column] of [[0, 2], [1, 3]]) {
            const expected = readingOf(table, column);
            const shown = await page.text(`#measureWindow span[aria-label='Sonde ${slot + 1} Messwerte']`);
            assert.ok(Math.abs(germanNumber(shown, "Amplitude") - expected.amplitude) <= 0.005, shown);
            assert.ok(Math.abs(germanNumber(shown, "Periode") - expected.period) <= 0.00005, shown);
            assert.ok(Math.abs(germanNumber(shown, "Frequenz") - 1 / expected.period) <= 0.00005, shown);
        }

        await browser.contextClick("#PaintBox1");
        await browser.click("#menuRemoveAll");
        await sleep(200);
        assert.deepEqual([(await node(0))[0], (await node(1))[0]], [false, false]);
        assert.equal(await page.text("#measureWindow span[aria-label='Sonde 1 Messwerte']"), "nicht gesetzt");
    });

    test("opened from a folder, the page measures and saves the renderer's table", async () => {
        // Where the browser starts no worker from a folder, the page sums the
        // energies itself; where it does, the worker's sums are the same bits.
        const { browser, renderer, siteDir } = context();
        await browser.goto(pathToFileURL(resolve(siteDir, "index.html")).href);
        await browser.waitFor(() => window.wogenfeld !== undefined);
        await browser.press("F2");
        await excitedRun(browser, 60);
        await browser.click("#Button4");
        const passes = await browser.evaluate(() => window.wogenfeld.panel().passes);
        assert.equal(await savedTable(browser, "0"), renderedTable(renderer, passes, []));
    });
}
