#pragma once

#include "model/net_types.h"
#include "net_geometry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plax {

// Builds an enhanced metafile record by record. Logical units are the pixels of a reference
// device at 96 per inch; the picture spans (0, 0)-(width, height). Pen and brush styles, modes,
// ROP2 codes and text alignment take the GDI values that the WMF writer names (WmfPenSolid, ...).
// Point records are the 16-bit ones, so coordinates beyond 16 bits are clamped.
class EmfWriter {
public:
    EmfWriter(int width, int height);

    // Objects take the lowest free handle, from 1 up (0 stands for the metafile itself); the
    // handle is returned.
    int CreatePen(int style, int width, Color color);
    int CreateBrush(int style, Color color);
    // `height` as GDI takes it: negative for the character height without internal leading.
    int CreateFont(int height, int weight, bool italic, const std::u16string& face);
    void SelectObject(int handle);
    void DeleteObject(int handle);

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
    // `advances` holds the distance from each character's origin to the next one's; players
    // lay the text out with them whatever face they find.
    void TextOut(int x, int y, const std::u16string& text, const std::vector<int>& advances);

    // Deletes the objects still alive, ends the record list and returns the whole file.
    std::string Finish();

private:
    void Record(std::uint32_t type, const std::string& body);
    void ValueRecord(std::uint32_t type, std::uint32_t value);
    void PointsRecord(std::uint32_t type, const std::vector<PixelPoint>& points);
    int TakeHandle();

    int width_;
    int height_;
    std::string records_;
    std::uint32_t recordCount_ = 0;
    std::vector<bool> handles_;
};

} // namespace plax
