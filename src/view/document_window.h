#pragma once

#include "document_context.h"
#include "document_files.h"
#include "document_host.h"

#include "model/net_types.h"

#include <QSize>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QPrinter;
class QPushButton;
class QScrollArea;

namespace plax {

class NetCanvasWidget;
class PropertyCommands;

// The window of one open net: its canvas, its menus, its status line, and the net's life from
// New or Open through Save, Save As and Print to Close.
class TMDIChild : public QWidget, public DocumentContext {
    Q_OBJECT
public:
    explicit TMDIChild(DocumentHost& host, QWidget* parent = nullptr);
    ~TMDIChild() override;

    // Fills the document from the file at `path`; "NoName" makes the empty unnamed net.
    void OpenDocument(const std::string& path);
    // The frame's New: the empty unnamed net with the options and view flags for new nets.
    void NewDocument();

    // The menus the frame shows while this document is active: "&File", "&View", "&Property",
    // "&Report".
    std::vector<QMenu*> Menus() const;
    // The canvas's right-button menu.
    QMenu* PopupMenu() const { return popupMenu_; }

    // A command by its toolbar code; unknown codes do nothing.
    void DoCommand(int code);
    // Each answers whether the net was written (an exported picture or edge list is not the net).
    bool SaveNet();
    bool SaveNetAs();
    bool SaveNetToFile();
    void Print1Click();
    void PrintSetup1Click();
    void ShowReport1Click();
    void ClearReport1Click();
    void RefreshNet1Click();

    // Which DoCommand codes the toolbar and the palette may offer for this net.
    CommandEnabling Enabling() const;
    void FormActivate();
    bool InTimerMode() const { return false; }
    void TimerTick() {}

    // What a picture of the net shows: the visible part of the canvas.
    QSize PictureSize() const;
    bool Unnamed() const { return unnamed_; }

    NetWorkType& Net() override { return net_; }
    const std::string& FileName() const override { return fileName_; }
    bool IsSubNet() const override { return !levels_.AtTop(); }
    DocumentHost& Host() override { return host_; }
    void ResetCommand() override;
    void ShowPrompt(const std::string& prompt) override;
    void RepaintNet() override;
    void DefEnableItem() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* MakeStatusLine();
    void MakeMenus();
    void MakeFileMenu();
    void MakeViewMenu();
    void MakeReportMenu();
    QAction* AddAction(QMenu& menu, const char* name, const char* caption, const char* hint = "");
    void ShowHintsOf(QMenu& menu);

    void MakeEmptyNet(const std::string& name);
    void ClearSelection();
    void SetCaption(const std::string& caption);
    // The working net gets the size of the pictures made of it.
    void RecordPictureSize();
    bool WriteNetFile();
    // Close: false when the document must stay open.
    bool FormCloseQuery();
    QPrinter& Printer();

    DocumentHost& host_;
    NetWorkType net_;
    NetLevels levels_;
    std::string fileName_;
    bool unnamed_ = true;
    bool closed_ = false;
    std::unique_ptr<QPrinter> printer_;

    QLabel* labelType_ = nullptr;
    QLabel* labelCoord_ = nullptr;
    QLabel* labelStatus_ = nullptr;
    QPushButton* resetBtn_ = nullptr;
    QPushButton* upOneLevelBtn_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    NetCanvasWidget* canvas_ = nullptr;

    QMenu* fileMenu_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    QMenu* propertyMenu_ = nullptr;
    QMenu* reportMenu_ = nullptr;
    QMenu* popupMenu_ = nullptr;
    QAction* saveAction_ = nullptr;
    QAction* refreshNetAction_ = nullptr;
    PropertyCommands* property_ = nullptr;
};

} // namespace plax
