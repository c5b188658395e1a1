#pragma once

class QAction;

namespace plax {

// The frame's own actions, made once for the program and shown in every document's menus: File
// > New, New from Template, Open, Recent Nets, Close, Import, Options, Exit; Edit > Undo and
// Redo; View > Undo History, Toolbar and the two palettes.
struct FrameActions {
    QAction* newNet = nullptr;
    QAction* newFromTemplate = nullptr;
    QAction* open = nullptr;
    QAction* recent = nullptr; // the "Recent Nets" sub-menu
    QAction* close = nullptr;  // closes the active window (Ctrl+F4)
    QAction* import = nullptr;
    QAction* options = nullptr;
    QAction* exit = nullptr;
    QAction* undo = nullptr;
    QAction* redo = nullptr;
    QAction* history = nullptr;
    QAction* toolbar = nullptr;
    QAction* optionsPalette = nullptr;
    QAction* alignPalette = nullptr;
};

} // namespace plax
