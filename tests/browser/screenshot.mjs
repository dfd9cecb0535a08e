// SPDX-License-Identifier: GPL-3.0-or-later
// A picture of the page as Chromium shows it, for a look by eye.
// Usage: node screenshot.mjs SITE_DIR OUT.png [WIDTH HEIGHT [DEVICE_PIXEL_RATIO [QUERY]]]
import { launchBrowser, serveSite } from "./browser.mjs";

const [siteDir, out, width = "1366", height = "768", ratio = "1", query = ""] = process.argv.slice(2);
const server = await serveSite(siteDir);
const browser = await launchBrowser({ viewport: { width: Number(width), height: Number(height) },
                                      deviceScaleFactor: Number(ratio) });
const page = await browser.newPage();
await page.goto(`${server.url}/index.html${query}`);
await page.waitForFunction(() => window.wogenfeld !== undefined);
await page.click("#CheckBox1Box");
await page.waitForTimeout(2000);
await page.screenshot({ path: out });
await browser.close();
server.close();
