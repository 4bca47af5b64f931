// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/allocator_arenas.h"

#include <cstdlib>
#include <thread>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace pw::library {

void limitAllocatorArenas() {
#if defined(__GLIBC__)
    if (std::getenv("MALLOC_ARENA_MAX")) return;
    const unsigned cores = std::thread::hardware_concurrency();
    mallopt(M_ARENA_MAX, cores > 0 ? static_cast<int>(cores) : 1);
#endif
}

}  // namespace pw::library
