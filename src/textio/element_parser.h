#pragma once
// The element parser: the text of one matrix element, as the reader has
// rewritten it, turned into a complex Scalar.
#include <string_view>

#include "core/scalar.h"

namespace quorvix {

// A real number alone, or real, sign, number and "i". Raises
// ComplexParseError ("Could not parse real portion [<?>abc]") or, for a
// number too large for a double, the overflow error.
Scalar ComplexFromText(std::string_view text);

}  // namespace quorvix
