#pragma once
// The pop-up menu of one of the window's editors, drawn by the platform:
// Undo; Copy and Paste; the editor's own tools; then Clear and Align, each
// group set off by a separator. It opens where the editor asks for its
// context menu.
#include <QString>
#include <functional>
#include <vector>

class QMenu;

namespace quorvix {

class TabTypingEditor;

// One of the editor's own tools; one without a name is a separator.
struct EditorMenuItem {
    const char* Name = nullptr;
    const char* Caption = nullptr;
    std::function<void()> Trigger;
};

// The design's names of the menu and of the items every editor's menu has.
struct EditorMenuNames {
    const char* Menu;
    const char* Undo;
    const char* Copy;
    const char* Paste;
    const char* Clear;
    const char* Align;
    // "Next field": moves on as Ctrl+Tab does, for editors in which Tab
    // types a tab; none when null.
    const char* NextField = nullptr;
};

// Builds the menu of `editor`, owned by the editor. Undo takes back typing
// and the window's rewrites alike; Paste does nothing while the editor is
// read-only (a command runs).
QMenu* AddEditorMenu(TabTypingEditor* editor, const EditorMenuNames& names, const std::vector<EditorMenuItem>& tools,
                     const std::function<void()>& clear, const std::function<void()>& align);

}  // namespace quorvix
