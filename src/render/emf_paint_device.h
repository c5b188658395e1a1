#pragma once

#include "wmf_paint_device.h"

#include <memory>
#include <string>

namespace plax {

class EmfPaintEngine;

// A paint device that records what a painter draws as an enhanced metafile of width x height
// pixels at 96 per inch, with the same pens, brushes, shapes and text as WmfPaintDevice.
class EmfPaintDevice : public MetafilePaintDevice {
public:
    EmfPaintDevice(int width, int height);
    EmfPaintDevice(const EmfPaintDevice&) = delete;
    EmfPaintDevice& operator=(const EmfPaintDevice&) = delete;
    ~EmfPaintDevice() override;

    QPaintEngine* paintEngine() const override;

    // The enhanced metafile of the last painting, complete once the painter has ended.
    std::string Bytes() const;

private:
    std::unique_ptr<EmfPaintEngine> engine_;
};

} // namespace plax
