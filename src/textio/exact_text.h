#pragma once
// Values as editor text at full precision: the text that the editors' own
// (complex) reading turns back into the very same doubles. "Use as Matrix
// A/B" and the imports put a result or a file into an editor this way, so
// that nothing is lost between one command and the next.
#include <string>

#include "core/matrice2.h"
#include "textio/editor_lines.h"

namespace quorvix {

// One real number: the shortest decimal that the complex reading of a token
// (ComplexElement) gives back as the same double, with `decimalMark` ("," or,
// for any other mark, "."). Fixed notation from 1E-4 up to below 1E15
// ("2.5", "-0.000125", "123456789012345.67"), otherwise the exponent form
// with "E" and a sign only when negative ("-1.25E-7", "6.02E23"). A value of
// magnitude at most 1e-12, which the reading stores as 0, is "0". Raises the
// floating-point error for an infinity or a NaN.
std::string ExactNumberText(double v, char decimalMark);

// One element in the forms the editors read: "2.5", "0.5+2i", "3-0.25i",
// "2i", "-i", "3+i"; an imaginary part with a negative exponent keeps a real
// part in front ("0+2E-5i"), since the reading takes "2E-5i" for a real
// number followed by a stray sign. Always rectangular.
std::string ExactElementText(const Scalar& v, char decimalMark);

// A matrix as editor lines: one row per line, elements separated by one
// blank. Rows are made on all threads; the cancel flag is looked at every
// row (with the rows done of the rows to do).
EditorLines ExactMatrixLines(const RCOMat& m, char decimalMark);

}  // namespace quorvix
