#include "ui/editor_text.h"

#include <QPlainTextEdit>
#include <QTextCursor>

namespace quorvix {

EditorLines LinesOf(const QPlainTextEdit* editor) { return SplitEditorText(editor->toPlainText().toStdString()); }

QString TextOf(const std::vector<std::string>& lines, std::size_t from) {
    QString text;
    for (std::size_t i = from; i < lines.size(); ++i) {
        text += QString::fromStdString(lines[i]);
        text += QLatin1Char('\n');
    }
    return text;
}

void ReplaceText(QPlainTextEdit* editor, const QString& text) {
    QTextCursor cursor(editor->document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(text);
    cursor.endEditBlock();
    editor->moveCursor(QTextCursor::Start);
}

}  // namespace quorvix
