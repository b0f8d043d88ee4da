// Scalar kinds, mixed arithmetic, flush to zero, the division refusal,
// equality with its tolerance, and polar conversions.
#include <gtest/gtest.h>

#include <cmath>

#include "core/errors.h"
#include "core/kernel/fpu.h"
#include "core/scalar.h"

namespace quorvix {
namespace {

std::string MessageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const CalcError& e) {
        return e.what();
    }
    return "";
}

TEST(Scalar, ComplexProductKeepsComplexKind) {
    const Scalar p = Scalar::Complex(1, 2) * Scalar::Complex(1, -2);
    ASSERT_TRUE(IsComplex(p));
    EXPECT_EQ(p.ComplexValue().Real(), 5.0);
    EXPECT_EQ(p.ComplexValue().Imaginary(), 0.0);
}

TEST(Scalar, MixedRealAndComplexGivesComplex) {
    const Scalar s = Scalar::Real(2) + Scalar::Complex(0, 1);
    ASSERT_TRUE(IsComplex(s));
    EXPECT_EQ(s.ComplexValue().Real(), 2.0);
    EXPECT_EQ(s.ComplexValue().Imaginary(), 1.0);
    EXPECT_FALSE(IsComplex(Scalar::Real(2) * Scalar::Integer(3)));
    EXPECT_EQ(ScalarToReal(Scalar::Real(2) * Scalar::Integer(3)), 6.0);
}

TEST(Scalar, FlushToZeroOnEveryComplexStore) {
    EXPECT_EQ(Scalar::Complex(1e-12, -1e-13).ComplexValue().Real(), 0.0);
    EXPECT_FALSE(std::signbit(Scalar::Complex(-0.0, -1e-13).ComplexValue().Imaginary()));
    const Scalar diff = Scalar::Complex(1 + 1e-13, 0) - Scalar::Complex(1, 0);
    EXPECT_EQ(diff.ComplexValue().Real(), 0.0);
    EXPECT_EQ(Scalar::Real(1e-13).RealValue(), 1e-13);  // real Scalars keep small values
}

TEST(Scalar, ComplexDivisionRefusesTinyDivisors) {
    EXPECT_EQ(MessageOf([] { (void)(Scalar::Complex(1, 0) / Scalar::Complex(1e-7, 0)); }), "Division by zero");
    const Scalar q = Scalar::Complex(1, 0) / Scalar::Complex(2e-6, 0);
    EXPECT_DOUBLE_EQ(q.ComplexValue().Real(), 500000.0);
}

TEST(Scalar, RealFaultsAreErrors) {
    EXPECT_EQ(MessageOf([] { (void)(Scalar::Real(1) / Scalar::Real(0)); }), "Floating point division by zero");
    EXPECT_EQ(MessageOf([] { (void)(Scalar::Real(0) / Scalar::Integer(0)); }), "Invalid floating point operation");
    EXPECT_EQ(MessageOf([] { (void)(Scalar::Real(1e308) * Scalar::Real(10)); }), "Floating point overflow");
    EXPECT_EQ(MessageOf([] { (void)(Scalar::Complex(1e308, 0) * Scalar::Complex(1e308, 0)); }),
              "Floating point overflow");
    EXPECT_EQ(ScalarToReal(Scalar::Real(1e-300) * Scalar::Real(1e-300)), 0.0);  // underflow is silent
}

TEST(Scalar, ComplexOrderingIsInvalid) {
    EXPECT_EQ(MessageOf([] { (void)(Scalar::Complex(1, 0) < Scalar::Real(2)); }), "Invalid variant operation");
    EXPECT_TRUE(Scalar::Real(1) < Scalar::Integer(2));
}

TEST(Scalar, ConversionsToReal) {
    EXPECT_EQ(ScalarToReal(Scalar::Complex(3, 4)), 3.0);
    EXPECT_EQ(ScalarToReal(Scalar()), 0.0);
    EXPECT_EQ(ScalarToReal(Scalar::Integer(-7)), -7.0);
    EXPECT_EQ(ImagPart(Scalar::Real(2)), 0.0);
    EXPECT_EQ(ImagPart(Scalar::Complex(2, -3)), -3.0);
}

TEST(Scalar, EmptyBehavesAsZero) {
    EXPECT_EQ(ScalarToReal(Scalar() + Scalar::Real(2.5)), 2.5);
    EXPECT_TRUE(Scalar() == Scalar::Integer(0));
    EXPECT_TRUE(Scalar() == Scalar::Complex(0, 0));
}

TEST(Scalar, EqualityTolerance) {
    EXPECT_TRUE(Scalar::Complex(1, 0) == Scalar::Complex(1 + 1e-13, 0));
    EXPECT_TRUE(Scalar::Real(1) == Scalar::Complex(1 + 1e-13, 0));
    EXPECT_FALSE(Scalar::Complex(0.5, 0) == Scalar::Complex(0.5000001, 0));
    EXPECT_TRUE(Scalar::Complex(1e20, 0) == Scalar::Complex(1e20 + 1e7, 0));  // relative 1e-13
    EXPECT_FALSE(Scalar::Complex(0, 2) == Scalar::Integer(0));
    EXPECT_TRUE(Scalar::Complex(0, 1e-13) == Scalar::Integer(0));
}

TEST(Scalar, PolarAngles) {
    double r = 0, a = 0;
    ComplexToPolar(Scalar::Complex(-1, 0), true, r, a);
    EXPECT_EQ(r, 1.0);
    EXPECT_DOUBLE_EQ(a, M_PI);
    ComplexToPolar(Scalar::Complex(0, 0), true, r, a);
    EXPECT_EQ(r, 0.0);
    EXPECT_EQ(a, 0.0);
    ComplexToPolar(Scalar::Complex(0, -2), true, r, a);
    EXPECT_DOUBLE_EQ(a, -M_PI / 2);
    ComplexToPolar(Scalar::Complex(-1, -1e-13), false, r, a);  // the tiny part is +0
    EXPECT_GT(a, 0.0);
    EXPECT_DOUBLE_EQ(TComplexData(3, 4).Radius(), 5.0);
}

TEST(Scalar, FromPolarFlushesParts) {
    const Scalar v = ComplexFromPolar(2, static_cast<double>(kPi / 2));
    EXPECT_EQ(v.ComplexValue().Real(), 0.0);
    EXPECT_DOUBLE_EQ(v.ComplexValue().Imaginary(), 2.0);
    const Scalar c = ComplexConjugate(Scalar::Real(3));
    EXPECT_TRUE(IsComplex(c));
}

}  // namespace
}  // namespace quorvix
