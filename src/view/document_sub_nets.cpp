// Ways into a sub-net besides Alt + double-click, which some window managers keep for moving
// windows: the Edit menu and the canvas's pop-up menu, keys, and a hint over decomposed edges.
#include "document_window.h"

#include "sub_net_levels.h"
#include "whole_texts.h"

#include "model/net_store.h"
#include "render/edge_anchors.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include <string>

namespace plax {

namespace {

constexpr const char* EnterSubNetCaption = "Enter Sub-net";
constexpr const char* DecomposeEdgeCaption = "Decompose Edge";

std::string SubNetHint(int from, int to) {
    return "Edge (" + std::to_string(from) + "," + std::to_string(to) + ") holds a sub-net";
}

} // namespace

void TMDIChild::MakeSubNetItems() {
    QMenu& edit = *Menus()[1];
    edit.addSeparator();
    enterSubNetItem_ = edit.addAction(QString::fromLatin1(EnterSubNetCaption));
    enterSubNetItem_->setObjectName(QStringLiteral("EnterSubNet1"));
    enterSubNetItem_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    enterSubNetItem_->setStatusTip(QStringLiteral("Enter the sub-net of the edge clicked last"));
    connect(enterSubNetItem_, &QAction::triggered, this,
            [this] { EnterSubNetAt(machine_.PressX(), machine_.PressY()); });
    upOneLevelItem_ = edit.addAction(QString::fromLatin1(UpOneLevelText));
    upOneLevelItem_->setObjectName(QStringLiteral("UpOneLevel1"));
    upOneLevelItem_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Backspace));
    upOneLevelItem_->setEnabled(false);
    connect(upOneLevelItem_, &QAction::triggered, this, [this] { UpOneLevel(); });
    connect(&edit, &QMenu::aboutToShow, this,
            [this] { NameSubNetItem(*enterSubNetItem_, machine_.PressX(), machine_.PressY()); });

    QMenu& popup = *PopupMenu();
    popupSeparator_ = popup.addSeparator();
    popupSeparator_->setVisible(false);
    popupEnterSubNet_ = popup.addAction(QString::fromLatin1(EnterSubNetCaption));
    popupEnterSubNet_->setVisible(false);
    popupEnterSubNet_->setObjectName(QStringLiteral("EnterSubNet2"));
    connect(popupEnterSubNet_, &QAction::triggered, this,
            [this] { EnterSubNetAt(popupAt_.x(), popupAt_.y()); });
}

TMDIChild::EdgeUnder TMDIChild::EdgeUnderAt(int x, int y) {
    // Hit tests must not wait for a paint to have placed the anchors.
    ComputeEdgeAnchors(Net(), canvas_->Anchors());
    const auto [from, to] = EdgeOver(Net(), canvas_->Anchors(), x, y);
    return {from, to, from != 0 && GetSubNet(Net(), from, to) != nullptr};
}

bool TMDIChild::NameSubNetItem(QAction& item, int x, int y) {
    const auto [from, to, decomposed] = EdgeUnderAt(x, y);
    // The menu keeps its key, so only the caption and the enabling change.
    const QString caption =
        QString::fromLatin1(from == 0 || decomposed ? EnterSubNetCaption : DecomposeEdgeCaption);
    if (item.text().remove(QLatin1Char('&')) != caption) item.setText(caption);
    item.setEnabled(from != 0);
    return from != 0;
}

void TMDIChild::EnterSubNetAt(int x, int y) {
    const EdgeUnder edge = EdgeUnderAt(x, y);
    if (edge.from == 0 || machine_.Armed() != Command::None) {
        Beep();
        return;
    }
    EnterSubNet(edge.from, edge.to);
}

void TMDIChild::ShowEdgeHint(int x, int y) {
    const auto [from, to, decomposed] = EdgeUnderAt(x, y);
    if (decomposed && (edgeHintShown_ || labelStatus_->text().isEmpty())) {
        const std::string hint = SubNetHint(from, to);
        if (labelStatus_->text().toStdString() != hint) ShowPrompt(hint);
        edgeHintShown_ = true;
    } else if (!decomposed && edgeHintShown_) {
        ShowPrompt("");
    }
}

} // namespace plax
