#include "emf_paint_engine.h"

#include "emf_writer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <vector>

namespace plax {

namespace {

// The placeable header (22 bytes) and the metafile header (9 words) come before the records.
constexpr std::size_t RecordsStart = 22 + 18;

std::uint32_t U16At(std::string_view bytes, std::size_t at) {
    return std::uint32_t{static_cast<unsigned char>(bytes[at])} |
           std::uint32_t{static_cast<unsigned char>(bytes[at + 1])} << 8;
}

// The parameter words of one record; a word beyond the record reads as 0.
class Params {
public:
    explicit Params(std::string_view bytes) : bytes_(bytes) {}

    std::size_t Count() const { return bytes_.size() / 2; }
    std::uint16_t Word(std::size_t k) const {
        return k < Count() ? static_cast<std::uint16_t>(U16At(bytes_, 2 * k)) : 0;
    }
    int Int(std::size_t k) const { return static_cast<std::int16_t>(Word(k)); }
    Color ColorAt(std::size_t k) const { return Word(k) | static_cast<Color>(Word(k + 1) & 0xFF) << 16; }
    // The bytes packed two to a word from word k on.
    std::string_view BytesFrom(std::size_t k) const {
        return 2 * k < bytes_.size() ? bytes_.substr(2 * k) : std::string_view();
    }
    PixelBox Box(std::size_t k) const { return {Int(k + 3), Int(k + 2), Int(k + 1), Int(k)}; }

private:
    std::string_view bytes_;
};

std::u16string Widen(std::string_view latin1) {
    std::u16string out;
    for (char c : latin1)
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    return out;
}

// Plays the records of our metafile writer into an enhanced metafile. The metafile gives every
// new object the lowest free slot of its object table; the slots are kept the same way here and
// mapped to the handles of the enhanced metafile.
class Translator {
public:
    Translator(int width, int height) : writer_(width, height) {}

    void Play(std::uint16_t function, const Params& p);
    std::string Finish() { return writer_.Finish(); }

private:
    int Created(int handle);
    void CreateFont(const Params& p);
    void Select(int slot);
    void Delete(int slot);
    void TextOut(const Params& p);
    std::vector<PixelPoint> Points(const Params& p) const;

    EmfWriter writer_;
    std::vector<bool> slots_;
    std::map<int, int> handles_;
    std::map<int, QFont> fonts_;
    QFont selectedFont_;
};

// The slot of a new object of the metafile, now holding the enhanced metafile's `handle`.
int Translator::Created(int handle) {
    const auto free = std::find(slots_.begin(), slots_.end(), false);
    const auto slot = static_cast<int>(free - slots_.begin());
    if (free == slots_.end())
        slots_.push_back(true);
    else
        *free = true;
    handles_[slot] = handle;
    return slot;
}

void Translator::CreateFont(const Params& p) {
    // Height, width, escapement, orientation, weight; then italic and seven more flag bytes;
    // then the face, NUL-terminated.
    const bool italic = (p.Word(5) & 0xFF) != 0;
    std::string_view face = p.BytesFrom(9);
    face = face.substr(0, face.find('\0'));
    QFont font(QString::fromLatin1(face.data(), static_cast<qsizetype>(face.size())));
    font.setPixelSize(std::max(1, std::abs(p.Int(0))));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(p.Int(4), 1, 1000)));
    font.setItalic(italic);
    fonts_[Created(writer_.CreateFont(p.Int(0), p.Int(4), italic, Widen(face)))] = font;
}

void Translator::Select(int slot) {
    const auto handle = handles_.find(slot);
    if (handle == handles_.end()) return;
    writer_.SelectObject(handle->second);
    if (const auto font = fonts_.find(slot); font != fonts_.end()) selectedFont_ = font->second;
}

void Translator::Delete(int slot) {
    const auto handle = handles_.find(slot);
    if (handle == handles_.end()) return;
    writer_.DeleteObject(handle->second);
    handles_.erase(handle);
    fonts_.erase(slot);
    slots_[static_cast<std::size_t>(slot)] = false;
}

void Translator::TextOut(const Params& p) {
    // Count, the bytes padded to whole words, then y and x.
    const auto count = static_cast<std::size_t>(p.Word(0));
    const std::size_t words = (count + 1) / 2;
    const std::string_view text = p.BytesFrom(1).substr(0, count);
    // Advances are rounded as running sums, so the whole text keeps its width.
    const QFontMetricsF metrics(selectedFont_);
    std::vector<int> advances;
    double end = 0;
    int previous = 0;
    for (char c : text) {
        end += metrics.horizontalAdvance(QChar(static_cast<char16_t>(static_cast<unsigned char>(c))));
        const auto next = static_cast<int>(std::lround(end));
        advances.push_back(next - previous);
        previous = next;
    }
    writer_.TextOut(p.Int(words + 2), p.Int(words + 1), Widen(text), advances);
}

std::vector<PixelPoint> Translator::Points(const Params& p) const {
    std::vector<PixelPoint> points;
    for (std::size_t k = 0; k < p.Word(0); ++k)
        points.push_back({p.Int(1 + 2 * k), p.Int(2 + 2 * k)});
    return points;
}

void Translator::Play(std::uint16_t function, const Params& p) {
    switch (function) {
    case MetaCreatePenIndirect: Created(writer_.CreatePen(p.Int(0), p.Int(1), p.ColorAt(3))); break;
    case MetaCreateBrushIndirect: Created(writer_.CreateBrush(p.Int(0), p.ColorAt(1))); break;
    case MetaCreateFontIndirect: CreateFont(p); break;
    case MetaSelectObject: Select(p.Int(0)); break;
    case MetaDeleteObject: Delete(p.Int(0)); break;
    case MetaSetBkMode: writer_.SetBkMode(p.Int(0)); break;
    case MetaSetBkColor: writer_.SetBkColor(p.ColorAt(0)); break;
    case MetaSetTextColor: writer_.SetTextColor(p.ColorAt(0)); break;
    case MetaSetTextAlign: writer_.SetTextAlign(p.Int(0)); break;
    case MetaSetPolyFillMode: writer_.SetPolyFillMode(p.Int(0)); break;
    case MetaSetRop2: writer_.SetRop2(p.Int(0)); break;
    case MetaMoveTo: writer_.MoveTo(p.Int(1), p.Int(0)); break;
    case MetaLineTo: writer_.LineTo(p.Int(1), p.Int(0)); break;
    case MetaPolyline: writer_.Polyline(Points(p)); break;
    case MetaPolygon: writer_.Polygon(Points(p)); break;
    case MetaRectangle: writer_.Rectangle(p.Box(0)); break;
    case MetaEllipse: writer_.Ellipse(p.Box(0)); break;
    case MetaRoundRect: writer_.RoundRect(p.Box(2), p.Int(1), p.Int(0)); break;
    case MetaTextOut: TextOut(p); break;
    default: break;
    }
}

} // namespace

std::string EmfFromWmf(std::string_view wmf, int width, int height) {
    Translator translator(width, height);
    std::size_t at = RecordsStart;
    while (at + 6 <= wmf.size()) {
        const std::size_t words = U16At(wmf, at) | static_cast<std::size_t>(U16At(wmf, at + 2)) << 16;
        const auto function = static_cast<std::uint16_t>(U16At(wmf, at + 4));
        if (words < 3 || words > (wmf.size() - at) / 2 || function == MetaEof) break;
        translator.Play(function, Params(wmf.substr(at + 6, 2 * words - 6)));
        at += 2 * words;
    }
    return translator.Finish();
}

EmfPaintEngine::EmfPaintEngine(int width, int height)
    : WmfPaintEngine(width, height), width_(width), height_(height) {}

bool EmfPaintEngine::end() {
    const bool ended = WmfPaintEngine::end();
    emf_ = EmfFromWmf(Bytes(), width_, height_);
    return ended;
}

} // namespace plax
