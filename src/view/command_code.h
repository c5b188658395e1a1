#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace plax {

// The codes of a document's command dispatcher (DoCommand): the frame's toolbar buttons carry
// them, the alignment palette sends 21..28. 16 and 27 do nothing.
enum class CommandCode : std::uint8_t {
    AddPoint = 0,
    AddEdge = 1,
    DeletePoint = 2,
    DeleteEdge = 3,
    DeleteComponent = 4,
    DeleteAll = 5,
    MovePoint = 6,
    MoveComponent = 7,
    Retype = 8,
    IncrementXY = 9,
    IncrementX = 10,
    IncrementY = 11,
    DecrementXY = 12,
    DecrementX = 13,
    DecrementY = 14,
    FitNet = 15,
    Nothing = 16,
    ShowReport = 17,
    ClearReport = 18,
    Save = 19,
    Repaint = 20,
    AlignLeft = 21,
    AlignRight = 22,
    AlignTop = 23,
    AlignBottom = 24,
    SpaceHorizontally = 25,
    SpaceVertically = 26,
    FillRectangle = 27,
    FitEllipse = 28,
};

inline constexpr std::size_t CommandCodeCount = 29;

constexpr std::size_t IndexOf(CommandCode code) { return static_cast<std::size_t>(code); }

// Which codes the document accepts now, one flag per code.
class CommandEnabling {
public:
    bool& operator[](CommandCode code) { return on_.at(IndexOf(code)); }
    bool operator[](CommandCode code) const { return on_.at(IndexOf(code)); }

private:
    std::array<bool, CommandCodeCount> on_{};
};

} // namespace plax
