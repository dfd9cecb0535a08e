// SPDX-License-Identifier: GPL-3.0-or-later
// Measuring on the page as in the window: the drawing area's menu (right
// click, a long press, the menu key), the probes' markers over the frame and
// "Messung" with its chart, readouts, stopwatch and table. Every number and
// text comes from the session; the page only draws and passes actions on.
"use strict";

function makeMeasuring({ core, call, json, byId, view, act, relayout, decimalComma, canMakeRoom, download }) {
    const colours = json("wf_measure_colours");
    const { visibleNodes, middleNode } = json("wf_control_table");
    const css = ([red, green, blue]) => `rgb(${red}, ${green}, ${blue})`;
    const chartSpan = 10; // the chart's last units of simulated time, as the window's
    const chartColumns = 9; // time, four probe places, four energies
    const longPress = 500;
    const repaintInterval = 1000 / 15;
    // The chart's share of the time at most, so that an engine that draws
    // slowly repaints it less often rather than running fewer passes.
    const chartShare = 0.1;

    // ---- the markers, on a canvas of their own over the frame ----
    const markers = document.createElement("canvas");
    markers.className = "markers";
    markers.width = view.width;
    markers.height = view.height;
    markers.setAttribute("aria-hidden", "true");
    for (const side of ["left", "top", "width", "height"]) markers.style[side] = view.style[side];
    view.after(markers);
    const markerContext = markers.getContext("2d");
    let markersShown = false;
    function drawMarkers() {
        const placed = JSON.parse(call("wf_markers", "string", [], []));
        if (!placed.length && !markersShown) return;
        markerContext.clearRect(0, 0, markers.width, markers.height);
        markerContext.lineWidth = 1.5;
        markerContext.strokeStyle = "#fff";
        for (const [slot, x, y] of placed) {
            markerContext.beginPath();
            markerContext.arc(x + 0.5, y + 0.5, 4.5, 0, 2 * Math.PI);
            markerContext.fillStyle = css(colours.probes[slot]);
            markerContext.fill();
            markerContext.stroke();
        }
        markersShown = placed.length > 0;
    }

    // ---- the menu ----
    const menu = byId("probeMenu");
    const items = { set: byId("menuSet"), remove: byId("menuRemove"), removeAll: byId("menuRemoveAll"),
                    show: byId("menuShow") };
    const setCaption = items.set.textContent;
    let offer = null;
    // The frame's pixel under a point of the browser's window.
    function framePoint(clientX, clientY) {
        const box = view.getBoundingClientRect();
        return [Math.floor((clientX - box.left) * view.width / box.width),
                Math.floor((clientY - box.top) * view.height / box.height)];
    }
    function openMenu(clientX, clientY) {
        const [x, y] = framePoint(clientX, clientY);
        // What lies under the point now; the choice acts on it, while the run goes on.
        offer = JSON.parse(call("wf_probe_menu", "string", ["number", "number"], [x, y]));
        items.set.textContent = offer.free < 0
            ? `${setCaption} (schon vier gesetzt: erst eine entfernen)` : setCaption;
        items.set.disabled = offer.free < 0 || !offer.node;
        items.remove.disabled = offer.under < 0;
        items.removeAll.disabled = !offer.any;
        menu.hidden = false;
        menu.style.left = `${Math.min(clientX, innerWidth - menu.offsetWidth)}px`;
        menu.style.top = `${Math.min(clientY, innerHeight - menu.offsetHeight)}px`;
        menu.querySelector("button:not(:disabled)").focus();
    }
    function closeMenu() {
        if (menu.hidden) return;
        menu.hidden = true;
        view.focus();
    }
    const choose = (item, action) => item.addEventListener("click", () => {
        closeMenu();
        act(action);
        probesChanged();
    });
    choose(items.set, () => call("wf_set_probe", null, ["number", "number", "number"],
                                 [offer.free, offer.node[0], offer.node[1]]));
    choose(items.remove, () => call("wf_set_probe", null, ["number", "number", "number"], [offer.under, 0, 0]));
    choose(items.removeAll, () => call("wf_remove_probes", null, [], []));
    items.show.addEventListener("click", () => { closeMenu(); showWindow(); });
    // The items the page's other parts handle close it too.
    menu.addEventListener("click", (event) => { if (event.target.closest("button")) closeMenu(); });
    menu.addEventListener("keydown", (event) => {
        const enabled = [...menu.querySelectorAll("button:not(:disabled)")];
        const at = enabled.indexOf(document.activeElement);
        if (event.key === "Escape" || event.key === "Tab") closeMenu();
        else if (event.key === "ArrowDown") enabled[(at + 1) % enabled.length].focus();
        else if (event.key === "ArrowUp") enabled[(at + enabled.length - 1) % enabled.length].focus();
        else return;
        event.preventDefault();
    });
    document.addEventListener("pointerdown", (event) => {
        if (!menu.contains(event.target)) closeMenu();
    }, true);

    // Right click, a touch screen's own long press, and the menu key over the area.
    let pointer = null;
    view.addEventListener("pointermove", (event) => { pointer = [event.clientX, event.clientY]; });
    view.addEventListener("pointerleave", () => { pointer = null; });
    view.tabIndex = 0;
    document.addEventListener("contextmenu", (event) => {
        const overView = event.target === view || pointer !== null;
        if (!overView) return;
        event.preventDefault();
        const box = view.getBoundingClientRect();
        const inside = event.clientX >= box.left && event.clientX < box.right &&
                       event.clientY >= box.top && event.clientY < box.bottom && event.button === 2;
        const [x, y] = inside ? [event.clientX, event.clientY]
            : pointer ?? [box.left + box.width / 2, box.top + box.height / 2];
        openMenu(x, y);
    });
    // A long press of a finger or pen; a moving finger pans, it presses nothing.
    let pressTimer = null;
    let pressedAt = null;
    const cancelPress = () => { clearTimeout(pressTimer); pressTimer = null; };
    view.addEventListener("pointerdown", (event) => {
        if (event.pointerType === "mouse") return;
        pressedAt = [event.clientX, event.clientY];
        cancelPress();
        pressTimer = setTimeout(() => { pressTimer = null; openMenu(...pressedAt); }, longPress);
    });
    view.addEventListener("pointermove", (event) => {
        if (pressTimer && Math.hypot(event.clientX - pressedAt[0], event.clientY - pressedAt[1]) > 10) cancelPress();
    });
    for (const end of ["pointerup", "pointercancel", "pointerleave"]) view.addEventListener(end, cancelPress);
    document.addEventListener("keydown", (event) => {
        if (event.key === "F2") {
            event.preventDefault();
            showWindow();
        }
    });

    // ---- "Messung" ----
    const windowElement = byId("measureWindow");
    const rows = [0, 1, 2, 3].map((slot) => makeProbeRow(slot));
    const line = byId("wavelengthLine");
    const chart = byId("liveChart");
    const chartContext = chart.getContext("2d");
    const texts = { wavelength: byId("wavelength"), speed: byId("waveSpeed"), lattice: byId("latticeSpeed"),
                    watch: byId("watch"), passes: byId("runPasses") };
    let shownChanges = -1;
    let chartDue = 0;
    let repaint = null;

    function makeProbeRow(slot) {
        const name = `Sonde ${slot + 1}`;
        const fieldset = windowElement.querySelector(".probe-rows");
        const label = document.createElement("label");
        label.style.color = css(colours.probes[slot]);
        label.innerHTML = `<input type="checkbox" aria-label="${name}"> ${name}`;
        const node = (axis) => {
            const input = document.createElement("input");
            Object.assign(input, { type: "number", min: 1, max: visibleNodes, step: 1, value: middleNode });
            input.setAttribute("aria-label", `${name} ${axis}`);
            const wrapper = document.createElement("span");
            wrapper.append(`${axis} = `, input);
            return [wrapper, input];
        };
        const [xWrapper, x] = node("x");
        const [yWrapper, y] = node("y");
        const reading = document.createElement("span");
        reading.setAttribute("aria-label", `${name} Messwerte`);
        const phase = document.createElement("span");
        phase.className = "phase";
        phase.setAttribute("aria-label", `${name} Phase`);
        fieldset.append(label, xWrapper, yWrapper, reading, phase);
        const on = label.querySelector("input");
        const edited = () => {
            const within = (input) => Math.min(visibleNodes, Math.max(1, Math.round(Number(input.value)) || 1));
            act(() => call("wf_set_probe", null, ["number", "number", "number"],
                           on.checked ? [slot, within(x), within(y)] : [slot, 0, 0]));
            probesChanged();
        };
        for (const input of [on, x, y]) input.addEventListener("change", edited);
        return { on, x, y, reading, phase };
    }

    // In a wide browser at the right, beside the page's window, which shrinks
    // to make room, so that the net and the controls stay free; over the
    // window's right part where that would shrink a touch screen's controls
    // below a finger's size; in a tall one over its lower part, as a sheet,
    // where the window would shrink too far.
    const sideWidth = 440;
    const atTheRight = () => innerWidth >= innerHeight;
    const besideWindow = () => atTheRight() && canMakeRoom(sideWidth);
    function placeWindow() {
        const style = windowElement.style;
        if (atTheRight()) {
            Object.assign(style, { left: "", right: "0px", top: "0px", bottom: "0px", width: `${sideWidth}px` });
        } else {
            Object.assign(style, { left: "0px", right: "0px", top: "50vh", bottom: "0px", width: "" });
        }
    }
    // The room "Messung" takes from the page's window.
    const reservedWidth = () => (windowElement.hidden || !besideWindow() ? 0 : sideWidth);
    addEventListener("resize", placeWindow);

    function showWindow({ focus = true } = {}) {
        call("wf_open_measuring", null, [], []);
        windowElement.hidden = false;
        placeWindow();
        relayout();
        showReadouts();
        // At most 15 repaints a second: the chart takes time the passes need more.
        repaint ??= setInterval(showReadouts, repaintInterval);
        if (focus) windowElement.querySelector("button, input").focus();
    }
    function closeWindow() {
        windowElement.hidden = true;
        clearInterval(repaint);
        repaint = null;
        relayout();
    }
    byId("measureClose").addEventListener("click", closeWindow);
    // A session put in place of the page's: "Messung" shows where it records,
    // and everything in it is drawn afresh.
    function follow(recording) {
        shownChanges = -1;
        chartDue = 0;
        if (recording && windowElement.hidden) showWindow({ focus: false });
        if (!recording && !windowElement.hidden) closeWindow();
        probesChanged();
    }

    const setText = (element, text) => { if (element.textContent !== text) element.textContent = text; };
    function showReadouts() {
        if (windowElement.hidden) return;
        const shown = JSON.parse(call("wf_measuring", "string", ["number"], [line.selectedIndex === 0 ? 1 : 0]));
        shown.probes.forEach((node, slot) => {
            const row = rows[slot];
            row.on.checked = node !== null;
            if (node && document.activeElement !== row.x && document.activeElement !== row.y) {
                [row.x.value, row.y.value] = node;
            }
            setText(row.reading, shown.readings[slot]);
            setText(row.phase, shown.phases[slot]);
        });
        setText(texts.wavelength, shown.wavelength);
        setText(texts.speed, shown.speed);
        setText(texts.lattice, shown.lattice);
        setText(texts.watch, shown.watch);
        setText(texts.passes, shown.passes);
        const start = performance.now();
        if (shown.changes === shownChanges || start < chartDue) return;
        shownChanges = shown.changes;
        drawChart(shown.probes);
        chartDue = start + (performance.now() - start) / chartShare;
    }
    // The time bar: the kept passes, the one shown; moving it goes there, while
    // it is dragged at most once a frame.
    const timeBar = byId("timeBar");
    function followTime({ canStep, oldestPass, newestPass, passShown }) {
        timeBar.disabled = !canStep;
        timeBar.min = oldestPass;
        timeBar.max = newestPass;
        timeBar.value = passShown;
    }
    const goToPass = () => act(() => call("wf_go_to_pass", null, ["number"], [Number(timeBar.value)]));
    let goingTo = null;
    timeBar.addEventListener("input", () => {
        goingTo ??= requestAnimationFrame(() => {
            goingTo = null;
            goToPass();
        });
    });
    timeBar.addEventListener("change", goToPass);

    function probesChanged() {
        drawMarkers();
        showReadouts();
    }
    line.addEventListener("change", showReadouts);
    const watch = (id, action) => byId(id).addEventListener("click", () => {
        call("wf_watch", null, ["number"], [action]);
        showReadouts();
    });
    watch("watchStart", 0);
    watch("watchStop", 1);
    watch("watchReset", 2);

    // The table as the renderer's --csv or --csv-decimal-comma writes it, as a
    // download; the spreadsheets' kind first where numbers have a decimal comma,
    // as the window's save dialog offers it.
    const csvKind = byId("csvKind");
    csvKind.value = decimalComma ? "1" : "0";
    byId("saveCsv").addEventListener("click", () => {
        const text = call("wf_csv", "string", ["number"], [Number(csvKind.value)]);
        download(new Blob([text], { type: "text/csv" }), "messung.csv");
    });

    // ---- the chart: probes above (when there are any), energies below ----
    const german = (decimals) => new Intl.NumberFormat("de-DE",
        { minimumFractionDigits: decimals, maximumFractionDigits: decimals });
    // Round ticks, about `count` of them, over low..high.
    function axis(low, high, count) {
        if (!(high > low)) [low, high] = [low - 1, high + 1];
        const raw = (high - low) / count;
        const power = 10 ** Math.floor(Math.log10(raw));
        const step = [1, 2, 2.5, 5, 10].map((m) => m * power).find((s) => s >= raw);
        const first = Math.floor(low / step) * step;
        const last = Math.ceil(high / step) * step;
        const decimals = Math.max(0, -Math.floor(Math.log10(step) + 1e-9) + (step / power === 2.5 ? 1 : 0));
        const ticks = [];
        for (let t = first; t <= last + step / 2; t += step) ticks.push(t);
        return { low: first, high: last, ticks, format: german(decimals) };
    }
    function drawChart(probes) {
        const count = call("wf_chart", "number", ["number"], [chartSpan]);
        const at = call("wf_chart_rows", "number", [], []) / 8;
        const data = core.HEAPF64.subarray(at, at + count * chartColumns);
        const context = chartContext;
        context.fillStyle = "#fff";
        context.fillRect(0, 0, chart.width, chart.height);
        if (count === 0) return;
        const panels = [];
        const set = probes.map((node, slot) => [node, slot]).filter(([node]) => node);
        if (set.length) {
            panels.push({ title: "Auslenkung der Sonden", unit: "Auslenkung Z (Modelleinheiten)",
                          curves: set.map(([node, slot]) => ({ name: `Knoten (${node[0]}, ${node[1]})`,
                                                               colour: colours.probes[slot], column: 1 + slot })) });
        }
        panels.push({ title: "Energie des sichtbaren Netzes (je Masse)", unit: "E (Modelleinheiten² / Zeiteinheit²)",
                      curves: ["Bewegung (kinetisch)", "eigene Federn", "Kopplungsfedern", "gesamt"]
                          .map((name, k) => ({ name, colour: colours.energies[k], column: 5 + k })) });
        const height = chart.height / panels.length;
        panels.forEach((panel, k) => drawPanel(context, data, count, panel, k * height, height));
    }
    function drawPanel(context, data, count, panel, top, height) {
        const area = { left: 84, top: top + 24, width: chart.width - 100, height: height - 60 };
        let low = Infinity, high = -Infinity;
        for (let row = 0; row < count; ++row) {
            for (const curve of panel.curves) {
                const v = data[row * chartColumns + curve.column];
                if (Number.isNaN(v)) continue;
                low = Math.min(low, v);
                high = Math.max(high, v);
            }
        }
        if (low > high) low = high = 0;
        const time = axis(data[0], data[(count - 1) * chartColumns], 6);
        const value = axis(low, high, 5);
        const px = (t) => area.left + (t - time.low) / (time.high - time.low) * area.width;
        const py = (v) => area.top + area.height - (v - value.low) / (value.high - value.low) * area.height;
        context.font = "bold 13px 'Liberation Sans', Arial, sans-serif";
        context.fillStyle = "#000";
        context.textAlign = "center";
        context.fillText(panel.title, area.left + area.width / 2, top + 16);
        context.font = "11px 'Liberation Sans', Arial, sans-serif";
        context.lineWidth = 1;
        for (const t of time.ticks) {
            context.strokeStyle = "#e1e1e1";
            context.beginPath(); context.moveTo(px(t), area.top); context.lineTo(px(t), area.top + area.height); context.stroke();
            context.fillText(time.format.format(Math.abs(t) < 1e-12 ? 0 : t), px(t), area.top + area.height + 14);
        }
        context.textAlign = "right";
        for (const v of value.ticks) {
            context.strokeStyle = "#e1e1e1";
            context.beginPath(); context.moveTo(area.left, py(v)); context.lineTo(area.left + area.width, py(v)); context.stroke();
            context.fillText(value.format.format(Math.abs(v) < 1e-12 ? 0 : v), area.left - 4, py(v) + 4);
        }
        context.strokeStyle = "#000";
        context.strokeRect(area.left, area.top, area.width, area.height);
        context.textAlign = "center";
        context.fillText("Simulationszeit t (Zeiteinheiten der Simulation)", area.left + area.width / 2,
                         area.top + area.height + 28);
        context.save();
        context.translate(12, area.top + area.height / 2);
        context.rotate(-Math.PI / 2);
        context.font = "10px 'Liberation Sans', Arial, sans-serif";
        context.fillText(panel.unit, 0, 0, area.height);
        context.restore();
        context.save();
        context.beginPath();
        context.rect(area.left, area.top, area.width, area.height);
        context.clip();
        for (const curve of panel.curves) {
            context.strokeStyle = css(curve.colour);
            context.beginPath();
            let drawing = false;
            for (let row = 0; row < count; ++row) {
                const v = data[row * chartColumns + curve.column];
                if (Number.isNaN(v)) { drawing = false; continue; }
                const x = px(data[row * chartColumns]);
                if (drawing) context.lineTo(x, py(v)); else context.moveTo(x, py(v));
                drawing = true;
            }
            context.stroke();
        }
        context.restore();
        // The legend in the panel's top right corner.
        const legendLeft = area.left + area.width - 170;
        context.fillStyle = "#ffffffe6";
        context.fillRect(legendLeft, area.top + 4, 166, panel.curves.length * 15 + 6);
        context.textAlign = "left";
        panel.curves.forEach((curve, k) => {
            const y = area.top + 12 + k * 15;
            context.strokeStyle = css(curve.colour);
            context.lineWidth = 3;
            context.beginPath(); context.moveTo(legendLeft + 6, y); context.lineTo(legendLeft + 26, y); context.stroke();
            context.fillStyle = "#000";
            context.fillText(curve.name, legendLeft + 32, y + 4);
        });
        context.lineWidth = 1;
    }

    return { afterFrame: drawMarkers, showWindow, reservedWidth, follow, followTime };
}
