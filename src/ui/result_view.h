#pragma once
// ResultView: the result panel as the user sees it ("RichEdit3"). It shows
// the panel's lines, rewriting only from the first line that changed (the
// panel usually only grows); it keeps what the user typed in it, for the
// window to read back; and it carries its pop-up menu.
#include <string>
#include <vector>

#include "textio/result_panel.h"
#include "ui/command_runner.h"
#include "ui/focus_widgets.h"

class QMenu;

namespace quorvix {

class ResultView : public TabTypingEditor {
    Q_OBJECT

public:
    explicit ResultView(QWidget* panel);

    // When the user has changed the view since it last showed or read the
    // panel, its text as it is now replaces `panel`'s lines, every line
    // ending with a break, so that later results follow it.
    void Read(ResultPanel& panel);
    // Shows `panel`'s lines and scrolls to the end.
    void Show(const ResultPanel& panel);
    // The pop-up menu, to which the window adds the result items.
    QMenu* Menu() const { return menu_; }

signals:
    // A tool of the pop-up menu asks the window to rewrite the state.
    void RewriteAsked(const CommandRunner::Job& job, PrecisionUse precision);
    // The menu's "Save".
    void SaveAsked();

private:
    void AddMenu();

    QMenu* menu_ = nullptr;
    std::vector<std::string> shown_;  // the panel's lines as shown
    bool edited_ = false;             // the user changed the text since it was shown or read
    bool writing_ = false;            // the view itself is changing its text
};

}  // namespace quorvix
