// The precision box. What it does not do: it does not check the range of p;
// any number is taken, "0" rounds to whole numbers and "2.5" gives 10^2.5.
#include "textio/output_settings.h"

#include <cmath>

#include "core/kernel/fpu.h"
#include "textio/locale_number.h"

namespace quorvix {

void PrecisionChange(const std::string& text, OutputSettings& settings) {
    if (text == "e") {
        settings.RoundingFactor = 0.0L;
        return;
    }
    const long double p = LocaleToExtended(text, settings.DecimalMark);
    // A factor beyond the extended range is refused as an overflow before the
    // setting changes, so a failed change always leaves the old factor.
    const long double factor = CheckExtended(std::pow(10.0L, p));
    settings.RoundingFactor = factor;
}

}  // namespace quorvix
