#include <sys/mman.h>

#include <cstdint>

#include "large_block.h"

namespace nuvella {
namespace {

constexpr std::size_t kLargePage = std::size_t{2} << 20;

std::size_t mappedSize(std::size_t bytes) {
    return (bytes + kLargePage - 1) / kLargePage * kLargePage;
}

}  // namespace

void* allocateLargeBlock(std::size_t bytes) {
    if (bytes < kLargeBlockThreshold) {
        return ::operator new(bytes == 0 ? 1 : bytes);
    }
    if (bytes > SIZE_MAX - 2 * kLargePage) {
        throw std::bad_alloc();
    }
    // Map one large page more and trim both ends, so the block starts on a large page.
    const std::size_t size = mappedSize(bytes);
    void* mapped = mmap(nullptr, size + kLargePage, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) {
        throw std::bad_alloc();
    }
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const auto aligned = (start + kLargePage - 1) / kLargePage * kLargePage;
    if (aligned > start) {
        munmap(mapped, aligned - start);
    }
    if (const std::size_t tail = kLargePage - (aligned - start); tail > 0) {
        munmap(reinterpret_cast<void*>(aligned + size), tail);
    }
    auto* block = reinterpret_cast<void*>(aligned);
    madvise(block, size, MADV_HUGEPAGE);  // a hint: without large pages it still works
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
    munmap(block, mappedSize(bytes));
}

}  // namespace nuvella
