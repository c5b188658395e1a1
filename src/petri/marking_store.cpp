#include "marking_store.h"

#include <algorithm>
#include <cassert>

namespace plax {

namespace {

constexpr std::size_t FirstSlots = 1024;

} // namespace

template <class Count>
BasicMarkingStore<Count>::BasicMarkingStore(std::size_t width) : width_(width), slots_(FirstSlots, 0) {}

template <class Count> std::size_t BasicMarkingStore<Count>::Hash(std::span<const Count> marking) const {
    std::uint64_t h = 0x9E3779B97F4A7C15ULL;
    for (Count c : marking) {
        h ^= c;
        h *= 0xFF51AFD7ED558CCDULL;
        h ^= h >> 32;
    }
    return static_cast<std::size_t>(h ^ (h >> 29));
}

template <class Count> std::size_t BasicMarkingStore<Count>::SlotOf(std::span<const Count> marking) const {
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = Hash(marking) & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t held = slots_[slot];
        if (held == 0) return slot;
        const std::span<const Count> other = At(held - 1);
        if (std::equal(other.begin(), other.end(), marking.begin(), marking.end())) return slot;
    }
}

template <class Count>
std::pair<std::uint32_t, bool> BasicMarkingStore<Count>::Insert(std::span<const Count> marking) {
    assert(marking.size() == width_);
    std::size_t slot = SlotOf(marking);
    if (slots_[slot] != 0) return {slots_[slot] - 1, false};
    // Half full at most, so a search meets an empty slot soon.
    if (2 * (std::size_t{size_} + 1) > slots_.size()) {
        Grow();
        slot = SlotOf(marking);
    }
    counts_.insert(counts_.end(), marking.begin(), marking.end());
    slots_[slot] = ++size_;
    return {size_ - 1, true};
}

template <class Count> bool BasicMarkingStore<Count>::Contains(std::span<const Count> marking) const {
    return slots_[SlotOf(marking)] != 0;
}

template <class Count> std::span<const Count> BasicMarkingStore<Count>::At(std::uint32_t index) const {
    return {counts_.data() + std::size_t{index} * width_, width_};
}

template <class Count> void BasicMarkingStore<Count>::Grow() {
    std::vector<std::uint32_t> old(slots_.size() * 2, 0);
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    for (std::uint32_t held : old) {
        if (held == 0) continue;
        std::size_t slot = Hash(At(held - 1)) & mask;
        while (slots_[slot] != 0)
            slot = (slot + 1) & mask;
        slots_[slot] = held;
    }
}

template class BasicMarkingStore<std::uint32_t>;

} // namespace plax
