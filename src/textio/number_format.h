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

}  // namespace quorvix
