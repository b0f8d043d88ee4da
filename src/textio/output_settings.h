#pragma once
// The settings that decide how numbers are printed and read, passed by value
// to the code that needs them.
#include <string>

namespace quorvix {

enum class ComplexFormat { Rectangular = 0, Polar = 1 };

struct OutputSettings {
    // 10^p for precision p, 0 for the exponent form "e". Start: 1000 (p = 3).
    long double RoundingFactor = 1000.0L;
    ComplexFormat Format = ComplexFormat::Rectangular;
    // The decimal mark of the user's locale: printed numbers use it, and the
    // locale number conversion (real-only reading, polar parts, project files)
    // accepts it.
    char DecimalMark = '.';
};

// The precision box changed: "e" selects the exponent form (factor 0); any
// other text is converted as a locale number p and the factor becomes 10^p.
// A text that is not a number raises "'%s' is not a valid floating point
// value" and leaves the factor unchanged.
void PrecisionChange(const std::string& text, OutputSettings& settings);

}  // namespace quorvix
