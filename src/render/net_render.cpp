#include "net_render.h"

#include "model/net_store.h"
#include "render_support.h"

#include <QPainter>

namespace plax {

void DrawNet(NetCanvas& canvas, NetWorkType& net, Color c) {
    canvas.Anchors().Prune(net);
    if (net.n == 0) return;
    // Points first: edges stop at the outlines and do not overlap them.
    for (int i = 1; i <= net.n; ++i)
        DrawPoint(canvas, net, i, c == OwnColor ? net.points[static_cast<std::size_t>(i)].color : c);
    const bool undirected = IsUndirected(net);
    for (int i = 1; i <= net.n; ++i) {
        const EdgeList& list = net.lists[static_cast<std::size_t>(i)];
        for (std::size_t k = 0; k < list.size(); ++k) {
            const int j = list[k].target;
            if (undirected && i > j) continue;
            DrawEdge(canvas, net, i, j, c == OwnColor ? list[k].color : c);
        }
    }
    canvas.painter.setPen(ThinPen(0));
}

void RedrawNet(NetCanvas& canvas, NetWorkType& net, Color c) {
    DrawNet(canvas, net, c);
    if (net.view.pointNames != 0 || net.view.tokens != 0) DrawAllPointLabels(canvas, net, true);
    DrawSelectionMarks(canvas, net);
}

void RedrawPointWithEdges(NetCanvas& canvas, NetWorkType& net, int i, bool erase) {
    const Color c = erase ? BackColor : OwnColor;
    DrawPoint(canvas, net, i, c);
    const bool directed = !IsUndirected(net);
    for (int j = 1; j <= net.n; ++j) {
        if (j == i) continue;
        if (EdgeExists(net, i, j)) DrawEdge(canvas, net, i, j, c);
        if (directed && EdgeExists(net, j, i)) DrawEdge(canvas, net, j, i, c);
    }
}

void ResetCanvas(QPainter& painter) {
    painter.setPen(ThinPen(0));
    painter.setBrush(Qt::NoBrush);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    SetCanvasFont(painter, 0);
}

void ClearCanvas(QPainter& painter, int width, int height) {
    painter.fillRect(QRect(0, 0, width, height), Qt::white);
    ResetCanvas(painter);
}

} // namespace plax
