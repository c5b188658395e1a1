// Start-up and memory of the desktop program. A plain program that prints its figures: the
// time from process start to the first paint of a document canvas with road.net open, and the
// peak memory with ten documents open. Arguments it does not know are ignored.
#include "shell/frame_window.h"
#include "view/net_canvas_widget.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

// Seconds since boot at which this process started, from /proc (clock-tick resolution).
std::optional<double> ProcessStartSinceBoot() {
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // The command name may hold blanks; the fields we want follow its closing parenthesis.
    const auto close = text.rfind(')');
    if (close == std::string::npos) return std::nullopt;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    for (int index = 3; index <= 22 && fields >> field; ++index) {
        if (index == 22) return std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
    }
    return std::nullopt;
}

double SecondsSinceBoot() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

std::filesystem::path ExamplesDir() {
    if (const char* dir = std::getenv("PLAX_EXAMPLES_DIR")) return dir;
    if (std::filesystem::exists("examples/road.net")) return "examples";
    return std::filesystem::path(__FILE__).parent_path().parent_path() / "examples";
}

// Notes the moment the first document canvas has been painted and leaves the event loop.
class FirstPaint : public QObject {
public:
    std::optional<Clock::time_point> at;
    std::optional<double> sinceBoot;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!at && event->type() == QEvent::Paint &&
            qobject_cast<plax::NetCanvasWidget*>(watched) != nullptr) {
            // The canvas paints inside this event; let it finish before the clock stops.
            QTimer::singleShot(0, [this] {
                at = Clock::now();
                sinceBoot = SecondsSinceBoot();
                QApplication::quit();
            });
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv) {
    const Clock::time_point mainStart = Clock::now();
    QApplication app(argc, argv);
    const std::filesystem::path examples = ExamplesDir();

    FirstPaint firstPaint;
    app.installEventFilter(&firstPaint);
    plax::TPlaxForm frame;
    frame.show();
    frame.OpenFile((examples / "road.net").string());
    QTimer::singleShot(20000, &app, &QApplication::quit);
    QApplication::exec();
    app.removeEventFilter(&firstPaint);

    std::printf("platform: %s\n", qPrintable(QApplication::platformName()));
    if (!firstPaint.at) {
        std::printf("first canvas paint: none within 20 s\n");
        return 1;
    }
    const auto fromMain = std::chrono::duration<double, std::milli>(*firstPaint.at - mainStart).count();
    std::printf("start-up to first painted canvas (road.net), from main: %.1f ms\n", fromMain);
    if (const auto started = ProcessStartSinceBoot()) {
        std::printf(
            "start-up to first painted canvas (road.net), from process start: %.0f ms (10 ms ticks)\n",
            (*firstPaint.sinceBoot - *started) * 1000.0);
    }
    const long oneDocument = PeakKilobytes();

    // Ten documents: the five examples twice, road.net already being one of them.
    int opened = 1;
    for (int round = 0; round < 2; ++round) {
        for (const char* name : {"road.net", "flow.net", "project.net", "railway.net", "petri.net"}) {
            if (round == 0 && std::string(name) == "road.net") continue;
            frame.OpenFile((examples / name).string());
            ++opened;
        }
    }
    QTimer::singleShot(500, &app, &QApplication::quit);
    QApplication::exec();
    std::printf("peak memory with 1 document: %ld KiB\n", oneDocument);
    std::printf("peak memory with %d documents: %ld KiB\n", opened, PeakKilobytes());
    return 0;
}
