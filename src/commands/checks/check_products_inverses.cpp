// The checks of A*B, A/B, A^x and inv. A product is compared with the BLAS
// product normwise, against k·eps·‖A‖·‖B‖ (the double product's own error);
// an inverse, a quotient and a negative power against
// n·eps·cond as well. No componentwise bound: an element that cancels to
// near 0 is not judged on its own.
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "commands/checks/check_factors.h"
#include "commands/checks/check_families.h"
#include "commands/checks/check_support.h"
#include "commands/handlers.h"
#include "linalg/inverse.h"
#include "linalg/multiply.h"
#include "linalg/norms.h"

namespace quorvix::checks {

namespace {

template <typename T>
Matrix<T> Promote(const Operand2& m) {
    if constexpr (std::is_same_v<T, Complex>) {
        return std::visit([](const auto& x) { return linalg::ToComplex(x); }, m);
    } else {
        return std::get<RealMatrix>(m);
    }
}

bool EitherComplex(const Operand2& a, const Operand2& b) {
    return std::holds_alternative<ComplexMatrix>(a) || std::holds_alternative<ComplexMatrix>(b);
}

const RCOMat* MatrixOf(const CheckedOutcome& outcome) {
    const auto* m = outcome.ResultAs<MatrixResult>();
    return m == nullptr ? nullptr : &m->Matrix;
}

// The design's matrix against the double one, whose error is at most
// relBound·scale: a line naming the element that differs most, or nothing.
template <typename T>
std::optional<std::string> CompareMatrix(const RCOMat& shown, const Matrix<T>& exact, long double relBound,
                                         long double scale, const char* what, std::optional<double> condition,
                                         const std::string& advice) {
    const Matrix<T> got = FromResult<T>(shown, exact.Rows(), exact.Cols());
    const long double bound = std::fmax(relBound, static_cast<long double>(kSmallestReported)) * scale;
    if (!(DifferenceNorm(got, exact) > bound)) return std::nullopt;
    const Place p = LargestDifference(got, exact);
    return CheckLine(CheckNumber(Complex(exact(p.Row, p.Col))) + " for element " + ElementPlace(p) + " of this " + what,
                     condition, kRoundingRule, advice);
}

// The largest element of a matrix, by modulus.
template <typename T>
T LargestElement(const Matrix<T>& m) {
    T best{};
    for (std::size_t k = 0; k < m.Size(); ++k)
        if (std::abs(m.Data()[k]) > std::abs(best)) best = m.Data()[k];
    return best;
}

// For a command that refused or raised where the double computation gives a
// result: the rule that stopped it, or nothing when it stopped for another
// reason.
// `refusal` is the part of the message line that says the matrix is
// singular, `rule` the rule that made it so.
struct Stop {
    const char* Refusal;
    const char* Rule;
};
constexpr Stop kSingularStop{"singular!", kRoundingStop};
constexpr Stop kNoResultStop{"has no result!", kPivotRule};

const char* StoppingRule(const CheckedOutcome& outcome, Stop stop) {
    if (outcome.Error == kComplexDivisionMessage) return kDivisionRule;
    if (outcome.Error.empty() && outcome.Refusal.find(stop.Refusal) != std::string::npos) return stop.Rule;
    return nullptr;
}

// The product is first compared on probes (C·X against A·(B·X), O(n²)); only
// a product that fails there is formed whole, to name its worst element.
template <typename T>
std::optional<std::string> ProductCheck(const Matrix<T>& a, const Matrix<T>& b, const RCOMat& shown) {
    if (a.Empty() || b.Empty()) return std::nullopt;
    const long double scale = linalg::FrobeniusNormExtended(a) * linalg::FrobeniusNormExtended(b);
    const long double relBound = 16.0L * a.Cols() * kEps;
    const Matrix<T> x = Probes<T>(b.Cols());
    const Matrix<T> got = FromResult<T>(shown, a.Rows(), b.Cols());
    const long double probed = ProbedNorm(linalg::Multiply(got, x), linalg::Multiply(a, linalg::Multiply(b, x)));
    // A fault the full comparison would report shows on the probes at a
    // quarter of its size all but surely; below that the product stands.
    if (!(probed > std::fmax(relBound, static_cast<long double>(kSmallestReported)) * scale / 4.0L))
        return std::nullopt;
    const Matrix<T> exact = linalg::Multiply(a, b);
    return CompareMatrix(shown, exact, relBound, scale, "product", std::nullopt, "scale the matrices");
}

// a·b⁻¹ (b = the power's base for a negative power, a = I).
template <typename T>
std::optional<std::string> InverseProductCheck(const Matrix<T>* a, const Matrix<T>& b, long double extraRel,
                                               const CheckedOutcome& outcome, const char* what,
                                               const std::string& advice, Stop stop = kSingularStop) {
    if (b.Empty()) return std::nullopt;
    const linalg::InverseResult<T> inverse = linalg::Inverse(b);
    if (inverse.Singular || !(inverse.RCond > 0)) return std::nullopt;
    const double condition = 1.0 / inverse.RCond;
    const long double relBound = (32.0L * b.Rows() * kEps + extraRel) * condition;
    if (!(relBound < kUndecided)) return std::nullopt;
    const Matrix<T> exact = a == nullptr ? inverse.X : linalg::Multiply(*a, inverse.X);
    const long double scale =
        linalg::FrobeniusNormExtended(inverse.X) * (a == nullptr ? 1.0L : linalg::FrobeniusNormExtended(*a));
    if (const RCOMat* shown = MatrixOf(outcome))
        return CompareMatrix(*shown, exact, relBound, scale, what, condition, advice);
    const char* rule = StoppingRule(outcome, stop);
    if (rule == nullptr) return std::nullopt;
    return CheckLine(std::string(what == std::string("inverse") ? "an " : "a ") + what + " for " +
                         (a == nullptr ? "this matrix" : "these matrices") + ", its largest element " +
                         CheckNumber(Complex(LargestElement(exact))),
                     condition, rule, advice);
}

// base^p for p >= 1 by repeated squaring.
template <typename T>
Matrix<T> Power(const Matrix<T>& base, std::uint64_t p) {
    Matrix<T> result = base;
    Matrix<T> square = base;
    bool first = true;
    while (p > 0) {
        if ((p & 1U) != 0) {
            result = first ? square : linalg::Multiply(result, square);
            first = false;
        }
        p >>= 1U;
        if (p > 0) square = linalg::Multiply(square, square);
    }
    return result;
}

template <typename T>
std::optional<std::string> PowerCheck(const Matrix<T>& a, std::int64_t p, const CheckedOutcome& outcome,
                                      Operand which) {
    if (a.Empty() || a.Rows() != a.Cols() || p == 0 || p == 1) return std::nullopt;
    const std::uint64_t magnitude = p > 0 ? static_cast<std::uint64_t>(p) : static_cast<std::uint64_t>(-(p + 1)) + 1;
    const Matrix<T> power = Power(a, magnitude);
    // The repeated products' error, normwise: |p|·n·eps·‖A‖^|p|.
    const long double powerScale = std::pow(linalg::FrobeniusNormExtended(a), static_cast<long double>(magnitude));
    const long double powerRel = 16.0L * static_cast<long double>(magnitude) * a.Rows() * kEps;
    const std::string advice = WithOperand("scale the matrix", which);
    if (p > 0) {
        const RCOMat* shown = MatrixOf(outcome);
        if (shown == nullptr || !std::isfinite(static_cast<double>(powerScale))) return std::nullopt;
        return CompareMatrix(*shown, power, powerRel, powerScale, "power", std::nullopt, advice);
    }
    const long double norm = linalg::FrobeniusNormExtended(power);
    if (!(norm > 0)) return std::nullopt;
    return InverseProductCheck<T>(nullptr, power, powerRel * powerScale / norm, outcome, "power", advice);
}

}  // namespace

std::optional<std::string> CheckProduct(const CalcState& s, const Operation&, const CheckedOutcome& outcome) {
    const RCOMat* shown = MatrixOf(outcome);
    if (shown == nullptr) return std::nullopt;
    const Operand2 a = ReadChecked(s, Operand::A), b = ReadChecked(s, Operand::B);
    if (std::visit([](const auto& x) { return x.Cols(); }, a) != std::visit([](const auto& x) { return x.Rows(); }, b))
        return std::nullopt;
    if (EitherComplex(a, b)) return ProductCheck(Promote<Complex>(a), Promote<Complex>(b), *shown);
    return ProductCheck(Promote<double>(a), Promote<double>(b), *shown);
}

std::optional<std::string> CheckQuotient(const CalcState& s, const Operation&, const CheckedOutcome& outcome) {
    const Operand2 a = ReadChecked(s, Operand::A), b = ReadChecked(s, Operand::B);
    const auto rows = [](const Operand2& m) { return std::visit([](const auto& x) { return x.Rows(); }, m); };
    const auto cols = [](const Operand2& m) { return std::visit([](const auto& x) { return x.Cols(); }, m); };
    if (rows(b) != cols(b) || cols(a) != rows(b)) return std::nullopt;
    const char* advice = "scale the matrices";
    if (EitherComplex(a, b)) {
        const ComplexMatrix ca = Promote<Complex>(a);
        return InverseProductCheck(&ca, Promote<Complex>(b), 0.0L, outcome, "quotient", advice);
    }
    const RealMatrix ra = Promote<double>(a);
    return InverseProductCheck(&ra, Promote<double>(b), 0.0L, outcome, "quotient", advice);
}

std::optional<std::string> CheckPower(const CalcState& s, const Operation& op, const CheckedOutcome& outcome) {
    const Operand which = OperandOf(op);
    const std::int64_t p = PowerExponent(s, which);
    const Operand2 a = ReadChecked(s, which);
    return std::visit([&](const auto& m) { return PowerCheck(m, p, outcome, which); }, a);
}

}  // namespace quorvix::checks

namespace quorvix::checks {

std::optional<std::string> CheckInverse(const CalcState& s, const Operation& op, const CheckedOutcome& outcome) {
    const Operand which = OperandOf(op);
    const Operand2 a = ReadChecked(s, which);
    const std::string advice = WithOperand("scale the matrix or use Pinv(A)", which);
    return std::visit(
        [&](const auto& m) -> std::optional<std::string> {
            using T = typename std::decay_t<decltype(m)>::Element;
            if (m.Rows() != m.Cols()) return std::nullopt;
            return InverseProductCheck<T>(nullptr, m, 0.0L, outcome, "inverse", advice, kNoResultStop);
        },
        a);
}

}  // namespace quorvix::checks
