#include "emf_paint_device.h"

#include "emf_paint_engine.h"

namespace plax {

EmfPaintDevice::EmfPaintDevice(int width, int height)
    : MetafilePaintDevice(width, height), engine_(std::make_unique<EmfPaintEngine>(width, height)) {}

EmfPaintDevice::~EmfPaintDevice() = default;

QPaintEngine* EmfPaintDevice::paintEngine() const { return engine_.get(); }

std::string EmfPaintDevice::Bytes() const { return engine_->EmfBytes(); }

} // namespace plax
