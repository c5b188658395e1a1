// What the event loop does for the token game on a 15-point net, in a maximised document window
// of a 1280 x 1024 frame: a blink tick of the frame's timer with the canvas repainted, and a
// click that fires a transition with the canvas repainted. Names and tokens are shown, the
// heaviest labels a point has.
#include "shell/frame_window.h"
#include "view/document_window.h"
#include "view/net_canvas_widget.h"

#include "model/net_store.h"

#include <QAction>
#include <QApplication>
#include <QMdiSubWindow>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

// Places and transitions alternate on a ring of 14 (1 -> 2 -> 3 ... 14 -> 1), each place with 50
// tokens; place 15 is lent to every transition and given back. All seven transitions stay enabled.
plax::NetWorkType Ring() {
    plax::NetWorkType net;
    plax::NetInit(net);
    plax::SetNetKind(net, plax::DirNetCode);
    net.defaultOptions = plax::DefaultPointOptions();
    net.view.pointNames = net.view.tokens = 1;
    net.n = plax::MaxPoints;
    const auto connect = [&net](int from, int to) {
        plax::EdgeType e;
        e.lineWidth = 1;
        plax::InsertEdge(net, from, to, e);
    };
    for (int i = 1; i <= net.n; ++i) {
        auto& p = net.points[static_cast<std::size_t>(i)];
        const double angle = 2 * 3.14159265358979 * i / 14;
        p.x = i == 15 ? 400 : 400 + static_cast<int>(std::lround(250 * std::cos(angle)));
        p.y = i == 15 ? 350 : 350 + static_cast<int>(std::lround(250 * std::sin(angle)));
        p.shape = i % 2 == 0 ? 2 : 0;
        p.tokens = i % 2 == 0 ? 0 : 50;
        p.name = "Point " + std::to_string(i);
        if (i <= 14) connect(i, i % 14 + 1);
        if (i % 2 == 0) {
            connect(15, i);
            connect(i, 15);
        }
    }
    return net;
}

struct Desktop {
    Desktop() {
        frame.resize(1280, 1024);
        frame.show();
        frame.NewNet();
        doc = frame.ActiveDocument();
        doc->parentWidget()->showMaximized();
        doc->Net() = Ring();
        doc->DefEnableItem();
        doc->findChild<QAction*>("OrdinaryNet1")->trigger();
        canvas = doc->findChild<plax::NetCanvasWidget*>();
        QApplication::processEvents();
    }
    plax::TPlaxForm frame;
    plax::TMDIChild* doc = nullptr;
    plax::NetCanvasWidget* canvas = nullptr;
};

std::unique_ptr<Desktop> desktop;

void BM_BlinkTick(benchmark::State& state) {
    for (auto _ : state) {
        desktop->doc->TimerTick();
        desktop->canvas->repaint();
    }
    state.counters["running"] = desktop->doc->InTimerMode() ? 1 : 0;
}
BENCHMARK(BM_BlinkTick)->Unit(benchmark::kMillisecond);

void BM_FireClick(benchmark::State& state) {
    int t = 2;
    for (auto _ : state) {
        const auto& p = desktop->doc->Net().points[static_cast<std::size_t>(t)];
        const plax::CanvasMouse at{p.x, p.y, Qt::LeftButton, Qt::LeftButton, {}};
        desktop->doc->PaintBox1MouseDown(at);
        desktop->doc->PaintBox1Click();
        desktop->doc->PaintBox1MouseUp({p.x, p.y, Qt::LeftButton, Qt::NoButton, {}});
        desktop->canvas->repaint();
        t = t % 14 + 2;
    }
}
BENCHMARK(BM_FireClick)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    desktop = std::make_unique<Desktop>();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    desktop.reset();
    return 0;
}
