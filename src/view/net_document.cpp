#include "net_document.h"

#include "edit_commands.h"
#include "procedure_marks.h"
#include "sub_net_levels.h"

#include "accounts/report_file.h"
#include "interchange/interchange_file.h"
#include "interchange/tikz_format.h"
#include "model/file_io.h"
#include "model/file_messages.h"
#include "model/krack_plot.h"
#include "model/net_file.h"
#include "model/net_store.h"
#include "model/text_utils.h"
#include "render/net_render.h"
#include "render/picture_export.h"

#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <exception>
#include <utility>

namespace plax {

namespace {

constexpr const char* CannotPrintMessage = " Cannot print the NetWork.";

std::string CloseQuestion(const std::string& netName) {
    return "Do you wish to Save " + netName + "?" + "\r\n" + "Network has been changed!";
}

} // namespace

NetDocument::NetDocument(DocumentHost& host, DocumentDisplay& display) : host_(host), display_(display) {
    MakeEmptyNet(NoNameFile);
    levels_.Reset(net_);
    connect(&history_, &QUndoStack::cleanChanged, this, [this] { SyncChanged(); });
}

// Clearing the history as it goes moves its index, and whatever listens to that may already be
// gone with the window that owns this document.
NetDocument::~NetDocument() { history_.blockSignals(true); }

bool NetDocument::Edit(const std::string& text, const std::function<void(NetWorkType&)>& change,
                       int mergeId) {
    const NetWorkType before = net_;
    change(net_);
    return Record(text, before, mergeId);
}

bool NetDocument::Record(const std::string& text, const NetWorkType& before, int mergeId) {
    if (SameLevelContent(before, net_)) return false;
    history_.push(
        new NetEditStep(*this, QString::fromStdString(text), levels_.Path(), before, net_, mergeId));
    SyncChanged();
    emit netChanged();
    emit enablingChanged();
    return true;
}

void NetDocument::Notify(ShownChange what) {
    switch (what) {
    case ShownChange::Picture: emit netChanged(); break;
    case ShownChange::View:
        emit netChanged();
        emit enablingChanged();
        break;
    case ShownChange::Selection: emit selectionChanged(); break;
    case ShownChange::Enabling: emit enablingChanged(); break;
    }
}

void NetDocument::StepApplied() {
    SyncChanged();
    emit netChanged();
    emit enablingChanged();
}

void NetDocument::SyncChanged() { net_.changed = Changed() ? 1 : 0; }

void NetDocument::StartHistory() {
    history_.clear();
    history_.setClean();
    SyncChanged();
}

bool NetDocument::GoToLevel(const LevelPath& level) {
    auto onTheWay = [this, &level] {
        const LevelPath& at = levels_.Path();
        return at.size() <= level.size() && std::equal(at.begin(), at.end(), level.begin());
    };
    bool moved = false;
    while (!onTheWay()) {
        if (!LeaveLevel(levels_, net_)) return false;
        moved = true;
    }
    while (levels_.Path().size() < level.size()) {
        const auto [from, to] = level[levels_.Path().size()];
        // Only a level that is there is entered: nothing is decomposed on the way.
        if (!GetSubNet(net_, from, to) || !EnterLevel(levels_, net_, from, to, host_.Ui())) return false;
        moved = true;
    }
    if (moved) {
        display_.SetCaption(net_.name);
        emit levelChanged();
    }
    return true;
}

void NetDocument::MakeEmptyNet(const std::string& name) {
    net_ = NetWorkType{};
    NetInit(net_);
    SetNetKind(net_, UndirNetCode);
    net_.name = CutText(name, MaxNetNameLength);
    unnamed_ = true;
}

void NetDocument::Open(const std::string& path) {
    fileName_ = path;
    display_.SetCaption(SavedCaptionPrefix + FileNameOf(path));
    MakeEmptyNet(path == NoNameFile ? std::string(NoNameFile) : std::string());
    if (path == NoNameFile) {
        display_.SetCaption(NoNameFile);
    } else {
        try {
            // A file that could not be read whole keeps what was read, but a plain Save must
            // not write that part over what may still be recovered from the file.
            const bool whole = LoadDocumentNet(net_, path, host_.State().options, host_.Ui());
            unnamed_ = !whole;
            display_.SetCaption(whole ? FileNameOf(path) : DamagedCaption(path));
        } catch (const std::exception&) {
            host_.Ui().Error(CannotLoadFileMessage(path));
            MakeEmptyNet(path);
            display_.SetCaption(path);
        }
    }
    levels_.Reset(net_);
    net_.interaction = InteractionState{};
    ClearNetSelection(net_);
    net_.view = host_.State().options.newDocumentView;
    StartHistory();
    emit levelChanged();
}

PointOptionType NewNetPointOptions(const OptionType& options) {
    return static_cast<LoadMode>(options.loadMode) == LoadMode::Default ? options.newNetOptions
                                                                        : options.options;
}

TemplateResult GenerateForNewNet(const TemplateParams& params, const OptionType& options) {
    // Laid out for the radius a new document draws its points with.
    OptionType forNew = options;
    forNew.newNetOptions = NewNetPointOptions(options);
    return GenerateNet(params, forNew);
}

void NetDocument::New() {
    Open(NoNameFile);
    net_.defaultOptions = NewNetPointOptions(host_.State().options);
    levels_.Reset(net_);
    emit levelChanged();
}

bool NetDocument::Import(const std::string& path) {
    const auto format = InterchangeFormatForPath(path);
    NetWorkType net;
    if (!format) {
        host_.Ui().Error(UnknownImportMessage(path));
        return false;
    }
    // A file that leaves the weight or the direction open asks first.
    ImportChoices choices;
    std::string bytes;
    GraphDocument graph;
    if (ReadFileLimited(path, MaxInterchangeFileSize, bytes) == ReadStatus::Ok &&
        ReadInterchangeDocument(*format, bytes, graph).empty()) {
        const WeightAttributeList weights = WeightAttributes(graph);
        if (weights.names.size() > 1 || graph.directionOpen) {
            const auto chosen = host_.Ui().AskImportChoices(weights.names, weights.guess, graph.directionOpen,
                                                            graph.directed);
            if (!chosen) return false;
            choices = *chosen;
        }
    }
    if (!LoadInterchangeFile(*format, path, host_.State().options, host_.Ui(), net, choices)) return false;
    Open(NoNameFile);
    net_ = std::move(net);
    display_.SetCaption(FileNameOf(path));
    levels_.Reset(net_);
    StartHistory();
    emit levelChanged();
    return true;
}

bool NetDocument::NewFromTemplate(const TemplateParams& params) {
    // A refusal leaves the net that is there.
    TemplateResult made = GenerateForNewNet(params, host_.State().options);
    if (!made.net) {
        host_.Ui().Error(made.refusal);
        return false;
    }
    New();
    // A step of its own, so closing asks to save the net and Undo gives the empty one back.
    Edit(NewFromTemplateStep, [&made](NetWorkType& net) {
        made.net->name = net.name;
        made.net->view = net.view;
        net = std::move(*made.net);
    });
    levels_.Reset(net_);
    return true;
}

bool NetDocument::Export() {
    const auto path = host_.Ui().AskSavePath(ExportFilter(), ExportDefaultExtension, "");
    bool written = false;
    if (path) {
        display_.ShowPrompt(SaveFileNowPrompt);
        const auto format = InterchangeFormatForPath(*path);
        if (UpperExtension(*path) == ".TEX") {
            // The code Copy as TikZ gives, for \input in a document of one's own.
            written = WriteFileAtomically(*path, TikzText(net_, false)) == WriteStatus::Ok;
            if (!written) host_.Ui().Warning(CannotSaveMessage(*path));
        } else if (!format) {
            host_.Ui().Error(UnknownExportMessage(*path));
        } else {
            // The level shown, as the pictures show it.
            written = SaveInterchangeFile(*format, net_, *path, host_.Ui());
        }
    }
    display_.ResetCommand();
    return written;
}

bool NetDocument::EnterSubNet(int from, int to) {
    if (levels_.Home() == nullptr || !EdgeExists(net_, from, to)) return false;
    if (!GetSubNet(net_, from, to)) {
        if (!host_.Ui().Confirm(DecomposeEdgeQuestion)) return false;
        Edit(DecomposeEdgeStep,
             [from, to](NetWorkType& net) { SetSubNet(net, from, to, NewSubNet(net, from, to)); });
    }
    if (!EnterLevel(levels_, net_, from, to, host_.Ui())) return false;
    display_.SetCaption(net_.name);
    emit levelChanged();
    return true;
}

bool NetDocument::UpOneLevel() {
    if (!LeaveLevel(levels_, net_)) return false;
    display_.SetCaption(net_.name);
    emit levelChanged();
    return true;
}

void NetDocument::RecordPictureSize() {
    const QSize size = display_.PictureSize();
    net_.interaction.canvasWidth = static_cast<std::uint16_t>(size.width());
    net_.interaction.canvasHeight = static_cast<std::uint16_t>(size.height());
}

bool NetDocument::WriteNetFile() {
    const bool written = WriteNetHierarchy(levels_, net_, fileName_, host_.Ui());
    // A save that wrote nothing leaves the net changed, so closing still asks.
    if (written) history_.setClean();
    return written;
}

bool NetDocument::Save() { return unnamed_ ? SaveAs() : SaveToFile(); }

bool NetDocument::SaveToFile() {
    unnamed_ = false;
    // Krack Plot text keeps only part of a net, so the net stays changed after it.
    const bool written =
        UpperExtension(fileName_) == ".KP" ? SaveKrackPlot(net_, fileName_, host_.Ui()) : WriteNetFile();
    display_.ResetCommand();
    return written;
}

bool NetDocument::SaveAs() {
    const auto path =
        host_.Ui().AskSavePath(SaveNetFilter, SaveNetDefaultExtension, unnamed_ ? "" : fileName_);
    if (!path) {
        display_.ResetCommand();
        return false;
    }
    double scale = 1.0;
    if (AsksPictureScale(*path)) {
        const QSize size = display_.PictureSize();
        const auto asked = host_.Ui().AskPictureScale(LargestPictureScale(size.width(), size.height()));
        if (!asked) {
            display_.ResetCommand();
            return false;
        }
        scale = *asked;
    }
    display_.ShowPrompt(SaveFileNowPrompt);
    RecordPictureSize();
    bool written = false;
    const SaveAsKind kind = SaveAsKindForPath(*path);
    if (kind == SaveAsKind::NetFile) {
        unnamed_ = false;
        fileName_ = *path;
        net_.name = NetNameFromPath(*path);
        written = WriteNetFile();
        display_.SetCaption(SavedCaptionPrefix + FileNameOf(*path));
    } else {
        // A picture or an edge list does not hold the net: answering "saved" here would let a
        // close question go on and lose the changes.
        written = ExportNet(net_, *path, display_.PictureSize(), IsSubNet(), host_.Ui(), scale) &&
                  kind == SaveAsKind::KrackPlot;
    }
    display_.ResetCommand();
    if (written) host_.RememberFile(*path);
    return written;
}

QPrinter& NetDocument::Printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void NetDocument::PrintSetup() { host_.Ui().AskPrinterSetup(Printer()); }

void NetDocument::Print() {
    QPrinter& printer = Printer();
    const QSize picture = display_.PictureSize();
    if (host_.Ui().AskPrinter(printer)) {
        QPainter painter;
        if (painter.begin(&printer)) {
            const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
            const QSizeF fit = FitPictureToPage(QSizeF(picture), page.size());
            painter.scale(fit.width() / picture.width(), fit.height() / picture.height());
            DrawNetPicture(painter, net_, picture.width(), picture.height(), IsSubNet());
            painter.end();
        } else {
            host_.Ui().Error(CannotPrintMessage);
        }
    }
    display_.ResetCommand();
}

void NetDocument::ShowReport() {
    const std::string report = EnsureReportFile(fileName_, net_.name, host_.Ui());
    if (!report.empty()) host_.OpenReportWindow(report);
}

void NetDocument::ClearReport() {
    // A report that could not be cleared has been reported to the user; nothing else follows.
    (void)plax::ClearReport(fileName_, net_.name, host_.Ui());
}

bool NetDocument::CloseQuery() {
    if (RefuseWhileRunning(net_, host_)) return false;
    if (!Changed() || net_.n == 0) return true;
    // A cancelled or failed save keeps the document open.
    return SaveQuestionAllowsClose(host_.Ui(), CloseQuestion(net_.name), ConfirmCaption,
                                   [this] { return Save(); });
}

void NetDocument::Release() {
    closed_ = true;
    history_.clear();
    FreeNet(net_);
    levels_.Reset(NetWorkType{});
}

} // namespace plax
