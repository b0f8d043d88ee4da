// What every routine shares: 1 x 1 operands give the scalar answers, empty
// operands give empty answers without calling LAPACK with illegal sizes, an
// infinity or nan in an operand is refused with the floating-point message,
// huge entries whose results leave the double's range end as "Floating point
// overflow", a raised cancel flag stops a routine (before it starts and in
// the middle of a long one), and shapes that do not fit are the caller's
// fault.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "core/cancel.h"
#include "core/kernel/fpu.h"
#include "linalg/linalg.h"
#include "linalg_test_util.h"

namespace quorvix::linalg {
namespace {

using namespace test;

// One routine on a square operand, for each element type; `value` gives the
// scalar of interest of its result for a 1 x 1 operand, `shape` the shape of
// its main result.
struct Operation {
    const char* name;
    std::function<Complex(const RealMatrix&)> realValue;
    std::function<Complex(const ComplexMatrix&)> complexValue;
    std::function<std::string(const RealMatrix&)> shape;
    std::function<Complex(Complex)> expected;  // for the 1 x 1 operand [x]
};

template <typename T>
std::string ShapeOf(const Matrix<T>& m) {
    return std::to_string(m.Rows()) + "x" + std::to_string(m.Cols());
}

template <typename Value, typename Shape, typename Expected>
Operation Op(const char* name, Value value, Shape shape, Expected expected) {
    return {name, value, value, shape, expected};
}

std::vector<Operation> Operations() {
    return {
        Op(
            "Solve", [](const auto& a) { return Complex(Solve(a, a).X(0, 0)); },
            [](const RealMatrix& a) { return ShapeOf(Solve(a, a).X); }, [](Complex) { return Complex(1); }),
        Op(
            "PLU", [](const auto& a) { return Complex(PLU(a).U(0, 0)); },
            [](const RealMatrix& a) { return ShapeOf(PLU(a).U); }, [](Complex x) { return x; }),
        Op(
            "Eigvec", [](const auto& a) { return Eigvec(a).D(0, 0) * Eigvec(a).V(0, 0); },
            [](const RealMatrix& a) { return ShapeOf(Eigvec(a).V); }, [](Complex x) { return x; }),
        Op(
            "EigenvaluesOnly", [](const auto& a) { return EigenvaluesOnly(a).at(0); },
            [](const RealMatrix& a) { return std::to_string(EigenvaluesOnly(a).size()); }, [](Complex x) { return x; }),
        Op(
            "SingularValues", [](const auto& a) { return Complex(SingularValues(a).at(0)); },
            [](const RealMatrix& a) { return std::to_string(SingularValues(a).size()); },
            [](Complex x) { return Complex(std::abs(x)); }),
        Op(
            "Pinv", [](const auto& a) { return Complex(Pinv(a).X(0, 0)); },
            [](const RealMatrix& a) { return ShapeOf(Pinv(a).X); }, [](Complex x) { return 1.0 / x; }),
        Op(
            "Cond", [](const auto& a) { return Complex(Cond(a).Value); },
            [](const RealMatrix& a) { return std::to_string(Cond(a).Value); }, [](Complex) { return Complex(1); }),
        Op(
            "NullSpace", [](const auto& a) { return Complex(NullSpace(a).Cols()); },
            [](const RealMatrix& a) { return ShapeOf(NullSpace(a)); }, [](Complex) { return Complex(0); }),
        Op(
            "Rref", [](const auto& a) { return Complex(Rref(a)(0, 0)); },
            [](const RealMatrix& a) { return ShapeOf(Rref(a)); }, [](Complex) { return Complex(1); }),
        Op(
            "Expm", [](const auto& a) { return Complex(Expm(a)(0, 0)); },
            [](const RealMatrix& a) { return ShapeOf(Expm(a)); }, [](Complex x) { return std::exp(x); }),
        Op(
            "ConjugateTranspose", [](const auto& a) { return Complex(ConjugateTranspose(a)(0, 0)); },
            [](const RealMatrix& a) { return ShapeOf(ConjugateTranspose(a)); }, [](Complex x) { return std::conj(x); }),
        Op(
            "Multiply", [](const auto& a) { return Complex(Multiply(a, a)(0, 0)); },
            [](const RealMatrix& a) { return ShapeOf(Multiply(a, a)); }, [](Complex x) { return x * x; }),
        Op(
            "Inverse",
            [](const auto& a) {
                const auto r = Inverse(a);
                return r.Singular ? Complex(0) : Complex(r.X(0, 0));
            },
            [](const RealMatrix& a) { return ShapeOf(Inverse(a).X); }, [](Complex x) { return 1.0 / x; }),
        Op(
            "Determinant",
            [](const auto& a) {
                const auto d = Determinant(a);
                return Complex(d.Mantissa) * std::ldexp(1.0, static_cast<int>(d.Exponent));
            },
            [](const RealMatrix& a) { return std::to_string(Determinant(a).Exponent); }, [](Complex x) { return x; }),
        Op(
            "RCond1", [](const auto& a) { return Complex(RCond1(a)); },
            [](const RealMatrix& a) { return std::to_string(RCond1(a)); }, [](Complex) { return Complex(1); }),
        Op(
            "NumericRank", [](const auto& a) { return Complex(NumericRank(a)); },
            [](const RealMatrix& a) { return std::to_string(NumericRank(a)); }, [](Complex) { return Complex(1); }),
        Op(
            "SvdRank", [](const auto& a) { return Complex(SvdRank(a)); },
            [](const RealMatrix& a) { return std::to_string(SvdRank(a)); }, [](Complex) { return Complex(1); }),
        Op(
            "FrobeniusNorm", [](const auto& a) { return Complex(FrobeniusNorm(a)); },
            [](const RealMatrix& a) { return std::to_string(FrobeniusNorm(a)); },
            [](Complex x) { return Complex(std::abs(x)); }),
        Op(
            "SolveResidual", [](const auto& a) { return Complex(SolveResidual(a, a, a)); },
            [](const RealMatrix& a) { return std::to_string(SolveResidual(a, a, a)); },
            [](Complex x) { return std::abs(x * x - x) / (std::abs(x) * std::abs(x) + std::abs(x)); }),
    };
}

// The results of the 0 x 0 operand, by name.
std::string EmptyShape(const std::string& name) {
    if (name == "EigenvaluesOnly" || name == "SingularValues" || name == "NumericRank" || name == "SvdRank") return "0";
    if (name == "Cond") return std::to_string(0.0);
    if (name == "RCond1") return std::to_string(1.0);
    if (name == "Determinant") return "1";  // 1 = 0.5 · 2^1
    if (name == "FrobeniusNorm" || name == "SolveResidual") return std::to_string(0.0);
    return "0x0";
}

class Guards : public ::testing::TestWithParam<std::size_t> {
protected:
    void TearDown() override {
        ClearCancel();
        ResetProgress();
    }
    Operation op_ = Operations()[GetParam()];
};

TEST_P(Guards, OneByOneGivesTheScalarAnswer) {
    for (const Complex x : {Complex(-2.5), Complex(3, -4), Complex(1e-200, 0), Complex(0, 7e150)}) {
        // exp(7e150·i) is a phase known to no digit after the squarings.
        if (std::string(op_.name) == "Expm" && std::abs(x) > 10) continue;
        ComplexMatrix a(1, 1);
        a(0, 0) = x;
        const Complex want = op_.expected(x);
        const double tolerance = 8 * kEps * std::max(1.0, std::abs(want));
        EXPECT_LT(std::abs(op_.complexValue(a) - want), tolerance) << op_.name << " of " << x;
        if (x.imag() == 0) {
            const RealMatrix r = FromRows<double>({{x.real()}});
            EXPECT_LT(std::abs(op_.realValue(r) - want), tolerance) << op_.name << " of " << x;
        }
    }
}

TEST_P(Guards, EmptyOperandGivesAnEmptyResult) {
    EXPECT_EQ(op_.shape(RealMatrix(0, 0)), EmptyShape(op_.name)) << op_.name;
}

TEST_P(Guards, AnInfinityOrNanInTheOperandIsRefused) {
    std::mt19937_64 rng(Seed(1300));
    for (const double bad : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN()}) {
        const std::string want = std::isnan(bad) ? kInvalidOpMessage : kOverflowMessage;
        RealMatrix r = Random<double>(3, 3, rng);
        r(1, 2) = bad;
        EXPECT_EQ(ErrorOf([&] { op_.realValue(r); }), want) << op_.name << " with " << bad;
        ComplexMatrix c = Random<Complex>(3, 3, rng);
        c(2, 0) = Complex(0.5, bad);
        EXPECT_EQ(ErrorOf([&] { op_.complexValue(c); }), want) << op_.name << " with " << bad;
    }
}

TEST_P(Guards, ARaisedCancelFlagStopsTheRoutineBeforeItStarts) {
    std::mt19937_64 rng(Seed(1400));
    const ComplexMatrix a = Random<Complex>(4, 4, rng);
    RequestCancel();
    EXPECT_EQ(ErrorOf([&] { op_.complexValue(a); }), kCancelledMessage) << op_.name;
    EXPECT_THROW(op_.complexValue(a), CancelledError);
}

INSTANTIATE_TEST_SUITE_P(Operations, Guards, ::testing::Range<std::size_t>(0, Operations().size()),
                         [](const auto& info) { return std::string(Operations()[info.param].name); });

TEST(GuardsRange, HugeEntriesWhoseResultsLeaveTheRangeOverflow) {
    // 1e308·[1 1; 1 1]: its product, eigenvalue 2e308, singular value
    // 2e308 (which Pinv reports), Frobenius norm and exponential are beyond
    // the double's range. Everything else is within it and comes from A
    // divided by 2^1024: the solution, the factors, the inverse's absence,
    // the determinant, the condition, the null space, the ranks, the echelon
    // form and the residual.
    const RealMatrix h = FromRows<double>({{1e308, 1e308}, {1e308, 1e308}});
    const std::vector<std::string> overflows = {"Eigvec", "EigenvaluesOnly", "SingularValues", "Pinv",
                                                "Expm",   "Multiply",        "FrobeniusNorm"};
    for (const Operation& op : Operations()) {
        const bool overflow = std::find(overflows.begin(), overflows.end(), op.name) != overflows.end();
        EXPECT_EQ(ErrorOf([&] { op.realValue(h); }), overflow ? kOverflowMessage : "") << op.name;
        EXPECT_EQ(ErrorOf([&] { op.complexValue(ToComplex(h)); }), overflow ? kOverflowMessage : "") << op.name;
    }
    EXPECT_LT(std::fabs(PLU(h).U(1, 1)), 4 * kEps * 1e308);
    EXPECT_EQ(Rref(h), FromRows<double>({{1, 1}, {0, 0}}));
    EXPECT_EQ(SvdRank(h), 1);
    EXPECT_EQ(NumericRank(h), 1);
    EXPECT_EQ(NullSpace(h).Cols(), 1);
    // h·X = h: the LU path's X is close to I, the least-squares path's to
    // the projector [1 1; 1 1] / 2; either solves the system.
    const RealMatrix x = Solve(h, h).X;
    EXPECT_LT(SolveResidual(h, x, h), 4 * kEps);
}

// Runs `work` on another thread, raises the flag once it reports progress,
// and returns what it threw ("" when it finished first).
std::string CancelWhileRunning(const std::function<void()>& work) {
    ClearCancel();
    ResetProgress();
    std::string thrown;
    std::thread t([&] { thrown = ErrorOf(work); });
    while (CurrentProgress().Fraction <= 0.0) std::this_thread::yield();
    RequestCancel();
    t.join();
    ClearCancel();
    ResetProgress();
    return thrown;
}

TEST(GuardsCancel, ARaisedFlagStopsALongRoutineInTheMiddle) {
    std::mt19937_64 rng(Seed(1500));
    // ‖A‖₁ about 1e4: the [13/13] approximant and some 11 squarings, one
    // step each.
    ComplexMatrix a = Random<Complex>(300, 300, rng);
    for (std::size_t k = 0; k < a.Size(); ++k) a.Data()[k] *= 40;
    EXPECT_EQ(CancelWhileRunning([&] { Expm(a); }), kCancelledMessage);
    // Rref reports every column.
    const RealMatrix r = Random<double>(400, 400, rng);
    EXPECT_EQ(CancelWhileRunning([&] { Rref(r); }), kCancelledMessage);
}

TEST(GuardsShapes, OperandsThatDoNotFitAreTheCallersFault) {
    const RealMatrix wide(2, 3), square(2, 2);
    EXPECT_THROW(Solve(square, RealMatrix(3, 1)), std::invalid_argument);
    EXPECT_THROW(Multiply(wide, wide), std::invalid_argument);
    EXPECT_THROW(Eigvec(wide), std::invalid_argument);
    EXPECT_THROW(EigenvaluesOnly(wide), std::invalid_argument);
    EXPECT_THROW(Expm(wide), std::invalid_argument);
    EXPECT_THROW(LUFactor(wide), std::invalid_argument);
    EXPECT_THROW(Determinant(wide), std::invalid_argument);
    EXPECT_THROW(Inverse(wide), std::invalid_argument);
    EXPECT_THROW(RealMatrix(-1, 2), std::invalid_argument);
}

}  // namespace
}  // namespace quorvix::linalg
