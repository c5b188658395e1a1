#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plax {

// Longer attribute values are refused: a net keeps names of 20 characters and numbers.
inline constexpr std::size_t MaxValueLength = 1024;

// A graph as the interchange formats hold it, before it is a net: nodes and edges named by the
// file's ids, each with its attributes as text. Texts are in the net's 8-bit encoding (Latin-1);
// each format converts from and to its own.
struct Attribute {
    std::string name;
    std::string value;
};
using Attributes = std::vector<Attribute>;

struct GraphDocument;

struct GraphNode {
    std::string id;
    Attributes attributes;
};

struct GraphEdge {
    std::string source;
    std::string target;
    Attributes attributes;
    std::unique_ptr<GraphDocument> subGraph; // the sub-net of a decomposed edge
};

struct GraphDocument {
    bool directed = false;
    bool directionOpen = false; // the format cannot say (edge lists, adjacency lists and matrices)
    std::string note;           // what the reader has to tell, such as a file of several graphs
    Attributes attributes;
    std::vector<GraphNode> nodes;
    std::vector<GraphEdge> edges;
};

// The value of `name`, or nothing.
const std::string* FindValue(const Attributes& attributes, std::string_view name);

// The shortest text that reads back as exactly `value`.
std::string NumberText(double value);
// A whole decimal number or a decimal fraction with an optional exponent, nothing else.
std::optional<double> ParseNumber(std::string_view text);

} // namespace plax
