#pragma once

#include <QPaintDevice>

#include <memory>
#include <string>

namespace plax {

class WmfPaintEngine;

// What both metafile devices tell a painter about themselves: width x height pixels at 96 per
// inch, true colour.
class MetafilePaintDevice : public QPaintDevice {
public:
    MetafilePaintDevice(int width, int height) : width_(width), height_(height) {}

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    int width_;
    int height_;
};

// A paint device that records what a painter draws as a placeable Windows metafile: pens with
// width and style, brushes, lines, polylines, polygons, ellipses, rectangles, rounded rectangles
// and text with face and size.
class WmfPaintDevice : public MetafilePaintDevice {
public:
    WmfPaintDevice(int width, int height);
    WmfPaintDevice(const WmfPaintDevice&) = delete;
    WmfPaintDevice& operator=(const WmfPaintDevice&) = delete;
    ~WmfPaintDevice() override;

    QPaintEngine* paintEngine() const override;

    // The metafile of the last painting, complete once the painter has ended.
    std::string Bytes() const;

private:
    std::unique_ptr<WmfPaintEngine> engine_;
};

} // namespace plax
