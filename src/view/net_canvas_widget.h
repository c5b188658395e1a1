#pragma once

#include <QWidget>

namespace plax {

class DocumentContext;

// The document's drawing surface. It keeps nothing of its own: every paint draws the net from
// the model (stored colours, view flags, selection), so a handler that changes a colour only
// asks for a repaint.
class NetCanvasWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr int CanvasSize = 2000;

    explicit NetCanvasWidget(DocumentContext& document, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DocumentContext& document_;
};

} // namespace plax
