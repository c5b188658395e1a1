#pragma once

#include "block_array.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace plax {

// Where each place's count lies in a packed marking: the word, the bit offset in it and the
// width. A count never straddles two words, so a field is read with one shift and one mask, and
// adding or taking a token never carries into its neighbour.
struct PackedLayout {
    std::vector<std::uint8_t> word;
    std::vector<std::uint8_t> shift;
    std::vector<std::uint8_t> width;
    std::size_t words = 1; // words the fields take

    // Each place wide enough for its bound.
    static PackedLayout For(const std::vector<std::uint32_t>& bounds);
    // How many 64-bit words a marking takes, 1, 2 or 4, with the top two bits of the last one
    // left to the table.
    std::size_t Words() const { return words <= 1 ? 1 : words <= 2 ? 2 : 4; }
    std::uint64_t Mask(std::size_t place) const { return (std::uint64_t{1} << width[place]) - 1; }
};

// The markings of an exploration, numbered in the order they came, each packed into W words
// inline in the slot of an open-addressing table (five eighths full at most), and in the order
// of their numbers in blocks that never move. Probing compares words, never follows an index. A
// slot holds the marking alone, its last word's top bit telling it from an empty one and the
// bit below it free for the exploration to flag the marking (`Flag`); the numbers of the slots
// are kept beside them only when the arcs need them (`numbered`).
template <std::size_t W> class PackedStore {
    static_assert(W == 1 || W == 2 || W == 4);

public:
    using Key = std::array<std::uint64_t, W>;
    static constexpr std::uint64_t OccupiedBit = std::uint64_t{1} << 63;
    static constexpr std::uint64_t FlagBit = std::uint64_t{1} << 62;

    struct Inserted {
        std::uint32_t number; // when the store is numbered or the key is new
        bool added;
        bool flagged;
    };

    PackedStore(PackedLayout layout, bool numbered)
        : layout_(std::move(layout)), slots_(FirstSlots), numbers_(numbered ? FirstSlots : 0) {}

    Key Pack(std::span<const std::uint16_t> counts) const {
        Key key{};
        for (std::size_t k = 0; k < counts.size(); ++k)
            key[layout_.word[k]] |= std::uint64_t{counts[k]} << layout_.shift[k];
        return key;
    }
    void Unpack(const Key& key, std::span<std::uint16_t> counts) const {
        for (std::size_t k = 0; k < counts.size(); ++k)
            counts[k] =
                static_cast<std::uint16_t>((key[layout_.word[k]] >> layout_.shift[k]) & layout_.Mask(k));
    }
    // Whether every count fits its width: a count beyond a place's bound cannot be packed.
    bool Fits(std::span<const std::uint16_t> counts) const {
        for (std::size_t k = 0; k < counts.size(); ++k)
            if (counts[k] >> layout_.width[k] != 0) return false;
        return true;
    }

    static std::uint64_t Hash(const Key& key) {
        std::uint64_t h = 0;
        for (std::uint64_t w : key) {
            h = (h ^ w) * 0xFF51AFD7ED558CCDULL;
            h ^= h >> 32;
        }
        return h * 0x9E3779B97F4A7C15ULL;
    }
    // Brings the slot where `hash` starts probing into the cache.
    void Prefetch(std::uint64_t hash) const { __builtin_prefetch(&slots_[Home(hash)]); }

    // Whether `key` is new, stored if it is, its number when the store is numbered (or new), and
    // whether it is flagged.
    [[gnu::always_inline]] Inserted Insert(const Key& key, std::uint64_t hash) {
        if (8 * (size_ + 1) > 5 * slots_.size()) [[unlikely]]
            Grow();
        const std::size_t s = SlotOf(key, hash);
        if (Occupied(slots_[s]))
            return {numbers_.empty() ? 0 : numbers_[s], false, (slots_[s][W - 1] & FlagBit) != 0};
        keys_.PushBack(key);
        slots_[s] = key;
        slots_[s][W - 1] |= OccupiedBit;
        const auto number = static_cast<std::uint32_t>(size_++);
        if (!numbers_.empty()) numbers_[s] = number;
        return {number, true, false};
    }
    // The slot that holds `key`, or -1.
    std::int64_t Find(const Key& key, std::uint64_t hash) const {
        const std::size_t s = SlotOf(key, hash);
        return Occupied(slots_[s]) ? static_cast<std::int64_t>(s) : -1;
    }
    // Flags the marking in slot `s`; false when it was flagged already.
    bool Flag(std::size_t s) {
        if ((slots_[s][W - 1] & FlagBit) != 0) return false;
        slots_[s][W - 1] |= FlagBit;
        return true;
    }
    const Key& At(std::size_t number) const { return keys_[number]; }
    // The marking in slot `s`, which Find answered.
    Key InSlot(std::size_t s) const {
        Key key = slots_[s];
        key[W - 1] &= ~(OccupiedBit | FlagBit);
        return key;
    }
    std::size_t Slots() const { return slots_.size(); }
    std::size_t Size() const { return size_; }
    std::size_t Places() const { return layout_.word.size(); }
    const PackedLayout& Layout() const { return layout_; }

private:
    static constexpr std::size_t FirstSlots = 1024;

    static bool Occupied(const Key& slot) { return (slot[W - 1] & OccupiedBit) != 0; }
    static bool Holds(const Key& slot, const Key& key) {
        for (std::size_t w = 0; w + 1 < W; ++w)
            if (slot[w] != key[w]) return false;
        return (slot[W - 1] & ~FlagBit) == (key[W - 1] | OccupiedBit);
    }
    // A key's first slot is given by the hash's top bits, so a key in slot s of the table goes to
    // slot 2s or 2s + 1 (or just after) of the table twice the size: growing walks both tables
    // in order, and the new one is written front to back instead of all over.
    std::size_t Home(std::uint64_t hash) const { return static_cast<std::size_t>(hash >> homeShift_); }
    // The slot that holds `key`, or the empty one where it would go.
    std::size_t SlotOf(const Key& key, std::uint64_t hash) const {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t s = Home(hash);; s = (s + 1) & mask) {
            if (!Occupied(slots_[s]) || Holds(slots_[s], key)) return s;
        }
    }
    [[gnu::noinline]] void Grow() {
        ZeroedArray<Key> old(slots_.size() * 2);
        ZeroedArray<std::uint32_t> oldNumbers(numbers_.empty() ? 0 : old.size());
        old.swap(slots_);
        oldNumbers.swap(numbers_);
        --homeShift_;
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t o = 0; o < old.size(); ++o) {
            if (!Occupied(old[o])) continue;
            Key key = old[o];
            key[W - 1] &= ~(OccupiedBit | FlagBit);
            std::size_t s = Home(Hash(key));
            while (Occupied(slots_[s]))
                s = (s + 1) & mask;
            slots_[s] = old[o];
            if (!numbers_.empty()) numbers_[s] = oldNumbers[o];
        }
    }

    PackedLayout layout_;
    ZeroedArray<Key> slots_;
    ZeroedArray<std::uint32_t> numbers_;
    unsigned homeShift_ = 64 - std::countr_zero(FirstSlots); // 64 less the bits of a slot number
    BlockArray<Key> keys_;
    std::size_t size_ = 0;
};

} // namespace plax
