#include "wmf_paint_device.h"

#include "wmf_paint_engine.h"

namespace plax {

namespace {
constexpr int Dpi = 96;
}

WmfPaintDevice::WmfPaintDevice(int width, int height)
    : MetafilePaintDevice(width, height), engine_(std::make_unique<WmfPaintEngine>(width, height)) {}

WmfPaintDevice::~WmfPaintDevice() = default;

QPaintEngine* WmfPaintDevice::paintEngine() const { return engine_.get(); }

std::string WmfPaintDevice::Bytes() const { return engine_->Bytes(); }

int MetafilePaintDevice::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth: return width_;
    case PdmHeight: return height_;
    case PdmWidthMM: return width_ * 254 / (Dpi * 10);
    case PdmHeightMM: return height_ * 254 / (Dpi * 10);
    case PdmNumColors: return 0xFFFFFF;
    case PdmDepth: return 24;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY: return Dpi;
    case PdmDevicePixelRatio: return 1;
    case PdmDevicePixelRatioScaled: return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
    }
    return QPaintDevice::metric(metric);
}

} // namespace plax
