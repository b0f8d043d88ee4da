// The checks of QR and Chol, by what the factors must satisfy: Q*A = R with
// Q orthogonal, and L*D*L' = A (L*D*L^H for a Hermitian A). Chol reads only
// the diagonal and the upper triangle, so a matrix that is neither
// symmetric nor Hermitian is judged against the symmetric matrix of its
// upper triangle, the one it factors. A refusal of Chol is judged by the
// elimination in double, as LU's is.
#include <cmath>
#include <optional>
#include <string>
#include <variant>

#include "commands/checks/check_factors.h"
#include "commands/checks/check_families.h"
#include "commands/checks/check_support.h"
#include "linalg/conjugate_transpose.h"
#include "linalg/hermitian.h"
#include "linalg/lu_factor.h"
#include "linalg/multiply.h"
#include "linalg/norms.h"

namespace quorvix::checks {

namespace {

// The matrix Chol factors: A itself when it is Hermitian and not real,
// otherwise the symmetric matrix of A's diagonal and upper triangle.
template <typename T>
Matrix<T> FactoredMatrix(const Matrix<T>& a, bool& hermitian) {
    hermitian = false;
    if constexpr (std::is_same_v<T, Complex>) {
        if (linalg::IsHermitian(a)) {
            hermitian = true;
            return a;
        }
    }
    Matrix<T> s = a;
    for (std::int32_t j = 0; j < a.Cols(); ++j)
        for (std::int32_t i = j + 1; i < a.Rows(); ++i) s(i, j) = a(j, i);
    return s;
}

template <typename T>
std::optional<std::string> CholeskyCheck(const Matrix<T>& operand, const CheckedOutcome& outcome, Operand which) {
    const std::int32_t n = operand.Rows();
    if (n == 0 || n != operand.Cols()) return std::nullopt;
    bool hermitian = false;
    const Matrix<T> a = FactoredMatrix(operand, hermitian);
    const std::string advice = WithOperand("scale the matrix", which);
    const long double norm = linalg::FrobeniusNormExtended(a);
    return FactorPairCheck(
        a, outcome, norm, "No Cholesky", "L and D", advice, [&](const Matrix<T>& l, const Matrix<T>& d) {
            Matrix<T> ld = l;
            for (std::int32_t j = 0; j < n; ++j)
                for (std::int32_t i = 0; i < n; ++i) ld(i, j) *= d(j, j);
            const Matrix<T> lt = hermitian ? linalg::ConjugateTranspose(l) : Transposed(l);
            return TwoFactorLine(a, ld, lt, linalg::FrobeniusNormExtended(ld) * linalg::FrobeniusNormExtended(l), norm,
                                 hermitian ? "L*D*L^H - A" : "L*D*L' - A", advice);
        });
}

}  // namespace

std::optional<std::string> CheckQR(const CalcState& s, const Operation& op, const CheckedOutcome& outcome) {
    const auto* f = outcome.ResultAs<FactorPairResult>();
    if (f == nullptr) return std::nullopt;
    const auto [which, a] = ReadCheckedReal(s, op);
    const std::int32_t m = a.Rows(), n = a.Cols();
    if (a.Empty() || m < n) return std::nullopt;
    const RealMatrix q = FromResult<double>(f->First, m, m), r = FromResult<double>(f->Second, m, n);
    const std::string advice = WithOperand("scale the matrix", which);
    const long double bound = 32.0L * m * kEps;
    const long double identity = std::sqrt(static_cast<long double>(m));
    const RealMatrix x = Probes<double>(m), y = Probes<double>(n);
    if (auto line = ResidualLine(ProbedNorm(linalg::Multiply(Transposed(q), linalg::Multiply(q, x)), x),
                                 bound * identity, identity, "Q'*Q - I", advice, "I"))
        return line;
    const long double norm = linalg::FrobeniusNormExtended(a);
    return ResidualLine(ProbedNorm(linalg::Multiply(q, linalg::Multiply(a, y)), linalg::Multiply(r, y)),
                        bound * linalg::FrobeniusNormExtended(q) * norm, norm, "Q*A - R", advice);
}

std::optional<std::string> CheckCholesky(const CalcState& s, const Operation& op, const CheckedOutcome& outcome) {
    const Operand which = OperandOf(op);
    return std::visit([&](const auto& m) { return CholeskyCheck(m, outcome, which); }, ReadChecked(s, which));
}

}  // namespace quorvix::checks
