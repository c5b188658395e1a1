#pragma once

#include "document_host.h"

#include "model/net_types.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace plax {

// What changed in the net without a step of the history, as the document tells its window.
enum class ShownChange {
    Picture,   // stored colours, a label on its way, the token game's state: painted again
    View,      // the view flags: painted again, and the View items re-enabled
    Selection, // the selected points: painted again
    Enabling,  // what the commands are offered for (the clipboard, an armed command)
};

// What a menu command of a document works on: the document's current net (the level being
// edited), its file name, the frame, and the few window operations a command ends with.
// TMDIChild implements it; tests use a document of their own.
class DocumentContext {
public:
    virtual ~DocumentContext() = default;

    virtual NetWorkType& Net() = 0;
    virtual const std::string& FileName() const = 0;
    // The net is a level below the top (a decomposed edge's sub-net).
    virtual bool IsSubNet() const = 0;
    // The decomposed edges (from, to), from the top down, that lead to the level being edited;
    // none at the top.
    virtual std::vector<std::pair<int, int>> Level() const = 0;
    virtual DocumentHost& Host() = 0;

    // Changes the net as one step of the document's history (named `text`), when anything
    // changes; the document then repaints and re-enables by itself.
    virtual void Edit(const std::string& text, const std::function<void(NetWorkType&)>& change) = 0;

    // Disarms any armed command: status prompt cleared, "Ready" shown, Reset disabled.
    virtual void ResetCommand() = 0;
    // Writes a prompt into the status line.
    virtual void ShowPrompt(const std::string& prompt) = 0;
    // A change that is no step (procedure marks, view flags, the selection) happened: the
    // document signals it, and the window repaints or re-enables from its slots.
    virtual void Notify(ShownChange what) = 0;
};

} // namespace plax
