// Memory for the text and the pieces of a whole issue, in large pages where the system has them.
#pragma once

#include <cstddef>
#include <new>
#include <utility>

namespace nuvella {

// The first touch of a fresh page is costly on virtual machines, and a 100 MB issue touches
// some 25,000 small pages; large pages take one touch per 2 MiB. Both functions are the
// platform's (mmap on POSIX, VirtualAlloc on Windows); small sizes go to operator new.
void* allocateLargeBlock(std::size_t bytes);  // throws std::bad_alloc
void freeLargeBlock(void* block, std::size_t bytes) noexcept;

// Below this a block comes from operator new: large pages would waste more than they save.
inline constexpr std::size_t kLargeBlockThreshold = std::size_t{1} << 20;

// The bytes of one issue file. Move-only; the size is the capacity asked for.
class TextBlock {
  public:
    TextBlock() = default;
    explicit TextBlock(std::size_t bytes)
        : data_(static_cast<char*>(allocateLargeBlock(bytes))), bytes_(bytes) {}
    TextBlock(TextBlock&& other) noexcept
        : data_(std::exchange(other.data_, nullptr)), bytes_(std::exchange(other.bytes_, 0)) {}
    TextBlock& operator=(TextBlock&& other) noexcept {
        std::swap(data_, other.data_);
        std::swap(bytes_, other.bytes_);
        return *this;
    }
    TextBlock(const TextBlock&) = delete;
    TextBlock& operator=(const TextBlock&) = delete;
    ~TextBlock() { freeLargeBlock(data_, bytes_); }

    char* get() const { return data_; }
    std::size_t capacity() const { return bytes_; }

  private:
    char* data_ = nullptr;
    std::size_t bytes_ = 0;
};

// For the piece array of an issue (a standard container's allocator).
template <class T>
struct LargeBlockAllocator {
    using value_type = T;
    LargeBlockAllocator() = default;
    template <class U>
    LargeBlockAllocator(const LargeBlockAllocator<U>&) noexcept {}
    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / sizeof(T)) {
            throw std::bad_alloc();
        }
        return static_cast<T*>(allocateLargeBlock(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n) noexcept { freeLargeBlock(p, n * sizeof(T)); }
    template <class U>
    bool operator==(const LargeBlockAllocator<U>&) const noexcept {
        return true;
    }
};

}  // namespace nuvella
