// SPDX-License-Identifier: GPL-3.0-or-later
// The page as a screen reader meets it in Chromium: its accessibility tree
// holds the window's controls with the window's names and fitting roles.
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { test } from "node:test";
import { sleep } from "./browser.mjs";

// A list of the window's own, as its accessibility test reads it off the bus.
function windowControls(listName = "MainWindow") {
    const source = readFileSync(new URL("../accessibility_test.cpp", import.meta.url), "utf8");
    const list = source.match(new RegExp(`${listName} = \\{([\\s\\S]*?)\\n\\};`))[1];
    return [...list.matchAll(/\{TRole::(\w+), "([^"]*)"\}/g)].map(([, role, name]) => ({ role, name }));
}

// The window's roles (AT-SPI) and the page's for the same kind of control.
const pageRole = { Filler: "image", ScrollBar: "scrollbar", Text: "textbox", RadioButton: "radio",
                   CheckBox: "checkbox", PushButton: "button", SpinButton: "spinbutton", ComboBox: "combobox",
                   Slider: "slider" };

// The controls in Chromium's tree under `root` (the whole page without one),
// "role name" for each, counted; a combo box speaks its choice, as the window's.
async function treeControls(page, root) {
    const counts = new Map();
    const visit = (node) => {
        if (Object.values(pageRole).includes(node.role)) {
            const key = `${node.role} ${node.role === "combobox" ? node.value : node.name}`;
            counts.set(key, (counts.get(key) ?? 0) + 1);
        }
        (node.children ?? []).forEach(visit);
    };
    visit(await page.accessibility.snapshot({ interestingOnly: false, root }));
    return counts;
}

export function accessibilityTest(context) {
    test("every control has the window's name and a fitting role, and the bars their range", async () => {
        const { browser, page } = context();
        await page.open();
        // Hidden controls are not in the tree: show them as a user does.
        const running = await treeControls(browser.page);
        await browser.click("#CheckBox3Box");
        await browser.click("#CheckBox4Box");
        await browser.click("#Button4");
        await browser.click("#Button2");
        const seen = await treeControls(browser.page);
        for (const [key, count] of running) seen.set(key, Math.max(count, seen.get(key) ?? 0));
        const found = [...seen].flatMap(([key, count]) => Array(count).fill(key)).sort();
        const expected = windowControls().map(({ role, name }) => `${pageRole[role]} ${name}`).sort();
        assert.ok(expected.length > 30, "the window's list was read");
        assert.deepEqual(found, expected);

        const ranges = await browser.evaluate(() => ["ScrollBar1", "ScrollBar6", "ScrollBar5"].map((id) =>
            ["aria-valuemin", "aria-valuemax"].map((name) => document.getElementById(id).getAttribute(name))));
        assert.deepEqual(ranges, [["0", "1505"], ["0", "100"], ["0", "1500"]]);
    });

    test("every control of 'Messung' has the window's name and a fitting role", async () => {
        const { browser, page } = context();
        await page.open();
        await browser.press("F2");
        await browser.waitFor(() => !document.getElementById("measureWindow").hidden);
        const dialog = await browser.page.$("#measureWindow");
        const found = [...await treeControls(browser.page, dialog)]
            .flatMap(([key, count]) => Array(count).fill(key)).sort();
        const expected = windowControls("MeasuringWindow").map(({ role, name }) => `${pageRole[role]} ${name}`);
        assert.ok(expected.length > 15, "the window's list was read");
        // Besides the controls that take input: the chart, named as the window's,
        // the close button that the window's title bar has on the desktop, and
        // the table's kind, which the window's save dialog asks for (a combo
        // box is listed by the entry it shows).
        const kind = await browser.evaluate(() => document.getElementById("csvKind").selectedOptions[0].text);
        assert.deepEqual(found, [...expected, "image Verlauf der Sonden und der Energie",
                                 "button Messung schließen", `combobox ${kind}`].sort());
        assert.equal(await browser.evaluate(() => document.getElementById("measureWindow").getAttribute("role")), "dialog");
    });

    test("a held key on a bar announces its readout politely, at most once a second", async () => {
        const { browser, page } = context();
        await page.open();
        await browser.evaluate(() => {
            window.heard = [];
            const announcer = document.querySelector("[aria-live=polite]");
            new MutationObserver(() => window.heard.push([performance.now(), announcer.textContent]))
                .observe(announcer, { childList: true, characterData: true, subtree: true });
        });
        await browser.focus("#ScrollBar1");
        const began = await browser.evaluate(() => performance.now());
        for (let k = 0; k < 12; ++k) {
            await browser.press("ArrowRight");
            await sleep(100);
        }
        await sleep(1500);
        // However long a loaded machine took over the presses: once a second at most.
        const seconds = (await browser.evaluate(() => performance.now()) - began) / 1000;
        const heard = await browser.evaluate(() => window.heard);
        const shown = await page.value("#Edit5");
        assert.ok(heard.length >= 2 && heard.length <= 1 + seconds, `${heard.length} announcements in ${seconds} s`);
        for (let k = 1; k < heard.length; ++k) assert.ok(heard[k][0] - heard[k - 1][0] >= 990, "a second apart");
        assert.equal(heard.at(-1)[1], `Frequenz ${shown}`);
    });
}
