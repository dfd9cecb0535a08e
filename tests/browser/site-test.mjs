// SPDX-License-Identifier: GPL-3.0-or-later
// The browser edition in Debian's Chromium, judged by its canvas's pixels
// against the desktop renderer's frames.
// Usage: node site-test.mjs SITE_DIR RENDERER
import { execFileSync } from "node:child_process";
import { readFileSync } from "node:fs";
import assert from "node:assert/strict";
import { test, after, before } from "node:test";
import { launchBrowser, serveSite } from "./browser.mjs";

const [siteDir, renderer] = process.argv.slice(2);

// The renderer's "state S frame F" for its options.
function rendered(...options) {
    const out = execFileSync(renderer, [...options, "--hash", "--quiet"], { encoding: "utf8" });
    const [, state, frame] = out.match(/state ([0-9a-f]{16})\nframe ([0-9a-f]{16})/);
    return { state, frame };
}

// FNV-1a over the canvas's pixels as the view stores them, 0xFFRRGGBB in
// little-endian bytes: B, G, R, A; or over those of a PNG (base64) instead.
async function canvasHash(png) {
    let canvas = document.getElementById("PaintBox1");
    if (png) {
        const bytes = Uint8Array.from(atob(png), (c) => c.charCodeAt(0));
        const picture = await createImageBitmap(new Blob([bytes], { type: "image/png" }),
                                                { colorSpaceConversion: "none", premultiplyAlpha: "none" });
        canvas = new OffscreenCanvas(picture.width, picture.height);
        canvas.getContext("2d").drawImage(picture, 0, 0);
    }
    const { data } = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height);
    let hi = 0xcbf29ce4, lo = 0x84222325;
    const mix = (byte) => {
        lo = (lo ^ byte) >>> 0;
        // h * (2^40 + 435) mod 2^64 in 32-bit halves, each product exact in a double.
        const low = lo * 435;
        const carry = Math.floor(low / 4294967296);
        hi = (hi * 435 + carry + ((lo << 8) >>> 0)) % 4294967296;
        lo = low % 4294967296;
    };
    for (let at = 0; at < data.length; at += 4) {
        mix(data[at + 2]); mix(data[at + 1]); mix(data[at]); mix(data[at + 3]);
    }
    return hi.toString(16).padStart(8, "0") + lo.toString(16).padStart(8, "0");
}

let browser, page, server;
before(async () => {
    server = await serveSite(siteDir);
    browser = await launchBrowser();
    page = await browser.newPage();
});
after(async () => {
    await browser?.close();
    server?.close();
});

const open = async (query = "") => {
    await page.goto(`${server.url}/index.html${query}`);
    await page.waitForFunction(() => window.wogenfeld !== undefined);
};
const passesOfRun = () => page.evaluate(() => window.wogenfeld.panel().passes);
// The frame of the last pass is on the canvas after the next refresh.
const shownFrame = async () => {
    await page.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
    return page.evaluate(canvasHash);
};
const pauseAfter = async (milliseconds) => {
    await page.waitForTimeout(milliseconds);
    await page.click("#Button4");
    return passesOfRun();
};

test("the check hook gives the renderer's state and frame for the start and every example", async () => {
    for (let example = 0; example <= 7; ++example) {
        await open(`?example=${example}&passes=600&check=1`);
        await page.waitForFunction(() => document.getElementById("check").textContent !== "");
        const line = await page.textContent("#check");
        const expected = rendered(...(example ? ["--example", String(example)] : []), "--iterations", "600");
        assert.equal(line, `passes 600 state ${expected.state} frame ${expected.frame}`, `example ${example}`);
        assert.equal(await page.evaluate(canvasHash), expected.frame, `canvas of example ${example}`);
    }
    for (const query of ["example=8&passes=600", "example=1&passes=0", "example=x&passes=5", "example=1"]) {
        await open(`?${query}&check=1`);
        await page.waitForFunction(() => document.getElementById("check").textContent !== "");
        assert.match(await page.textContent("#check"), /^error: /, query);
    }
});

test("'Anregung' then 'Pause' freezes the renderer's frame of as many passes", async () => {
    await open();
    await page.click("#CheckBox1Box");
    const passes = await pauseAfter(700);
    assert.ok(passes > 10, `only ${passes} passes`);
    const expected = rendered("--iterations", String(passes));
    assert.equal(await shownFrame(), expected.frame);
    assert.equal(await page.evaluate(() => window.wogenfeld.hashes()),
                 `state ${expected.state} frame ${expected.frame}`);
    await page.waitForTimeout(200);
    assert.equal(await passesOfRun(), passes, "no pass while paused");
});

test("a bad source field shows its message and runs nothing while it is shown", async () => {
    await open();
    await page.fill("#Edit1", "3a");
    await page.click("#Button1");
    await page.waitForSelector("#messageBox:not([hidden])");
    assert.equal(await page.textContent("#messageText"), "'3a' is not a valid integer value");
    const before = [await passesOfRun(), await shownFrame()];
    await page.waitForTimeout(300);
    assert.deepEqual([await passesOfRun(), await shownFrame()], before);
    await page.click("#messageOk");
    await page.waitForFunction((passes) => window.wogenfeld.panel().passes > passes, before[0]);
});

test("an example sets its controls, and runs as the renderer's example", async () => {
    await open();
    await page.click("#CheckBox1Box");
    await page.click("#RadioButton5Box"); // "eingespannte Membrane"
    const passes = await pauseAfter(500);
    assert.equal(await shownFrame(), rendered("--example", "5", "--iterations", String(passes)).frame);
    const shown = await page.evaluate(() => ["ScrollBar1", "ScrollBar6", "ScrollBar5"].map(
        (id) => document.getElementById(id).getAttribute("aria-valuenow")));
    assert.deepEqual(shown, ["410", "30", "1500"]);
    assert.equal(await page.inputValue("#Edit5"), "0.65");
    assert.equal(await page.inputValue("#Edit6"), "1500");
    assert.ok(await page.isChecked("#RadioButton8Box"));
});

test("rotation bars moved by keys turn the paused mesh as the renderer does", async () => {
    await open();
    await page.click("#CheckBox1Box");
    const passes = await pauseAfter(300);
    await page.focus("#ScrollBar2");
    for (let k = 0; k < 5; ++k) await page.keyboard.press("ArrowDown");
    await page.keyboard.press("PageUp");
    await page.keyboard.press("Tab"); // the desktop's order: ScrollBar3 next
    for (let k = 0; k < 10; ++k) await page.keyboard.press("ArrowRight");
    const expected = rendered("--iterations", String(passes), "--rotate-x", "64", "--rotate-y", "10");
    assert.equal(await shownFrame(), expected.frame);
});

test("'Bild speichern' in the canvas's menu downloads the frame shown as a PNG", async () => {
    await open("?example=3&passes=120&check=1");
    await page.waitForFunction(() => document.getElementById("check").textContent !== "");
    await page.click("#PaintBox1", { button: "right" });
    assert.equal(await page.textContent("#viewMenu"), "Bild speichern");
    const [download] = await Promise.all([page.waitForEvent("download"), page.click("#savePicture")]);
    assert.equal(download.suggestedFilename(), "wogenfeld.png");
    const png = readFileSync(await download.path()).toString("base64");
    assert.equal(await page.evaluate(canvasHash, png), rendered("--example", "3", "--iterations", "120").frame);
    assert.ok(await page.isHidden("#viewMenu"));
});
