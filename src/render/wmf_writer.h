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

// The function numbers of the metafile records.
enum WmfFunction : std::uint16_t {
    MetaEof = 0x0000,
    MetaSetBkColor = 0x0201,
    MetaSetBkMode = 0x0102,
    MetaSetMapMode = 0x0103,
    MetaSetRop2 = 0x0104,
    MetaSetPolyFillMode = 0x0106,
    MetaSetTextAlign = 0x012E,
    MetaSetTextColor = 0x0209,
    MetaSetWindowOrg = 0x020B,
    MetaSetWindowExt = 0x020C,
    MetaLineTo = 0x0213,
    MetaMoveTo = 0x0214,
    MetaSelectObject = 0x012D,
    MetaDeleteObject = 0x01F0,
    MetaEllipse = 0x0418,
    MetaRectangle = 0x041B,
    MetaRoundRect = 0x061C,
    MetaTextOut = 0x0521,
    MetaPolygon = 0x0324,
    MetaPolyline = 0x0325,
    MetaCreatePenIndirect = 0x02FA,
    MetaCreateFontIndirect = 0x02FB,
    MetaCreateBrushIndirect = 0x02FC,
};

// Marks the lowest unused entry of an object table used and answers it; the table grows when
// every entry is taken. Both metafile writers hand out their object numbers so.
int TakeLowestFree(std::vector<bool>& used);

// Little-endian words and double words, as both metafile formats store them.
void PutU16(std::string& out, std::uint16_t v);
void PutU32(std::string& out, std::uint32_t v);

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
