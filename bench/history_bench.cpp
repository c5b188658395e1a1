// The cost of the history: 1000 Move Point steps on a 15-point net whose edges hold sub-nets,
// then 1000 undos and 1000 redos, offscreen. Prints the bytes a step keeps (counted at the
// allocator) and the microseconds of a push, an undo and a redo; then the same for 1000 Delete
// Edge / Add Edge steps, which keep the whole level.
#include "bench_host.h"

#include "view/net_document.h"
#include "view/net_history.h"

#include "model/net_store.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QUndoStack>

#include <malloc.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <new>
#include <string>

namespace {

// Bytes held through operator new: what the steps keep beyond the document itself.
std::atomic<long long> liveBytes{0};

} // namespace

void* operator new(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) throw std::bad_alloc();
    liveBytes += static_cast<long long>(malloc_usable_size(p));
    return p;
}
void operator delete(void* p) noexcept {
    if (p == nullptr) return;
    liveBytes -= static_cast<long long>(malloc_usable_size(p));
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace {

using namespace plax;

constexpr int Steps = 1000;

class BenchDisplay : public DocumentDisplay {
public:
    void SetCaption(const std::string&) override {}
    void ShowPrompt(const std::string&) override {}
    void ResetCommand() override {}
    QSize PictureSize() const override { return {593, 326}; }
};

EdgeType Edge(double weight) {
    EdgeType e;
    e.weight = weight;
    e.lineWidth = 1;
    e.name = "road";
    return e;
}

// 15 points on a circle, each joined to the next two; five edges hold a sub-net of 6 points.
NetWorkType RingNet() {
    NetWorkType net;
    NetInit(net);
    SetNetKind(net, UndirNetCode);
    net.defaultOptions = DefaultPointOptions();
    net.n = MaxPoints;
    for (int i = 1; i <= net.n; ++i) {
        PointType& p = net.points[static_cast<std::size_t>(i)];
        const double angle = 2 * 3.14159265358979 * i / net.n;
        p.x = 300 + static_cast<int>(std::lround(150 * std::cos(angle)));
        p.y = 200 + static_cast<int>(std::lround(150 * std::sin(angle)));
        p.name = "Point " + std::to_string(i);
    }
    for (int i = 1; i <= net.n; ++i)
        for (int k = 1; k <= 2; ++k)
            InsertEdge(net, i, (i + k - 1) % net.n + 1, Edge(i + k));
    NetWorkType sub = net;
    sub.n = 6;
    for (int j = 1; j <= MaxPoints; ++j)
        std::erase_if(sub.lists[static_cast<std::size_t>(j)],
                      [j](const EdgeType& e) { return j > 6 || e.target > 6; });
    for (int i = 1; i <= 5; ++i)
        SetSubNet(net, 3 * i, 3 * i % net.n + 1, std::make_shared<NetWorkType>(sub));
    return net;
}

double MicrosEach(const std::function<void(int)>& run) {
    QElapsedTimer timer;
    timer.start();
    for (int k = 0; k < Steps; ++k)
        run(k);
    return static_cast<double>(timer.nsecsElapsed()) / 1000.0 / Steps;
}

void Measure(const char* title, NetDocument& document, const std::function<void(int)>& step) {
    QUndoStack& history = document.History();
    history.clear();
    const long long before = liveBytes;
    const double push = MicrosEach(step);
    const long long kept = liveBytes - before;
    const double undo = MicrosEach([&history](int) { history.undo(); });
    const double redo = MicrosEach([&history](int) { history.redo(); });
    std::printf("%s: %d steps, %.0f bytes a step, push %.1f us, undo %.1f us, redo %.1f us\n", title,
                history.count(), static_cast<double>(kept) / Steps, push, undo, redo);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    bench::BenchHost host;
    BenchDisplay display;
    NetDocument document(host, display);
    document.Net() = RingNet();
    std::printf("net: %d points, %d edges, 5 of them with a sub-net of 6 points\n", document.Net().n,
                EdgeCount(document.Net()));
    Measure("Move Point", document, [&document](int k) {
        document.Edit(MovePointStep, [k](NetWorkType& net) {
            PointType& p = net.points[static_cast<std::size_t>(k % MaxPoints + 1)];
            p.x += k % 2 == 0 ? 7 : -5;
        });
    });
    Measure("Delete Edge / Add Edge", document, [&document](int k) {
        document.Edit(k % 2 == 0 ? DeleteEdgeStep : AddEdgeStep, [k](NetWorkType& net) {
            if (k % 2 == 0) {
                std::erase_if(net.lists[1], [](const EdgeType& e) { return e.target == 2; });
                std::erase_if(net.lists[2], [](const EdgeType& e) { return e.target == 1; });
            } else {
                InsertEdge(net, 1, 2, Edge(2));
            }
        });
    });
    return 0;
}
