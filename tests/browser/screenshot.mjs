// SPDX-License-Identifier: GPL-3.0-or-later
// A picture of the page as an engine shows it, for a look by eye; "touch"
// emulates a touch screen (Chromium only); the scene "measuring" opens "Messung" with two
// probes, "menu" the drawing area's menu, "long-link" a lesson too long for a link.
// Usage: node screenshot.mjs SITE_DIR OUT.png [WIDTH HEIGHT [DEVICE_PIXEL_RATIO [mouse|touch [ENGINE [SCENE]]]]]
import { launchBrowser, serveSite, sleep } from "./browser.mjs";

const [siteDir, out, width = "1366", height = "768", ratio = "1", pointer = "mouse", engine = "chromium",
       scene = ""] = process.argv.slice(2);
const server = await serveSite(siteDir);
const browser = await launchBrowser({ engine, viewport: { width: Number(width), height: Number(height) },
                                      deviceScaleFactor: Number(ratio), touch: pointer === "touch" });
await browser.goto(`${server.url}/index.html`);
await browser.waitFor(() => window.wogenfeld !== undefined);
await browser.click("#CheckBox1Box");
if (scene === "measuring") {
    await browser.press("F2");
    await browser.evaluate(() => {
        const inputs = document.querySelectorAll("#measureWindow .probe-rows input");
        for (const [slot, x] of [[0, 36], [1, 46]]) {
            inputs[3 * slot + 1].value = String(x);
            inputs[3 * slot].checked = true;
            inputs[3 * slot].dispatchEvent(new Event("change"));
        }
    });
}
if (scene === "long-link") {
    // Thousands of probes set, scattered so that they do not compress away.
    await browser.evaluate(() => {
        let x = 1;
        for (let k = 0; k < 4000; ++k) {
            x = (Math.imul(x, 1103515245) + 12345) >>> 0;
            window.wogenfeld.act("wf_set_probe", ["number", "number", "number"],
                                 [k % 4, 1 + ((x >>> 8) % 71), 1 + ((x >>> 20) % 71)]);
        }
    });
}
await sleep(scene === "measuring" ? 6000 : 2000);
if (scene === "menu" || scene === "long-link") {
    await browser.contextClick("#PaintBox1");
    if (scene === "long-link") {
        await browser.click("#copyLink");
        await browser.waitFor(() => !document.getElementById("linkBox").hidden);
    }
}
await browser.screenshot(out);
await browser.close();
server.close();
