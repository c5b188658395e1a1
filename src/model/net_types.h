#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace plax {

inline constexpr int MaxPoints = 15;
inline constexpr std::size_t MaxNameLength = 20;
inline constexpr std::size_t MaxNetNameLength = 100;
inline constexpr std::size_t MaxKindNameLength = 12;
inline constexpr double MaxWeight = 1.0E38;
inline constexpr std::uint16_t MaxTokens = 60000;

// Colours are stored as 0x00BBGGRR.
using Color = std::uint32_t;
inline constexpr Color OwnColor = 0x000001;  // "draw each element in its own colour"
inline constexpr Color BackColor = 0xFFFFFF; // white: drawing in it erases

inline constexpr std::array<std::string_view, 6> NetKind = {"undirGraph", "dirGraph", "undirNet",
                                                            "dirNet",     "Lattice",  "Automata"};
inline constexpr std::uint16_t UndirNetCode = 2;
inline constexpr std::uint16_t DirNetCode = 3;

struct NetWorkType;

// The display options of a point. Every field defaults to zero: records start zero-filled,
// as the loaders expect.
struct PointOptionType {
    std::uint16_t radius = 0;
    std::uint16_t fontSize = 0;
    std::uint8_t showBorder = 0;
    std::uint8_t doubleBorder = 0;
    std::uint8_t coloredBorder = 0;
    std::uint8_t showNumber = 0;
    std::uint8_t fillPoint = 0;
    std::array<std::uint8_t, 3> reserved{};
    Color borderColor = 0;

    bool operator==(const PointOptionType&) const = default;
};

// The options block of a fresh program: radius 10, font size 8, border and number shown.
constexpr PointOptionType DefaultPointOptions() {
    PointOptionType o;
    o.radius = 10;
    o.fontSize = 8;
    o.showBorder = 1;
    o.showNumber = 1;
    return o;
}

// Fill point only takes effect with a border and without the number; elsewhere it is cleared.
void ApplyFillPointRule(PointOptionType& options);

// An attribute an interchange file gave that the net has no field for, kept as text so that the
// formats that carry such attributes write it back out.
struct KeptAttribute {
    std::string name;
    std::string value;

    bool operator==(const KeptAttribute&) const = default;
};
using KeptAttributes = std::vector<KeptAttribute>;

struct PointType {
    Color color = 0;
    std::uint16_t reserved = 0;
    std::uint16_t shape = 0; // 0..7; 2 and 3 are Petri net transitions
    std::string name;
    std::uint16_t tokens = 0;
    double weight = 0.0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::uint8_t selected = 0;
    std::uint32_t labelPosition = 0; // 0..7, counter-clockwise from "above"
    std::uint8_t customOptions = 0;
    PointOptionType options;
    std::string fileId; // the node's id in the interchange file the net was read from
    KeptAttributes kept;

    bool operator==(const PointType&) const = default;
};

// One entry of a point's outgoing list. The list order (head first) is part of the net:
// procedures visit neighbours in it and it decides their tie-breaks.
// What the procedures read comes first, in 56 bytes, so a walk over a list touches an entry in
// one or two cache lines rather than three; the drawing's fields follow.
struct EdgeType {
    std::uint8_t target = 0;
    std::uint8_t traversed = 0;
    double weight = 0.0;
    double decomposedLength = 0.0;
    double flow = 0.0;
    double aux = 0.0;
    // Both entries of an undirected edge hold the same sub-net.
    std::shared_ptr<NetWorkType> subNet;
    Color color = 0;
    std::uint32_t reserved = 0;
    std::string name;
    std::uint32_t shape = 0;     // 0..4
    std::uint32_t lineStyle = 0; // 0..4, only with line width 1
    std::uint8_t lineWidth = 0;  // 1..4
    KeptAttributes kept;
};

using EdgeList = std::vector<EdgeType>; // front() is the head of the list

// The fifteen lists of a net, indexed by source point 1..MaxPoints. Copying them copies every
// sub-net they reach; an entry pair that shared a sub-net shares its copy.
class EdgeLists {
public:
    EdgeLists() = default;
    EdgeLists(const EdgeLists& other);
    EdgeLists& operator=(const EdgeLists& other);
    EdgeLists(EdgeLists&&) noexcept = default;
    EdgeLists& operator=(EdgeLists&&) noexcept = default;
    ~EdgeLists() = default;

    EdgeList& operator[](std::size_t i) { return lists_[i]; }
    const EdgeList& operator[](std::size_t i) const { return lists_[i]; }
    void Clear();

private:
    std::array<EdgeList, MaxPoints + 1> lists_;
};

struct ViewFlags {
    std::uint8_t edgeLabels = 0;
    std::uint8_t edgeMarks = 0;
    std::uint8_t flows = 0;
    std::uint8_t pointNames = 0;
    std::uint8_t edgeNames = 0;
    std::uint8_t tokens = 0;

    bool operator==(const ViewFlags&) const = default;
};

// What the window keeps in the record: the busy flag and the visible canvas size. The drag and
// export flags travel with the painter (NetCanvas).
struct InteractionState {
    std::uint8_t busy = 0;
    std::uint16_t canvasWidth = 0;
    std::uint16_t canvasHeight = 0;

    bool operator==(const InteractionState&) const = default;
};

struct SelectionState {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::uint8_t exists = 0;
    std::int32_t count = 0;

    bool operator==(const SelectionState&) const = default;
};

enum class SnapshotKind : std::uint8_t { PointsOnly = 0, Full = 1 };

// A net is a value: copying it copies everything it reaches, sub-nets included. Within the copy, the two
// entries of an undirected edge still share one sub-net. Points and lists are indexed by point
// number 1..MaxPoints; index 0 is unused.
struct NetWorkType {
    std::string name;
    std::uint8_t n = 0;
    std::string kindName;
    std::uint16_t kindCode = 0;
    std::uint8_t changed = 0;
    EdgeLists lists;
    std::array<PointType, MaxPoints + 1> points;
    PointOptionType defaultOptions;
    ViewFlags view;
    std::uint16_t sourcePoint = 0;
    std::uint16_t sinkPoint = 0;
    InteractionState interaction;
    SnapshotKind snapshotKind = SnapshotKind::PointsOnly;
    SelectionState selection;
    KeptAttributes kept; // the graph's own
};

// The program-wide settings, with their start-up values.
struct OptionType {
    std::uint8_t showEdgeLabels = 0;
    std::uint8_t editConfirmation = 0;
    std::uint8_t selectConfirmation = 1;
    std::uint8_t showPopUpInfo = 0;
    std::int32_t newPointShape = 0;
    std::int32_t newEdgeShape = 0;
    std::int32_t newReserved = 0;
    std::int32_t newLineStyle = 0;
    std::int32_t newLineWidth = 1;
    std::int32_t loadMode = 1; // 0 "Default (R=10, Size=8)", 1 "Own", 2 "Current"
    Color foreDefaultColor = 0;
    std::string newPointName = "No Name";
    std::string newEdgeName = "No Name";
    PointOptionType options = DefaultPointOptions();
    std::array<std::uint8_t, 8> popUp = {1, 0, 0, 0, 1, 1, 1, 0};
    PointOptionType newNetOptions = DefaultPointOptions();
    ViewFlags newDocumentView;
    std::array<std::uint8_t, 8> popUpDefaults = {1, 0, 0, 0, 1, 1, 1, 0};
};

enum class LoadMode : std::int32_t { Default = 0, Own = 1, Current = 2 };

} // namespace plax
