#pragma once

#include "results_sink.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace plax {

// A list written item by item on lines that start with four blanks: a line is written each time
// the item count reaches a multiple of `perLine`. The count may start above 1, which makes the
// first line shorter. The line is built in the sink's scratch line, which is the list's while it
// lasts: the items are built elsewhere.
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
    std::size_t untilLine_; // items still to come before the line is written
    std::string& line_;
    bool holdsItems_ = false;
};

// Writes `items` on lines that start with four blanks, `perLine` to a line. A line is written
// only when it holds items, so a full last line leaves no empty one behind.
void WriteItemLines(ResultsSink& sink, const std::vector<std::string>& items, std::size_t perLine);

// "    Source = S    Sink = T", built in the sink's scratch line.
void WriteSourceAndSink(ResultsSink& sink, int source, int sinkPoint);
// `text` and a number as the Results write one ("    Max. Capacity = 7.5"), in the scratch line.
void WriteNumberLine(ResultsSink& sink, std::string_view text, double value);

// The listings write their lines into raw room (ResultsSink::ListingRoom); each of these answers
// the end of what it wrote.
inline char* PutText(char* out, std::string_view text) { return std::copy(text.begin(), text.end(), out); }
// A literal's length is known where it is written, so it is copied without a call.
template <std::size_t N> char* PutText(char* out, const char (&text)[N]) {
    std::memcpy(out, text, N - 1);
    return out + (N - 1);
}
// A point number, 1..99, right-aligned in two characters.
inline char* PutPoint(char* out, int p) {
    *out++ = p < 10 ? ' ' : static_cast<char>('0' + p / 10);
    *out++ = static_cast<char>('0' + p % 10);
    return out;
}

// A point number as the lists of items write it: one leading blank below 10.
std::string ItemNumber(int p);

// A point and a count in a list of counts, " 3 :    12", the count right-aligned in `width`.
std::string CountItem(int p, std::uint64_t count, std::size_t width);

} // namespace plax
