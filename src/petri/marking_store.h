#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace plax {

// A set of coverability nodes of one width, numbered in the order they came: the counts of all of them
// side by side in one array, found again through an open-addressing table of their numbers.
// A marking of w places costs w counts plus at most 8 bytes of the table.
template <class Count> class BasicMarkingStore {
public:
    explicit BasicMarkingStore(std::size_t width);

    // The number of `marking` and whether it is new; a new one is stored. `marking` must not
    // lie in the store itself (At), since storing may move the counts.
    std::pair<std::uint32_t, bool> Insert(std::span<const Count> marking);
    // Whether `marking` is stored, without storing it.
    bool Contains(std::span<const Count> marking) const;
    std::span<const Count> At(std::uint32_t index) const;
    std::uint32_t Size() const { return size_; }
    std::size_t Width() const { return width_; }

private:
    std::size_t Hash(std::span<const Count> marking) const;
    // The slot that holds `marking`, or the empty slot where it would go.
    std::size_t SlotOf(std::span<const Count> marking) const;
    void Grow();

    std::size_t width_;
    std::vector<Count> counts_;
    std::vector<std::uint32_t> slots_; // marking number + 1; 0 is an empty slot
    std::uint32_t size_ = 0;
};

} // namespace plax
