#include "render/emf_paint_device.h"
#include "render/emf_paint_engine.h"
#include "render/emf_writer.h"
#include "render/wmf_writer.h"

#include <QFontMetricsF>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace plax {

namespace {

std::uint32_t U32At(const std::string& bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t k = 0; k < 4; ++k)
        v |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + k])) << (8 * k);
    return v;
}

// A record as type, size and the 32-bit words of its body.
struct Record {
    std::uint32_t type;
    std::uint32_t size;
    std::string body;
    std::uint32_t Word(std::size_t k) const { return U32At(body, 4 * k); }
};

// Walks the records by their sizes, checking that each one fits and is whole words.
std::vector<Record> Records(const std::string& emf) {
    std::vector<Record> records;
    std::size_t at = 0;
    while (at + 8 <= emf.size()) {
        const std::uint32_t size = U32At(emf, at + 4);
        EXPECT_EQ(size % 4, 0u);
        EXPECT_GE(size, 8u);
        EXPECT_LE(at + size, emf.size());
        if (size < 8 || at + size > emf.size()) break;
        records.push_back({U32At(emf, at), size, emf.substr(at + 8, size - 8)});
        at += size;
    }
    EXPECT_EQ(at, emf.size());
    return records;
}

std::vector<std::uint32_t> Words(const Record& r) {
    std::vector<std::uint32_t> out;
    for (std::size_t k = 0; k < r.body.size() / 4; ++k)
        out.push_back(r.Word(k));
    return out;
}

std::uint32_t Neg(int v) { return static_cast<std::uint32_t>(v); }

// The header's totals agree with the file, and the end record closes it.
void ExpectConsistent(const std::string& emf, const std::vector<Record>& records) {
    ASSERT_GE(records.size(), 2u);
    EXPECT_EQ(records.front().type, 1u);
    EXPECT_EQ(records.front().Word(8), 0x464D4520u);
    EXPECT_EQ(records.front().Word(10), emf.size());
    EXPECT_EQ(records.front().Word(11), records.size());
    EXPECT_EQ(Words(records.back()), (std::vector<std::uint32_t>{0, 16, 20}));
    EXPECT_EQ(records.back().type, 14u);
}

TEST(EmfWriter, HeaderAndEndRecordWorkedByHand) {
    const std::string emf = EmfWriter(100, 50).Finish();
    const auto records = Records(emf);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].size, 108u);
    // Bounds (0, 0, 99, 49) inclusive; frame 100 and 50 pixels in 0.01 mm at 96 per inch:
    // 100 * 2540 / 96 = 2645.8 and 50 * 2540 / 96 = 1322.9; " EMF", version 1.0, 128 bytes in
    // 2 records, one handle (the metafile's own), no description or palette; a 1920 x 1440
    // reference device of 508 x 381 mm; no pixel format, no OpenGL; the device in micrometres.
    EXPECT_EQ(Words(records[0]),
              (std::vector<std::uint32_t>{0,       0,   99, 49, 0, 0,      2646,  1323, 0x464D4520,
                                          0x10000, 128, 2,  1,  0, 0,      0,     1920, 1440,
                                          508,     381, 0,  0,  0, 508000, 381000}));
    EXPECT_EQ(records[1].size, 20u);
    ExpectConsistent(emf, records);
}

TEST(EmfWriter, RecordsCarryTheirParametersAndHandlesAreReused) {
    EmfWriter writer(100, 50);
    EXPECT_EQ(writer.CreatePen(WmfPenDash, 2, 0x0000FF), 1);
    EXPECT_EQ(writer.CreateBrush(WmfBrushSolid, 0xC0C0C0), 2);
    writer.DeleteObject(1);
    EXPECT_EQ(writer.CreateFont(-11, 700, true, u"Arial"), 1);
    writer.SelectObject(1);
    writer.Polyline({{1, 2}, {5, -3}});
    writer.Rectangle({10, 20, 30, 40});
    writer.TextOut(7, 9, u"Ab1", {5, 6, 7});
    const std::string emf = writer.Finish();
    const auto r = Records(emf);
    ASSERT_EQ(r.size(), 12u);
    ExpectConsistent(emf, r);
    EXPECT_EQ(r[0].Word(12) & 0xFFFF, 3u); // handles 0 to 2

    EXPECT_EQ(r[1].type, 38u); // pen: handle, style, width as a point, colour
    EXPECT_EQ(Words(r[1]), (std::vector<std::uint32_t>{1, 1, 2, 0, 0xFF}));
    EXPECT_EQ(r[2].type, 39u); // brush: handle, style, colour, hatch
    EXPECT_EQ(Words(r[2]), (std::vector<std::uint32_t>{2, 0, 0xC0C0C0, 0}));
    EXPECT_EQ(r[3].type, 40u);
    EXPECT_EQ(r[3].Word(0), 1u);
    // Font: handle, height, width, escapement, orientation, weight, italic, face in UTF-16.
    EXPECT_EQ(r[4].type, 82u);
    EXPECT_EQ(r[4].size, 104u);
    const auto font = Words(r[4]);
    EXPECT_EQ(std::vector<std::uint32_t>(font.begin(), font.begin() + 8),
              (std::vector<std::uint32_t>{1, Neg(-11), 0, 0, 0, 700, 1, 0}));
    EXPECT_EQ(r[4].body.substr(32, 12), std::string("A\0r\0i\0a\0l\0\0\0", 12));
    EXPECT_EQ(r[5].type, 37u);
    // Polyline: inclusive bounds, count, then 16-bit x and y.
    EXPECT_EQ(r[6].type, 87u);
    EXPECT_EQ(Words(r[6]), (std::vector<std::uint32_t>{1, Neg(-3), 5, 2, 2, 0x00020001, 0xFFFD0005}));
    EXPECT_EQ(r[7].type, 43u); // the box as given: right and bottom exclusive
    EXPECT_EQ(Words(r[7]), (std::vector<std::uint32_t>{10, 20, 30, 40}));
    // Text: bounds, compatible mode, two scales; reference, count, string offset 76, options,
    // rectangle, advances at 76 + 8; the string padded to whole words, then the advances.
    EXPECT_EQ(r[8].type, 84u);
    EXPECT_EQ(r[8].size, 96u);
    const auto text = Words(r[8]);
    EXPECT_EQ(text[4], 1u);
    EXPECT_EQ(std::vector<std::uint32_t>(text.begin() + 7, text.begin() + 17),
              (std::vector<std::uint32_t>{7, 9, 3, 76, 0, 0, 0, Neg(-1), Neg(-1), 84}));
    EXPECT_EQ(r[8].body.substr(68, 8), std::string("A\0b\x00"
                                                   "1\0\0\0",
                                                   8));
    EXPECT_EQ(std::vector<std::uint32_t>(text.begin() + 19, text.end()),
              (std::vector<std::uint32_t>{5, 6, 7}));
    // The live objects are deleted before the end.
    EXPECT_EQ(r[9].type, 40u);
    EXPECT_EQ(r[9].Word(0), 1u);
    EXPECT_EQ(r[10].Word(0), 2u);
}

TEST(EmfPicture, MetafileRecordsCarryOverWithTheirObjects) {
    // Slot 0 is freed and taken again by the font: it must select the font's handle, not the pen's.
    WmfWriter wmf(80, 60);
    const int pen = wmf.CreatePen(WmfPenSolid, 1, 0x008000);
    wmf.SelectObject(wmf.CreateBrush(WmfBrushNull, 0));
    wmf.DeleteObject(pen);
    wmf.SelectObject(wmf.CreateFont(-12, 400, false, "Courier New"));
    wmf.RoundRect({1, 2, 31, 22}, 8, 6);
    wmf.MoveTo(3, 4);
    wmf.LineTo(50, 40);
    const auto r = Records(EmfFromWmf(wmf.Finish(), 80, 60));
    std::vector<std::uint32_t> types;
    for (const Record& record : r)
        types.push_back(record.type);
    // The mapping records have no counterpart; the end deletes the two live objects.
    EXPECT_EQ(types, (std::vector<std::uint32_t>{1, 38, 39, 37, 40, 82, 37, 44, 27, 54, 40, 40, 14}));
    EXPECT_EQ(r[3].Word(0), 2u); // the brush
    EXPECT_EQ(r[4].Word(0), 1u); // the pen goes
    EXPECT_EQ(r[5].Word(0), 1u); // and the font takes its handle
    EXPECT_EQ(r[6].Word(0), 1u);
    EXPECT_EQ(Words(r[7]), (std::vector<std::uint32_t>{1, 2, 31, 22, 8, 6}));
    EXPECT_EQ(Words(r[8]), (std::vector<std::uint32_t>{3, 4}));
    EXPECT_EQ(Words(r[9]), (std::vector<std::uint32_t>{50, 40}));
    EXPECT_EQ(r[1].Word(4), 0x008000u);
}

TEST(EmfPicture, APainterDrawingGivesTheExpectedRecords) {
    EmfPaintDevice device(120, 80);
    {
        QPainter painter(&device);
        painter.fillRect(QRect(0, 0, 120, 80), Qt::white);
        painter.setPen(QPen(QColor(255, 0, 0), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(10, 10, 20, 10)); // a GDI box of (10, 10)-(31, 21)
        painter.drawLine(0, 70, 100, 70);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(12);
        painter.setFont(font);
        painter.drawText(QPoint(5, 50), QStringLiteral("Job"));
    }
    const std::string emf = device.Bytes();
    const auto r = Records(emf);
    ExpectConsistent(emf, r);
    EXPECT_EQ(r[0].Word(2), 119u);
    EXPECT_EQ(r[0].Word(3), 79u);
    std::vector<Record> boxes;
    std::vector<Record> texts;
    int lines = 0;
    for (const Record& record : r) {
        if (record.type == 43) boxes.push_back(record);
        if (record.type == 84) texts.push_back(record);
        if (record.type == 54) ++lines;
    }
    ASSERT_EQ(boxes.size(), 2u);
    // Without a pen GDI fills one pixel less, so the fill's box reaches one further.
    EXPECT_EQ(Words(boxes[0]), (std::vector<std::uint32_t>{0, 0, 121, 81}));
    EXPECT_EQ(Words(boxes[1]), (std::vector<std::uint32_t>{10, 10, 31, 21}));
    EXPECT_EQ(lines, 1);
    ASSERT_EQ(texts.size(), 1u);
    const auto text = Words(texts[0]);
    EXPECT_EQ(std::vector<std::uint32_t>(text.begin() + 7, text.begin() + 10),
              (std::vector<std::uint32_t>{5, 50, 3}));
    EXPECT_EQ(texts[0].body.substr(68, 6), std::string("J\0o\0b\0", 6));
    // The advances add up to the width the font gives the text.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(12);
    const double width = QFontMetricsF(font).horizontalAdvance(QStringLiteral("Job"));
    EXPECT_GT(width, 10.0);
    EXPECT_NEAR(text[19] + text[20] + text[21], width, 1.0);
}

} // namespace

} // namespace plax
