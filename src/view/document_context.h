#pragma once

#include "document_host.h"

#include "model/net_types.h"

#include <functional>
#include <string>

namespace plax {

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
    virtual DocumentHost& Host() = 0;

    // Changes the net as one step of the document's history (named `text`), when anything
    // changes; the document then repaints and re-enables by itself.
    virtual void Edit(const std::string& text, const std::function<void(NetWorkType&)>& change) = 0;

    // Disarms any armed command: status prompt cleared, "Ready" shown, Reset disabled.
    virtual void ResetCommand() = 0;
    // Writes a prompt into the status line.
    virtual void ShowPrompt(const std::string& prompt) = 0;
    // The stored colours or attributes of the net changed: repaint the canvas from the model.
    virtual void RepaintNet() = 0;
    // The net's shape changed: recompute menu and toolbar enabling.
    virtual void DefEnableItem() = 0;
};

} // namespace plax
