#pragma once
// Turning numbers and Scalars into result text.
#include <string>

#include "core/scalar.h"
#include "textio/output_settings.h"

namespace quorvix {

// A real number under the precision: rounded to RoundingFactor and printed in
// the general form, or "%1.4e" ('1.235E+003') when the factor is 0.
std::string FormatNumber(long double x, const OutputSettings& settings);
// A Scalar in rectangular ('1+2i', "-i") or, with the polar format, polar
// ('1.414(45)') form.
std::string ScalarToText(const Scalar& v, const OutputSettings& settings);
// The element text of the result writer: ScalarToText for complex values,
// otherwise FormatNumber of the value.
std::string ElementText(const Scalar& v, const OutputSettings& settings);
// FormatNumber of the value's real part, whatever its kind.
std::string RealElementText(const Scalar& v, const OutputSettings& settings);

// The element texts of a whole result under one setting, appended to a row
// being built: the same texts as ElementText and RealElementText, made
// without a temporary string for the common numbers.
class ElementPrinter {
public:
    explicit ElementPrinter(const OutputSettings& settings);
    // " " and the element's text right-aligned in 10 characters ("%10s";
    // longer texts are not cut), as a block row holds it.
    void AppendBlockField(std::string& row, const Scalar& v, bool realOnly) const;
    // The text right-aligned in 10 characters.
    void AppendField(std::string& row, const Scalar& v, bool realOnly) const;
    void AppendNumberField(std::string& row, long double x) const;

private:
    // Writes FormatNumber(x) at `out` (room for 96 characters) and returns
    // its length, or -1 when only the general routines can make it. With
    // `value`, also the number the text stands for (as reading it back gives).
    int WriteNumber(char* out, long double x, double* value = nullptr) const;
    int WriteElement(char* out, const Scalar& v, bool realOnly) const;

    const OutputSettings& settings_;
    int digits_ = -1;  // p when the factor is exactly 10^p (0 to 27), else -1
    long double factor_ = 0.0L;
    char mark_ = '.';
};

}  // namespace quorvix
