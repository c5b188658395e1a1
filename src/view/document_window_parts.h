#pragma once

// What the files of the document window share: its texts and key codes.

namespace plax::doc {

inline constexpr int EscapeKey = 27;

inline constexpr const char* ReadyText = "Ready";
inline constexpr const char* RefreshNetHint = "Refresh color of the elements";
inline constexpr const char* ReportMenuHint = "Commands for Report File";
inline constexpr const char* ShowReportHint = "Show Report File for Current NetWork";
inline constexpr const char* ClearReportHint =
    "Clear Report File for Current NetWork (All informations will be Erased)";

} // namespace plax::doc
