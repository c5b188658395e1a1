#pragma once

// What the files of the document window share: its command codes, texts and key codes.

namespace plax::doc {

// Command codes of the toolbar and the palette.
enum Code : int {
    AddPointCode = 0,
    AddEdgeCode = 1,
    DeletePointCode = 2,
    DeleteEdgeCode = 3,
    DeleteComponentCode = 4,
    DeleteAllCode = 5,
    MovePointCode = 6,
    MoveComponentCode = 7,
    RetypeCode = 8,
    FirstSizeCode = 9,
    GrowXCode = 10,
    GrowYCode = 11,
    ShrinkXYCode = 12,
    ShrinkXCode = 13,
    ShrinkYCode = 14,
    FitNetCode = 15,
    ShowReportCode = 17,
    ClearReportCode = 18,
    SaveCode = 19,
    RefreshCode = 20,
    FirstAlignCode = 21,
    FillRectangleCode = 27,
    FitEllipseCode = 28,
};

inline constexpr int EscapeKey = 27;

inline constexpr const char* ReadyText = "Ready";
inline constexpr const char* RefreshNetHint = "Refresh color of the elements";
inline constexpr const char* ReportMenuHint = "Commands for Report File";
inline constexpr const char* ShowReportHint = "Show Report File for Current NetWork";
inline constexpr const char* ClearReportHint =
    "Clear Report File for Current NetWork (All informations will be Erased)";

} // namespace plax::doc
