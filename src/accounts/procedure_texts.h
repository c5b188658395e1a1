#pragma once

#include <string>

namespace plax {

// Texts shared by the procedures and the commands that start them.
inline constexpr const char* ProcedureInProgressMessage =
    "Procedure in Progress!\r\nFirst terminate procedure!";
inline constexpr const char* TrivialNetWorkText = "Trivial NetWork.";
inline constexpr const char* ProcedureCompleteLine = "    Procedure complete. ";
// Follows an account whose values went into the net's 48-bit fields at their largest.
inline constexpr const char* StoredAtLargestLine = "    Values above 1.7E38 are stored in the net as 1.7E38.";
// The last line of an account that Stop cut short.
inline constexpr const char* ProcedureTerminatedLine = "    Procedure terminated! ";
inline constexpr const char* CannotCreateWindowMessage =
    " Cannot create the Window.\r\nProcedure terminated! ";
inline constexpr const char* CannotWriteResultsMessage =
    " Cannot write string to Results Window.\r\nProcedure terminated! ";

// The answers to the clicks that pick a source and a sink.
std::string NoPathsFromSourceMessage(int source);
std::string SelectSinkMessage(int source);
std::string UnreachableSinkMessage(int source, int sink);
std::string SinkIsSourceMessage(int source);

} // namespace plax
