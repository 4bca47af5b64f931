// SPDX-License-Identifier: GPL-3.0-or-later
#include "terminal.h"

#include <unistd.h>

#include <cstdlib>

namespace pw::cli {

bool isTerminal(int fd) {
    return ::isatty(fd) == 1;
}

bool colourWanted() {
    const char* noColour = std::getenv("NO_COLOR");
    if (noColour && *noColour) return false;
    return isTerminal(STDOUT_FILENO);
}

}  // namespace pw::cli
