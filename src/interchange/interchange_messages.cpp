#include "interchange_messages.h"

#include "model/net_file.h"
#include "model/net_types.h"

#include <string>

namespace plax {

namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

} // namespace

std::string ImportRefusedMessage(const std::string& path, const std::string& reason) {
    return "Cannot import the file\r\n" + path + "\r\n" + reason;
}

std::string ExportRefusedMessage(const std::string& path, const std::string& reason) {
    return "Cannot export the file\r\n" + path + "\r\n" + reason;
}

std::string TooManyPointsReason(std::size_t count) {
    return "The file has " + std::to_string(count) + " points; a net holds at most " +
           std::to_string(MaxPoints) + ".";
}

std::string TooManyEdgesReason(std::size_t count) {
    return "The file has " + std::to_string(count) + " edges; a net of " + std::to_string(MaxPoints) +
           " points holds at most " + std::to_string(MaxPoints * (MaxPoints - 1)) + ".";
}

std::string LoopReason(const std::string& id) {
    return "The edge from " + Quoted(id) + " to itself is a loop; a net has none.";
}

std::string ParallelEdgesReason(const std::string& from, const std::string& to) {
    return "There is more than one edge from " + Quoted(from) + " to " + Quoted(to) +
           "; a net has at most one.";
}

std::string DuplicateNodeReason(const std::string& id) {
    return "The node " + Quoted(id) + " appears twice.";
}

std::string UnknownNodeReason(const std::string& id) {
    return "An edge names the node " + Quoted(id) + ", which the graph does not have.";
}

std::string UnknownAttributeReason(const std::string& element, const std::string& name) {
    return "Unknown attribute " + Quoted(name) + " on " + element + ".";
}

std::string BadValueReason(const std::string& element, const std::string& name, const std::string& value,
                           const std::string& expected) {
    return "The value " + Quoted(value) + " of " + Quoted(name) + " on " + element + " is not " + expected +
           ".";
}

std::string ValueTooLongReason(const std::string& element, const std::string& name) {
    return "The value of " + Quoted(name) + " on " + element + " is too long.";
}

std::string KindMismatchReason(const std::string& kind) {
    return "The net kind " + Quoted(kind) + " does not fit the direction of the graph's edges.";
}

std::string TooDeepReason() {
    return "Sub-nets are nested more than " + std::to_string(MaxSubNetDepth) + " levels deep.";
}

std::string TooLargeReason(std::size_t maxBytes) {
    return "The file is larger than " + std::to_string(maxBytes / (1024u * 1024u)) + " MB.";
}

std::string NulReason(const std::string& element) {
    return "A NUL byte in a text of " + element + "; a net's texts hold none.";
}

std::string NoGraphReason() { return "The file holds no graph."; }

std::string MixedDirectionReason() { return "The graph mixes directed and undirected edges."; }

std::string NoSuchWeightReason(const std::string& name) {
    return "No edge has the attribute \"" + name + "\" to read as the weight.";
}

std::string SyntaxReason(const std::string& format, long long line, const std::string& detail) {
    const std::string where = line > 0 ? " (line " + std::to_string(line) + ")" : "";
    return "Not a " + format + " file" + where + ": " + detail;
}

std::string NodeElement(const std::string& id) { return "node " + Quoted(id); }

std::string EdgeElement(const std::string& from, const std::string& to) {
    return "edge " + Quoted(from) + " - " + Quoted(to);
}

} // namespace plax
