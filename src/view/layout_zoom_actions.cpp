#include "document_actions.h"

#include <QAction>
#include <QMenu>

namespace plax {

namespace {

struct LayoutItem {
    const char* name;
    const char* caption;
    const char* hint;
    LayoutKind kind;
};

constexpr LayoutItem LayoutItems[] = {
    {"LayoutCircle1", "Circle", "Place the points on a circle", LayoutKind::Circle},
    {"LayoutGrid1", "Grid", "Place the points in rows and columns", LayoutKind::Grid},
    {"LayoutLayered1", "Layered", "Place the points in layers from left to right along the edges",
     LayoutKind::Layered},
    {"LayoutForceDirected1", "Force-directed", "Let the edges pull and the points push each other apart",
     LayoutKind::ForceDirected},
};

} // namespace

void DocumentActions::MakeLayoutMenu(QMenu& edit) {
    auto* layout = new QMenu(QStringLiteral("Layout"), &edit);
    layout->setObjectName(QStringLiteral("Layout1"));
    edit.addMenu(layout);
    for (const LayoutItem& item : LayoutItems) {
        QAction* action = AddAction(*layout, item.name, item.caption, item.hint);
        connect(action, &QAction::triggered, this,
                [this, kind = item.kind] { commands_.Layout1Click(kind); });
        layoutItems_.push_back(action);
    }
}

// The zoom is the view's, not the net's: always on, also while a procedure runs.
void DocumentActions::MakeZoomItems() {
    struct Item {
        const char* name;
        const char* caption;
        QList<QKeySequence> keys;
        ZoomCommand command;
    };
    const Item items[] = {
        {"ZoomIn1",
         "Zoom In",
         {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)},
         ZoomCommand::In},
        {"ZoomOut1", "Zoom Out", {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, ZoomCommand::Out},
        {"ActualSize1", "Actual Size", {QKeySequence(Qt::CTRL | Qt::Key_0)}, ZoomCommand::ActualSize},
        {"ZoomToFit1", "Zoom to Fit", {}, ZoomCommand::ToFit},
    };
    viewMenu_->addSeparator();
    for (const Item& item : items) {
        QAction* action = AddAction(*viewMenu_, item.name, item.caption);
        action->setShortcuts(item.keys);
        connect(action, &QAction::triggered, this,
                [this, command = item.command] { commands_.Zoom1Click(command); });
    }
}

} // namespace plax
