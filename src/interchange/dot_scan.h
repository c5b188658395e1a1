#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plax {

// What cgraph would build from a DOT text, measured before it builds anything: the text is
// tokenised as DOT does (quoted strings and their concatenation, HTML strings, comments) and its
// statements are followed far enough to count the nodes they name and the edges their subgraph
// products make. A refusal names the first limit passed; the text is what cgraph should read,
// with CR-only line ends made LF outside strings.
struct DotScan {
    std::string refusal;
    std::string text;
    std::size_t nodes = 0; // distinct node names
    std::size_t edges = 0; // edges the statements make, counted only while the nodes fit a net
};

inline constexpr int MaxDotBraceDepth = 100;
inline constexpr std::size_t MaxDotSubgraphs = 1000;
inline constexpr std::size_t MaxDotAttributeNames = 256;

DotScan ScanDot(std::string_view text);

} // namespace plax
