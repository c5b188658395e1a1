#pragma once

#include "graph_document.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plax {

// The pieces the line-based formats (Pajek, adjacency lists and matrices, graph6) share.
struct TextLine {
    long long number;      // from 1
    std::string_view text; // without its line end (LF, CR LF or CR) and without trailing blanks
};

// The lines of a text that are not blank and do not start with `comment` (none when 0).
std::vector<TextLine> TextLines(std::string_view text, char comment);

// The words of a line, split at blanks and tabs and at `separator` (when not 0); a word in double
// quotes keeps its blanks and separators and loses its quotes. Nothing when a quote is not closed.
std::optional<std::vector<std::string>> LineWords(std::string_view line, char separator = 0);

// A label for each node of a graph that other tools can key their nodes by: the points' names
// when they are all different, not empty and (with `wordsOnly`) without blanks; else the ids.
std::vector<std::string> NodeLabels(const GraphDocument& graph, bool wordsOnly);

// The value of `name` of an element, or `fallback`.
std::string ValueOr(const Attributes& attributes, std::string_view name, const std::string& fallback);

} // namespace plax
