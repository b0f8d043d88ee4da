#pragma once
// The two pieces every reader of decimal numbers shares: the digit test, and
// the conversion of a canonical decimal text to an extended number. The
// readers check the user's text by their own rules first and hand over a
// canonical form ("-12.5e3", "." as the mark), so the conversion never
// depends on the process locale.
#include <string>

namespace quorvix {

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The correctly rounded extended value of `canonical`; an infinity when it
// is beyond the extended range, 0 or a denormal when it is below it.
long double DecimalToExtended(const std::string& canonical);

}  // namespace quorvix
