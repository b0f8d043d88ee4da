#include "commands/editor_tools.h"

#include "textio/text_tools.h"

namespace quorvix {

namespace {

void ReplaceMarks(CalcState& s, char from, char to) {
    ReplaceInPanel(s.Panel, from, to);
    s.Notices.emplace_back(kReplacedNotice);
}

}  // namespace

void SetComplexFormat(CalcState& s, ComplexFormat newFormat) {
    s.Settings.Format = newFormat;
    const Conversion conversion = newFormat == ComplexFormat::Polar ? Conversion::ToPolar : Conversion::ToRect;
    // x is converted as one token, without the blanks the editors get.
    s.X = ReadingX([&] { return ConvertToken(s.X, conversion, s.Settings); });
    s.MatrixA = ReadingEditor(Operand::A, [&] { return RewriteEditor(s.MatrixA, conversion, s.Settings, s.Panel); });
    s.MatrixB = ReadingEditor(Operand::B, [&] { return RewriteEditor(s.MatrixB, conversion, s.Settings, s.Panel); });
}

void PolarToRect(CalcState& s, Operand which) {
    EditorLines& editor = EditorOf(s, which);
    editor = ReadingEditor(which, [&] { return RewriteEditor(editor, Conversion::ToRect, s.Settings, s.Panel); });
}

void RectToPolar(CalcState& s, Operand which) {
    const Conversion conversion = s.Settings.Format == ComplexFormat::Polar ? Conversion::ToPolar : Conversion::None;
    EditorLines& editor = EditorOf(s, which);
    editor = ReadingEditor(which, [&] { return RewriteEditor(editor, conversion, s.Settings, s.Panel); });
}

void PanelCommaToDot(CalcState& s) { ReplaceMarks(s, ',', '.'); }
void PanelDotToComma(CalcState& s) { ReplaceMarks(s, '.', ','); }

void AlignEditor(CalcState& s, Editor editor) {
    switch (editor) {
        case Editor::MatrixA: s.MatrixA = AlignLines(s.MatrixA); return;
        case Editor::MatrixB: s.MatrixB = AlignLines(s.MatrixB); return;
        case Editor::Result: s.Panel.MutableLines() = AlignLines(s.Panel.Lines()); return;
    }
}

void ClearEditor(CalcState& s, Editor editor) {
    switch (editor) {
        case Editor::MatrixA: s.MatrixA.clear(); return;
        case Editor::MatrixB: s.MatrixB.clear(); return;
        case Editor::Result:
            s.Panel.Clear();
            s.Kept.clear();
            return;
    }
}

}  // namespace quorvix
