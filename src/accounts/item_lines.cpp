#include "item_lines.h"

#include "model/text_utils.h"

#include <cassert>
#include <cstring>

namespace plax {

// The count runs from `firstCount` and a line ends at each multiple of `perLine`; counted down
// instead, so that no item costs a division.
ListLines::ListLines(ResultsSink& sink, std::size_t perLine, std::size_t firstCount)
    : sink_(sink), perLine_(perLine), untilLine_((perLine - firstCount % perLine) % perLine + 1),
      line_(sink.ScratchLine()) {
    assert(perLine > 0);
    StartLine();
}

void ListLines::StartLine() {
    size_ = static_cast<std::size_t>(PutText(text_.data(), "    ") - text_.data());
    spilled_ = false;
    holdsItems_ = false;
}

void ListLines::Add(std::string_view item) {
    if (!spilled_ && size_ + item.size() <= text_.size()) {
        std::memcpy(text_.data() + size_, item.data(), item.size());
        size_ += item.size();
    } else {
        if (!spilled_) line_.assign(text_.data(), size_);
        spilled_ = true;
        line_ += item;
    }
    Counted();
}

void ListLines::Flush() {
    if (holdsItems_) WriteCurrent();
}

void ListLines::WriteCurrent() {
    sink_.AddLine(spilled_ ? std::string_view(line_) : std::string_view(text_.data(), size_));
    StartLine();
}

void WriteItemLines(ResultsSink& sink, const std::vector<std::string>& items, std::size_t perLine) {
    ListLines lines(sink, perLine);
    for (const std::string& item : items)
        lines.Add(item);
    lines.Flush();
}

void WriteSourceAndSink(ResultsSink& sink, int source, int sinkPoint) {
    std::string& line = sink.ScratchLine();
    line.assign("    Source = ");
    AppendRightAligned(line, source, 0);
    line.append("    Sink = ");
    AppendRightAligned(line, sinkPoint, 0);
    sink.AddLine(line);
}

void WriteNumberLine(ResultsSink& sink, std::string_view text, double value) {
    std::string& line = sink.ScratchLine();
    line.assign(text);
    AppendResultNumber(line, value);
    sink.AddLine(line);
}

std::string ItemNumber(int p) { return p < 10 ? " " + std::to_string(p) : std::to_string(p); }

std::string CountItem(int p, std::uint64_t count, std::size_t width) {
    return " " + ItemNumber(p) + " :" + PadLeft(std::to_string(count), width);
}

} // namespace plax
