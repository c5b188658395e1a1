#pragma once

#include <QPaintDevice>

#include <memory>
#include <string>

namespace plax {

class WmfPaintEngine;

// A paint device that records what a painter draws as a placeable Windows metafile of
// width x height pixels at 96 per inch: pens with width and style, brushes, lines, polylines,
// polygons, ellipses, rectangles, rounded rectangles and text with face and size.
class WmfPaintDevice : public QPaintDevice {
public:
    WmfPaintDevice(int width, int height);
    WmfPaintDevice(const WmfPaintDevice&) = delete;
    WmfPaintDevice& operator=(const WmfPaintDevice&) = delete;
    ~WmfPaintDevice() override;

    QPaintEngine* paintEngine() const override;

    // The metafile of the last painting, complete once the painter has ended.
    std::string Bytes() const;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    int width_;
    int height_;
    std::unique_ptr<WmfPaintEngine> engine_;
};

} // namespace plax
