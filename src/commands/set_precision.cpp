#include "commands/set_precision.h"

#include <utility>

#include "core/errors.h"

namespace quorvix {

void SetPrecision(CalcState& s, std::string text) {
    s.Precision = std::move(text);
    PrecisionChange(s.Precision, s.Settings);
}

bool IsPrecisionText(const std::string& text, const OutputSettings& settings) {
    OutputSettings trial = settings;
    try {
        PrecisionChange(text, trial);
    } catch (const CalcError&) {
        return false;
    }
    return true;
}

}  // namespace quorvix
