#pragma once

#include "block_array.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <utility>
#include <vector>

namespace plax {

// Where each place's count lies in a packed marking: its bit offset and width.
struct PackedLayout {
    std::vector<std::uint8_t> offset;
    std::vector<std::uint8_t> width;
    std::size_t bits = 0;

    // Each place wide enough for its bound.
    static PackedLayout For(const std::vector<std::uint32_t>& bounds);
    // How many 64-bit words a marking takes, 1, 2 or 4, with one bit to spare for the table.
    std::size_t Words() const { return bits < 64 ? 1 : bits < 128 ? 2 : 4; }
};

// The markings of an exploration, numbered in the order they came, each packed into W words
// inline in the slot of an open-addressing table (half full at most), and in the order of
// their numbers in blocks that never move. Probing compares words, never follows an index. A
// slot holds the marking alone, its last word's top bit telling it from an empty one; the
// numbers of the slots are kept beside them only when the arcs need them (`numbered`).
template <std::size_t W> class PackedStore {
    // Word indices wrap with W - 1.
    static_assert(W == 1 || W == 2 || W == 4);

public:
    using Key = std::array<std::uint64_t, W>;

    PackedStore(PackedLayout layout, bool numbered)
        : layout_(std::move(layout)), slots_(FirstSlots), numbers_(numbered ? FirstSlots : 0) {}

    Key Pack(std::span<const std::uint16_t> counts) const {
        Key key{};
        for (std::size_t k = 0; k < counts.size(); ++k) {
            const std::size_t at = layout_.offset[k];
            key[(at / 64) & (W - 1)] |= std::uint64_t{counts[k]} << (at % 64);
            // A count may straddle two words.
            if (at % 64 + layout_.width[k] > 64)
                key[(at / 64 + 1) & (W - 1)] |= std::uint64_t{counts[k]} >> (64 - at % 64);
        }
        return key;
    }
    void Unpack(const Key& key, std::span<std::uint16_t> counts) const {
        for (std::size_t k = 0; k < counts.size(); ++k) {
            const std::size_t at = layout_.offset[k];
            std::uint64_t v = key[(at / 64) & (W - 1)] >> (at % 64);
            if constexpr (W > 1)
                if (at % 64 + layout_.width[k] > 64) v |= key[(at / 64 + 1) & (W - 1)] << (64 - at % 64);
            counts[k] = static_cast<std::uint16_t>(v & ((std::uint64_t{1} << layout_.width[k]) - 1));
        }
    }
    // Whether every count fits its width: a count beyond a place's bound cannot be packed.
    bool Fits(std::span<const std::uint16_t> counts) const {
        for (std::size_t k = 0; k < counts.size(); ++k)
            if (counts[k] >> layout_.width[k] != 0) return false;
        return true;
    }

    static std::uint64_t Hash(const Key& key) {
        std::uint64_t h = 0x9E3779B97F4A7C15ULL;
        for (std::uint64_t w : key) {
            h = (h ^ w) * 0xFF51AFD7ED558CCDULL;
            h ^= h >> 29;
        }
        return h;
    }
    // Brings the slot where `hash` starts probing into the cache.
    void Prefetch(std::uint64_t hash) const { __builtin_prefetch(&slots_[hash & (slots_.size() - 1)]); }

    // Whether `key` is new, stored if it is, and its number when the store is numbered (or new).
    std::pair<std::uint32_t, bool> Insert(const Key& key, std::uint64_t hash) {
        if (2 * (size_ + 1) > slots_.size()) Grow();
        const std::size_t s = SlotOf(key, hash);
        if (Occupied(slots_[s])) return {numbers_.empty() ? 0 : numbers_[s], false};
        keys_.PushBack(key);
        slots_[s] = Marked(key);
        const auto number = static_cast<std::uint32_t>(size_++);
        if (!numbers_.empty()) numbers_[s] = number;
        return {number, true};
    }
    // The slot that holds `key`, or -1.
    std::int64_t Find(const Key& key, std::uint64_t hash) const {
        const std::size_t s = SlotOf(key, hash);
        return Occupied(slots_[s]) ? static_cast<std::int64_t>(s) : -1;
    }
    const Key& At(std::size_t number) const { return keys_[number]; }
    // The marking in slot `s`, which Find answered.
    Key InSlot(std::size_t s) const {
        Key key = slots_[s];
        key[W - 1] &= ~OccupiedBit;
        return key;
    }
    std::size_t Slots() const { return slots_.size(); }
    std::size_t Size() const { return size_; }
    std::size_t Places() const { return layout_.offset.size(); }

private:
    static constexpr std::size_t FirstSlots = 1024;
    static constexpr std::uint64_t OccupiedBit = std::uint64_t{1} << 63;

    static bool Occupied(const Key& slot) { return (slot[W - 1] & OccupiedBit) != 0; }
    static Key Marked(Key key) {
        key[W - 1] |= OccupiedBit;
        return key;
    }
    // The slot that holds `key`, or the empty one where it would go.
    std::size_t SlotOf(const Key& key, std::uint64_t hash) const {
        const Key marked = Marked(key);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t s = hash & mask;; s = (s + 1) & mask) {
            if (!Occupied(slots_[s]) || slots_[s] == marked) return s;
        }
    }
    void Grow() {
        std::vector<Key> old(slots_.size() * 2);
        std::vector<std::uint32_t> oldNumbers(numbers_.empty() ? 0 : old.size());
        old.swap(slots_);
        oldNumbers.swap(numbers_);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t o = 0; o < old.size(); ++o) {
            if (!Occupied(old[o])) continue;
            Key key = old[o];
            key[W - 1] &= ~OccupiedBit;
            std::size_t s = Hash(key) & mask;
            while (Occupied(slots_[s]))
                s = (s + 1) & mask;
            slots_[s] = old[o];
            if (!numbers_.empty()) numbers_[s] = oldNumbers[o];
        }
    }

    PackedLayout layout_;
    std::vector<Key> slots_;
    std::vector<std::uint32_t> numbers_;
    BlockArray<Key> keys_;
    std::size_t size_ = 0;
};

} // namespace plax
