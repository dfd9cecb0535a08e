// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/PageCalls.h"

TPageRun& ThePage() {
    static TPageRun page;
    return page;
}

const char* Answer(std::string text) {
    static std::string reply;
    reply = std::move(text);
    return reply.c_str();
}
