#pragma once
// Scalar: one matrix element or single-number value. A small value type: the
// complex kind keeps its two parts inline, so copying a Scalar never allocates.
//
// Kinds: empty (never assigned; behaves as 0), integer (small constants the
// program creates), real (a double) and complex (two doubles). Complex parts
// of magnitude at most 1e-12 are stored as exactly +0 ("flush to zero"); real
// values keep small magnitudes. There is no fixed-point kind: the constants
// the routines create are integers, and the one four-decimal comparison (the
// determinant's first pivot candidate) is made on the magnitude itself.
//
// Arithmetic is evaluated with a 64-bit significand and stored as double;
// overflow, division by zero and invalid operations raise ArithmeticError.
// There is no text kind: text only becomes a value through the element
// parser of the text layer (textio/element_parser.h).
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvix {

enum class ScalarKind : std::uint8_t { Empty, Integer, Real, Complex };

// The flush limit, 1e-12: a complex part of magnitude at most this is stored
// as +0, and a complex divisor whose squared modulus is at most this is
// refused. Every routine and kernel that flushes or tests a divisor uses it.
inline constexpr double kFlushLimit = 1e-12;
// The same limit written as an extended literal, for the tests made in
// extended precision (a divisor's squared modulus). It is not kFlushLimit
// widened: 1e-12 has no exact binary value, and the extended literal is the
// nearer one, so each test keeps the literal it was written with.
inline constexpr long double kFlushLimitExtended = 1e-12L;
static_assert(kFlushLimitExtended != static_cast<long double>(kFlushLimit), "two roundings of 1e-12, not one");

// A part of magnitude at most 1e-12 becomes exactly +0 (a -0 becomes +0 too).
double FlushToZero(double part);

// The complex payload: real part and imaginary part, both flushed when made.
class TComplexData {
public:
    TComplexData() = default;
    TComplexData(double re, double im) : re_(FlushToZero(re)), im_(FlushToZero(im)) {}

    double Real() const { return re_; }
    double Imaginary() const { return im_; }

    double Radius() const;  // sqrt(re^2 + im^2)
    double Theta() const;   // atan2(im, re), in [-pi, pi]

private:
    double re_ = 0.0;
    double im_ = 0.0;
};

class Scalar {
public:
    Scalar() = default;  // empty

    static Scalar Integer(std::int32_t v);
    static Scalar Real(double v);
    static Scalar Complex(double re, double im);
    static Scalar Complex(const TComplexData& c) { return Complex(c.Real(), c.Imaginary()); }

    ScalarKind Kind() const { return kind_; }
    bool IsEmpty() const { return kind_ == ScalarKind::Empty; }

    // Raw payloads; only meaningful for the matching kind.
    std::int32_t IntegerValue() const { return u_.i; }
    double RealValue() const { return u_.r; }
    const TComplexData& ComplexValue() const { return u_.c; }

    // The value as an extended number (complex: the real part; empty: 0).
    long double ToExtended() const;

    Scalar operator-() const;
    friend Scalar operator+(const Scalar& a, const Scalar& b);
    friend Scalar operator-(const Scalar& a, const Scalar& b);
    friend Scalar operator*(const Scalar& a, const Scalar& b);
    friend Scalar operator/(const Scalar& a, const Scalar& b);
    Scalar& operator+=(const Scalar& b) { return *this = *this + b; }
    Scalar& operator-=(const Scalar& b) { return *this = *this - b; }
    Scalar& operator*=(const Scalar& b) { return *this = *this * b; }
    Scalar& operator/=(const Scalar& b) { return *this = *this / b; }

    // Equality: complex values compare part by part with a relative tolerance
    // of 1e-12 (absolute 1e-12 near zero); other kinds compare exactly.
    friend bool operator==(const Scalar& a, const Scalar& b);
    friend bool operator!=(const Scalar& a, const Scalar& b) { return !(a == b); }

    // Ordering is defined for non-complex values only; a complex operand raises
    // "Invalid variant operation".
    friend bool operator<(const Scalar& a, const Scalar& b);
    friend bool operator>(const Scalar& a, const Scalar& b) { return b < a; }

private:
    ScalarKind kind_ = ScalarKind::Empty;
    union Payload {
        std::int32_t i;
        double r;
        TComplexData c;
        Payload() : r(0.0) {}
    } u_;
};

static_assert(sizeof(Scalar) <= 24, "a Scalar stays a small inline value");

inline constexpr const char* kInvalidVariantOpMessage = "Invalid variant operation";
inline constexpr const char* kComplexDivisionMessage = "Division by zero";

bool IsComplex(const Scalar& v);
// The value as a complex number (empty, integer and real become x + 0i).
TComplexData ToComplexData(const Scalar& v);
// Complex: the real part; real or integer: the value; empty: 0.
double ScalarToReal(const Scalar& v);
// Real and imaginary parts (a non-complex value has imaginary part 0).
double RealPart(const Scalar& v);
double ImagPart(const Scalar& v);

Scalar ComplexFromParts(double re, double im);
// re = r*cos(theta), im = r*sin(theta), theta in radians; each part flushed.
Scalar ComplexFromPolar(double radius, double theta);
// Radius and angle (radians) of the value converted to complex; with fixAngle
// the angle is moved into (-pi, pi] (-pi becomes pi).
void ComplexToPolar(const Scalar& v, bool fixAngle, double& radius, double& angle);
Scalar ComplexConjugate(const Scalar& v);

// Extended constants used by the polar conversions.
inline constexpr long double kPi = 3.14159265358979323846264338327950288L;
inline constexpr long double kTwoPi = 6.28318530717958647692528676655900577L;

}  // namespace quorvix
