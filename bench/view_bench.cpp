// Drawing the complete directed net of 15 points (210 edges with arrowheads and weights), the
// heaviest picture a net can make.
#include "model/net_store.h"
#include "render/net_geometry.h"
#include "render/net_render.h"
#include "render/picture_export.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

plax::NetWorkType CompleteNet() {
    plax::NetWorkType net;
    plax::NetInit(net);
    plax::SetNetKind(net, plax::DirNetCode);
    net.defaultOptions = plax::DefaultPointOptions();
    net.n = plax::MaxPoints;
    for (int i = 1; i <= net.n; ++i) {
        auto& p = net.points[static_cast<std::size_t>(i)];
        const double angle = 2 * 3.14159265358979 * i / net.n;
        p.x = 296 + static_cast<int>(std::lround(150 * std::cos(angle)));
        p.y = 175 + static_cast<int>(std::lround(150 * std::sin(angle)));
        p.shape = static_cast<std::uint16_t>(i % 8);
        p.name = "Point " + std::to_string(i);
    }
    for (int i = 1; i <= net.n; ++i) {
        for (int j = 1; j <= net.n; ++j) {
            plax::EdgeType e;
            e.weight = i + j / 4.0;
            e.lineWidth = 1;
            e.shape = static_cast<std::uint32_t>((i + j) % 5);
            plax::InsertEdge(net, i, j, e);
        }
    }
    net.view.pointNames = 1;
    net.view.edgeMarks = 1;
    return net;
}

void BM_DrawNetIntoImage(benchmark::State& state) {
    plax::NetWorkType net = CompleteNet();
    QImage image(plax::DefaultPictureWidth, plax::DefaultPictureHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        plax::ClearCanvas(painter, image.width(), image.height());
        plax::NetCanvas canvas{painter};
        plax::RedrawNet(canvas, net, plax::OwnColor);
    }
}
BENCHMARK(BM_DrawNetIntoImage);

void BM_ComputeEdgeAnchors(benchmark::State& state) {
    const plax::NetWorkType net = CompleteNet();
    plax::EdgeAnchors anchors;
    for (auto _ : state) {
        plax::ComputeEdgeAnchors(net, anchors);
        benchmark::DoNotOptimize(anchors.Of(net, 1, 2));
    }
}
BENCHMARK(BM_ComputeEdgeAnchors);

void BM_MetafilePicture(benchmark::State& state) {
    const plax::NetWorkType net = CompleteNet();
    for (auto _ : state) {
        auto bytes = plax::RenderNetPicture(net, plax::PictureFormat::Wmf, plax::DefaultPictureWidth,
                                            plax::DefaultPictureHeight);
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_MetafilePicture);

// What the canvas paints after a zoom step: the whole net into a window-sized area, scaled.
void BM_ZoomStepRepaint(benchmark::State& state) {
    plax::NetWorkType net = CompleteNet();
    const double scale = static_cast<double>(state.range(0)) / 100.0;
    QImage image(plax::DefaultPictureWidth, plax::DefaultPictureHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.fillRect(image.rect(), Qt::white);
        painter.scale(scale, scale);
        plax::ResetCanvas(painter);
        plax::NetCanvas canvas{painter};
        plax::RedrawNet(canvas, net, plax::OwnColor);
    }
}
BENCHMARK(BM_ZoomStepRepaint)->Arg(25)->Arg(50)->Arg(100)->Arg(200)->Arg(400);

} // namespace

// Text needs a GUI application; an offscreen one needs no display.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
