#pragma once

#include "results_sink.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace plax {

// A list written item by item on lines that start with four blanks: a line is written each time
// the item count reaches a multiple of `perLine`. The count may start above 1, which makes the
// first line shorter.
class ListLines {
public:
    ListLines(ResultsSink& sink, std::size_t perLine, std::size_t firstCount = 1);

    void Add(std::string_view item);
    // Writes the line being filled when it holds items.
    void Flush();
    // Writes the line being filled even when it holds nothing but its four blanks.
    void WriteCurrent();

private:
    ResultsSink& sink_;
    std::size_t perLine_;
    std::size_t count_;
    std::string line_ = "    ";
    bool holdsItems_ = false;
};

// Writes `items` on lines that start with four blanks, `perLine` to a line. A line is written
// only when it holds items, so a full last line leaves no empty one behind.
void WriteItemLines(ResultsSink& sink, const std::vector<std::string>& items, std::size_t perLine);

// A point number as the lists of items write it: one leading blank below 10.
std::string ItemNumber(int p);

// A point and a count in a list of counts, " 3 :    12", the count right-aligned in `width`.
std::string CountItem(int p, std::uint64_t count, std::size_t width);

} // namespace plax
