// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources/JpegErrorManager.h"

namespace {

[[noreturn]] void JumpBack(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->JumpBack, 1);
}

// Level -1 is a warning about the data; levels 0 and up are trace messages.
void JumpBackOnWarning(j_common_ptr info, int level) {
    if (level < 0) JumpBack(info);
}

} // namespace

jpeg_error_mgr* InstallJpegErrorManager(JpegErrorManager& errors) {
    jpeg_error_mgr* base = jpeg_std_error(&errors.Base);
    base->error_exit = JumpBack;
    base->emit_message = JumpBackOnWarning;
    return base;
}
