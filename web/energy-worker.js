// SPDX-License-Identifier: GPL-3.0-or-later
// The worker's side: says when it is ready, then sums each batch of
// snapshots the page posts and answers in the same order, sending the
// snapshots' buffers back to be filled again.
"use strict";
createEnergies().then((core) => {
    const room = core._we_room();
    onmessage = ({ data }) => {
        const sums = new Float64Array(4 * data.stamps.length);
        data.snapshots.forEach((bytes, k) => {
            core.HEAPU8.set(new Uint8Array(bytes), room);
            sums.set(new Float64Array(core.HEAPU8.buffer, core._we_sum(), 4), 4 * k);
        });
        postMessage({ stamps: data.stamps, sums, snapshots: data.snapshots }, [sums.buffer, ...data.snapshots]);
    };
    postMessage("ready");
});
