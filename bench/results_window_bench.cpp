// A Results window taking a million lines from a long run that polls every thousand lines,
// offscreen. Prints the lines per second and the longest time the event loop was held up (the
// largest gap between the firings of a 1 ms timer) over the whole run, and the resident memory
// at the end and at its peak.
#include "process_memory.h"
#include "shell/results_window.h"
#include "shell/text_store_view.h"

#include "bench_host.h"

#include "model/net_store.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

#include <time.h>

namespace {

using namespace plax;
using bench::BenchHost;

constexpr int LineCount = 1'000'000;
constexpr int PollEvery = 1'000;

// A line of about 60 characters that differs from its neighbours.
std::string BenchLine(int index) {
    std::string line = "    (" + std::to_string(index % 15 + 1) + "," + std::to_string(index % 13 + 1) +
                       ")  point set " + std::to_string(index) + "  weight ";
    line.resize(60, '7');
    return line;
}

// Time this thread ran, so that time taken by other programs on a busy machine shows apart.
qint64 ThreadCpuNs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<qint64>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = std::min(argc, 1); // the harness adds arguments of its own; Qt need not see them
    QApplication app(qtArgc, argv);

    BenchHost host;
    TProgressBar progress;
    TResultForm form(host, progress);
    QObject::connect(&form, &TResultForm::openRequested, &form, [](TResultForm* f) { f->show(); });
    NetWorkType net;
    NetInit(net);
    net.name = "bench";

    QElapsedTimer wall;
    qint64 lastTick = 0;
    qint64 longestGap = 0;
    qint64 lastCpu = ThreadCpuNs();
    qint64 longestCpu = 0;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const qint64 now = wall.nsecsElapsed();
        longestGap = std::max(longestGap, now - lastTick);
        const qint64 cpu = ThreadCpuNs();
        longestCpu = std::max(longestCpu, cpu - lastCpu);
        lastCpu = cpu;
        lastTick = now;
    });

    wall.start();
    tick.start();
    form.OpenResults(net.name, "bench.net", host.Ui());
    form.WriteReportHeader("                Bench", net);
    form.StartLongRun(net);
    for (int i = 0; i < LineCount; ++i) {
        form.AddLine(BenchLine(i));
        if ((i + 1) % PollEvery == 0) form.Poll();
    }
    form.EndLongRun(net);
    form.FinishResults();
    const qint64 written = wall.nsecsElapsed();
    // The view's last refresh, and the gap up to the end, count too.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 2 * TextStoreView::RefreshMs)
        QCoreApplication::processEvents();
    const qint64 total = wall.nsecsElapsed();
    longestGap = std::max(longestGap, total - lastTick);
    longestCpu = std::max(longestCpu, ThreadCpuNs() - lastCpu);

    const std::uint64_t lines = form.LineCount();
    std::printf("lines in window          : %lld\n", static_cast<long long>(lines));
    std::printf("run (lines written)      : %.3f s\n", static_cast<double>(written) / 1e9);
    std::printf("run + view's last refresh: %.3f s\n", static_cast<double>(total) / 1e9);
    std::printf("lines per second (run)   : %.0f\n", LineCount / (static_cast<double>(written) / 1e9));
    std::printf("longest event-loop block : %.1f ms\n", static_cast<double>(longestGap) / 1e6);
    std::printf("  the same in CPU time   : %.1f ms (other programs on the machine left out)\n",
                static_cast<double>(longestCpu) / 1e6);
    std::printf("resident memory at end   : %.1f MiB\n", plax::bench::StatusMiB("VmRSS:"));
    std::printf("peak resident memory     : %.1f MiB\n", plax::bench::StatusMiB("VmHWM:"));
    return lines == LineCount + 11 ? 0 : 1;
}
