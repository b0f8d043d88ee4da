// The check of Rank. The double rank counts the diagonal elements of R in a
// QR with column pivoting above max(m, n)·eps·|R(1,1)|; it is trusted only
// where the last one counted stands at least 1000 times above that
// tolerance, so that the rank does not hang on the tolerance. Where the gap
// is smaller (the inverse Hilbert matrix of order 11, whose exact rank 11
// Rank gives) nothing is said. No SVD: the pivoted QR is the cheaper
// driver, and a contrived matrix (Kahan's) can fool it.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "commands/checks/check_families.h"
#include "commands/checks/check_support.h"
#include "linalg/lu_factor.h"
#include "linalg/rank.h"

namespace quorvix::checks {

namespace {

constexpr double kRankGap = 1000.0;

template <typename T>
std::optional<std::string> RankCheck(const Matrix<T>& a, std::optional<double> shown, const CheckedOutcome& outcome,
                                     Operand which) {
    // A square matrix that LU with partial pivoting finds far from singular
    // has full rank: that costs a third of the pivoted QR, which runs only
    // where the LU cannot tell.
    if (a.Rows() == a.Cols() && a.Rows() > 0) {
        const linalg::LUFactors<T> lu = linalg::ScaledLUFactor(a).Factors;
        const double n = a.Rows();
        if (!lu.Singular && lu.RCond > kRankGap * n * n * kEps) {
            if (shown && *shown == n) return std::nullopt;
            const char* rule = shown                                      ? kRoundingRule
                               : outcome.Error == kComplexDivisionMessage ? kDivisionRule
                                                                          : nullptr;
            if (rule == nullptr) return std::nullopt;
            return CheckLine("rank " + std::to_string(a.Rows()) + " for this matrix", 1.0 / lu.RCond, rule,
                             WithOperand("scale the matrix or use Sv(A)", which));
        }
    }
    const std::vector<double> d = linalg::PivotedQRDiagonal(a);
    if (d.empty() || !(d.front() > 0)) return std::nullopt;
    const double tolerance = std::max(a.Rows(), a.Cols()) * kEps * d.front();
    std::int32_t rank = 0;
    for (double v : d)
        if (v > tolerance) ++rank;
    if (!(d[static_cast<std::size_t>(rank) - 1] >= kRankGap * tolerance)) return std::nullopt;
    const char* rule = nullptr;
    if (shown) {
        if (*shown == static_cast<double>(rank)) return std::nullopt;
        rule = kRoundingRule;
    } else if (outcome.Error == kComplexDivisionMessage) {
        rule = kDivisionRule;
    } else {
        return std::nullopt;
    }
    const double condition = d.front() / d[static_cast<std::size_t>(rank) - 1];
    return CheckLine("rank " + std::to_string(rank) + " for this matrix", condition, rule,
                     WithOperand("scale the matrix or use Sv(A)", which));
}

}  // namespace

std::optional<std::string> CheckRank(const CalcState& s, const Operation& op, const CheckedOutcome& outcome) {
    std::optional<double> shown;
    if (outcome.Result != nullptr) {
        const auto* value = outcome.ResultAs<ScalarResult>();
        if (value == nullptr) return std::nullopt;
        shown = RealPart(value->Value);
    }
    const Operand which = OperandOf(op);
    return std::visit([&](const auto& m) { return RankCheck(m, shown, outcome, which); }, ReadChecked(s, which));
}

}  // namespace quorvix::checks
