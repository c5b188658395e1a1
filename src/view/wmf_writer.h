#pragma once

#include "model/net_types.h"
#include "net_geometry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plax {

// GDI values the metafile records carry.
enum WmfPenStyle : int {
    WmfPenSolid = 0,
    WmfPenDash = 1,
    WmfPenDot = 2,
    WmfPenDashDot = 3,
    WmfPenDashDotDot = 4,
    WmfPenNull = 5
};
enum WmfBrushStyle : int { WmfBrushSolid = 0, WmfBrushNull = 1 };
enum WmfBkMode : int { WmfTransparent = 1, WmfOpaque = 2 };
enum WmfFillMode : int { WmfAlternate = 1, WmfWinding = 2 };
enum WmfRop2 : int { WmfRopNotXorPen = 10, WmfRopCopyPen = 13 };
inline constexpr int WmfTextAlignBaseline = 24;

// Builds a placeable Windows metafile record by record: logical units are pixels, the picture
// spans (0, 0)-(width, height) at `unitsPerInch`. Coordinates beyond 16 bits are clamped.
class WmfWriter {
public:
    WmfWriter(int width, int height, int unitsPerInch = 96);

    // Objects take the lowest free slot of the object table; the slot is returned.
    int CreatePen(int style, int width, Color color);
    int CreateBrush(int style, Color color);
    int CreateFont(int height, int weight, bool italic, const std::string& face);
    void SelectObject(int slot);
    void DeleteObject(int slot);

    void SetBkMode(int mode);
    void SetBkColor(Color color);
    void SetTextColor(Color color);
    void SetTextAlign(int align);
    void SetPolyFillMode(int mode);
    void SetRop2(int rop);

    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(const std::vector<PixelPoint>& points);
    void Polygon(const std::vector<PixelPoint>& points);
    // Boxes have exclusive right and bottom edges, as GDI takes them.
    void Rectangle(const PixelBox& box);
    void Ellipse(const PixelBox& box);
    void RoundRect(const PixelBox& box, int cornerWidth, int cornerHeight);
    void TextOut(int x, int y, const std::string& text);

    // Deletes the objects still alive, ends the record list and returns the whole file.
    std::string Finish();

private:
    void Record(std::uint16_t function, const std::vector<std::uint16_t>& params);
    void PointsRecord(std::uint16_t function, const std::vector<PixelPoint>& points);
    void BoxRecord(std::uint16_t function, const PixelBox& box, std::vector<std::uint16_t> front);
    int TakeSlot();

    int width_;
    int height_;
    int unitsPerInch_;
    std::string records_;
    std::uint32_t maxRecordWords_ = 0;
    std::vector<bool> slots_;
};

} // namespace plax
