#pragma once
// The pieces of polar notation that reading, printing and the text tools
// share: the degree factor, how a "radius(angle)" token splits, and how a
// negative part keeps its minus when rounding shows it as 0.
#include <optional>
#include <string>
#include <string_view>

namespace quorvix {

// Degrees per radian. Every angle the user types or reads goes through this
// factor rather than 180/pi; printed angles depend on it ("i" is
// 1(90.000001) at six decimals) and stored texts were made with it.
inline constexpr long double kDegreesPerRadian = 57.29578L;

// A token with both "(" and ")" is polar: the radius text is everything
// before the first "(", the angle text everything between the first "(" and
// the first ")" (nothing when the ")" comes first, which the number
// conversion then refuses).
struct PolarTokenText {
    std::string_view Radius;
    std::string_view Angle;
};
std::optional<PolarTokenText> SplitPolarToken(std::string_view token);

// The text of a negative part whose rounding ate its minus ("0" for -0.0004)
// gets the minus back where a real part stands before it, so that the sign
// still means what the value means: 1 - 0.0004i is '1-0i', never '10i'. A
// part that stands alone keeps its text ("0i").
std::string KeepMinus(std::string text, bool negative);

}  // namespace quorvix
