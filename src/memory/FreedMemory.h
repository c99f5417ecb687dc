#pragma once

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace memory {

// Hands the memory a big job freed (an import, a long list, a PDF) back to the system. The
// allocator keeps freed memory for reuse, in a pool for each thread that used it; kept, it
// stays the program's for as long as the program runs and adds to the next job's peak.
// A few milliseconds.
inline void ReturnFreedMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

} // namespace memory
