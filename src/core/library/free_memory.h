// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Hands memory the program has freed back to the system. The C library keeps what a
// thread frees in that thread's own heap for its next allocations; after a folder's
// presets are dropped, or a scan's work on every core is over, most of it would stay
// held for nothing.

namespace pw::library {

void releaseFreedMemory();

}  // namespace pw::library
