// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/free_memory.h"

#include <cstdlib>  // says which C library this is

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace pw::library {

void releaseFreedMemory() {
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

}  // namespace pw::library
