// SPDX-License-Identifier: GPL-3.0-or-later
// Lessons on the page: saved and opened through the drawing area's menu, as a
// link, refused when damaged, and the same state and frame as the desktop's
// renderer (and, given its helper, the window) reach with the same file.
import { execFileSync } from "node:child_process";
import assert from "node:assert/strict";
import { mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, before, test } from "node:test";

// "state S frame F" of each file, as the renderer prints them.
const hashLines = (out) => [...out.matchAll(/state ([0-9a-f]{16})\s+frame ([0-9a-f]{16})/g)]
    .map(([, state, frame]) => `state ${state} frame ${frame}`);
const renderedLesson = (renderer, file) =>
    hashLines(execFileSync(renderer, ["--lesson", file, "--hash", "--quiet"], { encoding: "utf8" }))[0];

// A seeded user of the page's controls: `count` actions, never "Ende", the run
// going on after every `runEvery` of them (0: never); then the drive on for a
// while, so that the net it comes to moves, and "Pause".
async function randomUser(browser, seed, count, runEvery = 12) {
    await browser.evaluate(async (seed, count, runEvery) => {
        let s = seed >>> 0;
        const next = () => { // mulberry32
            s = (s + 0x6d2b79f5) >>> 0;
            let t = Math.imul(s ^ (s >>> 15), 1 | s);
            t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
            return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
        };
        const pick = (n) => Math.floor(next() * n);
        const { act } = window.wogenfeld;
        const n = ["number"], nn = ["number", "number"];
        const actions = [
            () => act("wf_move_slider", nn, [pick(7), pick(1200) - 100]),
            () => act("wf_set_excitation", n, [pick(2)]),
            () => act("wf_set_cross_grid", n, [pick(2)]),
            () => act("wf_set_source", nn, [1 + pick(2), pick(2)]),
            () => act("wf_set_source_field", ["number", "string"], [pick(4), String(1 + pick(71))]),
            () => act("wf_select_boundary", n, [pick(3)]),
            () => act("wf_choose_example", n, [pick(7)]),
            () => act("wf_null", [], []),
            () => act("wf_pause", [], []),
            () => act("wf_continue", [], []),
            () => act("wf_reset_view", [], []),
            () => act("wf_set_probe", ["number", "number", "number"], [pick(4), pick(72), 1 + pick(71)]),
            () => act("wf_open_measuring", [], []),
            () => act("wf_watch", n, [pick(3)]),
        ];
        const refresh = () => new Promise((done) => requestAnimationFrame(done));
        act("wf_set_excitation", n, [1]);
        for (let k = 0; k < count; ++k) {
            actions[pick(actions.length)]();
            if (runEvery && k % runEvery === 0) await refresh();
        }
        act("wf_set_excitation", n, [1]);
        act("wf_continue", [], []);
        if (runEvery) {
            const from = window.wogenfeld.statistics.passes;
            while (window.wogenfeld.statistics.passes < from + 20) await refresh();
        }
        act("wf_pause", [], []);
    }, seed, count, runEvery);
}

export function lessonTest(context) {
    let folder;
    before(() => { folder = mkdtempSync(join(tmpdir(), "wogenfeld-lessons-")); });
    after(() => rmSync(folder, { recursive: true, force: true }));

    // The page's parts of a lesson test.
    function lessonPage() {
        const { browser, page } = context();
        const it = {
            hashes: () => browser.evaluate(() => window.wogenfeld.hashes()),
            // The file chosen in the picker, as a user's choice gives it to the page.
            openFile: (text) => browser.evaluate((content) => {
                const transfer = new DataTransfer();
                transfer.items.add(new File([content], "unterricht.wogenfeld"));
                const picker = document.getElementById("lessonFile");
                picker.files = transfer.files;
                picker.dispatchEvent(new Event("change"));
            }, text),
            // What the page shows once the lesson `open` hands it is open or refused:
            // the hashes it arrived at, or its message.
            openAndWait: async (open) => {
                const count = await browser.evaluate(() => window.wogenfeld.statistics.lessons);
                await open();
                await browser.waitFor((before) => !document.getElementById("messageBox").hidden ||
                    window.wogenfeld.statistics.lessons > before, count, 300000);
                return browser.evaluate(() => (document.getElementById("messageBox").hidden
                    ? window.wogenfeld.statistics.arrival : document.getElementById("messageText").textContent));
            },
            menu: async (item) => {
                await browser.contextClick("#PaintBox1");
                await browser.waitFor(() => !document.getElementById("probeMenu").hidden);
                await browser.click(item);
            },
            savedLesson: async () => {
                await browser.evaluate(() => {
                    window.savedDownload = undefined;
                    HTMLAnchorElement.prototype.click = function () { window.savedDownload = this; };
                });
                await it.menu("#saveLesson");
                await browser.waitFor(() => window.savedDownload !== undefined);
                return browser.evaluate(async () => [window.savedDownload.download,
                    await (await fetch(window.savedDownload.href)).text()]);
            },
            link: async () => {
                await it.menu("#copyLink");
                await browser.waitFor(() => !document.getElementById("linkBox").hidden);
                return browser.evaluate(() => [document.getElementById("linkField").value,
                                               document.getElementById("linkText").textContent]);
            },
        };
        return { browser, page, it };
    }

    test("a lesson saved through the menu opens in a fresh page, and through its link, at its hashes", async () => {
        const { browser, page, it } = lessonPage();
        await page.open();
        await randomUser(browser, 7, 50);
        const saved = await it.hashes();
        const [name, text] = await it.savedLesson();
        assert.equal(name, "unterricht.wogenfeld");
        assert.match(text, /^wogenfeld-lesson 1\nprogram \d+\.\d+\.\d+\nstart created\n/);
        const [link] = await it.link();
        assert.ok(link.length < 2000, `a 50-action lesson's link of ${link.length} characters`);

        await page.open();
        assert.notEqual(await it.hashes(), saved);
        assert.equal(await it.openAndWait(() => it.openFile(text)), saved);
        assert.equal(await page.shownFrame(), saved.split(" ")[3], "its frame on the canvas");
        assert.equal(await browser.evaluate(() => window.wogenfeld.lesson()), text, "the same lesson again");

        await browser.goto("about:blank");
        await browser.goto(link);
        await browser.waitFor(() => window.wogenfeld !== undefined);
        await browser.waitFor(() => window.wogenfeld.statistics.lessons > 0, null, 300000);
        assert.equal(await it.hashes(), saved);
        assert.ok(await browser.evaluate(() => window.wogenfeld.panel().continueShown), "paused as it was");
    });

    test("a damaged link or file, or one too long for a link, leaves the page as it was", async () => {
        const { browser, page, it } = lessonPage();
        await page.open();
        await randomUser(browser, 11, 30);
        const [link] = await it.link();
        await browser.click("#linkClose");
        const [, text] = await it.savedLesson();
        const before = await it.hashes();
        const damaged = [
            ["#u=" + link.split("#u=")[1].slice(0, -12), /^D/], // cut off
            ["#u=!!" + link.split("#u=")[1].slice(2), /^Der Link enthält keinen lesbaren Unterricht/],
        ];
        for (const [fragment, message] of damaged) {
            await browser.evaluate((hash) => { location.hash = hash; }, fragment);
            await browser.waitFor(() => !document.getElementById("messageBox").hidden);
            assert.match(await page.text("#messageText"), message);
            await browser.click("#messageOk");
            assert.equal(await it.hashes(), before, fragment.slice(0, 20));
        }
        const files = [
            [text.replace(/^frame [0-9a-f]{16}$/m, "frame 0123456789abcdef"), /^Die Unterrichtsdatei führt nicht zu dem Zustand/],
            [text.replace("wogenfeld-lesson 1", "wogenfeld-lesson 2"), /^Die Unterrichtsdatei hat das Format 2/],
            ["", /^Die Datei ist leer\.$/],
        ];
        for (const [content, message] of files) {
            assert.match(await it.openAndWait(() => it.openFile(content)), message);
            await browser.click("#messageOk");
            assert.equal(await it.hashes(), before);
        }

        // Thousands of actions: far too many for a link.
        await randomUser(browser, 13, 4000, 0);
        const [long, said] = await it.link();
        assert.equal(long, "");
        assert.match(said, /zu lang für einen Link \([\d.]+ Zeichen, höchstens 8\.000\)/);
        assert.ok(await browser.evaluate(() => !document.getElementById("linkSave").hidden), "the file offered");
    });

    test("lessons of the renderer and the window open at their hashes; the page's open in both", async () => {
        const { browser, page, it } = lessonPage();
        const { renderer, windowLessons } = context();
        // The renderer's: varied examples, lengths, views, borders, sources and probes.
        const files = [];
        const boundaries = ["damped", "loose", "fixed"];
        for (let k = 0; k < 10; ++k) {
            const file = join(folder, `render-${k}.wogenfeld`);
            execFileSync(renderer, ["--example", String(1 + (k % 7)), "--iterations", String(20 + 17 * k),
                                    "--rotate-x", String(60 - 25 * k), "--zoom", String(5 + 2 * k),
                                    "--boundary", boundaries[k % 3], "--source1", `${1 + 7 * k},${71 - 5 * k}`,
                                    "--cross-grid", k % 2 ? "on" : "off", "--probe", `${36 - k},${30 + 4 * k}`,
                                    ...(k % 3 ? [] : ["--probe", `${1 + k},${71 - k}`]),
                                    "--save-lesson", file, "--quiet"]);
            files.push(file);
        }
        if (windowLessons) {
            const written = join(folder, "window");
            execFileSync(windowLessons, ["write", written]);
            files.push(...readdirSync(written).sort().map((name) => join(written, name)));
        }
        await page.open();
        for (const file of files) {
            const shown = await it.openAndWait(() => it.openFile(readFileSync(file, "utf8")));
            assert.equal(shown, renderedLesson(renderer, file), file);
        }

        // The page's own, from a seeded random user with probes.
        const written = [];
        for (let k = 0; k < 10; ++k) {
            await page.open();
            await randomUser(browser, 1000 + k, 200);
            const [hashes, text] = await browser.evaluate(() => [window.wogenfeld.hashes(), window.wogenfeld.lesson()]);
            const file = join(folder, `page-${k}.wogenfeld`);
            writeFileSync(file, text);
            assert.equal(renderedLesson(renderer, file), hashes, file);
            written.push([file, hashes]);
        }
        // The renderer's own lessons with probes: the page's run on further.
        for (const [file] of written.slice(0, 3)) {
            const further = file.replace(".wogenfeld", "-further.wogenfeld");
            execFileSync(renderer, ["--lesson", file, "--iterations", "40", "--save-lesson", further, "--quiet"]);
            assert.match(readFileSync(further, "utf8"), /^probe\d \d+,\d+$/m);
            const shown = await it.openAndWait(() => it.openFile(readFileSync(further, "utf8")));
            assert.equal(shown, renderedLesson(renderer, further), further);
        }
        if (windowLessons) {
            // The window's helper prints "FILE STATE FRAME" for each.
            const opened = execFileSync(windowLessons, ["open", ...written.map(([file]) => file)],
                                        { encoding: "utf8" }).trim().split("\n")
                .map((line) => line.split(" ").slice(-2)).map(([state, frame]) => `state ${state} frame ${frame}`);
            assert.deepEqual(opened, written.map(([, hashes]) => hashes));
        }
    });
}
