// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// jpeglib.h uses FILE and size_t without including their headers.
#include <csetjmp>
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

// libjpeg's default error handler ends the process. This one jumps back to the
// setjmp of the function that drives libjpeg instead. Warnings count as errors
// too: libjpeg only warns about truncated or corrupt data and then goes on
// with made-up pixels, which a built-in picture must never show.
//
// The function that calls setjmp must hold no C++ object with a destructor
// that libjpeg could jump over, and must not read its own locals changed
// since the setjmp after the jump.
struct JpegErrorManager {
    jpeg_error_mgr Base; // first member: libjpeg's err pointer points at the whole struct
    std::jmp_buf JumpBack;
};

// Prepares `errors` and returns the pointer to hand to libjpeg as `err`.
jpeg_error_mgr* InstallJpegErrorManager(JpegErrorManager& errors);
