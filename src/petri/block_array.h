#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace plax {

// An array that grows a block at a time and never moves what it holds: growing costs no copy
// and no page faults beyond the new block's.
template <class T, unsigned BlockBits = 16> class BlockArray {
public:
    void PushBack(const T& value) {
        if ((size_ & Mask) == 0 && size_ >> BlockBits == blocks_.size())
            blocks_.push_back(std::make_unique_for_overwrite<T[]>(std::size_t{1} << BlockBits));
        blocks_[size_ >> BlockBits][size_ & Mask] = value;
        ++size_;
    }
    T& operator[](std::size_t i) { return blocks_[i >> BlockBits][i & Mask]; }
    const T& operator[](std::size_t i) const { return blocks_[i >> BlockBits][i & Mask]; }
    std::size_t Size() const { return size_; }

private:
    static constexpr std::size_t Mask = (std::size_t{1} << BlockBits) - 1;
    std::vector<std::unique_ptr<T[]>> blocks_;
    std::size_t size_ = 0;
};

// Memory for large arrays straight from the kernel, zeroed, in huge pages where the system
// allows them: a table of many megabytes then costs a page fault every 2 MiB instead of every
// 4 KiB. Answers null when there is no memory.
void* MapZeroedPages(std::size_t bytes);
void UnmapPages(void* p, std::size_t bytes);
inline constexpr std::size_t MappedArrayBytes = std::size_t{2} << 20; // from here on, mapped

// A fixed number of plain values that start at zero without being written: a small array comes
// from calloc, a large one is mapped, so only the pages written are touched, once, where they
// are written.
template <class T> class ZeroedArray {
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_default_constructible_v<T>);

public:
    ZeroedArray() = default;
    explicit ZeroedArray(std::size_t size) : data_(Allocate(size), Release{size * sizeof(T)}), size_(size) {}

    T& operator[](std::size_t i) { return data_[i]; }
    const T& operator[](std::size_t i) const { return data_[i]; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    void swap(ZeroedArray& other) noexcept {
        data_.swap(other.data_);
        std::swap(size_, other.size_);
    }

private:
    struct Release {
        std::size_t bytes = 0;
        void operator()(T* p) const {
            if (bytes >= MappedArrayBytes) {
                UnmapPages(p, bytes);
            } else {
                std::free(p);
            }
        }
    };
    static T* Allocate(std::size_t size) {
        if (size == 0) return nullptr;
        if (size > SIZE_MAX / sizeof(T)) throw std::bad_alloc();
        const std::size_t bytes = size * sizeof(T);
        void* p = bytes >= MappedArrayBytes ? MapZeroedPages(bytes) : std::calloc(size, sizeof(T));
        if (p == nullptr) throw std::bad_alloc();
        return static_cast<T*>(p);
    }

    std::unique_ptr<T[], Release> data_;
    std::size_t size_ = 0;
};

} // namespace plax
