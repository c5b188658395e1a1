#pragma once

#include "document_context.h"
#include "document_files.h"
#include "document_host.h"
#include "net_history.h"

#include "model/net_templates.h"
#include "model/net_types.h"

#include <QObject>
#include <QSize>
#include <QUndoStack>

#include <functional>
#include <memory>
#include <string>

class QPrinter;

namespace plax {

// The point options a new document's net takes (by the load mode of the settings).
PointOptionType NewNetPointOptions(const OptionType& options);
// The standard net as a new document gets it: its points spaced for that document's radius.
TemplateResult GenerateForNewNet(const TemplateParams& params, const OptionType& options);

// What a document asks of the window that shows it.
class DocumentDisplay {
public:
    virtual ~DocumentDisplay() = default;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void ShowPrompt(const std::string& prompt) = 0;
    // Disarms any armed command; every file command ends with it.
    virtual void ResetCommand() = 0;
    // What a picture of the net shows: the visible part of the canvas.
    virtual QSize PictureSize() const = 0;
};

// One open net and its files: the net being edited and its levels, its history of steps, the
// file name, whether the document has a name a plain Save may write to, New and Open, Save and
// Save As by the chosen extension, printing, the report beside the net, and the question before
// closing. It has no widget: the frame's dialogs ask, the display shows, and its signals say what
// changed.
class NetDocument : public QObject, private StepTarget {
    Q_OBJECT
public:
    NetDocument(DocumentHost& host, DocumentDisplay& display);
    ~NetDocument() override;
    NetDocument(const NetDocument&) = delete;
    NetDocument& operator=(const NetDocument&) = delete;

    NetWorkType& Net() { return net_; }
    const NetWorkType& Net() const { return net_; }
    NetLevels& Levels() { return levels_; }
    const std::string& FileName() const { return fileName_; }
    // No file yet, or one that could not be read whole: Save asks for a name.
    bool Unnamed() const { return unnamed_; }
    bool IsSubNet() const { return !levels_.AtTop(); }
    const std::vector<NetLevels::Step>& LevelSteps() const { return levels_.Path(); }
    bool Closed() const { return closed_; }
    // The net differs from its file: the history is away from the step that was saved.
    bool Changed() const { return !history_.isClean(); }

    // The one entry of every change of the net: `change` runs on the level shown, and when the
    // net then differs, one step named `text` joins the history. Steps with the same `mergeId`
    // (not -1) that follow each other become one. Answers whether a step was made.
    bool Edit(const std::string& text, const std::function<void(NetWorkType&)>& change, int mergeId = -1);
    // The same for a change already made (a drag, from its press to its release): `before` is
    // the level as it was.
    bool Record(const std::string& text, const NetWorkType& before, int mergeId = -1);
    QUndoStack& History() { return history_; }
    // A change that is no step: the document sends the signals that follow from it.
    void Notify(ShownChange what);

    // Fills the document from the file at `path`; "NoName" makes the empty unnamed net.
    void Open(const std::string& path);
    // The empty unnamed net with the options and view flags for new nets.
    void New();
    // Fills the document from a file of another graph tool, by its extension; false, with the
    // reader's refusal shown, when the file makes no net. The net has no file of its own yet:
    // Save asks for a name.
    [[nodiscard]] bool Import(const std::string& path);
    // New, filled with a standard net (changed, so closing asks to save it). False, with the
    // refusal in an error box and the net as it was, when the parameters make no net.
    bool NewFromTemplate(const TemplateParams& params);

    // The levels: Alt + double-click on the edge (from, to) and the Up One Level button. Each
    // answers whether the level changed; the caption becomes the new level's name.
    bool EnterSubNet(int from, int to);
    bool UpOneLevel();

    // Each answers whether the net was written (an exported picture or edge list is not the net).
    bool Save();
    bool SaveAs();
    bool SaveToFile();
    // Writes the net for other graph tools, in the format of the chosen extension; like the other
    // exports it leaves the file name and the changed flag as they are.
    bool Export();
    void Print();
    void PrintSetup();
    void ShowReport();
    void ClearReport();

    // Whether the document may close: not while a procedure runs, and a changed net with points
    // only once it is saved or the user lets it go.
    bool CloseQuery();
    // The document is closing: its nets are let go.
    void Release();

signals:
    // The net of the level shown changed: it must be painted again.
    void netChanged();
    // Another level (or another net) is shown: caption, kind and the whole view follow.
    void levelChanged();
    // Points were selected or let go.
    void selectionChanged();
    // What the commands are offered for may have changed.
    void enablingChanged();

private:
    bool GoToLevel(const LevelPath& level) override;
    NetWorkType& LevelNet() override { return net_; }
    void StepApplied() override;
    // A fresh net: an empty history that is saved as it is.
    void StartHistory();
    void SyncChanged();
    void MakeEmptyNet(const std::string& name);
    // The working net gets the size of the pictures made of it.
    void RecordPictureSize();
    bool WriteNetFile();
    QPrinter& Printer();

    DocumentHost& host_;
    DocumentDisplay& display_;
    NetWorkType net_;
    NetLevels levels_;
    std::string fileName_;
    bool unnamed_ = true;
    bool closed_ = false;
    std::unique_ptr<QPrinter> printer_;
    QUndoStack history_;
};

} // namespace plax
