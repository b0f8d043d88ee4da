#pragma once
// The pieces every import reader shares: a refusal that says where, the
// numbers and complex elements of the machine formats (read to the nearest
// double), and the lines of a text.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/matrice2.h"
#include "core/scalar.h"

namespace quorvix {

// A reader's refusal: what is wrong and where ("line 3, element 2: 'abc' is
// not a number"). The import turns it into `Cannot import "NAME": ...`.
struct ImportFault {
    std::string Detail;
};

// One line of a text, counted from 1; breaks are "\n", "\r\n" or "\r".
struct TextLine {
    std::int32_t Number = 0;
    std::string_view Text;
};
std::vector<TextLine> SplitTextLines(std::string_view text);

// `text` without blanks, tabs and other characters of code 1 to 32 at
// either end.
std::string_view TrimBlanks(std::string_view text);

// "1 element", "3 elements".
std::string CountOf(std::size_t n, const char* one, const char* many);

// A number of the machine formats: an optional sign, digits with an
// optional "." (or, with `comma`, a "," instead), an optional exponent; the
// nearest double (std::from_chars). A magnitude below the smallest double is
// a zero of its sign. False for anything else: a word, "inf", "nan", a
// number beyond the largest double (then `tooLarge` is set).
bool ReadMachineNumber(std::string_view text, bool comma, double& value, bool& tooLarge);

// Where an element stands: its line (from 1), its row when the form has rows
// of its own (bracket literals; 0 otherwise), its element within its row.
struct ElementPlace {
    std::int32_t Line = 0;
    std::int32_t Row = 0;
    std::int32_t Element = 0;
};
// "line 3, element 2" or "line 1, row 2, element 1".
std::string PlaceText(const ElementPlace& place);

// An element of the machine formats: a number, "re+imi", "re - imi", "imi",
// "i", "-i", "re+i" with "i" or "j" (either case) as the unit, optionally in
// parentheses ("(1+2j)", as Python writes it). Raises ImportFault
// "PLACE: 'TEXT' is not a number" (or "... is too large for a number").
Scalar ReadMachineElement(std::string_view text, bool comma, const ElementPlace& place);

// The rows of a bracket literal as a matrix: all of one length, or
// ImportFault "line L: row 2 has 1 element, row 1 has 2" (L the line where
// that row starts). A matrix of rows without elements is the empty matrix.
RCOMat RectangularRows(std::vector<RCOVec> rows, const std::vector<std::int32_t>& rowLines);

}  // namespace quorvix
