#include <windows.h>

#include "large_block.h"

namespace nuvella {

// Large pages on Windows need a privilege users do not have: committed pages are the next
// best thing, given back whole at once.
void* allocateLargeBlock(std::size_t bytes) {
    if (bytes < kLargeBlockThreshold) {
        return ::operator new(bytes == 0 ? 1 : bytes);
    }
    void* block = VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    return block;
}

void freeLargeBlock(void* block, std::size_t bytes) noexcept {
    if (block == nullptr) {
        return;
    }
    if (bytes < kLargeBlockThreshold) {
        ::operator delete(block);
        return;
    }
    VirtualFree(block, 0, MEM_RELEASE);
}

}  // namespace nuvella
