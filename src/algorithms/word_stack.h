#pragma once

#include <cstdint>
#include <vector>

namespace plax {

// A last-in, first-out stack of 16-bit point numbers: carries a walk of the k shortest paths
// procedure to whoever draws it.
class TMyWordStack {
public:
    void Clear() { items_.clear(); }
    void Push(std::uint16_t value) { items_.push_back(value); }
    // The last value pushed, removed; 0 when the stack is empty.
    std::uint16_t Pop() {
        if (items_.empty()) return 0;
        const std::uint16_t value = items_.back();
        items_.pop_back();
        return value;
    }
    bool IsEmpty() const { return items_.empty(); }

private:
    std::vector<std::uint16_t> items_;
};

} // namespace plax
