#include "picture_command.h"

#include "cli.h"
#include "cli_messages.h"
#include "interchange/graph_document.h"
#include "model/file_messages.h"
#include "net_io.h"
#include "render/picture_export.h"

#include <QGuiApplication>

#include <iostream>
#include <memory>
#include <optional>
#include <string>

namespace plax::cli {

namespace {

constexpr int MaxSizeSide = 2000; // the canvas is 2000 x 2000 pixels

struct PictureSize {
    int width = DefaultPictureWidth;
    int height = DefaultPictureHeight;
};

std::optional<int> Side(const std::string& text) {
    if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    const int v = std::stoi(text);
    if (v < 1 || v > MaxSizeSide) return std::nullopt;
    return v;
}

std::optional<PictureSize> ParseSize(const Invocation& inv, std::ostream& err) {
    const auto text = inv.Value("--size");
    if (!text) return PictureSize{};
    const auto x = text->find_first_of("xX");
    const auto w = x == std::string::npos ? std::nullopt : Side(text->substr(0, x));
    const auto h = x == std::string::npos ? std::nullopt : Side(text->substr(x + 1));
    if (!w || !h) {
        err << "plax-cli: --size takes WIDTHxHEIGHT, each from 1 to " << MaxSizeSide << '\n';
        return std::nullopt;
    }
    return PictureSize{*w, *h};
}

// --scale F (a decimal number) and --crop; --crop frames the drawing, so it takes no --size.
std::optional<PictureOptions> ParsePictureOptions(const Invocation& inv, std::ostream& err) {
    PictureOptions options;
    options.crop = inv.Has("--crop");
    if (options.crop && inv.Value("--size")) {
        err << "plax-cli: --crop fits the picture to the drawing; it takes no --size\n";
        return std::nullopt;
    }
    const auto text = inv.Value("--scale");
    if (!text) return options;
    const auto scale = ParseNumber(*text);
    if (!scale || *scale < MinPictureScale || *scale > MaxPictureScale) {
        err << "plax-cli: --scale takes a number from " << NumberText(MinPictureScale) << " to "
            << NumberText(MaxPictureScale) << '\n';
        return std::nullopt;
    }
    options.scale = *scale;
    return options;
}

bool FitsPicture(const PictureFrame& frame, std::ostream& err) {
    if (PictureFits(frame)) return true;
    err << "plax-cli: the picture would be " << FramedWidth(frame) << 'x' << FramedHeight(frame)
        << " pixels; a side may have at most " << MaxPictureSide << ", the picture " << MaxPicturePixels
        << '\n';
    return false;
}

void AddViewFlags(ViewFlags& view, const ViewFlags& more) {
    view.edgeLabels |= more.edgeLabels;
    view.edgeMarks |= more.edgeMarks;
    view.flows |= more.flows;
    view.pointNames |= more.pointNames;
    view.edgeNames |= more.edgeNames;
    view.tokens |= more.tokens;
}

// Fonts and painters need a GUI application; without one running, an offscreen one serves.
// Its start-up chatter (a missing runtime folder, say) is not the user's business, so only
// Qt's critical messages pass while it runs.
class OffscreenGui {
public:
    OffscreenGui() : previous_(qInstallMessageHandler(CriticalOnly)) {
        if (QGuiApplication::instance() == nullptr) app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    OffscreenGui(const OffscreenGui&) = delete;
    OffscreenGui& operator=(const OffscreenGui&) = delete;
    ~OffscreenGui() {
        app_.reset();
        qInstallMessageHandler(previous_);
    }

private:
    static void CriticalOnly(QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << text.toStdString() << '\n';
    }

    QtMessageHandler previous_;
    char name_[9] = "plax-cli";
    char option_[10] = "-platform";
    char platform_[10] = "offscreen";
    char* argv_[4] = {name_, option_, platform_, nullptr};
    int argc_ = 3;
    std::unique_ptr<QGuiApplication> app_;
};

} // namespace

int ConvertToPicture(const Invocation& inv, const FileFormat& format, std::ostream& out, std::ostream& err) {
    const auto size = ParseSize(inv, err);
    const auto options = size ? ParsePictureOptions(inv, err) : std::nullopt;
    const auto shown = options ? ParseShow(inv, err) : std::nullopt;
    if (!shown) return ExitUsage;
    CliMessages messages(err, inv.Has("--yes"));
    NetWorkType net;
    // A loaded net shows what a new document shows (nothing); --show adds to that.
    if (const int status = ReadInput(inv, inv.positional[0], net, messages, err); status != ExitDone)
        return status;
    AddViewFlags(net.view, *shown);
    const std::string& path = inv.positional[1];
    if (!MayReplace(path, format, messages)) return ExitRefused;
    OffscreenGui gui;
    const PictureFrame frame = NetPictureFrame(net, format.picture, size->width, size->height, *options);
    if (!FitsPicture(frame, err)) return ExitUsage;
    if (path != "-") return SaveNetPicture(net, path, frame, messages) ? ExitDone : ExitRefused;
    const auto bytes = RenderNetPicture(net, format.picture, frame);
    if (!bytes) {
        messages.Warning(CannotSaveMessage(path));
        return ExitRefused;
    }
    out.write(bytes->data(), static_cast<std::streamsize>(bytes->size()));
    return ExitDone;
}

} // namespace plax::cli
