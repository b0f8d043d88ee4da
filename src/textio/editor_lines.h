#pragma once
// An editor's text as its lines, the form in which the state holds Matrix A,
// Matrix B and the result panel's input.
#include <string>
#include <string_view>
#include <vector>

namespace quorvix {

// An editor's text as its lines (an empty editor has no lines).
using EditorLines = std::vector<std::string>;

// Editor text as lines: breaks are "\n", "\r\n" or "\r"; a final break does
// not make an extra line, and an empty text is an empty editor.
EditorLines SplitEditorText(std::string_view text);

}  // namespace quorvix
