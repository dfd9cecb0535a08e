// SPDX-License-Identifier: GPL-3.0-or-later
// The page on a tablet, emulated in Chromium: every control can be hit with a
// finger, the window fills the screen in either orientation, and a mouse
// still gets the desktop's layout.
import assert from "node:assert/strict";
import { test } from "node:test";
import { launchBrowser } from "./browser.mjs";

// The smallest target a finger is given (WCAG 2.2, target size minimum).
const finger = 24;

// The controls (and a scroll bar's arrows and thumb) that do not hold a
// finger-sized square around their middle which is theirs alone.
function tooSmallToHit(size) {
    const targets = [...document.querySelectorAll("#window .button, #window .edit, #window label")];
    for (const bar of document.querySelectorAll("#window .scrollbar")) targets.push(...bar.children);
    const missed = [];
    for (const target of targets.filter((element) => element.offsetParent !== null)) {
        const box = target.getBoundingClientRect();
        const [x, y] = [box.left + box.width / 2, box.top + box.height / 2];
        const half = size / 2 - 0.5;
        const points = [[x, y], [x - half, y - half], [x + half, y - half], [x - half, y + half], [x + half, y + half]];
        if (!points.every(([px, py]) => target.contains(document.elementFromPoint(px, py)))) {
            missed.push(`${target.id || `${target.parentElement.id} ${target.className}`} ${box.width}x${box.height}`);
        }
    }
    return missed;
}

async function opened(server, options) {
    const browser = await launchBrowser(options);
    await browser.goto(`${server.url}/index.html`);
    await browser.waitFor(() => window.wogenfeld !== undefined);
    return browser;
}

const windowShare = () => {
    const box = document.getElementById("window").getBoundingClientRect();
    return [box.width / innerWidth, box.height / innerHeight];
};

export function touchTest(context) {
    test("on a tablet every control takes a finger and the window fills the screen", async () => {
        for (const viewport of [{ width: 768, height: 1024 }, { width: 1024, height: 768 }]) {
            const browser = await opened(context().server, { viewport, deviceScaleFactor: 2, touch: true });
            try {
                const shape = `${viewport.width}x${viewport.height}`;
                await browser.page.tap("#CheckBox4Box"); // its source fields shown
                assert.deepEqual(await browser.evaluate(tooSmallToHit, finger), [], shape);
                const [width, height] = await browser.evaluate(windowShare);
                assert.ok(width > 0.95 && height > 0.9, `${shape}: the window covers ${width} x ${height}`);
                // A tap on an arrow steps its bar, as a click does.
                await browser.page.tap("#ScrollBar6 .upper");
                const amplitude = await browser.evaluate(() =>
                    [document.getElementById("ScrollBar6").getAttribute("aria-valuenow"),
                     document.getElementById("Edit7").value]);
                assert.deepEqual(amplitude, ["41", "41"], shape);
                // "Messung" stands over the window rather than shrink it below a finger's size.
                await browser.press("F2");
                await browser.waitFor(() => !document.getElementById("measureWindow").hidden);
                const [widthMeasuring, heightMeasuring] = await browser.evaluate(windowShare);
                assert.ok(widthMeasuring > 0.95 && heightMeasuring > 0.9,
                          `${shape}, "Messung" open: the window covers ${widthMeasuring} x ${heightMeasuring}`);
            } finally {
                await browser.close();
            }
        }
    });

    test("with a mouse the controls keep the window's sizes", async () => {
        const browser = await opened(context().server, { viewport: { width: 1366, height: 768 } });
        try {
            const [scale, barHeight] = await browser.evaluate(() => [
                document.getElementById("window").getBoundingClientRect().height / 734,
                document.getElementById("ScrollBar1").getBoundingClientRect().height]);
            assert.ok(Math.abs(barHeight - 12 * scale) < 0.01, `${barHeight} at scale ${scale}`);
        } finally {
            await browser.close();
        }
    });
}
