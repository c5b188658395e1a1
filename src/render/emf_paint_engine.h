#pragma once

#include "wmf_paint_engine.h"

#include <string>
#include <string_view>

namespace plax {

// Translates painter calls into enhanced-metafile records. The choice of GDI objects, boxes and
// modes for each painter call is the metafile engine's; this engine lets it record and then
// carries its records over one by one into their enhanced counterparts, giving the text the
// character advances of its font. Both kinds of file thus show the same drawing.
class EmfPaintEngine : public WmfPaintEngine {
public:
    EmfPaintEngine(int width, int height);

    bool end() override;

    // The enhanced metafile of the last painting, complete once the painter has ended.
    const std::string& EmfBytes() const { return emf_; }

private:
    int width_;
    int height_;
    std::string emf_;
};

// The enhanced metafile of width x height pixels that draws what the placeable Windows
// metafile `wmf` draws. Records other than those our metafile writer produces are skipped, and
// so are its mapping records: enhanced-metafile units are already pixels at 96 per inch.
std::string EmfFromWmf(std::string_view wmf, int width, int height);

} // namespace plax
