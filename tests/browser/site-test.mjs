// SPDX-License-Identifier: GPL-3.0-or-later
// The browser edition in each browser engine, judged by its canvas's pixels
// against the desktop renderer's frames.
// Usage: node site-test.mjs SITE_DIR RENDERER [ENGINE ...] [--window-lessons PROGRAM]
// (default: all three engines; PROGRAM writes and opens the window's lessons)
import { execFileSync } from "node:child_process";
import assert from "node:assert/strict";
import { after, before, describe, test } from "node:test";
import { accessibilityTest } from "./accessibility-test.mjs";
import { engines, launchBrowser, serveSite, sleep } from "./browser.mjs";
import { lessonTest } from "./lesson-test.mjs";
import { measureTest } from "./measure-test.mjs";
import { stepTest } from "./step-test.mjs";
import { touchTest } from "./touch-test.mjs";

const [siteDir, renderer, ...rest] = process.argv.slice(2);
const windowAt = rest.indexOf("--window-lessons");
const windowLessons = windowAt >= 0 ? rest[windowAt + 1] : undefined;
if (windowAt >= 0) rest.splice(windowAt, 2);
// The test runner's own options (--test-name-pattern …) are none of ours.
const chosen = rest.filter((argument, k) => !argument.startsWith("--") && !rest[k - 1]?.startsWith("--"));

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

// The decimal separators of the languages the tests start the engines in.
const separatorOf = { de: ",", en: "." };

// The page's side of a test in one engine.
function pageOf(browser, server) {
    const read = (selector, property) => browser.evaluate(
        (found, key) => document.querySelector(found)[key], selector, property);
    const it = {
        open: async (query = "") => {
            await browser.goto(`${server.url}/index.html${query}`);
            await browser.waitFor(() => window.wogenfeld !== undefined ||
                                        !document.getElementById("startFailure").hidden);
        },
        checkLine: async (query) => {
            await it.open(`?${query}&check=1`);
            await browser.waitFor(() => document.getElementById("check").textContent !== "");
            return read("#check", "textContent");
        },
        text: (selector) => read(selector, "textContent"),
        value: (selector) => read(selector, "value"),
        checked: (selector) => read(selector, "checked"),
        passesOfRun: () => browser.evaluate(() => window.wogenfeld.panel().passes),
        // The frame of the last pass is on the canvas after the next refresh.
        shownFrame: async () => {
            await browser.evaluate(() => new Promise((done) =>
                requestAnimationFrame(() => requestAnimationFrame(() => done(true)))));
            return browser.evaluate(canvasHash);
        },
        // "Pause" after a while, and after some passes however loaded the machine.
        pauseAfter: async (milliseconds, atLeast = 20) => {
            await sleep(milliseconds);
            await browser.waitFor((least) => window.wogenfeld.panel().passes >= least, atLeast);
            await browser.click("#Button4");
            return it.passesOfRun();
        },
        fill: async (selector, text) => {
            await browser.evaluate((found) => document.querySelector(found).select(), selector);
            await browser.type(text);
        },
    };
    return it;
}

// The page started with the browser's language forced to each of these, as
// browsers under unusual settings report it; the separator the page must show.
const forcedLanguages = [["C", "."], ["POSIX", "."], ["", "."], ["zz", "."], ["de-DE", ","], ["en-US", "."]];

function engineTests(engine) {
    const locale = engine === "webkit" ? "en_US.UTF-8" : "de_DE.UTF-8";
    let browser, server, page, separator;
    before(async () => {
        server = await serveSite(siteDir);
        browser = await launchBrowser({ engine, locale });
        page = pageOf(browser, server);
        separator = separatorOf[locale.slice(0, 2)];
    });
    after(async () => {
        await browser?.close();
        server?.close();
    });

    test("the check hook gives the renderer's state and frame for the start and every example", async () => {
        for (let example = 0; example <= 7; ++example) {
            const line = await page.checkLine(`example=${example}&passes=600`);
            const expected = rendered(...(example ? ["--example", String(example)] : []), "--iterations", "600");
            assert.equal(line, `passes 600 state ${expected.state} frame ${expected.frame}`, `example ${example}`);
            assert.equal(await browser.evaluate(canvasHash), expected.frame, `canvas of example ${example}`);
        }
        for (const query of ["example=8&passes=600", "example=1&passes=0", "example=x&passes=5", "example=1"]) {
            assert.match(await page.checkLine(query), /^error: /, query);
        }
    });

    test("'Anregung' then 'Pause' freezes the renderer's frame of as many passes", async () => {
        await page.open();
        await browser.click("#CheckBox1Box");
        const passes = await page.pauseAfter(700);
        assert.ok(passes > 10, `only ${passes} passes`);
        const expected = rendered("--iterations", String(passes));
        assert.equal(await page.shownFrame(), expected.frame);
        assert.equal(await browser.evaluate(() => window.wogenfeld.hashes()),
                     `state ${expected.state} frame ${expected.frame}`);
        await sleep(200);
        assert.equal(await page.passesOfRun(), passes, "no pass while paused");
    });

    test("a bad source field shows its message and runs nothing while it is shown", async () => {
        await page.open();
        await page.fill("#Edit1", "3a");
        await browser.click("#Button1");
        await browser.waitFor(() => !document.getElementById("messageBox").hidden);
        assert.equal(await page.text("#messageText"), "'3a' is not a valid integer value");
        const shown = [await page.passesOfRun(), await page.shownFrame()];
        await sleep(300);
        assert.deepEqual([await page.passesOfRun(), await page.shownFrame()], shown);
        await browser.click("#messageOk");
        await browser.waitFor((passes) => window.wogenfeld.panel().passes > passes, shown[0]);
    });

    test("an example sets its controls, and runs as the renderer's example", async () => {
        await page.open();
        await browser.click("#CheckBox1Box");
        await browser.click("#RadioButton5Box"); // "eingespannte Membrane"
        const passes = await page.pauseAfter(500);
        assert.equal(await page.shownFrame(), rendered("--example", "5", "--iterations", String(passes)).frame);
        const shown = await browser.evaluate(() => ["ScrollBar1", "ScrollBar6", "ScrollBar5"].map(
            (id) => document.getElementById(id).getAttribute("aria-valuenow")));
        assert.deepEqual(shown, ["410", "30", "1500"]);
        assert.equal(await page.value("#Edit5"), `0${separator}65`);
        assert.equal(await page.value("#Edit6"), "1500");
        assert.ok(await page.checked("#RadioButton8Box"));
    });

    test("a display typed into is written again when its slider moves, even to the same digits", async () => {
        await page.open();
        await page.fill("#Edit5", "x");
        await browser.focus("#ScrollBar1");
        await browser.press("ArrowRight"); // 8.01 / (2 pi) = 1.2748..., as 8.00 / (2 pi) = 1.2732...
        assert.equal(await page.value("#Edit5"), `1${separator}27`);
        const shown = (id) => browser.evaluate((found) => getComputedStyle(document.getElementById(found)).display !== "none", id);
        await browser.click("#Button2");
        assert.ok(await shown("Panel5"), "Info shows its page");
        await browser.click("#Button6");
        assert.ok(!(await shown("Panel5")), "and closes it");
    });

    test("rotation bars moved by keys turn the paused mesh as the renderer does", async () => {
        await page.open();
        await browser.click("#CheckBox1Box");
        const passes = await page.pauseAfter(300);
        await browser.focus("#ScrollBar2");
        for (let k = 0; k < 5; ++k) await browser.press("ArrowDown");
        await browser.press("PageUp");
        await browser.press("Tab"); // the desktop's order: ScrollBar3 next
        for (let k = 0; k < 10; ++k) await browser.press("ArrowRight");
        const expected = rendered("--iterations", String(passes), "--rotate-x", "64", "--rotate-y", "10");
        assert.equal(await page.shownFrame(), expected.frame);
    });

    test("'Bild speichern' in the canvas's menu downloads the frame shown as a PNG", async () => {
        await page.checkLine("example=3&passes=120");
        // The download's link is caught as it is clicked, so that every engine gives its bytes.
        await browser.evaluate(() => {
            HTMLAnchorElement.prototype.click = function () { window.savedDownload = this; };
        });
        await browser.contextClick("#PaintBox1");
        await browser.waitFor(() => !document.getElementById("probeMenu").hidden);
        assert.equal(await page.text("#savePicture"), "Bild speichern");
        await browser.click("#savePicture");
        await browser.waitFor(() => window.savedDownload !== undefined);
        const [name, png] = await browser.evaluate(async () => {
            const bytes = new Uint8Array(await (await fetch(window.savedDownload.href)).arrayBuffer());
            let text = "";
            for (const byte of bytes) text += String.fromCharCode(byte);
            return [window.savedDownload.download, btoa(text)];
        });
        assert.equal(name, "wogenfeld.png");
        assert.equal(await browser.evaluate(canvasHash, png), rendered("--example", "3", "--iterations", "120").frame);
        assert.ok(await browser.evaluate(() => document.getElementById("probeMenu").hidden));
    });

    test("the page starts and computes under LANG=C.UTF-8", async () => {
        const plain = await launchBrowser({ engine, locale: "C.UTF-8" });
        try {
            const cPage = pageOf(plain, server);
            const expected = rendered("--iterations", "30");
            assert.equal(await cPage.checkLine("example=0&passes=30"),
                         `passes 30 state ${expected.state} frame ${expected.frame}`);
            assert.equal(await cPage.value("#Edit5"), "1.27");
        } finally {
            await plain.close();
        }
    });

    measureTest(() => ({ browser, page, renderer, siteDir }));
    lessonTest(() => ({ browser, page, renderer, windowLessons }));
    stepTest(() => ({ browser, page, renderer }));

    // WebKitWebDriver has no scripts run ahead of the page's own.
    if (engine === "webkit") return;

    test("any language the browser reports starts the page, with the separator of its rule", async () => {
        const expected = rendered("--iterations", "30");
        for (const [language, point] of forcedLanguages) {
            const stopForcing = await browser.beforeEachDocument((tag) => {
                Object.defineProperty(Navigator.prototype, "language", { get: () => tag });
                Object.defineProperty(Navigator.prototype, "languages", { get: () => [tag] });
            }, language);
            try {
                assert.equal(await page.checkLine("example=0&passes=30"),
                             `passes 30 state ${expected.state} frame ${expected.frame}`, `"${language}"`);
                assert.equal(await page.value("#Edit5"), `1${point}27`, `"${language}"`);
            } finally {
                await stopForcing();
            }
        }
    });

    test("a browser without WebAssembly gets a German message, not a half-drawn window", async () => {
        const stopForcing = await browser.beforeEachDocument(() => { delete window.WebAssembly; });
        try {
            await page.open();
            assert.ok(await browser.evaluate(() => document.getElementById("window").hidden));
            assert.match(await page.text("#startFailure"), /^Wogenfeld kann in diesem Browser nicht starten\./);
            assert.match(await page.text("#check"), /^error: /);
        } finally {
            await stopForcing();
        }
    });

    // Chromium's accessibility tree and its emulated tablet stand for the others'.
    if (engine !== "chromium") return;
    accessibilityTest(() => ({ browser, page }));
    touchTest(() => ({ server }));
}

for (const engine of chosen.length ? chosen : engines) {
    describe(engine, () => engineTests(engine));
}
