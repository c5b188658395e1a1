#pragma once

#include "wmf_writer.h"

#include <QBrush>
#include <QFont>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QTransform>

#include <memory>
#include <optional>
#include <string>

namespace plax {

// Translates painter calls into metafile records. GDI objects are created only when a drawing
// call needs a pen, brush or font that differs from the one selected.
class WmfPaintEngine : public QPaintEngine {
public:
    WmfPaintEngine(int width, int height);

    bool begin(QPaintDevice* device) override;
    bool end() override;
    void updateState(const QPaintEngineState& state) override;
    Type type() const override { return QPaintEngine::User; }

    void drawRects(const QRect* rects, int rectCount) override;
    void drawRects(const QRectF* rects, int rectCount) override;
    void drawLines(const QLine* lines, int lineCount) override;
    void drawLines(const QLineF* lines, int lineCount) override;
    void drawEllipse(const QRectF& rect) override;
    void drawEllipse(const QRect& rect) override;
    void drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode) override;
    void drawPolygon(const QPoint* points, int pointCount, PolygonDrawMode mode) override;
    void drawPath(const QPainterPath& path) override;
    void drawTextItem(const QPointF& p, const QTextItem& textItem) override;
    void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr) override;

    const std::string& Bytes() const { return bytes_; }

private:
    struct PenKey {
        int style;
        int width;
        Color color;
        bool operator==(const PenKey&) const = default;
    };
    struct BrushKey {
        int style;
        Color color;
        bool operator==(const BrushKey&) const = default;
    };
    struct FontKey {
        int height;
        int weight;
        bool italic;
        std::string face;
        bool operator==(const FontKey&) const = default;
    };

    PixelPoint Map(const QPointF& p) const;
    PixelBox MapBox(const QRectF& rect) const;
    void SyncShapeState();
    void SyncPen();
    void SyncBrush();
    void SyncFont(const QFont& font);
    void SyncText();
    void DrawBox(const QRectF& rect);
    void DrawPoints(const std::vector<PixelPoint>& points, PolygonDrawMode mode);
    bool DrawRoundedRectPath(const QPainterPath& path);

    int width_;
    int height_;
    std::optional<WmfWriter> writer_;
    std::string bytes_;

    QPen pen_;
    QBrush brush_;
    QTransform transform_;
    Qt::BGMode bgMode_ = Qt::TransparentMode;
    QBrush background_;
    QPainter::CompositionMode composition_ = QPainter::CompositionMode_SourceOver;

    std::optional<PenKey> penSelected_;
    std::optional<BrushKey> brushSelected_;
    std::optional<FontKey> fontSelected_;
    int penSlot_ = -1;
    int brushSlot_ = -1;
    int fontSlot_ = -1;
    std::optional<Color> textColor_;
    std::optional<int> fillMode_;
    std::optional<int> rop_;
    std::optional<int> bkMode_;
    std::optional<Color> bkColor_;
};

} // namespace plax
