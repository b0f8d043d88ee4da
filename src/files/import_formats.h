#pragma once
// A text as a matrix, in any of the forms other programs write: Matrix
// Market, an Octave/MATLAB literal, a numpy/Python nested list, CSV,
// tab-separated values, or the editors' own syntax, told apart by the
// content alone.
#include <cstddef>
#include <string>
#include <string_view>

#include "core/matrice2.h"
#include "textio/output_settings.h"

namespace quorvix {

enum class ImportForm { MatrixMarket, Octave, Numpy, TabSeparated, CommaSeparated, SemicolonSeparated, EditorText };

// "Matrix Market", "Octave", "numpy", "tab-separated", "comma-separated",
// "semicolon-separated", "editor text".
const char* ImportFormName(ImportForm form);

// The most elements an import makes: a Matrix Market size line can ask for
// any number, with no entries to pay for them.
struct ImportLimits {
    std::size_t MaxElements = std::size_t{1} << 24;
};

// The form of `text`, by its content:
//   - a first line starting with "%%MatrixMarket": Matrix Market;
//   - after blank lines, comments and Python imports, and an optional
//     "NAME =": "array(" (or "np.array(" ...) or "[[" is numpy, "[" Octave;
//   - otherwise a line holding a tab: tab-separated; one holding ";":
//     semicolon-separated (decimal commas);
//   - otherwise commas: comma-separated when a token (between blanks) holds
//     two commas or begins or ends with one ("1,2,3", "1, 2"), editor text
//     when a line holds several tokens ("1,5 2,5": decimal commas, as the
//     editors read them), and for lines of one token each ("1,2") by the
//     decimal mark: comma-separated when it is ".", editor text when ",";
//   - otherwise editor text.
ImportForm DetectImportForm(std::string_view text, char decimalMark);

// The matrix `text` holds, every row of one length. Numbers of the machine
// forms are read to the nearest double; editor text as the editors read it
// under `settings`. Raises FileError `Cannot import "NAME": ...` saying what
// and where ("line 3, element 2: 'abc' is not a number", "line 3 has 2
// elements, line 1 has 3"); CancelledError when cancelled.
RCOMat ReadImportText(std::string_view text, const std::string& name, const OutputSettings& settings,
                      const ImportLimits& limits = {});

}  // namespace quorvix
