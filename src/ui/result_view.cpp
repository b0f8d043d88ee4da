#include "ui/result_view.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

#include "commands/editor_tools.h"
#include "ui/control_look.h"
#include "ui/editor_menu.h"
#include "ui/editor_text.h"

namespace quorvix {

ResultView::ResultView(QWidget* panel) : TabTypingEditor(panel) {
    setObjectName(QStringLiteral("RichEdit3"));
    SetUpTextEditor(this, QRect(448, 88, 315, 473));
    // Its text is no element input: Tab and Shift+Tab move on.
    setTabChangesFocus(true);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!writing_) edited_ = true;
    });
    AddMenu();
}

void ResultView::AddMenu() {
    auto rewrite = [this](CommandRunner::Job job, PrecisionUse precision) {
        return [this, job = std::move(job), precision] { emit RewriteAsked(job, precision); };
    };
    // The mark swaps and Clear do not need the precision; Align rewrites numbers.
    menu_ = AddEditorMenu(this, {"PopupMenu3", "Undo3", "Copy2", "Paste2", "Clear4", "Align3"},
                          {{"commatodot1", "comma to dot", rewrite(PanelCommaToDot, PrecisionUse::None)},
                           {"dottocomma1", "dot to comma", rewrite(PanelDotToComma, PrecisionUse::None)},
                           {},
                           {"Save2", "Save", [this] { emit SaveAsked(); }}},
                          rewrite([](CalcState& s) { ClearEditor(s, Editor::Result); }, PrecisionUse::None),
                          rewrite([](CalcState& s) { AlignEditor(s, Editor::Result); }, PrecisionUse::Apply));
}

void ResultView::Read(ResultPanel& panel) {
    if (!edited_) return;
    const QString text = toPlainText();
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n'))) {
        writing_ = true;
        QTextCursor end(document());
        end.movePosition(QTextCursor::End);
        end.insertText(QStringLiteral("\n"));
        writing_ = false;
    }
    panel.MutableLines() = LinesOf(this);
    shown_ = panel.Lines();
    edited_ = false;
}

void ResultView::Show(const ResultPanel& panel) {
    const std::vector<std::string>& lines = panel.Lines();
    std::size_t same = 0;
    const std::size_t common = std::min(lines.size(), shown_.size());
    while (same < common && lines[same] == shown_[same]) ++same;
    if (same == shown_.size() && same == lines.size()) return;

    writing_ = true;
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    if (same < shown_.size()) {
        cursor.setPosition(document()->findBlockByNumber(static_cast<int>(same)).position());
        cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    } else {
        cursor.movePosition(QTextCursor::End);
    }
    cursor.insertText(TextOf(lines, same));
    cursor.endEditBlock();
    shown_.resize(same);
    shown_.insert(shown_.end(), lines.begin() + static_cast<std::ptrdiff_t>(same), lines.end());
    moveCursor(QTextCursor::End);
    ensureCursorVisible();
    writing_ = false;
}

}  // namespace quorvix
