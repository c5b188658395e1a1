#pragma once

#include <cstddef>
#include <string>

namespace plax {

// Why a file of another program does not make a net. Each reason is one sentence; the reader
// shows it under the file's name (ImportRefusedMessage).
std::string ImportRefusedMessage(const std::string& path, const std::string& reason);
// The same for a net that the format of an export cannot hold.
std::string ExportRefusedMessage(const std::string& path, const std::string& reason);

std::string TooManyPointsReason(std::size_t count);
std::string TooManyEdgesReason(std::size_t count);
std::string LoopReason(const std::string& id);
std::string ParallelEdgesReason(const std::string& from, const std::string& to);
std::string DuplicateNodeReason(const std::string& id);
std::string UnknownNodeReason(const std::string& id);
std::string UnknownAttributeReason(const std::string& element, const std::string& name);
std::string BadValueReason(const std::string& element, const std::string& name, const std::string& value,
                           const std::string& expected);
std::string ValueTooLongReason(const std::string& element, const std::string& name);
std::string KindMismatchReason(const std::string& kind);
std::string TooDeepReason();
std::string TooLargeReason(std::size_t maxBytes);
std::string NoGraphReason();
std::string NulReason(const std::string& element);
std::string MixedDirectionReason();
std::string NoSuchWeightReason(const std::string& name);
// `line` 0 when the reader cannot tell the line.
std::string SyntaxReason(const std::string& format, long long line, const std::string& detail);

// How an element is named in the reasons: node "3", edge "1" - "2", the graph.
std::string NodeElement(const std::string& id);
std::string EdgeElement(const std::string& from, const std::string& to);
inline constexpr const char* GraphElement = "the graph";

} // namespace plax
