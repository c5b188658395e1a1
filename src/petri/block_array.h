#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
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

} // namespace plax
