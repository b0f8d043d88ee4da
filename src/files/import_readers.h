#pragma once
// The readers of the import forms, each for a text already told to be in its
// form (import_formats.h tells them apart and says what the file is called).
// Each returns a full rectangular matrix or raises ImportFault.
#include <cstddef>
#include <string_view>

#include "core/matrice2.h"
#include "files/import_formats.h"
#include "textio/output_settings.h"

namespace quorvix {

// Matrix Market: the header, comment lines, the size line, then the entries
// of the array or coordinate format.
RCOMat ReadMatrixMarket(std::string_view text, const ImportLimits& limits);

// Rows of fields separated by `separator` (a tab, "," or ";"); a field may
// use "," as its decimal mark unless "," separates. Blank lines are skipped.
RCOMat ReadDelimited(std::string_view text, char separator, const ImportLimits& limits);

// An Octave/MATLAB literal, "[1 2; 3 4]", optionally "NAME = [...];".
RCOMat ReadOctaveLiteral(std::string_view text, const ImportLimits& limits);

// A Python/numpy nested list, "[[1, 2], [3, 4]]", optionally inside
// "array(...)", "np.array(...)" or "numpy.array(...)" and after "NAME = ".
RCOMat ReadNumpyLiteral(std::string_view text, const ImportLimits& limits);

// Text in the editors' own syntax, read as the editors read it (the complex
// reading, with `settings`); rows of different lengths are refused.
RCOMat ReadEditorSyntax(std::string_view text, const OutputSettings& settings, const ImportLimits& limits);

}  // namespace quorvix
