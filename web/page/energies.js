// SPDX-License-Identifier: GPL-3.0-or-later
// The recorded energies summed in a worker, off the thread that runs the
// passes: "Messung" then costs the waves little of their speed. Where no
// worker starts (a page opened from a folder, which may start none) or one
// fails, the core sums them itself at each pass, as before it was ready.
"use strict";

function makeEnergies({ core, call, statistics }) {
    let worker = null;
    // The snapshots' buffers, back from the worker to be filled again: a new
    // one costs a browser far more than the copy into it.
    const spare = [];
    // What the core has waiting, posted in one batch after each run of passes.
    const size = call("wf_energy_snapshot_bytes", "number", [], []);
    function post() {
        if (!worker) return;
        const stamps = [], snapshots = [];
        for (let at; (at = call("wf_energy_job", "number", [], [])) !== 0;) {
            stamps.push(call("wf_energy_job_stamp", "number", [], []));
            const buffer = spare.pop() ?? new ArrayBuffer(size);
            new Uint8Array(buffer).set(core.HEAPU8.subarray(at, at + size));
            snapshots.push(buffer);
        }
        if (stamps.length) worker.postMessage({ stamps, snapshots }, snapshots);
    }
    function answered({ data }) {
        if (data === "ready") {
            call("wf_energies_elsewhere", null, ["number"], [1]);
            return;
        }
        data.stamps.forEach((stamp, k) => {
            call("wf_energy_done", null, ["number", "number", "number", "number", "number"],
                 [stamp, ...data.sums.subarray(4 * k, 4 * k + 4)]);
        });
        statistics.energiesElsewhere += data.stamps.length;
        spare.push(...data.snapshots);
    }
    function failed(event) {
        console.warn("Energies summed on the page: the worker failed", event.message ?? event);
        worker?.terminate();
        worker = null;
        call("wf_energies_elsewhere", null, ["number"], [0]);
    }
    try {
        worker = new Worker("energies.js");
        worker.onmessage = answered;
        worker.onerror = failed;
    } catch (error) {
        failed(error);
    }
    return { post };
}
