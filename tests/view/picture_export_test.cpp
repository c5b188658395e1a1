#include "render/picture_export.h"

#include "model/net_store.h"
#include "recording_messages.h"
#include "scratch_dir.h"
#include "view_test_nets.h"

#include <QByteArray>
#include <QFontDatabase>
#include <QImage>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace plax {

namespace {

using testing::AddTestEdge;
using testing::AddTestPoint;
using testing::NewTestNet;
using testing::ReadAll;
using testing::RecordingMessages;
using testing::ScratchDir;
using testing::WriteAll;

// A square point of radius 10 at (50, 50), named, joined to a circle at (150, 50).
NetWorkType SquareNet() {
    NetWorkType net = NewTestNet(false);
    AddTestPoint(net, 50, 50, 1, "Mill");
    AddTestPoint(net, 150, 50, 0, "Farm");
    AddTestEdge(net, 1, 2, 4.5);
    net.view.pointNames = 1;
    return net;
}

std::uint32_t U32(const std::string& b, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t k = 4; k-- > 0;)
        v = v << 8 | static_cast<unsigned char>(b[at + k]);
    return v;
}
std::uint16_t U16(const std::string& b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                      static_cast<unsigned char>(b[at + 1]) << 8);
}

// Reads one pixel of an uncompressed 24- or 32-bit Windows bitmap as 0xRRGGBB, rows bottom-up.
std::uint32_t BmpPixel(const std::string& bmp, int x, int y) {
    const auto width = static_cast<std::int32_t>(U32(bmp, 18));
    const auto height = static_cast<std::int32_t>(U32(bmp, 22));
    const int bytesPerPixel = U16(bmp, 28) / 8;
    const int stride = (width * bytesPerPixel + 3) / 4 * 4;
    const int row = height > 0 ? height - 1 - y : y;
    const std::size_t at = U32(bmp, 10) + static_cast<std::size_t>(row * stride + x * bytesPerPixel);
    return U32(bmp.substr(at, 3) + '\0', 0) & 0xFFFFFF; // stored blue, green, red
}

TEST(PictureExport, FormatIsChosenByTheUpperCasedExtension) {
    EXPECT_EQ(PictureFormatForPath("graph.Bmp"), PictureFormat::Bmp);
    EXPECT_EQ(PictureFormatForPath("/tmp/a.b/graph.wmf"), PictureFormat::Wmf);
    EXPECT_EQ(PictureFormatForPath("graph.PNG"), PictureFormat::Png);
    EXPECT_EQ(PictureFormatForPath("graph.svg"), PictureFormat::Svg);
    EXPECT_EQ(PictureFormatForPath("graph.Pdf"), PictureFormat::Pdf);
    EXPECT_EQ(PictureFormatForPath("graph.net"), std::nullopt);
    EXPECT_EQ(PictureFormatForPath("bmp"), std::nullopt);
    EXPECT_EQ(PictureFormatForPath("graph.bmp.txt"), std::nullopt);
}

TEST(PictureExport, BitmapIsAWindowsBitmapOfTheRequestedSize) {
    ScratchDir dir;
    const std::string path = dir.File("graph.Bmp");
    RecordingMessages messages;
    ASSERT_TRUE(SaveNetPicture(SquareNet(), path, 200, 150, messages));
    EXPECT_TRUE(messages.calls.empty());
    const std::string bmp = ReadAll(path);
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(U32(bmp, 2), bmp.size());
    EXPECT_GE(U32(bmp, 14), 40u); // an info header
    EXPECT_EQ(U32(bmp, 18), 200u);
    EXPECT_EQ(U32(bmp, 22), 150u);
    EXPECT_EQ(U16(bmp, 26), 1);
    EXPECT_TRUE(U16(bmp, 28) == 24 || U16(bmp, 28) == 32);
    EXPECT_EQ(U32(bmp, 30), 0u); // uncompressed
    // White ground, the square's left side at x = 40, the edge from (60, 50) to (140, 50).
    EXPECT_EQ(BmpPixel(bmp, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(BmpPixel(bmp, 199, 149), 0xFFFFFFu);
    EXPECT_EQ(BmpPixel(bmp, 40, 45), 0u);
    EXPECT_EQ(BmpPixel(bmp, 45, 45), 0xFFFFFFu);
    EXPECT_EQ(BmpPixel(bmp, 100, 50), 0u);
    EXPECT_EQ(BmpPixel(bmp, 100, 40), 0xFFFFFFu);
}

TEST(PictureExport, PngSvgAndPdfShowTheDrawingArea) {
    const NetWorkType net = SquareNet();
    const auto png = RenderNetPicture(net, PictureFormat::Png, 200, 150);
    ASSERT_TRUE(png);
    const QImage image =
        QImage::fromData(QByteArray(png->data(), static_cast<qsizetype>(png->size())), "PNG");
    EXPECT_EQ(image.size(), QSize(200, 150));
    // The one-pixel outline, antialiased: half of it falls on this pixel, grey rather than black.
    EXPECT_EQ(image.pixel(40, 45) & 0xFFFFFF, 0x7F7F7Fu);
    EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);

    const auto svg = RenderNetPicture(net, PictureFormat::Svg, 200, 150);
    ASSERT_TRUE(svg);
    QXmlStreamReader xml(QByteArray::fromStdString(*svg));
    int texts = 0;
    QString viewBox;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QStringLiteral("svg")) viewBox = xml.attributes().value("viewBox").toString();
        if (xml.name() == QStringLiteral("text") && xml.readElementText() == QStringLiteral("Mill")) ++texts;
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(viewBox, QStringLiteral("0 0 200 150"));
    EXPECT_GE(texts, 1);

    const auto pdf = RenderNetPicture(net, PictureFormat::Pdf, 200, 150);
    ASSERT_TRUE(pdf);
    EXPECT_EQ(pdf->substr(0, 5), "%PDF-");
    EXPECT_NE(pdf->find("/MediaBox [0 0 150"), std::string::npos); // 200 pixels at 96 per inch
    EXPECT_NE(pdf->find("%%EOF"), std::string::npos);
}

TEST(PictureExport, ReplacesTheFileAndLeavesTheNetAlone) {
    ScratchDir dir;
    const std::string path = dir.File("graph.png");
    WriteAll(path, "old picture");
    const NetWorkType net = SquareNet();
    RecordingMessages messages;
    ASSERT_TRUE(SaveNetPicture(net, path, 120, 80, messages));
    EXPECT_EQ(ReadAll(path).substr(1, 3), "PNG");
    EXPECT_EQ(dir.Entries().size(), 1u); // no temporary file left beside it
}

TEST(PictureExport, FailureIsReportedAndKeepsNothing) {
    ScratchDir dir;
    const std::string path = dir.File("missing/graph.wmf");
    RecordingMessages messages;
    EXPECT_FALSE(SaveNetPicture(SquareNet(), path, 120, 80, messages));
    ASSERT_EQ(messages.calls.size(), 1u);
    EXPECT_EQ(messages.calls[0], (RecordingMessages::Call{"error", " Cannot create the File.\r\n" + path}));
    EXPECT_FALSE(std::filesystem::exists(path));
}

// The two edges of a directed pair bow apart, each to the left of its own direction, with the
// label at the apex; worked out for the square at (50, 50) and the circle at (150, 50).
TEST(PictureGeometry, BentPairsAndCroppedFrames) {
    NetWorkType net = SquareNet();
    net.view.pointNames = 0;
    SetNetKind(net, DirNetCode);
    AddTestEdge(net, 2, 1, 2.0);
    const auto there = BentCourseOf(net, *EdgePathOf(net, 1, 2));
    const auto back = BentCourseOf(net, *EdgePathOf(net, 2, 1));
    ASSERT_TRUE(there && back);
    EXPECT_EQ(*there, (BentCourse{{60, 50}, {100, 31}, {140, 50}, {100, 40}})) << "80 long: apex 9.6 up";
    EXPECT_EQ(*back, (BentCourse{{140, 50}, {100, 69}, {60, 50}, {100, 60}}));
    NetWorkType undirected = SquareNet();
    undirected.view.pointNames = 0;
    EXPECT_FALSE(BentCourseOf(undirected, *EdgePathOf(undirected, 1, 2)));
    NetWorkType connector = NewTestNet(true);
    AddTestPoint(connector, 50, 50);
    AddTestPoint(connector, 150, 150);
    AddTestEdge(connector, 1, 2);
    AddTestEdge(connector, 2, 1, 1.0, 3);
    EXPECT_FALSE(BentCourseOf(connector, *EdgePathOf(connector, 1, 2))) << "its pair turns a corner";

    EXPECT_EQ(CroppedFrame({40, 40, 160, 60}, 2.0), (PictureFrame{30, 30, 140, 40, 2.0}));
    EXPECT_EQ(CroppedFrame({0, 0, 0, 0}, 1.0), (PictureFrame{-10, -10, 20, 20, 1.0}));
    // The square covers 40..59, the circle 140..159, both 40..59 high.
    EXPECT_EQ(NetPictureFrame(undirected, PictureFormat::Png, 593, 351, {1.0, true}),
              (PictureFrame{30, 30, 140, 40, 1.0}));
    EXPECT_EQ(NetPictureFrame(undirected, PictureFormat::Bmp, 593, 351, {3.0, false}),
              (PictureFrame{0, 0, 593, 351, 3.0}));
    EXPECT_FALSE(PictureFits({0, 0, 2000, 2000, 5.0}));
    EXPECT_TRUE(PictureFits({0, 0, 593, 351, LargestPictureScale(593, 351)}));
}

// PNG, SVG and PDF: larger by the scale, labels once in a face the machine has, pairs bent;
// a bitmap stays as the canvas draws it.
TEST(PictureExport, PicturesForSlidesAndPapers) {
    const auto image = [](const std::optional<std::string>& bytes) {
        return QImage::fromData(QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size())));
    };
    const QImage twice = image(RenderNetPicture(SquareNet(), PictureFormat::Png, {0, 0, 200, 150, 2.0}));
    EXPECT_EQ(twice.size(), QSize(400, 300));
    EXPECT_EQ(twice.pixel(80, 100) & 0xFFFFFF, 0u) << "the square's left side, two pixels wide";

    const auto svg = RenderNetPicture(SquareNet(), PictureFormat::Svg, 200, 150);
    ASSERT_TRUE(svg);
    QXmlStreamReader xml(QByteArray::fromStdString(*svg));
    std::vector<std::string> texts;
    QString family;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.attributes().hasAttribute("font-family"))
            family = xml.attributes().value("font-family").toString();
        if (xml.name() != QStringLiteral("text")) continue;
        EXPECT_TRUE(QFontDatabase::families().contains(family)) << family.toStdString();
        texts.push_back(xml.readElementText().toStdString());
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"1", "2", "Mill", "Farm"}));

    NetWorkType pair = SquareNet();
    pair.view.pointNames = 0;
    SetNetKind(pair, DirNetCode);
    AddTestEdge(pair, 2, 1, 2.0);
    const QImage bent = image(RenderNetPicture(pair, PictureFormat::Png, 200, 150));
    EXPECT_EQ(bent.pixel(100, 50) & 0xFFFFFF, 0xFFFFFFu) << "nothing on the line between the centres";
    EXPECT_NE(bent.pixel(100, 40) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_NE(bent.pixel(100, 59) & 0xFFFFFF, 0xFFFFFFu);
    const auto bmp = RenderNetPicture(pair, PictureFormat::Bmp, 200, 150);
    EXPECT_EQ(BmpPixel(*bmp, 100, 50), 0u);
    EXPECT_EQ(BmpPixel(*bmp, 100, 40), 0xFFFFFFu);
}

TEST(PictureExport, EveryFormatOfTheEmptyNet) {
    NetWorkType empty = NewTestNet(true);
    for (PictureFormat format : {PictureFormat::Bmp, PictureFormat::Wmf, PictureFormat::Png,
                                 PictureFormat::Svg, PictureFormat::Pdf}) {
        const auto bytes = RenderNetPicture(empty, format, 593, 351);
        ASSERT_TRUE(bytes);
        EXPECT_GT(bytes->size(), 100u);
    }
    EXPECT_FALSE(RenderNetPicture(empty, PictureFormat::Png, 0, 351));
}

} // namespace

} // namespace plax
