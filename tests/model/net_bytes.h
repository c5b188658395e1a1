#pragma once

// Builds .net file records byte by byte, at the offsets of the file layout, for tests that
// craft files by hand.
#include "model/real48.h"

#include <array>
#include <cstdint>
#include <string>

namespace plax::testing {

class Rec {
public:
    explicit Rec(std::uint8_t kind) { b_[0] = kind; }

    Rec& U8(std::size_t at, std::uint8_t v) {
        b_[at] = v;
        return *this;
    }
    Rec& U16(std::size_t at, std::uint16_t v) {
        b_[at] = static_cast<std::uint8_t>(v & 0xFF);
        b_[at + 1] = static_cast<std::uint8_t>(v >> 8);
        return *this;
    }
    Rec& U32(std::size_t at, std::uint32_t v) {
        U16(at, static_cast<std::uint16_t>(v & 0xFFFF));
        return U16(at + 2, static_cast<std::uint16_t>(v >> 16));
    }
    Rec& Real(std::size_t at, double v) {
        const Real48 r = *DoubleToReal48(v);
        for (std::size_t i = 0; i < r.size(); ++i)
            b_[at + i] = r[i];
        return *this;
    }
    Rec& RawReal(std::size_t at, const Real48& r) {
        for (std::size_t i = 0; i < r.size(); ++i)
            b_[at + i] = r[i];
        return *this;
    }
    Rec& Name(std::size_t at, const std::string& s) {
        b_[at] = static_cast<std::uint8_t>(s.size());
        for (std::size_t i = 0; i < s.size() && i < 20; ++i)
            b_[at + 1 + i] = static_cast<std::uint8_t>(s[i]);
        return *this;
    }
    std::uint8_t operator[](std::size_t at) const { return b_[at]; }
    std::string str() const { return std::string(reinterpret_cast<const char*>(b_.data()), b_.size()); }

private:
    std::array<std::uint8_t, 64> b_{};
};

// A header of `n` points: radius 10, font 8, border and number shown.
inline Rec Header(std::uint8_t code, std::uint16_t n) {
    return Rec(0).U8(1, code).U16(2, n).U16(4, 10).U16(6, 8).U8(8, 1).U8(9, 1);
}

inline Rec Point(std::uint16_t number, std::int16_t x = 0, std::int16_t y = 0) {
    return Rec(2)
        .U16(2, number)
        .Real(4, 1.0)
        .U16(36, static_cast<std::uint16_t>(x))
        .U16(38, static_cast<std::uint16_t>(y))
        .U16(40, 1);
}

inline Rec Edge(std::uint16_t from, std::uint16_t to, double weight = 1.0) {
    return Rec(1).U16(2, from).U16(4, to).Real(6, weight).U8(44, 1);
}

inline Rec Begin() { return Rec(3); }
inline Rec End() { return Rec(4); }

} // namespace plax::testing
