// SPDX-License-Identifier: GPL-3.0-or-later
// The page in one of three browser engines of the distribution, each with a
// fresh profile and nothing fetched from the network, behind one small
// interface the tests and the benchmark share; and the site served from a
// folder on a free local port.
//   chromium  Debian's Chromium, headless, through the DevTools protocol
//   firefox   Debian's Firefox ESR, headless, through WebDriver BiDi
//   webkit    Debian's WebKitGTK: WebKitWebDriver and its MiniBrowser on an
//             X server of its own
import { spawn } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { createServer } from "node:net";
import { createServer as createHttpServer } from "node:http";
import { tmpdir } from "node:os";
import { extname, join, normalize } from "node:path";
import puppeteer from "puppeteer-core";
import { Builder, By, Key } from "selenium-webdriver";

export const engines = ["chromium", "firefox", "webkit"];

const programs = {
    chromium: process.env.WOGENFELD_CHROMIUM ?? "/usr/bin/chromium",
    firefox: process.env.WOGENFELD_FIREFOX ?? "/usr/bin/firefox-esr",
    webkitDriver: process.env.WOGENFELD_WEBKIT_DRIVER ?? "/usr/bin/WebKitWebDriver",
    miniBrowser: process.env.WOGENFELD_MINIBROWSER ?? "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser",
};

export const sleep = (milliseconds) => new Promise((done) => setTimeout(done, milliseconds));

// The environment a browser starts in: the caller's, with its language
// replaced (a POSIX locale name such as "de_DE.UTF-8" or "C.UTF-8").
function environment(locale) {
    const env = { ...process.env, LANG: locale, LANGUAGE: locale.split(".")[0] };
    delete env.LC_ALL;
    delete env.LC_MESSAGES;
    return env;
}

// The language tag a POSIX locale name stands for (none for "C" or "POSIX"),
// for the engines that take their language from their own settings rather
// than from the environment.
const languageTag = (locale) => (/^[a-z]{2}_[A-Z]{2}/.test(locale) ? locale.slice(0, 5).replace("_", "-") : null);

// Options: engine, viewport {width, height}, deviceScaleFactor, touch,
// locale (POSIX, default "de_DE.UTF-8"), protocolTimeout (milliseconds a
// call into Chromium or Firefox may take: a long lesson holds the page).
export async function launchBrowser({ engine = "chromium", viewport = { width: 1366, height: 768 },
                                      deviceScaleFactor = 1, touch = false, locale = "de_DE.UTF-8",
                                      protocolTimeout = 180000 } = {}) {
    if (engine === "webkit") return launchWebKit({ viewport, locale });
    const profile = mkdtempSync(join(tmpdir(), `wogenfeld-${engine}-`));
    const tag = languageTag(locale);
    const common = { headless: true, userDataDir: profile, env: environment(locale), protocolTimeout,
                     defaultViewport: { ...viewport, deviceScaleFactor, hasTouch: touch, isMobile: touch } };
    const browser = engine === "firefox"
        ? await puppeteer.launch({ ...common, browser: "firefox", executablePath: programs.firefox,
                                   extraPrefsFirefox: tag ? { "intl.accept_languages": tag } : {} })
        : await puppeteer.launch({ ...common, executablePath: programs.chromium,
                                   args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                                          "--disable-background-networking", "--disable-component-update",
                                          "--disable-sync",
                                          ...(tag ? [`--lang=${tag}`, `--accept-lang=${tag}`] : [])] });
    const page = (await browser.pages())[0] ?? (await browser.newPage());
    return {
        engine,
        page,
        // Generous: a check hook of many passes holds up the page's load event.
        goto: (url) => page.goto(url, { timeout: 300000 }),
        // A script that runs before the page's own in every document, until
        // the function this gives is called.
        beforeEachDocument: async (script, argument) => {
            const { identifier } = await page.evaluateOnNewDocument(script, argument);
            return () => page.removeScriptToEvaluateOnNewDocument(identifier);
        },
        evaluate: (script, ...args) => page.evaluate(script, ...args),
        waitFor: (script, argument, timeout = 60000) =>
            page.waitForFunction(script, { timeout, polling: 50 }, argument),
        click: (selector) => page.click(selector),
        // A right click on the middle of the element.
        contextClick: (selector) => page.click(selector, { button: "right" }),
        focus: (selector) => page.focus(selector),
        press: (key) => page.keyboard.press(key),
        type: (text) => page.keyboard.type(text),
        screenshot: (path) => page.screenshot({ path }),
        close: async () => {
            await browser.close();
            rmSync(profile, { recursive: true, force: true });
        },
    };
}

// A free local TCP port.
function freePort() {
    return new Promise((resolve) => {
        const server = createServer();
        server.listen(0, "127.0.0.1", () => {
            const { port } = server.address();
            server.close(() => resolve(port));
        });
    });
}

// An X server of its own (Xvfb), so that the MiniBrowser opens nowhere else.
async function startXServer() {
    for (let display = 90; display < 140; ++display) {
        const server = spawn("Xvfb", [`:${display}`, "-screen", "0", "1920x1080x24", "-nolisten", "tcp"],
                             { stdio: "ignore" });
        const exited = new Promise((done) => server.once("exit", () => done(true)));
        if (!(await Promise.race([exited, sleep(1000).then(() => false)]))) return { server, display: `:${display}` };
    }
    throw new Error("no X server could be started");
}

const webKitKeys = { ArrowLeft: Key.ARROW_LEFT, ArrowRight: Key.ARROW_RIGHT, ArrowUp: Key.ARROW_UP,
                     ArrowDown: Key.ARROW_DOWN, PageUp: Key.PAGE_UP, PageDown: Key.PAGE_DOWN,
                     Home: Key.HOME, End: Key.END, Tab: Key.TAB, Enter: Key.ENTER, F2: Key.F2 };

async function launchWebKit({ viewport, locale }) {
    const x = await startXServer();
    const port = await freePort();
    const driverProcess = spawn(programs.webkitDriver, [`--port=${port}`],
                                { stdio: "ignore", env: { ...environment(locale), DISPLAY: x.display } });
    const stopAll = () => {
        driverProcess.kill();
        x.server.kill();
    };
    let driver;
    try {
        for (let attempt = 0; !driver; ++attempt) {
            try {
                driver = await new Builder().usingServer(`http://127.0.0.1:${port}`).withCapabilities({
                    browserName: "MiniBrowser",
                    "webkitgtk:browserOptions": { binary: programs.miniBrowser, args: ["--automation"] },
                }).build();
            } catch (error) {
                if (attempt > 50) throw error;
                await sleep(200);
            }
        }
        await driver.manage().window().setRect({ x: 0, y: 0, ...viewport });
    } catch (error) {
        stopAll();
        throw error;
    }
    // A script given as a function, run with its arguments; a promise it
    // returns is awaited by the driver.
    const run = (script, args) => driver.executeScript(`return (${script}).apply(null, arguments);`, ...args);
    const typeKeys = (keys) => driver.actions().sendKeys(keys).perform();
    return {
        engine: "webkit",
        driver,
        goto: (url) => driver.get(url),
        beforeEachDocument: null,
        evaluate: (script, ...args) => run(script, args),
        waitFor: (script, argument, timeout = 60000) =>
            driver.wait(async () => await run(script, [argument]), timeout),
        // WebKit refuses a click while the page still lays itself out under the
        // point (as it may on a loaded machine); a user's click lands a moment
        // later. An element that stays covered still fails after a second.
        click: async (selector) => {
            for (let attempt = 0; ; ++attempt) {
                try {
                    return await (await driver.findElement(By.css(selector))).click();
                } catch (error) {
                    if (error.name !== "ElementClickInterceptedError" || attempt >= 10) throw error;
                    await sleep(100);
                }
            }
        },
        contextClick: async (selector) =>
            driver.actions().contextClick(await driver.findElement(By.css(selector))).perform(),
        focus: (selector) => run((found) => document.querySelector(found).focus(), [selector]),
        press: (key) => typeKeys(webKitKeys[key] ?? key),
        type: (text) => typeKeys(text),
        screenshot: async (path) => {
            writeFileSync(path, await driver.takeScreenshot(), "base64");
        },
        close: async () => {
            try {
                await driver.quit();
            } finally {
                stopAll();
            }
        },
    };
}

const types = { ".html": "text/html; charset=utf-8", ".js": "text/javascript", ".jpg": "image/jpeg",
                ".ttf": "font/ttf", ".txt": "text/plain; charset=utf-8" };

export function serveSite(folder) {
    const server = createHttpServer((request, response) => {
        const path = normalize(decodeURIComponent(new URL(request.url, "http://x").pathname));
        try {
            const body = readFileSync(join(folder, path));
            response.writeHead(200, { "content-type": types[extname(path)] ?? "application/octet-stream" });
            response.end(body);
        } catch {
            response.writeHead(404);
            response.end();
        }
    });
    return new Promise((resolve) => server.listen(0, "127.0.0.1", () => {
        server.url = `http://127.0.0.1:${server.address().port}`;
        resolve(server);
    }));
}
