#pragma once

#include "results_sink.h"

#include "model/text_utils.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace plax {

// A list written item by item on lines that start with four blanks: a line is written each time
// the item count reaches a multiple of `perLine`. The count may start above 1, which makes the
// first line shorter. The line is built in a buffer of the list's own, and in the sink's scratch
// line once it outgrows that, so the scratch line is the list's while it lasts: the items are
// built elsewhere, or in place.
class ListLines {
public:
    ListLines(ResultsSink& sink, std::size_t perLine, std::size_t firstCount = 1);

    void Add(std::string_view item);
    // An item written in place: Room() gives at least ItemRoom characters at the line's end (a
    // number as the Results write one, and a little), and Added takes the end of what was
    // written there, so the item is never copied.
    static constexpr std::size_t ItemRoom = TrimmedNumberRoom + 32;
    char* Room() { return Direct() ? text_.data() + size_ : item_.data(); }
    void Added(char* end) {
        if (!Direct()) { // Room() gave the item its own buffer: the line is as it was then
            Add({item_.data(), static_cast<std::size_t>(end - item_.data())});
            return;
        }
        size_ = static_cast<std::size_t>(end - text_.data());
        Counted();
    }
    // Writes the line being filled when it holds items.
    void Flush();
    // Writes the line being filled even when it holds nothing but its four blanks.
    void WriteCurrent();

private:
    // The four blanks a line starts with, in the list's own buffer.
    void StartLine();
    bool Direct() const { return !spilled_ && size_ + ItemRoom <= text_.size(); }
    // One more item is on the line: the line is written at each multiple of the count.
    void Counted() {
        holdsItems_ = true;
        if (--untilLine_ == 0) {
            WriteCurrent();
            untilLine_ = perLine_;
        }
    }

    ResultsSink& sink_;
    std::size_t perLine_;
    std::size_t untilLine_;       // items still to come before the line is written
    std::array<char, 2048> text_; // the line while it fits; only its first size_ are read
    std::size_t size_ = 0;
    std::array<char, ItemRoom> item_; // an item in place when the line has no room for it
    std::string& line_;               // the line once it outgrew text_
    bool spilled_ = false;
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
