// SPDX-License-Identifier: GPL-3.0-or-later
// Debian's Chromium, headless, with a fresh profile and nothing fetched from
// the network; and the site served from a folder on a free local port.
import { mkdtempSync, readFileSync, rmSync } from "node:fs";
import { createServer } from "node:http";
import { tmpdir } from "node:os";
import { extname, join, normalize } from "node:path";
import { chromium } from "playwright-core";

export const chromiumPath = process.env.WOGENFELD_CHROMIUM ?? "/usr/bin/chromium";

export async function launchBrowser({ deviceScaleFactor = 1, viewport = { width: 1366, height: 768 } } = {}) {
    const profile = mkdtempSync(join(tmpdir(), "wogenfeld-chromium-"));
    const context = await chromium.launchPersistentContext(profile, {
        executablePath: chromiumPath,
        headless: true,
        locale: "en-US",
        viewport,
        deviceScaleFactor,
        args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
               "--disable-background-networking", "--disable-component-update", "--disable-sync"],
    });
    const close = context.close.bind(context);
    context.close = async () => {
        await close();
        rmSync(profile, { recursive: true, force: true });
    };
    return context;
}

const types = { ".html": "text/html; charset=utf-8", ".js": "text/javascript", ".jpg": "image/jpeg",
                ".ttf": "font/ttf", ".txt": "text/plain; charset=utf-8" };

export function serveSite(folder) {
    const server = createServer((request, response) => {
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
