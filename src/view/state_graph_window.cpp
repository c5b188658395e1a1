#include "state_graph_window.h"

#include "model/file_io.h"
#include "model/file_messages.h"
#include "model/text_utils.h"
#include "render/picture_export.h"

#include <QBrush>
#include <QFontMetricsF>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <map>

namespace plax {

namespace {

constexpr qreal BoxHeight = 40;
constexpr qreal BoxPadding = 16;
constexpr qreal ColumnGap = 40;
constexpr qreal LayerStep = 90;
constexpr int PreviewWidth = 360;
constexpr const char* SaveFilter =
    "PNG picture (*.png)|*.png|SVG picture (*.svg)|*.svg|Graphviz DOT (*.dot)|*.dot";

// Clicks on a marking's box reach the window by the marking's number, kept in the item's data.
class MarkingView : public QGraphicsView {
public:
    MarkingView(QGraphicsScene* scene, QWidget* parent, std::function<void(std::size_t, bool)> onClick)
        : QGraphicsView(scene, parent), onClick_(std::move(onClick)) {}

protected:
    void mousePressEvent(QMouseEvent* event) override { Report(event, false); }
    void mouseDoubleClickEvent(QMouseEvent* event) override { Report(event, true); }

private:
    void Report(QMouseEvent* event, bool twice) {
        for (QGraphicsItem* item = itemAt(event->pos()); item != nullptr; item = item->parentItem()) {
            const QVariant marking = item->data(0);
            if (marking.isValid()) {
                onClick_(marking.value<std::size_t>(), twice);
                return;
            }
        }
    }
    std::function<void(std::size_t, bool)> onClick_;
};

QString Text(const std::string& latin1) { return QString::fromStdString(Latin1ToUtf8(latin1)); }

void AddArrowHead(QGraphicsScene& scene, QPointF tip, QPointF from) {
    const qreal angle = std::atan2(tip.y() - from.y(), tip.x() - from.x());
    QPolygonF head;
    head << tip << tip - QPointF(std::cos(angle - 0.4) * 9, std::sin(angle - 0.4) * 9)
         << tip - QPointF(std::cos(angle + 0.4) * 9, std::sin(angle + 0.4) * 9);
    scene.addPolygon(head, QPen(Qt::black, 1), QBrush(Qt::black));
}

// An arc from box a to box b (centres, `half` the boxes' half width). One layer down it is a
// straight line left of the middle, one layer up a straight line right of it, so that a pair of
// opposite firings stays apart; any other arc bows out to the right, clear of the boxes between.
// The transition's name stands near the arc's start, where arcs are apart.
void AddArc(QGraphicsScene& scene, QPointF a, QPointF b, qreal half, const QString& label) {
    const QPen pen(Qt::black, 1);
    QPainterPath path;
    QPointF labelAt;
    QPointF tip;
    QPointF towards;
    const qreal layers = (b.y() - a.y()) / LayerStep;
    if (a == b) {
        const QPointF out = a + QPointF(half, -6);
        tip = a + QPointF(half, 6);
        path.moveTo(out);
        path.cubicTo(out + QPointF(40, -24), tip + QPointF(40, 24), tip);
        towards = tip + QPointF(10, 4);
        labelAt = a + QPointF(half + 34, -8);
    } else if (std::abs(std::abs(layers) - 1) < 0.01) {
        const qreal side = layers > 0 ? -12 : 12;
        const QPointF from = a + QPointF(side, layers > 0 ? BoxHeight / 2 : -BoxHeight / 2);
        tip = b + QPointF(side, layers > 0 ? -BoxHeight / 2 : BoxHeight / 2);
        path.moveTo(from);
        path.lineTo(tip);
        towards = from;
        labelAt = from + (tip - from) * 0.3 + QPointF(layers > 0 ? -4 : 4, -8);
    } else {
        const QPointF from = a + QPointF(half, 0);
        tip = b + QPointF(half, 0);
        const QPointF bend = (from + tip) / 2 + QPointF(30 + 12 * std::abs(layers), 0);
        path.moveTo(from);
        path.quadTo(bend, tip);
        towards = bend;
        labelAt = from + (bend - from) * 0.5 + QPointF(4, -14);
    }
    scene.addPath(path, pen);
    AddArrowHead(scene, tip, towards);
    scene.addSimpleText(label)->setPos(labelAt);
}

} // namespace

StateGraphWindow::StateGraphWindow(const NetWorkType& net, StateGraph graph, Dialogs& dialogs, Taker take,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window), net_(net), graph_(std::move(graph)), dialogs_(dialogs),
      take_(std::move(take)) {
    setObjectName(QStringLiteral("StateGraph1"));
    setWindowTitle(Text(net.name) + (graph_.coverability ? QStringLiteral(" Coverability Graph")
                                                         : QStringLiteral(" State Graph")));
    scene_ = new QGraphicsScene(this);
    view_ = new MarkingView(scene_, this, [this](std::size_t marking, bool twice) {
        ShowMarking(marking);
        if (twice) Take(marking);
    });
    view_->setRenderHint(QPainter::Antialiasing);
    preview_ = new QLabel(this);
    preview_->setObjectName(QStringLiteral("StateGraphPreview"));
    caption_ = new QLabel(this);
    caption_->setObjectName(QStringLiteral("StateGraphCaption"));
    caption_->setWordWrap(true);
    auto* save = new QPushButton(QStringLiteral("&Save..."), this);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    connect(save, &QPushButton::clicked, this, [this] { Save(); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* side = new QVBoxLayout;
    side->addWidget(preview_);
    side->addWidget(caption_);
    side->addStretch();
    side->addWidget(save);
    side->addWidget(close);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addLayout(side);
    Layout();
    ShowMarking(0);
    resize(1000, 600);
}

void StateGraphWindow::Layout() {
    std::vector<QString> labels;
    qreal width = 0;
    const QFontMetricsF metrics(scene_->font());
    for (std::size_t i = 0; i < graph_.markings.size(); ++i) {
        labels.push_back(QStringLiteral("M%1\n").arg(i) + Text(MarkingText(graph_, net_, i)));
        width = std::max(width, metrics.boundingRect(QRectF(), 0, labels.back()).width());
    }
    const qreal boxWidth = width + BoxPadding;
    std::map<int, int> inLayer;
    for (const StateGraphMarking& m : graph_.markings)
        ++inLayer[m.layer];
    std::map<int, int> placed;
    std::vector<QPointF> centre;
    for (std::size_t i = 0; i < graph_.markings.size(); ++i) {
        const int layer = graph_.markings[i].layer;
        const int k = placed[layer]++;
        centre.emplace_back((k - (inLayer[layer] - 1) / 2.0) * (boxWidth + ColumnGap), layer * LayerStep);
    }
    for (const StateGraphArc& a : graph_.arcs)
        AddArc(*scene_, centre[a.from], centre[a.to], boxWidth / 2,
               Text(PetriPointLabel(net_, a.transition)));
    for (std::size_t i = 0; i < graph_.markings.size(); ++i) {
        const QRectF box(centre[i] - QPointF(boxWidth / 2, BoxHeight / 2), QSizeF(boxWidth, BoxHeight));
        const StateGraphMarking& m = graph_.markings[i];
        const QBrush fill(m.dead      ? QColor(0xFF, 0xD0, 0xD0)
                          : m.Omega() ? QColor(0xD0, 0xE0, 0xFF)
                                      : QColor(Qt::white));
        QGraphicsRectItem* item = scene_->addRect(box, QPen(Qt::black, 1), fill);
        item->setData(0, QVariant::fromValue(i));
        item->setToolTip(Text(MarkingText(graph_, net_, i)));
        if (i == 0) scene_->addRect(box.adjusted(3, 3, -3, -3), QPen(Qt::black, 1))->setParentItem(item);
        QGraphicsSimpleTextItem* text = scene_->addSimpleText(labels[i]);
        text->setParentItem(item);
        const QRectF size = text->boundingRect();
        text->setPos(box.center() - QPointF(size.width() / 2, size.height() / 2));
    }
}

void StateGraphWindow::ShowMarking(std::size_t marking) {
    if (marking >= graph_.markings.size()) return;
    shown_ = marking;
    DrawPreview();
    const StateGraphMarking& m = graph_.markings[marking];
    const QString take = m.Omega() ? QStringLiteral("w stands for a count that grows without bound: no one marking to take.")
                                   : QStringLiteral("Double-click to make it the net's marking.");
    caption_->setText(QStringLiteral("M%1: ").arg(marking) + Text(MarkingText(graph_, net_, marking)) +
                      QStringLiteral("\n%1 firing(s) from M0%2\n")
                          .arg(m.layer)
                          .arg(m.dead ? QStringLiteral(", dead") : QString()) +
                      take);
}

// The net as it was at opening, with the shown marking's tokens and the token labels on.
void StateGraphWindow::DrawPreview() {
    NetWorkType shown = net_;
    plax::TakeMarking(shown, graph_, shown_);
    // An unbounded count shows as "w" after the place's name.
    const StateGraphMarking& m = graph_.markings[shown_];
    for (std::size_t k = 0; k < m.tokens.size(); ++k) {
        if (m.tokens[k] != OmegaTokens) continue;
        PointType& place = shown.points[static_cast<std::size_t>(graph_.places[k])];
        place.name = PetriPointLabel(net_, graph_.places[k]) + " = w";
        place.tokens = 0;
    }
    shown.view.tokens = 1;
    shown.view.pointNames = 1;
    QImage image(DefaultPictureWidth, DefaultPictureHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        DrawNetPicture(painter, shown, image.width(), image.height());
    }
    preview_->setPixmap(QPixmap::fromImage(image.scaledToWidth(PreviewWidth, Qt::SmoothTransformation)));
}

bool StateGraphWindow::Save() {
    const auto path = dialogs_.AskSavePath(SaveFilter, "png", net_.name + " states");
    if (!path) return false;
    const std::string ext = UpperExtension(*path);
    std::optional<std::string> bytes;
    if (ext == ".DOT" || ext == ".GV") {
        bytes = StateGraphDot(graph_, net_);
    } else if (const auto format = PictureFormatForPath(*path);
               format == PictureFormat::Png || format == PictureFormat::Svg) {
        const QRectF area = scene_->itemsBoundingRect().adjusted(-20, -20, 20, 20);
        bytes = RenderPicture(*format, static_cast<int>(area.width()), static_cast<int>(area.height()),
                              windowTitle(), [&](QPainter& p) {
                                  p.fillRect(QRectF(0, 0, area.width(), area.height()), Qt::white);
                                  scene_->render(&p, QRectF(0, 0, area.width(), area.height()), area);
                              });
    }
    if (!bytes || WriteFileAtomically(*path, *bytes) != WriteStatus::Ok) {
        dialogs_.Warning(CannotSaveMessage(*path));
        return false;
    }
    return true;
}

} // namespace plax
