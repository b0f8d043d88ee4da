#pragma once
// Everything the window holds, as plain state: the editors' lines, the
// coefficient and precision boxes, the output settings, the result panel, the
// result state and the command variables. The window binds its controls to
// this; quorvix-cli drives it without a window.
#include <string>
#include <vector>

#include "core/matrice2.h"
#include "textio/matrix_reader.h"
#include "textio/output_settings.h"
#include "textio/result_panel.h"
#include "textio/result_state.h"

namespace quorvix {

struct CalcState {
    EditorLines MatrixA;         // RichEdit1
    EditorLines MatrixB;         // RichEdit2
    std::string X = "1";         // Edit1, the coefficient x
    std::string Precision = "3"; // ComboBox1's text
    OutputSettings Settings;     // RoundingFactor, complex format (RadioGroup1), decimal mark
    ResultPanel Panel;           // RichEdit3
    ResultState Result;

    // Command variables.
    Scalar Coefficient;  // x as read by x*A, x*B and B^x
    RCOMat WorkT;        // transpose source, single operand, inverse of B, power accumulator
    matrx2 EigenWork;    // (n+1) x (n+1), indexed from 1

    // Message boxes that are not errors ("Successed!"), newest last.
    std::vector<std::string> Notices;
};

// The start state of the window: both editors hold the 3 x 3 identity when
// the decimal mark is "." or ",", otherwise they are empty; x "1", precision "3".
CalcState StartState(char decimalMark);
// The same from the locale's decimal symbol as the system reports it. A mark
// of more than one byte (such as the Arabic decimal separator) cannot be
// printed by the one-byte number formats: the editors start empty, as for any
// mark other than "." or ",", and numbers use "." rather than a broken byte.
CalcState StartStateForLocale(const std::string& localeMark);

}  // namespace quorvix
