// Scalar kinds, their mixed arithmetic, equality and polar conversions.
// Does not implement a text kind: text becomes a value only through the parser.
#include "core/scalar.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "core/errors.h"
#include "core/kernel/fpu.h"

namespace quorvix {

namespace {

[[noreturn]] void RaiseInvalidVariantOp() { throw ArithmeticError(kInvalidVariantOpMessage); }

bool IsIntegral(const Scalar& v) { return v.Kind() == ScalarKind::Empty || v.Kind() == ScalarKind::Integer; }
std::int64_t IntegralValue(const Scalar& v) { return v.Kind() == ScalarKind::Integer ? v.IntegerValue() : 0; }

Scalar FromInteger64(std::int64_t v) {
    if (v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max())
        return Scalar::Integer(static_cast<std::int32_t>(v));
    return Scalar::Real(static_cast<double>(v));
}

Scalar ComplexResult(long double re, long double im) { return Scalar::Complex(StoreDouble(re), StoreDouble(im)); }

enum class Op { Add, Sub, Mul, Div };

Scalar ComplexOp(Op op, const TComplexData& a, const TComplexData& b) {
    const long double ar = a.Real(), ai = a.Imaginary(), br = b.Real(), bi = b.Imaginary();
    switch (op) {
        case Op::Add: return ComplexResult(ar + br, ai + bi);
        case Op::Sub: return ComplexResult(ar - br, ai - bi);
        case Op::Mul: return ComplexResult(ar * br - ai * bi, ar * bi + ai * br);
        case Op::Div: {
            const long double d = br * br + bi * bi;
            if (std::fabs(d) <= kFlushLimitExtended) throw ArithmeticError(kComplexDivisionMessage);
            return ComplexResult((ar * br + ai * bi) / d, (ai * br - ar * bi) / d);
        }
    }
    RaiseInvalidVariantOp();
}

Scalar RealOp(Op op, const Scalar& a, const Scalar& b) {
    if (IsIntegral(a) && IsIntegral(b) && op != Op::Div) {
        const std::int64_t x = IntegralValue(a), y = IntegralValue(b);
        switch (op) {
            case Op::Add: return FromInteger64(x + y);
            case Op::Sub: return FromInteger64(x - y);
            default: return FromInteger64(x * y);
        }
    }
    const long double x = a.ToExtended(), y = b.ToExtended();
    switch (op) {
        case Op::Add: return Scalar::Real(StoreDouble(x + y));
        case Op::Sub: return Scalar::Real(StoreDouble(x - y));
        case Op::Mul: return Scalar::Real(StoreDouble(x * y));
        case Op::Div: return Scalar::Real(StoreDouble(DivideExtended(x, y)));
    }
    RaiseInvalidVariantOp();
}

Scalar Apply(Op op, const Scalar& a, const Scalar& b) {
    if (IsComplex(a) || IsComplex(b)) return ComplexOp(op, ToComplexData(a), ToComplexData(b));
    return RealOp(op, a, b);
}

// x and y are "same" when |x - y| <= max(min(|x|, |y|) * 1e-12, 1e-12).
bool Same(double x, double y) {
    const long double diff = std::fabs(static_cast<long double>(x) - static_cast<long double>(y));
    const long double scale = std::fmin(std::fabs(static_cast<long double>(x)), std::fabs(static_cast<long double>(y)));
    return diff <= std::fmax(scale * 1e-12L, 1e-12L);
}

}  // namespace

double FlushToZero(double part) { return std::fabs(part) <= kFlushLimit ? 0.0 : part; }

double TComplexData::Radius() const {
    double r = 0, a = 0;
    ComplexToPolar(Scalar::Complex(*this), true, r, a);
    return r;
}

double TComplexData::Theta() const {
    double r = 0, a = 0;
    ComplexToPolar(Scalar::Complex(*this), false, r, a);
    return a;
}

Scalar Scalar::Integer(std::int32_t v) {
    Scalar s;
    s.kind_ = ScalarKind::Integer;
    s.u_.i = v;
    return s;
}

Scalar Scalar::Real(double v) {
    Scalar s;
    s.kind_ = ScalarKind::Real;
    s.u_.r = v;
    return s;
}

Scalar Scalar::Complex(double re, double im) {
    Scalar s;
    s.kind_ = ScalarKind::Complex;
    s.u_.c = TComplexData(re, im);
    return s;
}

long double Scalar::ToExtended() const {
    switch (kind_) {
        case ScalarKind::Empty: return 0.0L;
        case ScalarKind::Integer: return u_.i;
        case ScalarKind::Real: return u_.r;
        case ScalarKind::Complex: return u_.c.Real();
    }
    return 0.0L;
}

Scalar Scalar::operator-() const {
    switch (kind_) {
        case ScalarKind::Empty: return Integer(0);
        case ScalarKind::Integer: return FromInteger64(-static_cast<std::int64_t>(u_.i));
        case ScalarKind::Real: return Real(-u_.r);
        case ScalarKind::Complex: return Complex(-u_.c.Real(), -u_.c.Imaginary());
    }
    return *this;
}

namespace {

// The common case of the products and eliminations: a complex operand (the
// other one converted to complex, as the general path does). The parts are evaluated in extended precision as in
// ComplexOp; when both stored doubles are finite they are the values ComplexOp would store, and any other case takes
// the general path, which raises the right error.
inline bool FastComplex(long double re, long double im, Scalar& out) {
    const double r = static_cast<double>(re), i = static_cast<double>(im);
    if (!std::isfinite(r) || !std::isfinite(i)) [[unlikely]]
        return false;
    out = Scalar::Complex(r, i);
    return true;
}

}  // namespace

Scalar operator+(const Scalar& a, const Scalar& b) {
    if (IsComplex(a) || IsComplex(b)) [[likely]] {
        const TComplexData x = ToComplexData(a), y = ToComplexData(b);
        Scalar out;
        if (FastComplex(static_cast<long double>(x.Real()) + y.Real(),
                        static_cast<long double>(x.Imaginary()) + y.Imaginary(), out))
            return out;
    }
    return Apply(Op::Add, a, b);
}

Scalar operator-(const Scalar& a, const Scalar& b) {
    if (IsComplex(a) || IsComplex(b)) [[likely]] {
        const TComplexData x = ToComplexData(a), y = ToComplexData(b);
        Scalar out;
        if (FastComplex(static_cast<long double>(x.Real()) - y.Real(),
                        static_cast<long double>(x.Imaginary()) - y.Imaginary(), out))
            return out;
    }
    return Apply(Op::Sub, a, b);
}

Scalar operator*(const Scalar& a, const Scalar& b) {
    if (IsComplex(a) || IsComplex(b)) [[likely]] {
        const TComplexData x = ToComplexData(a), y = ToComplexData(b);
        const long double ar = x.Real(), ai = x.Imaginary(), br = y.Real(), bi = y.Imaginary();
        Scalar out;
        if (FastComplex(ar * br - ai * bi, ar * bi + ai * br, out)) return out;
    }
    return Apply(Op::Mul, a, b);
}
Scalar operator/(const Scalar& a, const Scalar& b) { return Apply(Op::Div, a, b); }

bool operator==(const Scalar& a, const Scalar& b) {
    if (IsComplex(a) || IsComplex(b)) {
        const TComplexData x = ToComplexData(a), y = ToComplexData(b);
        return Same(x.Real(), y.Real()) && Same(x.Imaginary(), y.Imaginary());
    }
    if (IsIntegral(a) && IsIntegral(b)) return IntegralValue(a) == IntegralValue(b);
    return a.ToExtended() == b.ToExtended();
}

bool operator<(const Scalar& a, const Scalar& b) {
    if (IsComplex(a) || IsComplex(b)) RaiseInvalidVariantOp();
    return a.ToExtended() < b.ToExtended();
}

bool IsComplex(const Scalar& v) { return v.Kind() == ScalarKind::Complex; }

TComplexData ToComplexData(const Scalar& v) {
    if (IsComplex(v)) return v.ComplexValue();
    return TComplexData(StoreDouble(v.ToExtended()), 0.0);
}

double ScalarToReal(const Scalar& v) {
    if (v.Kind() == ScalarKind::Real) return v.RealValue();
    return StoreDouble(v.ToExtended());
}

double RealPart(const Scalar& v) { return ScalarToReal(v); }
double ImagPart(const Scalar& v) { return IsComplex(v) ? v.ComplexValue().Imaginary() : 0.0; }

Scalar ComplexFromParts(double re, double im) { return Scalar::Complex(re, im); }

Scalar ComplexFromPolar(double radius, double theta) {
    const long double r = radius, t = theta;
    return ComplexResult(r * std::cos(t), r * std::sin(t));
}

void ComplexToPolar(const Scalar& v, bool fixAngle, double& radius, double& angle) {
    const TComplexData c = ToComplexData(v);
    const long double re = c.Real(), im = c.Imaginary();
    radius = StoreDouble(std::sqrt(re * re + im * im));
    long double a = std::atan2(im, re);
    if (fixAngle) {
        while (a > kPi) a -= kTwoPi;
        while (a <= -kPi) a += kTwoPi;
    }
    angle = static_cast<double>(a);
}

Scalar ComplexConjugate(const Scalar& v) {
    const TComplexData c = ToComplexData(v);
    return Scalar::Complex(c.Real(), -c.Imaginary());
}

}  // namespace quorvix
