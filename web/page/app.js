// SPDX-License-Identifier: GPL-3.0-or-later
// The page's side of the window: its elements pass every action to the
// session in the WebAssembly and show the controls and frames it gives back.
"use strict";

// Any failure to start says so on the page instead of leaving a half-drawn window.
function showStartFailure(error) {
    console.error(error);
    document.getElementById("window").hidden = true;
    const failure = document.getElementById("startFailure");
    failure.querySelector(".reason").textContent = String(error?.message ?? error);
    failure.hidden = false;
    document.getElementById("check").textContent = `error: ${error?.message ?? error}`;
}

// Offers `blob` as a download named `name`.
function download(blob, name) {
    const link = document.createElement("a");
    link.href = URL.createObjectURL(blob);
    link.download = name;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 1000);
}

// The separator of the first of the browser's languages that it has a number
// format for; a point where it has none (a "C" or "POSIX" locale, an empty,
// broken or unknown tag), as the desktop shows under the C locale.
function decimalSeparator(languages) {
    for (const language of languages) {
        try {
            if (Intl.NumberFormat.supportedLocalesOf(language).length === 0) continue;
            const parts = new Intl.NumberFormat(language).formatToParts(1.5);
            return parts.find((part) => part.type === "decimal").value;
        } catch {
            // not a language tag at all
        }
    }
    return ".";
}

(async function () {
    const core = await createWogenfeld();
    const call = (name, result, types, args) => core.ccall(name, result, types, args);
    const json = (name) => JSON.parse(call(name, "string", [], []));
    const byId = (id) => document.getElementById(id);

    const table = json("wf_control_table");
    const params = new URLSearchParams(location.search);
    const windowElement = byId("window");
    const canvas = byId("PaintBox1");
    const context = canvas.getContext("2d", { alpha: false });
    // An ImageData over the session's pixel buffer, taken again only when the
    // memory has grown (a large lesson) and the buffer moved with it.
    const pixelsOf = () => new ImageData(
        new Uint8ClampedArray(core.HEAPU8.buffer, call("wf_canvas_pixels", "number", [], []),
                              canvas.width * canvas.height * 4),
        canvas.width, canvas.height);
    let frame = pixelsOf();
    const decimalPoint = decimalSeparator(
        navigator.languages?.length ? navigator.languages : [navigator.language]);

    // ---- touch screens: finger-sized hit areas, and in portrait the view's
    // panel below the others, so that the window fills the screen ----
    const touchScreen = matchMedia("(pointer: coarse)");
    // Window pixels: 24 CSS pixels, the least a finger is given, down to a scale of 0.92.
    const fingerLeast = 24;
    const fingerSize = 26;
    windowElement.style.setProperty("--finger", `${fingerSize}px`);
    const sides = ["left", "top", "width", "height"];
    const hitAreas = [...windowElement.querySelectorAll(".button, .edit, .scrollbar, label.radio, label.checkbox")]
        .filter((element) => element.style.left !== "")
        .map((element) => ({ element, form: sides.map((side) => parseFloat(element.style[side])) }));
    // Each control grown about its middle to a finger's size, or back to the form's.
    function fitHitAreas(touch) {
        for (const { element, form: [left, top, width, height] } of hitAreas) {
            const grownWidth = touch ? Math.max(width, fingerSize) : width;
            const grownHeight = touch ? Math.max(height, fingerSize) : height;
            const place = [left - (grownWidth - width) / 2, top - (grownHeight - height) / 2, grownWidth, grownHeight];
            sides.forEach((side, index) => { element.style[side] = `${place[index]}px`; });
        }
    }

    // The whole window scaled to the browser's, never cut.
    let bars = [];
    let measuring = null;
    const scaleFor = (width) =>
        Math.min(width / windowElement.offsetWidth, innerHeight / windowElement.offsetHeight);
    // Whether the window can give up `width` at the right: with a mouse
    // always, on a touch screen while its controls stay a finger's size.
    const canMakeRoom = (width) => !touchScreen.matches || scaleFor(innerWidth - width) * fingerSize >= fingerLeast;
    function fit() {
        const touch = touchScreen.matches;
        document.body.classList.toggle("touch", touch);
        document.body.classList.toggle("portrait", touch && innerHeight > innerWidth);
        fitHitAreas(touch);
        const width = innerWidth - (measuring?.reservedWidth() ?? 0);
        const scale = scaleFor(width);
        const left = Math.max(0, (width - windowElement.offsetWidth * scale) / 2);
        windowElement.style.transform = `translate(${left}px, 0) scale(${scale})`;
        for (const bar of bars) bar.show(bar.position);
    }
    addEventListener("resize", fit);
    touchScreen.addEventListener("change", fit);
    fit();

    // ---- the scroll bars, with the desktop's keys and steps ----
    bars = table.sliders.map((row, index) => makeScrollBar(byId(row.name), row, index));

    function makeScrollBar(element, row, index) {
        const vertical = element.classList.contains("vertical");
        element.innerHTML = '<div class="arrow lower"></div><div class="thumb"></div><div class="arrow upper"></div>';
        const thumb = element.querySelector(".thumb");
        const bar = { element, row, position: row.start };
        const lowerArrow = element.querySelector(".lower");
        const arrowLength = () => (vertical ? lowerArrow.offsetHeight : lowerArrow.offsetWidth);
        const length = () => (vertical ? element.clientHeight : element.clientWidth);
        const thumbLength = () => (vertical ? thumb.offsetHeight : thumb.offsetWidth);
        bar.show = (position) => {
            bar.position = position;
            const room = length() - 2 * arrowLength() - thumbLength();
            const at = arrowLength() + Math.round((room * (position - row.minimum)) / (row.maximum - row.minimum));
            thumb.style[vertical ? "top" : "left"] = `${at}px`;
            element.setAttribute("aria-valuenow", position);
        };
        element.setAttribute("aria-valuemin", row.minimum);
        element.setAttribute("aria-valuemax", row.maximum);
        const move = (position) => act(() => call("wf_move_slider", null, ["number", "number"], [index, position]));
        const keys = {
            ArrowLeft: -row.singleStep, ArrowUp: -row.singleStep, ArrowRight: row.singleStep,
            ArrowDown: row.singleStep, PageUp: -row.pageStep, PageDown: row.pageStep,
        };
        element.addEventListener("keydown", (event) => {
            let target;
            if (event.key in keys) target = bar.position + keys[event.key];
            else if (event.key === "Home") target = row.minimum;
            else if (event.key === "End") target = row.maximum;
            else return;
            event.preventDefault();
            move(target);
        });
        // Pressed arrows and track repeat, as a scroll bar's do.
        let repeat = null;
        const stopRepeat = () => { clearTimeout(repeat); repeat = null; };
        const pointerPosition = (event) => {
            const box = element.getBoundingClientRect();
            const scale = box[vertical ? "height" : "width"] / length();
            return (vertical ? event.clientY - box.top : event.clientX - box.left) / scale;
        };
        element.addEventListener("pointerdown", (event) => {
            event.preventDefault();
            element.focus();
            element.setPointerCapture(event.pointerId);
            if (event.target === thumb) {
                const grip = pointerPosition(event) - (vertical ? thumb.offsetTop : thumb.offsetLeft);
                const room = length() - 2 * arrowLength() - thumbLength();
                const drag = (moved) => {
                    const share = (pointerPosition(moved) - grip - arrowLength()) / room;
                    move(row.minimum + Math.round(share * (row.maximum - row.minimum)));
                };
                element.onpointermove = drag;
                return;
            }
            const step = () => {
                let delta;
                if (event.target.classList.contains("lower")) delta = -row.singleStep;
                else if (event.target.classList.contains("upper")) delta = row.singleStep;
                else {
                    const thumbAt = vertical ? thumb.offsetTop : thumb.offsetLeft;
                    delta = pointerPosition(event) < thumbAt ? -row.pageStep : row.pageStep;
                }
                move(bar.position + delta);
            };
            step();
            const again = (delay) => { repeat = setTimeout(() => { step(); again(50); }, delay); };
            again(300);
        });
        const release = () => { stopRepeat(); element.onpointermove = null; };
        element.addEventListener("pointerup", release);
        element.addEventListener("pointercancel", release);
        bar.show(row.start);
        return bar;
    }

    // ---- the other controls ----
    const box = (name) => byId(`${name}Box`);
    const sourceFields = ["Edit1", "Edit2", "Edit3", "Edit4"].map(byId);
    const boundaryButtons = ["RadioButton6", "RadioButton7", "RadioButton8"].map(box);
    const exampleButtons = ["RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4", "RadioButton5",
                            "RadioButton9", "RadioButton10"].map(box);
    table.examples.forEach((example, index) => {
        exampleButtons[index].nextElementSibling.textContent = example.caption;
    });
    const displays = { Edit5: "frequency", Edit7: "amplitude", Edit6: "coupling" };
    const shownWrites = {};
    const setVisible = (element, visible) => { element.style.display = visible ? "" : "none"; };

    // Shows the session's controls; a display is written only when the
    // session wrote it, so that typing into it stays until its slider moves.
    function refresh() {
        const panel = json("wf_panel");
        panel.sliders.forEach((position, index) => bars[index].show(position));
        panel.sourceFields.forEach((text, index) => {
            if (sourceFields[index].value !== text) sourceFields[index].value = text;
        });
        box("CheckBox1").checked = !!panel.excitation;
        box("CheckBox2").checked = !!panel.crossGrid;
        box("CheckBox3").checked = !!panel.source1;
        box("CheckBox4").checked = !!panel.source2;
        setVisible(sourceFields[0], panel.source1);
        setVisible(sourceFields[1], panel.source1);
        setVisible(sourceFields[2], panel.source2);
        setVisible(sourceFields[3], panel.source2);
        boundaryButtons[panel.boundary].checked = true;
        exampleButtons[panel.example].checked = true;
        setVisible(byId("Button4"), !panel.continueShown);
        setVisible(byId("Button5"), panel.continueShown);
        setVisible(byId("Panel5"), panel.infoShown);
        // Stepping through the passes is offered while a started run is paused.
        byId("menuStepForward").disabled = byId("menuStepBack").disabled = !panel.canStep;
        measuring?.followTime(panel);
        for (const [id, key] of Object.entries(displays)) {
            const display = panel.displays[key];
            if (shownWrites[id] === display.writes) continue;
            const text = display.digits.replace(".", decimalPoint);
            if (shownWrites[id] !== undefined) announce(id, `${byId(id).getAttribute("aria-label")} ${text}`);
            shownWrites[id] = display.writes;
            byId(id).value = text;
        }
    }

    // Changed readouts are announced politely, the latest of each at most once
    // a second, so that a held key does not flood a screen reader.
    const announcer = byId("announcer");
    const announcementInterval = 1000;
    const pendingAnnouncements = {};
    let lastAnnouncement = -Infinity;
    let announcementTimer = null;
    function announce(id, text) {
        pendingAnnouncements[id] = text;
        if (announcementTimer !== null) return;
        const wait = Math.max(0, lastAnnouncement + announcementInterval - performance.now());
        announcementTimer = setTimeout(() => {
            announcer.textContent = Object.keys(displays).filter((key) => key in pendingAnnouncements)
                .map((key) => pendingAnnouncements[key]).join(", ");
            for (const key of Object.keys(pendingAnnouncements)) delete pendingAnnouncements[key];
            lastAnnouncement = performance.now();
            announcementTimer = null;
        }, wait);
    }

    // Every action: the session's handler, then the controls as it leaves them.
    function act(handler) {
        if (ended) return;
        handler();
        refresh();
    }
    const click = (id, name) => byId(id).addEventListener("click", () => act(() => call(name, null, [], [])));
    const toggle = (id, name) => box(id).addEventListener("change", (event) =>
        act(() => call(name, null, ["number"], [event.target.checked ? 1 : 0])));

    click("Button1", "wf_null");
    click("Button4", "wf_pause");
    click("Button5", "wf_continue");
    click("Button7", "wf_reset_view");
    toggle("CheckBox1", "wf_set_excitation");
    toggle("CheckBox2", "wf_set_cross_grid");
    [3, 4].forEach((number, index) => box(`CheckBox${number}`).addEventListener("change", (event) =>
        act(() => call("wf_set_source", null, ["number", "number"], [index + 1, event.target.checked ? 1 : 0]))));
    sourceFields.forEach((field, index) => field.addEventListener("input", () =>
        call("wf_set_source_field", null, ["number", "string"], [index, field.value])));
    boundaryButtons.forEach((button, mode) => button.addEventListener("change", () => {
        if (button.checked) act(() => call("wf_select_boundary", null, ["number"], [mode]));
    }));
    exampleButtons.forEach((button, index) => button.addEventListener("change", () => {
        if (button.checked) act(() => call("wf_choose_example", null, ["number"], [index]));
    }));
    byId("Button2").addEventListener("click", () => act(() => call("wf_show_info", null, ["number"], [1])));
    byId("Button6").addEventListener("click", () => act(() => call("wf_show_info", null, ["number"], [0])));

    // "Ende": a page cannot close its tab, so it stops and says so.
    let ended = false;
    byId("Button3").addEventListener("click", () => {
        act(() => call("wf_end", null, [], []));
        showEnded();
    });
    function showEnded() {
        ended = true;
        for (const element of windowElement.querySelectorAll("button, input, .scrollbar")) {
            element.disabled = true;
            element.tabIndex = -1;
        }
        byId("ended").hidden = false;
    }

    // The error box of a bad source field: nothing runs until it is closed.
    let messageShown = false;
    function showMessage(text) {
        byId("messageText").textContent = text;
        byId("messageBox").hidden = byId("blocker").hidden = false;
        messageShown = true;
        byId("messageOk").focus();
    }
    // Modal as the desktop's box: the keyboard stays on its button.
    document.addEventListener("keydown", (event) => {
        if (messageShown && event.key === "Tab") {
            event.preventDefault();
            byId("messageOk").focus();
        }
    }, true);
    byId("messageOk").addEventListener("click", () => {
        byId("messageBox").hidden = byId("blocker").hidden = true;
        messageShown = false;
    });

    // "Bild speichern" in the drawing area's menu: the frame shown as a PNG download.
    byId("savePicture").addEventListener("click", () => {
        canvas.toBlob((picture) => download(picture, "wogenfeld.png"), "image/png");
    });

    function presentFrame() {
        if (call("wf_take_frame", "number", [], [])) {
            if (frame.data.buffer !== core.HEAPU8.buffer) frame = pixelsOf();
            context.putImageData(frame, 0, 0);
            measuring.afterFrame();
            statistics.frames++;
        }
    }
    function takeBadField() {
        const message = call("wf_bad_field", "string", [], []);
        if (message) showMessage(message);
    }

    measuring = makeMeasuring({ core, call, json, byId, view: canvas, act, relayout: fit,
                               decimalComma: decimalPoint === ",", canMakeRoom, download });

    // A lesson's session in place of the page's: everything shown follows it,
    // the displays written afresh, unannounced.
    function adopt() {
        for (const id of Object.keys(shownWrites)) delete shownWrites[id];
        refresh();
        const panel = json("wf_panel");
        measuring.follow(!!panel.recording);
        presentFrame();
        if (panel.ended) showEnded();
        statistics.lessons++;
        // A lesson saved while running runs on: what it arrived at, for the tests.
        statistics.arrival = call("wf_hashes", "string", [], []);
    }
    const lessons = makeLessons({ core, call, byId, showMessage, adopt, download });
    const lessonActions = { saveLesson: lessons.save, openLesson: lessons.choose, copyLink: lessons.copyLink };
    for (const [id, action] of Object.entries(lessonActions)) {
        byId(id).addEventListener("click", () => { if (!ended && !messageShown) action(); });
    }
    // One pass on or back: "." and ",", as in the window, but not while typing.
    const step = { ".": "wf_step_forward", ",": "wf_step_back" };
    const stepItems = { menuStepForward: step["."], menuStepBack: step[","] };
    for (const [id, name] of Object.entries(stepItems)) {
        byId(id).addEventListener("click", () => act(() => call(name, null, [], [])));
    }
    document.addEventListener("keydown", (event) => {
        const typing = event.target.closest?.("input, select, textarea");
        if (!(event.key in step) || typing || event.ctrlKey || event.altKey || event.metaKey) return;
        if (messageShown || !json("wf_panel").canStep) return;
        event.preventDefault();
        act(() => call(step[event.key], null, [], []));
    });
    // Ctrl+S and Ctrl+O, where the browser leaves them to the page.
    document.addEventListener("keydown", (event) => {
        if (!(event.ctrlKey || event.metaKey) || event.altKey || event.shiftKey) return;
        const action = { s: lessons.save, o: lessons.choose }[event.key.toLowerCase()];
        if (!action) return;
        event.preventDefault();
        if (!ended && !messageShown) action();
    });

    // ---- the run loop: unpaced passes within a share of each refresh ----
    const statistics = { passes: 0, frames: 0, lessons: 0, arrival: "", energiesElsewhere: 0 };
    const energies = makeEnergies({ core, call, statistics });
    // The passes earn this share of the time as it goes by, and spend it in
    // runs at the screen's refreshes: however slowly or unevenly an engine
    // draws (a chart repainted now and then), the waves keep their speed.
    // Each interval is the passes' time plus the rest's, so it settles at the
    // rest's divided by the remainder. A run ends after the pass that crosses
    // what was earned, and the next one is the shorter by that, so whole
    // passes average out to the share however few fit into a refresh.
    const shareOfTime = 0.7;
    // No run holds the page longer, so that input stays answered.
    const longestRun = 100;
    let lastRefresh = 0;
    let credit = 0;
    function onRefresh(now) {
        if (ended) return;
        credit = Math.min(longestRun, credit + shareOfTime * (lastRefresh ? now - lastRefresh : 1000 / 60));
        lastRefresh = now;
        if (!messageShown && credit > 0) {
            const start = performance.now();
            const passes = call("wf_run", "number", ["number"], [credit]);
            // A paused session saves up nothing for later.
            credit = passes > 0 ? credit - (performance.now() - start) : 0;
            statistics.passes += passes;
            energies.post();
            takeBadField();
        }
        presentFrame();
        requestAnimationFrame(onRefresh);
    }

    // What the tests and the benchmark read.
    window.wogenfeld = {
        statistics,
        panel: () => json("wf_panel"),
        hashes: () => call("wf_hashes", "string", [], []),
        lesson: lessons.lessonText,
        // A user's action by its call, as the controls make it.
        act: (name, types, args) => act(() => call(name, null, types, args)),
    };

    if (params.get("check") === "1") {
        // The renderer's run, K passes unshown, then pass K's frame.
        const line = call("wf_check", "string", ["string", "string"],
                          [params.get("example") ?? "", params.get("passes") ?? ""]);
        presentFrame();
        refresh();
        byId("check").textContent = line;
        requestAnimationFrame(onRefresh);
        return;
    }
    const rate = params.get("passes-per-second");
    if (rate !== null) {
        const refusal = call("wf_pace", "string", ["string"], [rate]);
        if (refusal) {
            byId("notice").textContent = refusal;
            byId("notice").hidden = false;
        }
    }
    act(() => call("wf_open", null, [], []));
    requestAnimationFrame(onRefresh);
    // A link's lesson after the start, and one pasted into this page later.
    addEventListener("hashchange", () => { if (!ended) lessons.openLink(location.hash); });
    await lessons.openLink(location.hash);
})().catch(showStartFailure);
