#include "block_array.h"

#include <sys/mman.h>

namespace plax {

void* MapZeroedPages(std::size_t bytes) {
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) return nullptr;
#ifdef MADV_HUGEPAGE
    // Only advice: where huge pages are off, the mapping works in small ones.
    madvise(p, bytes, MADV_HUGEPAGE);
#endif
    return p;
}

void UnmapPages(void* p, std::size_t bytes) { munmap(p, bytes); }

} // namespace plax
