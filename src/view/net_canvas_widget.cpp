#include "net_canvas_widget.h"

#include "document_context.h"
#include "net_render.h"

#include <QPaintEvent>
#include <QPainter>

namespace plax {

NetCanvasWidget::NetCanvasWidget(DocumentContext& document, QWidget* parent)
    : QWidget(parent), document_(document) {
    setFixedSize(CanvasSize, CanvasSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setMouseTracking(true);
}

void NetCanvasWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // Fifteen points draw in no time; the clip only spares the pixels nobody sees.
    painter.setClipRegion(event->region());
    painter.fillRect(event->rect(), Qt::white);
    ResetCanvas(painter);
    NetCanvas canvas{painter, document_.IsSubNet()};
    RedrawNet(canvas, document_.Net(), OwnColor);
}

} // namespace plax
