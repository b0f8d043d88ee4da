#include "workspace/editor_tools.h"

#include "textio/text_tools.h"

namespace quorvix {

namespace {

// "Rect to Polar" only converts while the polar format is chosen; otherwise
// the editor is rebuilt with its tokens as they are.
Conversion RectToPolarConversion(const CalcState& s) {
    return s.Settings.Format == ComplexFormat::Polar ? Conversion::ToPolar : Conversion::None;
}

}  // namespace

void RadioGroup1Click(CalcState& s, ComplexFormat newFormat) {
    s.Settings.Format = newFormat;
    const Conversion conversion = newFormat == ComplexFormat::Polar ? Conversion::ToPolar : Conversion::ToRect;
    // x is converted as one token, without the blanks the editors get.
    s.X = ConvertToken(s.X, conversion, s.Settings);
    s.MatrixA = RewriteEditor(s.MatrixA, conversion, s.Settings, s.Panel);
    s.MatrixB = RewriteEditor(s.MatrixB, conversion, s.Settings, s.Panel);
}

void PolarToRect1Click(CalcState& s) { s.MatrixA = RewriteEditor(s.MatrixA, Conversion::ToRect, s.Settings, s.Panel); }
void RecttoPolar1Click(CalcState& s) {
    s.MatrixA = RewriteEditor(s.MatrixA, RectToPolarConversion(s), s.Settings, s.Panel);
}
void PolarToRect2Click(CalcState& s) { s.MatrixB = RewriteEditor(s.MatrixB, Conversion::ToRect, s.Settings, s.Panel); }
void RecttoPolar2Click(CalcState& s) {
    s.MatrixB = RewriteEditor(s.MatrixB, RectToPolarConversion(s), s.Settings, s.Panel);
}

void commatodot1Click(CalcState& s) {
    ReplaceInPanel(s.Panel, ',', '.');
    s.Notices.emplace_back(kReplacedNotice);
}

void dottocomma1Click(CalcState& s) {
    ReplaceInPanel(s.Panel, '.', ',');
    s.Notices.emplace_back(kReplacedNotice);
}

void Align1Click(CalcState& s) { s.MatrixA = AlignLines(s.MatrixA); }
void Align2Click(CalcState& s) { s.MatrixB = AlignLines(s.MatrixB); }
void Align3Click(CalcState& s) { s.Panel.MutableLines() = AlignLines(s.Panel.Lines()); }

}  // namespace quorvix
