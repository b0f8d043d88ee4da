#pragma once
// Builders and comparisons shared by the Matrice2 tests.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "core/errors.h"
#include "core/matrice2.h"
#include "core/scalar.h"

namespace quorvix {

// A status in a failed expectation, by its code (found by argument lookup).
inline void PrintTo(MatStatus status, std::ostream* os) { *os << "status " << static_cast<std::int32_t>(status); }

}  // namespace quorvix

namespace quorvix::mattest {

// A complex Scalar, as the editors' reader makes every element.
inline Scalar C(double re, double im = 0.0) { return Scalar::Complex(re, im); }
inline Scalar R(double v) { return Scalar::Real(v); }
inline Scalar I(std::int32_t v) { return Scalar::Integer(v); }

// A matrix of complex Scalars with zero imaginary parts from real rows.
inline RCOMat ComplexRows(std::initializer_list<std::initializer_list<double>> rows) {
    RCOMat m;
    for (const auto& r : rows) {
        RCOVec row;
        for (double v : r) row.push_back(C(v));
        m.push_back(row);
    }
    return m;
}

// A matrix of real Scalars.
inline RCOMat RealRows(std::initializer_list<std::initializer_list<double>> rows) {
    RCOMat m;
    for (const auto& r : rows) {
        RCOVec row;
        for (double v : r) row.push_back(R(v));
        m.push_back(row);
    }
    return m;
}

inline RCOMat ScalarRows(std::initializer_list<std::initializer_list<Scalar>> rows) {
    RCOMat m;
    for (const auto& r : rows) m.emplace_back(r);
    return m;
}

inline bool SameKindAndValue(const Scalar& a, const Scalar& b) {
    if (a.Kind() != b.Kind()) return false;
    switch (a.Kind()) {
        case ScalarKind::Empty: return true;
        case ScalarKind::Integer: return a.IntegerValue() == b.IntegerValue();
        case ScalarKind::Real: return a.RealValue() == b.RealValue();
        case ScalarKind::Complex:
            return a.ComplexValue().Real() == b.ComplexValue().Real() &&
                   a.ComplexValue().Imaginary() == b.ComplexValue().Imaginary();
    }
    return false;
}

// Same kind and the same bits in every part (+0 and -0 differ).
inline bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }
inline bool SameBits(const Scalar& a, const Scalar& b) {
    if (a.Kind() != b.Kind()) return false;
    switch (a.Kind()) {
        case ScalarKind::Empty: return true;
        case ScalarKind::Integer: return a.IntegerValue() == b.IntegerValue();
        case ScalarKind::Real: return SameBits(a.RealValue(), b.RealValue());
        case ScalarKind::Complex:
            return SameBits(a.ComplexValue().Real(), b.ComplexValue().Real()) &&
                   SameBits(a.ComplexValue().Imaginary(), b.ComplexValue().Imaginary());
    }
    return false;
}

// A double with 17 significant digits, enough to tell any two apart.
inline std::string Digits17(double v) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

inline std::string Describe(const Scalar& v) {
    switch (v.Kind()) {
        case ScalarKind::Empty: return "empty";
        case ScalarKind::Integer: return "int " + std::to_string(v.IntegerValue());
        case ScalarKind::Real: return "real " + Digits17(v.RealValue());
        case ScalarKind::Complex:
            return "complex " + Digits17(v.ComplexValue().Real()) + " " + Digits17(v.ComplexValue().Imaginary()) + "i";
    }
    return "?";
}

// Two matrices of the same shape whose elements have the same kinds and bits.
inline ::testing::AssertionResult SameBits(const RCOMat& a, const RCOMat& b) {
    if (a.size() != b.size()) return ::testing::AssertionFailure() << "rows " << a.size() << " != " << b.size();
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].size() != b[i].size())
            return ::testing::AssertionFailure() << "row " << i << ": " << a[i].size() << " != " << b[i].size();
        for (std::size_t j = 0; j < a[i].size(); ++j)
            if (!SameBits(a[i][j], b[i][j]))
                return ::testing::AssertionFailure()
                       << "[" << i << "][" << j << "] " << Describe(a[i][j]) << " != " << Describe(b[i][j]);
    }
    return ::testing::AssertionSuccess();
}

// Exact value comparison (kinds may differ): real and imaginary parts equal.
inline ::testing::AssertionResult ValueIs(const Scalar& v, double re, double im = 0.0) {
    if (RealPart(v) == re && ImagPart(v) == im) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << Describe(v) << " is not " << re << " + " << im << "i";
}

// Matrix of values equal to the expected parts, within `tol` absolutely.
using Rows = std::vector<std::vector<double>>;
inline ::testing::AssertionResult MatrixNear(const RCOMat& m, const Rows& re, double tol = 0.0, const Rows& im = {}) {
    if (m.size() != re.size()) return ::testing::AssertionFailure() << "rows " << m.size() << " != " << re.size();
    std::size_t i = 0;
    for (const auto& row : re) {
        if (m[i].size() != row.size())
            return ::testing::AssertionFailure() << "row " << i << " has " << m[i].size() << " elements";
        std::size_t j = 0;
        for (double want : row) {
            double wantIm = 0.0;
            if (im.size() > i) wantIm = im[i][j];
            const double gotRe = RealPart(m[i][j]);
            const double gotIm = ImagPart(m[i][j]);
            if (std::abs(gotRe - want) > tol || std::abs(gotIm - wantIm) > tol)
                return ::testing::AssertionFailure() << "[" << i << "][" << j << "] is " << Describe(m[i][j])
                                                     << ", expected " << want << " + " << wantIm << "i";
            ++j;
        }
        ++i;
    }
    return ::testing::AssertionSuccess();
}

inline std::string ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const CalcError& e) {
        return e.what();
    }
    return "";
}

// The seed of the random property tests: QUORVIX_SEED when set, else a fixed one.
inline std::uint64_t TestSeed(std::uint64_t fallback) {
    if (const char* s = std::getenv("QUORVIX_SEED"); s != nullptr && *s != '\0') return std::strtoull(s, nullptr, 10);
    return fallback;
}

}  // namespace quorvix::mattest
