#include "wmf_writer.h"

#include <algorithm>

namespace plax {

namespace {

constexpr int MapModeAnisotropic = 8;
constexpr std::uint32_t PlaceableKey = 0x9AC6CDD7;
constexpr std::uint32_t HeaderWords = 9;

std::uint16_t Word(int v) {
    return static_cast<std::uint16_t>(static_cast<std::int16_t>(std::clamp(v, -32768, 32767)));
}

// A COLORREF is the bytes red, green, blue, 0: two words, low first.
void PutColor(std::vector<std::uint16_t>& params, Color c) {
    params.push_back(static_cast<std::uint16_t>(c & 0xFFFF));
    params.push_back(static_cast<std::uint16_t>((c >> 16) & 0xFF));
}

// Bytes packed two to a word, low byte first, padded with a zero byte to a whole word.
void PutBytes(std::vector<std::uint16_t>& params, const std::string& bytes) {
    for (std::size_t k = 0; k < bytes.size(); k += 2) {
        const auto lo = static_cast<unsigned char>(bytes[k]);
        const auto hi = k + 1 < bytes.size() ? static_cast<unsigned char>(bytes[k + 1]) : 0u;
        params.push_back(static_cast<std::uint16_t>(lo | (hi << 8)));
    }
}

} // namespace

WmfWriter::WmfWriter(int width, int height, int unitsPerInch)
    : width_(width), height_(height), unitsPerInch_(unitsPerInch) {
    // Parameters of point records come y first.
    Record(MetaSetMapMode, {static_cast<std::uint16_t>(MapModeAnisotropic)});
    Record(MetaSetWindowOrg, {0, 0});
    Record(MetaSetWindowExt, {Word(height), Word(width)});
}

void WmfWriter::Record(std::uint16_t function, const std::vector<std::uint16_t>& params) {
    const auto words = static_cast<std::uint32_t>(3 + params.size());
    PutU32(records_, words);
    PutU16(records_, function);
    for (std::uint16_t p : params)
        PutU16(records_, p);
    maxRecordWords_ = std::max(maxRecordWords_, words);
}

void PutU16(std::string& out, std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

void PutU32(std::string& out, std::uint32_t v) {
    PutU16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    PutU16(out, static_cast<std::uint16_t>(v >> 16));
}

int TakeLowestFree(std::vector<bool>& used) {
    const auto free = std::find(used.begin(), used.end(), false);
    if (free != used.end()) {
        *free = true;
        return static_cast<int>(free - used.begin());
    }
    used.push_back(true);
    return static_cast<int>(used.size() - 1);
}

int WmfWriter::TakeSlot() { return TakeLowestFree(slots_); }

int WmfWriter::CreatePen(int style, int width, Color color) {
    std::vector<std::uint16_t> params = {Word(style), Word(width), 0};
    PutColor(params, color);
    Record(MetaCreatePenIndirect, params);
    return TakeSlot();
}

int WmfWriter::CreateBrush(int style, Color color) {
    std::vector<std::uint16_t> params = {Word(style)};
    PutColor(params, color);
    params.push_back(0); // hatch
    Record(MetaCreateBrushIndirect, params);
    return TakeSlot();
}

int WmfWriter::CreateFont(int height, int weight, bool italic, const std::string& face) {
    std::vector<std::uint16_t> params = {Word(height), 0, 0, 0, Word(weight)};
    // Italic, underline, strike-out, ANSI charset, default precisions and quality, fixed pitch modern.
    const std::string flags = {static_cast<char>(italic ? 1 : 0), 0, 0, 0, 0, 0, 0, 0x31};
    PutBytes(params, flags);
    std::string name = face.substr(0, 31);
    name.push_back('\0');
    PutBytes(params, name);
    Record(MetaCreateFontIndirect, params);
    return TakeSlot();
}

void WmfWriter::SelectObject(int slot) { Record(MetaSelectObject, {Word(slot)}); }

void WmfWriter::DeleteObject(int slot) {
    Record(MetaDeleteObject, {Word(slot)});
    if (slot >= 0 && static_cast<std::size_t>(slot) < slots_.size())
        slots_[static_cast<std::size_t>(slot)] = false;
}

void WmfWriter::SetBkMode(int mode) { Record(MetaSetBkMode, {Word(mode), 0}); }

void WmfWriter::SetBkColor(Color color) {
    std::vector<std::uint16_t> params;
    PutColor(params, color);
    Record(MetaSetBkColor, params);
}

void WmfWriter::SetTextColor(Color color) {
    std::vector<std::uint16_t> params;
    PutColor(params, color);
    Record(MetaSetTextColor, params);
}

void WmfWriter::SetTextAlign(int align) { Record(MetaSetTextAlign, {Word(align), 0}); }
void WmfWriter::SetPolyFillMode(int mode) { Record(MetaSetPolyFillMode, {Word(mode), 0}); }
void WmfWriter::SetRop2(int rop) { Record(MetaSetRop2, {Word(rop), 0}); }
void WmfWriter::MoveTo(int x, int y) { Record(MetaMoveTo, {Word(y), Word(x)}); }
void WmfWriter::LineTo(int x, int y) { Record(MetaLineTo, {Word(y), Word(x)}); }

void WmfWriter::PointsRecord(std::uint16_t function, const std::vector<PixelPoint>& points) {
    std::vector<std::uint16_t> params = {Word(static_cast<int>(points.size()))};
    for (PixelPoint p : points) {
        params.push_back(Word(p.x));
        params.push_back(Word(p.y));
    }
    Record(function, params);
}

void WmfWriter::Polyline(const std::vector<PixelPoint>& points) { PointsRecord(MetaPolyline, points); }
void WmfWriter::Polygon(const std::vector<PixelPoint>& points) { PointsRecord(MetaPolygon, points); }

void WmfWriter::BoxRecord(std::uint16_t function, const PixelBox& box, std::vector<std::uint16_t> front) {
    // Boxes come bottom, right, top, left.
    for (int v : {box.bottom, box.right, box.top, box.left})
        front.push_back(Word(v));
    Record(function, front);
}

void WmfWriter::Rectangle(const PixelBox& box) { BoxRecord(MetaRectangle, box, {}); }
void WmfWriter::Ellipse(const PixelBox& box) { BoxRecord(MetaEllipse, box, {}); }

void WmfWriter::RoundRect(const PixelBox& box, int cornerWidth, int cornerHeight) {
    BoxRecord(MetaRoundRect, box, {Word(cornerHeight), Word(cornerWidth)});
}

void WmfWriter::TextOut(int x, int y, const std::string& text) {
    const std::string bytes = text.substr(0, 32767);
    std::vector<std::uint16_t> params = {Word(static_cast<int>(bytes.size()))};
    PutBytes(params, bytes);
    params.push_back(Word(y));
    params.push_back(Word(x));
    Record(MetaTextOut, params);
}

std::string WmfWriter::Finish() {
    for (std::size_t slot = 0; slot < slots_.size(); ++slot) {
        if (slots_[slot]) DeleteObject(static_cast<int>(slot));
    }
    Record(MetaEof, {});

    std::string out;
    // The placeable header: key, handle, bounding box, units per inch, reserved, checksum.
    std::string placeable;
    PutU32(placeable, PlaceableKey);
    PutU16(placeable, 0);
    for (int v : {0, 0, width_, height_})
        PutU16(placeable, Word(v));
    PutU16(placeable, Word(unitsPerInch_));
    PutU32(placeable, 0);
    std::uint16_t checksum = 0;
    for (std::size_t k = 0; k < placeable.size(); k += 2)
        checksum ^= static_cast<std::uint16_t>(static_cast<unsigned char>(placeable[k]) |
                                               (static_cast<unsigned char>(placeable[k + 1]) << 8));
    PutU16(placeable, checksum);
    out += placeable;

    // The metafile header: memory metafile, 9 words, version 3.0, size, objects, largest record.
    PutU16(out, 1);
    PutU16(out, static_cast<std::uint16_t>(HeaderWords));
    PutU16(out, 0x0300);
    PutU32(out, HeaderWords + static_cast<std::uint32_t>(records_.size() / 2));
    PutU16(out, static_cast<std::uint16_t>(slots_.size()));
    PutU32(out, maxRecordWords_);
    PutU16(out, 0);
    out += records_;
    return out;
}

} // namespace plax
