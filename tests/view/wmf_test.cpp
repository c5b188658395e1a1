#include "render/wmf_writer.h"

#include "model/net_file.h"
#include "model/net_store.h"
#include "recording_messages.h"
#include "render/picture_export.h"
#include "scratch_dir.h"
#include "view_test_nets.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace plax {

namespace {

using testing::AddTestEdge;
using testing::AddTestPoint;
using testing::NewTestNet;
using testing::ReadAll;
using testing::ScratchDir;
using testing::WriteAll;

std::string Bytes(std::initializer_list<int> bytes) {
    std::string out;
    for (int b : bytes)
        out.push_back(static_cast<char>(b));
    return out;
}

TEST(WmfWriter, PlaceableHeaderAndMetafileHeaderWorkedByHand) {
    WmfWriter writer(100, 50);
    const std::string wmf = writer.Finish();
    // Key, handle 0, box (0, 0, 100, 50), 96 per inch, reserved, checksum: the xor of the ten
    // words before it, CDD7 ^ 9AC6 ^ 0064 ^ 0032 ^ 0060 = 5727.
    EXPECT_EQ(wmf.substr(0, 22), Bytes({0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0,    100,
                                        0,    50,   0,    0x60, 0, 0, 0, 0, 0, 0x27, 0x57}));
    // Memory metafile, 9 header words, version 3.0, 26 words in all, no objects, largest record
    // 5 words; then map mode, window origin and window extent (y before x), and the end record.
    EXPECT_EQ(wmf.substr(22), Bytes({1, 0, 9, 0, 0,    3,    26, 0, 0,   0, 0, 0, 5,    0,    0, 0, 0, 0,
                                     4, 0, 0, 0, 0x03, 0x01, 8,  0, 5,   0, 0, 0, 0x0B, 0x02, 0, 0, 0, 0,
                                     5, 0, 0, 0, 0x0C, 0x02, 50, 0, 100, 0, 3, 0, 0,    0,    0, 0}));
}

TEST(WmfWriter, ObjectsTakeTheLowestFreeSlotAndRecordsCarryTheirParameters) {
    WmfWriter writer(100, 50);
    EXPECT_EQ(writer.CreatePen(WmfPenDash, 1, 0x0000FF), 0);
    EXPECT_EQ(writer.CreateBrush(WmfBrushSolid, 0xC0C0C0), 1);
    writer.DeleteObject(0);
    EXPECT_EQ(writer.CreatePen(WmfPenSolid, 3, 0), 0);
    writer.TextOut(7, 9, "Ab1");
    writer.Rectangle({10, 20, 30, 40});
    const std::string wmf = writer.Finish();
    EXPECT_EQ(wmf[22 + 10], 2); // two objects at most
    const std::string records = wmf.substr(22 + 18 + 8 + 10 + 10);
    // Pen: style dash, width (1, 0), colour red.
    EXPECT_EQ(records.substr(0, 16), Bytes({8, 0, 0, 0, 0xFA, 0x02, 1, 0, 1, 0, 0, 0, 0xFF, 0, 0, 0}));
    // Brush: solid, silver, no hatch.
    EXPECT_EQ(records.substr(16, 14), Bytes({7, 0, 0, 0, 0xFC, 0x02, 0, 0, 0xC0, 0xC0, 0xC0, 0, 0, 0}));
    // Text: length, the bytes padded to a word, then y and x.
    EXPECT_NE(wmf.find(Bytes({8, 0, 0, 0, 0x21, 0x05, 3, 0, 'A', 'b', '1', 0, 9, 0, 7, 0})),
              std::string::npos);
    // Rectangle: bottom, right, top, left.
    EXPECT_NE(wmf.find(Bytes({7, 0, 0, 0, 0x1B, 0x04, 40, 0, 30, 0, 20, 0, 10, 0})), std::string::npos);
    // Both live objects are deleted before the end record.
    EXPECT_EQ(wmf.substr(wmf.size() - 14), Bytes({4, 0, 0, 0, 0xF0, 0x01, 1, 0, 3, 0, 0, 0, 0, 0}));
}

// What an independent reader made of a metafile: its SVG elements by name, their attributes.
struct ReadBack {
    std::multimap<std::string, QXmlStreamAttributes> elements;
    std::vector<std::string> texts;
    std::size_t Count(const std::string& name) const { return elements.count(name); }
};

ReadBack ReadWithWmf2Svg(const std::string& wmfPath, const std::string& svgPath) {
    ReadBack result;
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("wmf2svg"));
    if (tool.isEmpty()) {
        ADD_FAILURE() << "wmf2svg not found: scripts/install-deps.sh installs libwmf-bin";
        return result;
    }
    QProcess process;
    process.start(tool,
                  {QStringLiteral("-o"), QString::fromStdString(svgPath), QString::fromStdString(wmfPath)});
    EXPECT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    QXmlStreamReader xml(QByteArray::fromStdString(ReadAll(svgPath)));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const std::string name = xml.name().toString().toStdString();
        result.elements.emplace(name, xml.attributes());
        if (name == "text") result.texts.push_back(xml.readElementText().toStdString());
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return result;
}

double Number(const QXmlStreamAttributes& attributes, const char* name) {
    return attributes.value(QLatin1String(name)).toDouble();
}

// A number of an SVG style property ("stroke-width:2.98").
double StyleNumber(const QString& style, const char* property) {
    const QRegularExpression pattern(QLatin1String(property) + QStringLiteral(":([0-9.]+)"));
    const QRegularExpressionMatch match = pattern.match(style);
    return match.hasMatch() ? match.captured(1).toDouble() : -1;
}

TEST(WmfPicture, AnIndependentReaderSeesEveryElement) {
    // Points of all eight shapes in a row, point 9 below; a connector, a dashed and a wide edge.
    NetWorkType net = NewTestNet(true);
    for (std::uint16_t shape = 0; shape < 8; ++shape)
        AddTestPoint(net, 40 + 60 * shape, 40, shape, "P" + std::to_string(shape));
    AddTestPoint(net, 100, 200, 0, "Low");
    AddTestEdge(net, 1, 9, 2.5, 3);
    AddTestEdge(net, 9, 4, 3)->lineStyle = 1;
    AddTestEdge(net, 9, 6, 4)->lineWidth = 3;
    net.view.pointNames = 1;
    net.view.edgeMarks = 1;

    ScratchDir dir;
    const auto wmf = RenderNetPicture(net, PictureFormat::Wmf, 520, 260);
    ASSERT_TRUE(wmf);
    WriteAll(dir.File("net.wmf"), *wmf);
    const ReadBack svg = ReadWithWmf2Svg(dir.File("net.wmf"), dir.File("net.svg"));

    EXPECT_EQ(svg.Count("ellipse"), 2u);  // the two circles
    EXPECT_EQ(svg.Count("polygon"), 3u);  // diamond and both triangles
    EXPECT_EQ(svg.Count("polyline"), 1u); // the connector
    EXPECT_EQ(svg.Count("line"), 8u);     // the two straight edges and two strokes for each arrowhead
    // The white ground, the square, two bars, the rounded square and the three weight boxes.
    EXPECT_EQ(svg.Count("rect"), 8u);
    // Seven numbers (bars have none), three weights, and each name from the point and again
    // from the labels pass.
    EXPECT_EQ(svg.texts.size(), 28u);
    for (const std::string name : {"P0", "P3", "P7", "Low", "2.5"})
        EXPECT_NE(std::find(svg.texts.begin(), svg.texts.end(), name), svg.texts.end()) << name;

    int rounded = 0;
    for (const auto& [name, attributes] : svg.elements) {
        if (name != "rect") continue;
        if (attributes.hasAttribute("rx")) {
            ++rounded;
            EXPECT_NEAR(Number(attributes, "rx"), 4.0, 0.5); // corner ellipse 8 for radius 10
        }
        // The square (90, 30)-(110, 50).
        if (std::abs(Number(attributes, "x") - 90) < 1.5 && std::abs(Number(attributes, "y") - 30) < 1.5) {
            EXPECT_NEAR(Number(attributes, "width"), 20, 1.5);
            EXPECT_NEAR(Number(attributes, "height"), 20, 1.5);
        }
    }
    EXPECT_EQ(rounded, 1);

    int dashed = 0;
    int wide = 0;
    for (const auto& [name, attributes] : svg.elements) {
        const QString style = attributes.value(QLatin1String("style")).toString();
        const bool stroke = name == "polyline" || name == "line";
        if (stroke && !style.contains(QStringLiteral("stroke-dasharray:none"))) ++dashed;
        if (stroke && std::abs(StyleNumber(style, "stroke-width") - 3) < 0.2) ++wide;
        if (name == "text") {
            EXPECT_TRUE(style.contains(QStringLiteral("font-family:Courier"))) << style.toStdString();
            EXPECT_NEAR(StyleNumber(style, "font-size"), 11, 0.2); // font size 8 is 11 pixels
        }
    }
    EXPECT_EQ(dashed, 1);
    EXPECT_EQ(wide, 3); // the wide edge and the two strokes of its arrowhead
}

// Runs a picture converter found on the path; a missing or failing one is a failure.
bool Convert(const QStringList& names, const QStringList& arguments, const std::string& package) {
    QString tool;
    for (const QString& name : names) {
        if (tool.isEmpty()) tool = QStandardPaths::findExecutable(name);
    }
    if (tool.isEmpty()) {
        ADD_FAILURE() << names.join(QStringLiteral(" or ")).toStdString()
                      << " not found: scripts/install-deps.sh installs " << package;
        return false;
    }
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        ADD_FAILURE() << tool.toStdString() << " cannot render the metafile (" << package
                      << " reads it): " << process.readAllStandardError().toStdString();
        return false;
    }
    return true;
}

// Whether the 7 by 7 pixels around (x, y) of a picture drawn at `scale` hold a dark pixel, with
// transparent parts taken as the white ground.
bool InkNear(const QImage& image, double scale, int x, int y) {
    const int cx = static_cast<int>(std::lround(x * scale));
    const int cy = static_cast<int>(std::lround(y * scale));
    for (int py = cy - 3; py <= cy + 3; ++py) {
        for (int px = cx - 3; px <= cx + 3; ++px) {
            if (!image.valid(px, py)) continue;
            const QColor c = image.pixelColor(px, py);
            if (255 - c.alpha() * (255 - qGray(c.rgb())) / 255 < 200) return true;
        }
    }
    return false;
}

TEST(WmfPicture, LibwmfAndImageMagickDrawTheEdges) {
    NetWorkType net;
    NetInit(net);
    testing::RecordingMessages messages;
    ASSERT_TRUE(LoadNetFile(net, PLAX_EXAMPLES_DIR "/road.net", OptionType{}, messages));
    ScratchDir dir;
    const auto wmf = RenderNetPicture(net, PictureFormat::Wmf, 593, 351);
    ASSERT_TRUE(wmf);
    const QString in = QString::fromStdString(dir.File("road.wmf"));
    WriteAll(in.toStdString(), *wmf);

    // The midpoints of the edges 1-3, 5-8 and 7-9, and a spot inside the face 6-8-9-7.
    const std::vector<std::pair<int, int>> edges = {{125, 190}, {395, 85}, {415, 275}};
    const std::pair<int, int> empty = {400, 200};
    struct Renderer {
        QStringList names;
        QStringList arguments;
        QString output;
        std::string package;
    };
    const QString gd = QString::fromStdString(dir.File("gd.png"));
    const QString magick = QString::fromStdString(dir.File("magick.png"));
    for (const Renderer& r :
         {Renderer{{QStringLiteral("wmf2gd")}, {QStringLiteral("-o"), gd, in}, gd, "libwmf-bin"},
          Renderer{{QStringLiteral("magick"), QStringLiteral("convert")},
                   {in, magick},
                   magick,
                   "imagemagick and libmagickcore-6.q16-6-extra"}}) {
        SCOPED_TRACE(r.names.front().toStdString());
        if (!Convert(r.names, r.arguments, r.package)) continue;
        const QImage image(r.output);
        ASSERT_FALSE(image.isNull());
        const double scale = image.width() / 593.0; // readers draw at 72 or 96 pixels per inch
        for (const auto& [x, y] : edges)
            EXPECT_TRUE(InkNear(image, scale, x, y)) << "no edge at " << x << "," << y;
        EXPECT_FALSE(InkNear(image, scale, empty.first, empty.second));
    }
}

} // namespace

} // namespace plax
