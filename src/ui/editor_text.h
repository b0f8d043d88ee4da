#pragma once
// An editor's text and the state's lines, each made from the other.
#include <QString>
#include <string>
#include <vector>

#include "textio/editor_lines.h"

class QPlainTextEdit;

namespace quorvix {

EditorLines LinesOf(const QPlainTextEdit* editor);

// The lines from `from` on, each ending with a line break, as lines added to
// an editor do.
QString TextOf(const std::vector<std::string>& lines, std::size_t from = 0);

// Replaces the editor's whole text as one step of its undo.
void ReplaceText(QPlainTextEdit* editor, const QString& text);

}  // namespace quorvix
