#pragma once
// The text tool commands of the editors' context menus and the complex-format
// choice. Each replaces an editor's text only once its new text is complete.
#include "commands/calc_state.h"
#include "textio/output_settings.h"

namespace quorvix {

inline constexpr const char* kReplacedNotice = "Successed!";

// The format is set first; then x, Matrix A and Matrix B are rewritten in the
// new notation, in this order. A failure leaves the controls after the failing
// one as they were, and the format stays chosen.
void RadioGroup1Click(CalcState& s, ComplexFormat newFormat);

void PolarToRect1Click(CalcState& s);  // Matrix A: "Polar To Rect"
void RecttoPolar1Click(CalcState& s);  // Matrix A: "Rect to Polar"
void PolarToRect2Click(CalcState& s);  // Matrix B
void RecttoPolar2Click(CalcState& s);  // Matrix B

void commatodot1Click(CalcState& s);  // result panel: every "," becomes "."
void dottocomma1Click(CalcState& s);  // result panel: every "." becomes ","

void Align1Click(CalcState& s);  // Matrix A
void Align2Click(CalcState& s);  // Matrix B
void Align3Click(CalcState& s);  // result panel

}  // namespace quorvix
