#pragma once

#include "model/net_types.h"
#include "model/user_messages.h"

#include <QSize>
#include <QSizeF>

#include <string>
#include <utility>
#include <vector>

namespace plax {

// The document's file name before its first save.
inline constexpr const char* NoNameFile = "NoName";
// Caption of a document after Save As: this prefix, then the file name without directory.
inline constexpr const char* SavedCaptionPrefix = "NetWork   ";
inline constexpr const char* SaveFileNowPrompt = "Save File Now";
inline constexpr const char* InvalidStructureMessage = "Error. Invalid Structure of Network.";
// The save dialog: the net file, the two pictures and Krack Plot of old, then the edge list and
// the pictures this program writes besides.
inline constexpr const char* SaveNetFilter =
    "NetWork File (*.net)|*.net|BitMap File (*.bmp)|*.bmp|Win Meta File (*.wmf)|*.wmf|"
    "Krack Plot File (*.kp)|*.kp|Text File (*.txt)|*.txt|PNG Picture (*.png)|*.png|"
    "SVG Picture (*.svg)|*.svg|PDF File (*.pdf)|*.pdf";
inline constexpr const char* SaveNetDefaultExtension = "net";

std::string CannotLoadFileMessage(const std::string& path);

// File > Import... and File > Export...: the formats of other graph tools, one file type each.
std::string InterchangeFilter();
// File > Import's types: every file of another graph tool first, then each format alone.
std::string ImportFilter();
// What File > Export offers: those formats and TikZ code (.tex), written only.
std::string ExportFilter();
inline constexpr const char* TikzExtension = ".tex";
inline constexpr const char* ExportDefaultExtension = "graphml";
// Import from or export to a name whose extension is none of the interchange formats'.
std::string UnknownImportMessage(const std::string& path);
std::string UnknownExportMessage(const std::string& path);
// Caption of a document whose file could not be read whole: the file name without directory
// and " (damaged)". Such a document is saved only under a name chosen again.
std::string DamagedCaption(const std::string& path);

// What Save As writes for a chosen name, by its upper-cased extension. Anything that is not an
// export is the net file, whatever its extension.
enum class SaveAsKind { Picture, KrackPlot, EdgeList, NetFile };
SaveAsKind SaveAsKindForPath(const std::string& path);

// Reads a net as a document opens it: ".KP" in any case of letters with the Krack Plot reader,
// anything else with the net reader. The readers report their own failures.
[[nodiscard]] bool LoadDocumentNet(NetWorkType& net, const std::string& path, const OptionType& options,
                                   UserMessages& messages);

// Writes one of the exports (picture, Krack Plot, edge list); pictures show the drawing area of
// `picture` size, drawn `scale` times as large. False for a net file name, or when the writer
// wrote nothing (it said why).
[[nodiscard]] bool ExportNet(const NetWorkType& net, const std::string& path, QSize picture, bool subNet,
                             UserMessages& messages, double scale = 1.0);

// Whether Save As asks for the scale of the picture `path` names: PNG and bitmaps, whose pixels
// are fixed.
bool AsksPictureScale(const std::string& path);

// The levels of a document: the top-level net (the root copy) and the decomposed edges, from
// the top down, that lead to the level being edited. The level being edited is held apart, by
// the document; the hierarchy here is up to date except for that level.
class NetLevels {
public:
    using Step = std::pair<int, int>; // the decomposed edge (from, to) one level up

    // A freshly opened document: the top level only.
    void Reset(const NetWorkType& top);
    bool AtTop() const { return path_.empty(); }
    const std::vector<Step>& Path() const { return path_; }
    const NetWorkType& Root() const { return root_; }
    NetWorkType& Root() { return root_; }

    // Where the level being edited belongs: the root at the top, below it the sub-net of the
    // last edge of the path; nothing when the path does not lead to a sub-net.
    NetWorkType* Home();
    // Goes one level down along (from, to) and back up; the document moves the records.
    void Down(int from, int to) { path_.emplace_back(from, to); }
    void Up() {
        if (!path_.empty()) path_.pop_back();
    }

private:
    NetWorkType root_;
    std::vector<Step> path_;
};

// Writes the document's net file. At the top level the working net is written; below it the
// working net is first stored into its home and the whole hierarchy is written from the root.
// A hierarchy without a home for the level is reported and nothing is written.
[[nodiscard]] bool WriteNetHierarchy(NetLevels& levels, const NetWorkType& working, const std::string& path,
                                     UserMessages& messages);

// The printed size of a picture on a page, keeping its aspect ratio: a picture smaller than the
// page in both directions is enlarged to the page's width (wide or square) or height (tall),
// then whatever passes the page's width or height is shrunk to it.
QSizeF FitPictureToPage(QSizeF picture, QSizeF page);

} // namespace plax
