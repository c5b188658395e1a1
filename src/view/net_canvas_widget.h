#pragma once

#include "algorithms/reachability.h"
#include "render/edge_anchors.h"

#include <QPixmap>
#include <QRect>
#include <QWidget>

#include <optional>
#include <utility>
#include <vector>

namespace plax {

class DocumentContext;
struct NetCanvas;

// One mouse event on the canvas, in the net's pixels whatever the zoom.
struct CanvasMouse {
    int x = 0;
    int y = 0;
    Qt::MouseButton button = Qt::NoButton;   // the button that changed (press, release)
    Qt::MouseButtons buttons = Qt::NoButton; // the buttons held
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

// What the canvas reports: press, move and release, a click (a left press and release on the
// canvas, reported before the release) and a double-click (after its second press).
class CanvasEvents {
public:
    virtual ~CanvasEvents() = default;
    virtual void PaintBox1MouseDown(const CanvasMouse& m) = 0;
    virtual void PaintBox1MouseMove(const CanvasMouse& m) = 0;
    virtual void PaintBox1MouseUp(const CanvasMouse& m) = 0;
    virtual void PaintBox1Click() = 0;
    virtual void PaintBox1DblClick(const CanvasMouse& m) = 0;
    // Ctrl + wheel: `steps` notches away from the user (negative: towards him) with the mouse at
    // `at`, in pixels of the zoomed canvas.
    virtual void CanvasWheelZoom(int steps, QPoint at) = 0;
};

// The document's drawing surface. It keeps nothing of the net: every paint draws the net from
// the model (stored colours, view flags, selection), so a handler that changes a colour only
// asks for a repaint. While points are dragged, the rest of the net is drawn once into a cache
// and each move repaints only the area the moving points and edges leave and enter.
// The zoom scales the drawing and the widget; mouse positions reach the document in net pixels,
// so hit tests and drags work alike at every zoom.
class NetCanvasWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr int CanvasSize = 2000;

    NetCanvasWidget(DocumentContext& document, CanvasEvents& events, QWidget* parent = nullptr);

    // The points that move and the edges to draw with them (every edge at a moving point).
    void BeginDrag(std::vector<int> points, std::vector<std::pair<int, int>> edges);
    // The moving points have new centres.
    void DragMoved();
    void EndDrag();
    bool Dragging() const { return !movingPoints_.empty(); }
    // Where the last painting put the edges' labels and handles, for the hit tests on edges.
    EdgeAnchors& Anchors() { return anchors_; }

    // The points drawn over the net in not-xor, which inverts them: the blinking transitions.
    void SetInverted(const PointFlags& points) { inverted_ = points; }

    // The rubber band between two corners (net pixels), or none.
    void SetBand(std::optional<QRect> band);
    std::optional<QRect> Band() const { return band_; }

    // Percent of the net's pixels; ActualZoom is 100.
    int Zoom() const { return zoom_; }
    void SetZoom(int percent);
    // The net pixel under a widget pixel.
    QPoint NetPointAt(QPoint widget) const;
    // The widget pixels that a rectangle of net pixels covers.
    QRect Zoomed(const QRect& net) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void ShowFocusFrame(QPainter& painter);
    CanvasMouse MouseOf(const QMouseEvent& event) const;
    QRectF ZoomedExactly(const QRect& net) const;
    // In widget pixels.
    QRect MovingBounds() const;
    // Draws the net without the moving points and their edges into the cache, over `area`
    // (widget pixels).
    void RenderCache(const QRect& area);
    void PaintDrag(QPainter& painter, const QRect& exposed);
    void DrawInverted(NetCanvas& canvas);
    // Scales the painter to the zoom and readies it to draw the net in net pixels.
    NetCanvas ZoomedCanvas(QPainter& painter);

    DocumentContext& document_;
    CanvasEvents& events_;
    bool clickPending_ = false;
    std::vector<int> movingPoints_;
    std::vector<std::pair<int, int>> movingEdges_;
    QRect movingRect_;
    QPixmap cache_;
    QRect cacheRect_;
    std::optional<QRect> band_;
    int zoom_ = 100;
    int wheelRest_ = 0; // eighths of a degree not yet a whole notch
    PointFlags inverted_{};
    bool tabbedIn_ = false; // the focus came with Tab: the frame shows it
    EdgeAnchors anchors_;
};

} // namespace plax
