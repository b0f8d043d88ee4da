#pragma once
// The settings a fuzz input's first byte chooses: precision 0 to 8 or the
// exponent form, point or comma as the locale's decimal mark, rectangular
// or polar complex format.
#include <cmath>
#include <cstdint>

#include "textio/output_settings.h"

namespace quorvix::fuzz {

inline OutputSettings SettingsFromByte(std::uint8_t mode) {
    OutputSettings settings;
    const unsigned precision = mode % 10u;
    settings.RoundingFactor = precision == 9 ? 0.0L : std::pow(10.0L, static_cast<long double>(precision));
    settings.DecimalMark = (mode / 10u) % 2u == 0 ? '.' : ',';
    settings.Format = (mode / 20u) % 2u == 0 ? ComplexFormat::Rectangular : ComplexFormat::Polar;
    return settings;
}

}  // namespace quorvix::fuzz
