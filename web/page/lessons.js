// SPDX-License-Identifier: GPL-3.0-or-later
// Lessons on the page: saved as a file, opened from one or from a link whose
// fragment holds the lesson compressed. The core writes, reads and replays
// them and refuses what does not arrive where it says; the page only moves
// the bytes and shows the outcome.
"use strict";

function makeLessons({ core, call, byId, showMessage, adopt, download }) {
    const fileName = "unterricht.wogenfeld";
    // The reader's limit: one byte more tells it that the file is too large.
    const mostBytes = 10000000;
    const linkMark = "#u=";
    // Far beyond a 50-action lesson's link, and well inside what mail and chat
    // programs pass on whole (docs/web.md).
    const longestLink = 8000;

    const lessonText = () => call("wf_lesson", "string", [], []);

    function save() {
        download(new Blob([lessonText()], { type: "text/plain" }), fileName);
    }

    // The core's message, or "" once the lesson's session is the page's.
    function openBytes(bytes) {
        const room = call("wf_lesson_room", "number", ["number"], [bytes.length]);
        // The room may have grown the memory: HEAPU8 is read after it.
        core.HEAPU8.set(bytes, room);
        return call("wf_open_lesson", "string", [], []);
    }

    // A long replay holds the page: the note is painted before it starts.
    const painted = () => new Promise((done) => requestAnimationFrame(() => setTimeout(done, 0)));
    const busy = byId("lessonBusy");
    const blocker = byId("blocker");
    async function open(bytes) {
        busy.hidden = blocker.hidden = false;
        await painted();
        let message;
        try {
            message = openBytes(bytes);
        } finally {
            busy.hidden = blocker.hidden = true;
        }
        if (message) showMessage(message);
        else adopt();
    }

    // ---- the file ----
    const picker = byId("lessonFile");
    picker.addEventListener("change", async () => {
        const file = picker.files[0];
        picker.value = "";
        if (!file) return;
        let bytes;
        try {
            bytes = new Uint8Array(await file.slice(0, mostBytes + 1).arrayBuffer());
        } catch (error) {
            showMessage(`Die Unterrichtsdatei konnte nicht gelesen werden: ${error?.message ?? error}`);
            return;
        }
        await open(bytes);
    });
    const choose = () => picker.click();

    // ---- the link: base64url of the text compressed by deflate ----
    async function compressed(text) {
        const stream = new Blob([text]).stream().pipeThrough(new CompressionStream("deflate-raw"));
        return new Uint8Array(await new Response(stream).arrayBuffer());
    }
    function base64url(bytes) {
        let binary = "";
        for (const byte of bytes) binary += String.fromCharCode(byte);
        return btoa(binary).replaceAll("+", "-").replaceAll("/", "_").replace(/=+$/, "");
    }
    function fromBase64url(text) {
        const binary = atob(text.replaceAll("-", "+").replaceAll("_", "/"));
        return Uint8Array.from(binary, (c) => c.charCodeAt(0));
    }
    // The text's bytes, no more than one beyond the limit however far a
    // damaged or hostile stream would unpack.
    async function decompressed(bytes) {
        const reader = new Blob([bytes]).stream().pipeThrough(new DecompressionStream("deflate-raw")).getReader();
        const parts = [];
        let length = 0;
        for (;;) {
            const { done, value } = await reader.read();
            if (done) break;
            parts.push(value);
            length += value.length;
            if (length > mostBytes) {
                reader.cancel().catch(() => {});
                break;
            }
        }
        const text = new Uint8Array(Math.min(length, mostBytes + 1));
        let at = 0;
        for (const part of parts) {
            const taken = part.subarray(0, text.length - at);
            text.set(taken, at);
            at += taken.length;
        }
        return text;
    }
    const badLink = "Der Link enthält keinen lesbaren Unterricht (er ist beschädigt oder unvollständig); " +
                    "er wurde nicht geöffnet.";
    // A fragment "#u=…" opened; any other fragment is none of the page's.
    async function openLink(fragment) {
        if (!fragment.startsWith(linkMark)) return;
        let bytes;
        try {
            bytes = await decompressed(fromBase64url(fragment.slice(linkMark.length)));
        } catch {
            showMessage(badLink);
            return;
        }
        await open(bytes);
    }

    const box = byId("linkBox");
    const field = byId("linkField");
    async function copyLink() {
        const link = location.href.replace(/[?#].*$/, "") + linkMark + base64url(await compressed(lessonText()));
        const tooLong = link.length > longestLink;
        let text;
        if (tooLong) {
            text = `Dieser Unterricht ist zu lang für einen Link (${link.length.toLocaleString("de-DE")} ` +
                   `Zeichen, höchstens ${longestLink.toLocaleString("de-DE")}). Speichern Sie ihn als Datei ` +
                   "und geben Sie die Datei weiter.";
        } else {
            let copied = true;
            try {
                await navigator.clipboard.writeText(link);
            } catch {
                copied = false;
            }
            text = copied ? "Der Link ist in der Zwischenablage. Wer ihn öffnet, sieht diesen Unterricht."
                : "Der Browser lässt die Seite nicht in die Zwischenablage schreiben: kopieren Sie den " +
                  "markierten Link (Strg+C).";
        }
        byId("linkText").textContent = text;
        field.value = tooLong ? "" : link;
        field.hidden = tooLong;
        byId("linkSave").hidden = !tooLong;
        box.hidden = false;
        if (tooLong) {
            byId("linkSave").focus();
        } else {
            field.focus();
            field.select();
        }
    }
    const closeBox = () => { box.hidden = true; };
    byId("linkClose").addEventListener("click", closeBox);
    byId("linkSave").addEventListener("click", () => { closeBox(); save(); });
    box.addEventListener("keydown", (event) => {
        if (event.key === "Escape") closeBox();
    });

    return { save, choose, copyLink, openLink, lessonText };
}
