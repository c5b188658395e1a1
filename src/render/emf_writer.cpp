#include "emf_writer.h"

#include "wmf_writer.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cmath>
#include <limits>

namespace plax {

namespace {

enum : std::uint32_t {
    EmrHeader = 1,
    EmrEof = 14,
    EmrSetBkMode = 18,
    EmrSetPolyFillMode = 19,
    EmrSetRop2 = 20,
    EmrSetTextAlign = 22,
    EmrSetTextColor = 24,
    EmrSetBkColor = 25,
    EmrMoveToEx = 27,
    EmrSelectObject = 37,
    EmrCreatePen = 38,
    EmrCreateBrushIndirect = 39,
    EmrDeleteObject = 40,
    EmrEllipse = 42,
    EmrRectangle = 43,
    EmrRoundRect = 44,
    EmrLineTo = 54,
    EmrExtCreateFontIndirectW = 82,
    EmrExtTextOutW = 84,
    EmrPolygon16 = 86,
    EmrPolyline16 = 87,
};

constexpr std::uint32_t EmfSignature = 0x464D4520; // " EMF"
constexpr std::uint32_t EmfVersion = 0x00010000;
constexpr std::uint32_t HeaderBytes = 108;
constexpr std::uint32_t EofBytes = 20;
constexpr int GraphicsModeCompatible = 1;
constexpr std::size_t FaceChars = 32;
// The reference device: a 96-per-inch screen of 20 by 15 inches, so pixels convert to
// millimetres without rounding.
constexpr int DeviceWidth = 1920;
constexpr int DeviceHeight = 1440;
constexpr int DeviceWidthMm = 508;
constexpr int DeviceHeightMm = 381;
constexpr double HundredthsMmPerPixel = 2540.0 / 96.0;

void PutI32(std::string& out, int v) { PutU32(out, static_cast<std::uint32_t>(v)); }

void PutI16(std::string& out, int v) {
    PutU16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::clamp(v, -32768, 32767))));
}

void PutRect(std::string& out, int left, int top, int right, int bottom) {
    for (int v : {left, top, right, bottom})
        PutI32(out, v);
}

// The "no rectangle" of text records: players ignore it unless clipping or opaquing asks for it.
void PutEmptyRect(std::string& out) { PutRect(out, 0, 0, -1, -1); }

void PutBox(std::string& out, const PixelBox& box) { PutRect(out, box.left, box.top, box.right, box.bottom); }

// A COLORREF is the bytes red, green, blue, 0: the Color value itself.
void PutColor(std::string& out, Color c) { PutU32(out, c & 0xFFFFFF); }

void PadToWord(std::string& out) {
    while (out.size() % 4 != 0)
        out.push_back('\0');
}

} // namespace

EmfWriter::EmfWriter(int width, int height) : width_(width), height_(height), handles_{true} {}

void EmfWriter::Record(std::uint32_t type, const std::string& body) {
    assert(body.size() % 4 == 0);
    PutU32(records_, type);
    PutU32(records_, static_cast<std::uint32_t>(8 + body.size()));
    records_ += body;
    ++recordCount_;
}

void EmfWriter::ValueRecord(std::uint32_t type, std::uint32_t value) {
    std::string body;
    PutU32(body, value);
    Record(type, body);
}

int EmfWriter::TakeHandle() { return TakeLowestFree(handles_); }

int EmfWriter::CreatePen(int style, int width, Color color) {
    const int handle = TakeHandle();
    std::string body;
    PutI32(body, handle);
    PutI32(body, style);
    PutI32(body, width); // the pen width is the x of a point whose y is unused
    PutI32(body, 0);
    PutColor(body, color);
    Record(EmrCreatePen, body);
    return handle;
}

int EmfWriter::CreateBrush(int style, Color color) {
    const int handle = TakeHandle();
    std::string body;
    PutI32(body, handle);
    PutI32(body, style);
    PutColor(body, color);
    PutU32(body, 0); // hatch
    Record(EmrCreateBrushIndirect, body);
    return handle;
}

int EmfWriter::CreateFont(int height, int weight, bool italic, const std::u16string& face) {
    const int handle = TakeHandle();
    std::string body;
    PutI32(body, handle);
    // A plain LOGFONTW: height, width, escapement, orientation, weight, then italic, underline,
    // strike-out, ANSI charset, default precisions and quality, default pitch; the face fills
    // 32 characters, NUL-terminated.
    for (int v : {height, 0, 0, 0, weight})
        PutI32(body, v);
    const char flags[8] = {static_cast<char>(italic ? 1 : 0), 0, 0, 0, 0, 0, 0, 0};
    body.append(flags, sizeof flags);
    const std::u16string name = face.substr(0, FaceChars - 1);
    for (std::size_t k = 0; k < FaceChars; ++k)
        PutU16(body, k < name.size() ? static_cast<std::uint16_t>(name[k]) : 0);
    Record(EmrExtCreateFontIndirectW, body);
    return handle;
}

void EmfWriter::SelectObject(int handle) { ValueRecord(EmrSelectObject, static_cast<std::uint32_t>(handle)); }

void EmfWriter::DeleteObject(int handle) {
    ValueRecord(EmrDeleteObject, static_cast<std::uint32_t>(handle));
    if (handle > 0 && static_cast<std::size_t>(handle) < handles_.size())
        handles_[static_cast<std::size_t>(handle)] = false;
}

void EmfWriter::SetBkMode(int mode) { ValueRecord(EmrSetBkMode, static_cast<std::uint32_t>(mode)); }
void EmfWriter::SetBkColor(Color color) { ValueRecord(EmrSetBkColor, color & 0xFFFFFF); }
void EmfWriter::SetTextColor(Color color) { ValueRecord(EmrSetTextColor, color & 0xFFFFFF); }
void EmfWriter::SetTextAlign(int align) { ValueRecord(EmrSetTextAlign, static_cast<std::uint32_t>(align)); }
void EmfWriter::SetPolyFillMode(int mode) {
    ValueRecord(EmrSetPolyFillMode, static_cast<std::uint32_t>(mode));
}
void EmfWriter::SetRop2(int rop) { ValueRecord(EmrSetRop2, static_cast<std::uint32_t>(rop)); }

void EmfWriter::MoveTo(int x, int y) {
    std::string body;
    PutI32(body, x);
    PutI32(body, y);
    Record(EmrMoveToEx, body);
}

void EmfWriter::LineTo(int x, int y) {
    std::string body;
    PutI32(body, x);
    PutI32(body, y);
    Record(EmrLineTo, body);
}

void EmfWriter::PointsRecord(std::uint32_t type, const std::vector<PixelPoint>& points) {
    // The bounds are inclusive and cover every point.
    int left = std::numeric_limits<int>::max();
    int top = left;
    int right = std::numeric_limits<int>::min();
    int bottom = right;
    for (PixelPoint p : points) {
        left = std::min(left, p.x);
        top = std::min(top, p.y);
        right = std::max(right, p.x);
        bottom = std::max(bottom, p.y);
    }
    std::string body;
    if (points.empty())
        PutEmptyRect(body);
    else
        PutRect(body, left, top, right, bottom);
    PutU32(body, static_cast<std::uint32_t>(points.size()));
    for (PixelPoint p : points) {
        PutI16(body, p.x);
        PutI16(body, p.y);
    }
    Record(type, body);
}

void EmfWriter::Polyline(const std::vector<PixelPoint>& points) { PointsRecord(EmrPolyline16, points); }
void EmfWriter::Polygon(const std::vector<PixelPoint>& points) { PointsRecord(EmrPolygon16, points); }

void EmfWriter::Rectangle(const PixelBox& box) {
    std::string body;
    PutBox(body, box);
    Record(EmrRectangle, body);
}

void EmfWriter::Ellipse(const PixelBox& box) {
    std::string body;
    PutBox(body, box);
    Record(EmrEllipse, body);
}

void EmfWriter::RoundRect(const PixelBox& box, int cornerWidth, int cornerHeight) {
    std::string body;
    PutBox(body, box);
    PutI32(body, cornerWidth);
    PutI32(body, cornerHeight);
    Record(EmrRoundRect, body);
}

void EmfWriter::TextOut(int x, int y, const std::u16string& text, const std::vector<int>& advances) {
    assert(advances.size() == text.size());
    constexpr std::uint32_t StringOffset = 76; // record header, bounds, mode, scales, EMRTEXT
    const auto chars = static_cast<std::uint32_t>(text.size());
    const std::uint32_t dxOffset = StringOffset + (2 * chars + 3) / 4 * 4;
    std::string body;
    PutEmptyRect(body); // bounds, unused by players
    PutI32(body, GraphicsModeCompatible);
    for (int k = 0; k < 2; ++k)
        PutU32(body, std::bit_cast<std::uint32_t>(static_cast<float>(HundredthsMmPerPixel)));
    PutI32(body, x);
    PutI32(body, y);
    PutU32(body, chars);
    PutU32(body, StringOffset);
    PutU32(body, 0); // options: neither clipped nor opaque
    PutEmptyRect(body);
    PutU32(body, dxOffset);
    for (char16_t c : text)
        PutU16(body, static_cast<std::uint16_t>(c));
    PadToWord(body);
    for (std::size_t k = 0; k < text.size(); ++k)
        PutI32(body, k < advances.size() ? advances[k] : 0);
    Record(EmrExtTextOutW, body);
}

std::string EmfWriter::Finish() {
    for (std::size_t handle = 1; handle < handles_.size(); ++handle) {
        if (handles_[handle]) DeleteObject(static_cast<int>(handle));
    }
    std::string eof;
    PutU32(eof, 0);        // no palette entries
    PutU32(eof, 16);       // where they would start
    PutU32(eof, EofBytes); // this record's size, which players read backwards from the end
    Record(EmrEof, eof);

    std::string out;
    PutU32(out, EmrHeader);
    PutU32(out, HeaderBytes);
    PutRect(out, 0, 0, width_ - 1, height_ - 1); // bounds in pixels, inclusive
    PutRect(out, 0, 0, static_cast<int>(std::lround(width_ * HundredthsMmPerPixel)),
            static_cast<int>(std::lround(height_ * HundredthsMmPerPixel))); // frame in 0.01 mm
    PutU32(out, EmfSignature);
    PutU32(out, EmfVersion);
    PutU32(out, HeaderBytes + static_cast<std::uint32_t>(records_.size()));
    PutU32(out, recordCount_ + 1);
    PutU16(out, static_cast<std::uint16_t>(handles_.size()));
    PutU16(out, 0);
    PutU32(out, 0); // no description
    PutU32(out, 0);
    PutU32(out, 0); // no palette
    PutRect(out, DeviceWidth, DeviceHeight, DeviceWidthMm, DeviceHeightMm);
    PutU32(out, 0); // no pixel format
    PutU32(out, 0);
    PutU32(out, 0); // no OpenGL records
    PutU32(out, DeviceWidthMm * 1000);
    PutU32(out, DeviceHeightMm * 1000);
    assert(out.size() == HeaderBytes);
    return out + records_;
}

} // namespace plax
