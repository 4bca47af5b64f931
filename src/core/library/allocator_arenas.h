// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How many arenas the C library's allocator keeps for the library's threads.

namespace pw::library {

// The C library gives every thread that allocates an arena of its own, up to eight per
// core, and keeps in it what that thread freed: with scans on every core and an index
// read beside them, that is memory held and never used again. One arena per core keeps
// the threads apart enough. A limit the user set (MALLOC_ARENA_MAX) is left as it is.
// Called once, before the first thread starts.
void limitAllocatorArenas();

}  // namespace pw::library
