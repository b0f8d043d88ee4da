// Eigvec: syevd / heevd for an exactly Hermitian matrix, geev (right vectors)
// otherwise, then every vector scaled to unit 2-norm and turned so that its
// component of largest modulus is real and positive. No balancing of our
// own, no sorting of geev's eigenvalues, no left vectors, and no attempt to
// make the vectors of a repeated eigenvalue unique beyond that phase.
#include "linalg/eigvec.h"

#include <cmath>
#include <complex>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/cancel.h"
#include "linalg/checks.h"
#include "linalg/errors.h"
#include "linalg/hermitian.h"
#include "linalg/lapack_calls.h"
#include "linalg/norms.h"
#include "linalg/scaling.h"

namespace quorvix::linalg {
namespace {

// Column j of v to unit 2-norm, and multiplied by conj(v_k) / |v_k| for the
// first k of largest modulus, which leaves v_k = |v_k| real and positive. A
// real column stays real (the phase is then a sign).
void Normalize(ComplexMatrix& v, std::int32_t j) {
    Complex* x = v.Column(j);
    const std::int32_t n = v.Rows();
    long double sum = 0, largest = -1;
    std::int32_t k = 0;
    bool real = true;
    for (std::int32_t i = 0; i < n; ++i) {
        const long double mod = ModulusExtended(x[i]);
        sum += mod * mod;
        if (mod > largest) {
            largest = mod;
            k = i;
        }
        real = real && x[i].imag() == 0;
    }
    const double norm = static_cast<double>(std::sqrt(sum));
    if (norm == 0) return;  // no eigenvector of geev or syevd is zero
    if (real) {
        const double sign = x[k].real() < 0 ? -1.0 : 1.0;
        for (std::int32_t i = 0; i < n; ++i) x[i] = Complex(sign * x[i].real() / norm, 0.0);
        return;
    }
    const Complex phase = std::conj(x[k]) / static_cast<double>(largest);
    for (std::int32_t i = 0; i < n; ++i) x[i] = x[i] * phase / norm;
    x[k] = Complex(static_cast<double>(largest / norm), 0.0);
}

// geev of a real matrix: a complex pair wr(j) +- i wi(j) has the vectors
// VR(:, j) +- i VR(:, j + 1).
void GeneralDriver(const RealMatrix& a, EigvecResult& r) {
    const std::int32_t n = a.Rows();
    RealMatrix work = a, vr(n, n);
    std::vector<double> wr(static_cast<std::size_t>(n)), wi(static_cast<std::size_t>(n));
    RequireConverged(
        lapack::Geev('V', n, work.Data(), lapack::Ld(work), wr.data(), wi.data(), vr.Data(), lapack::Ld(vr)));
    for (std::int32_t j = 0; j < n; ++j) {
        CheckCancelled();
        r.D(j, j) = Complex(wr[j], wi[j]);
        if (wi[j] == 0) {
            for (std::int32_t i = 0; i < n; ++i) r.V(i, j) = vr(i, j);
        } else if (j + 1 < n) {
            r.D(j + 1, j + 1) = Complex(wr[j + 1], wi[j + 1]);
            for (std::int32_t i = 0; i < n; ++i) {
                r.V(i, j) = Complex(vr(i, j), vr(i, j + 1));
                r.V(i, j + 1) = Complex(vr(i, j), -vr(i, j + 1));
            }
            ++j;
        }
    }
}

void GeneralDriver(const ComplexMatrix& a, EigvecResult& r) {
    const std::int32_t n = a.Rows();
    ComplexMatrix work = a;
    std::vector<Complex> w(static_cast<std::size_t>(n));
    RequireConverged(lapack::Geev('V', n, work.Data(), lapack::Ld(work), w.data(), r.V.Data(), lapack::Ld(r.V)));
    for (std::int32_t j = 0; j < n; ++j) r.D(j, j) = w[j];
}

template <typename T>
void HermitianDriver(const Matrix<T>& a, EigvecResult& r) {
    const std::int32_t n = a.Rows();
    Matrix<T> work = a;
    std::vector<double> w(static_cast<std::size_t>(n));
    RequireConverged(lapack::HermitianEigen('V', n, work.Data(), lapack::Ld(work), w.data()));
    for (std::int32_t j = 0; j < n; ++j) r.D(j, j) = w[j];
    r.V = ToComplex(work);
}

bool AllReal(const ComplexMatrix& m) {
    for (std::size_t k = 0; k < m.Size(); ++k)
        if (m.Data()[k].imag() != 0) return false;
    return true;
}

}  // namespace

template <typename T>
EigvecResult Eigvec(const Matrix<T>& a) {
    RequireShape(a.Rows() == a.Cols(), "Eigvec: A is not square");
    CallSteps steps(2);
    CheckFinite(a);
    const std::int32_t n = a.Rows();
    EigvecResult r;
    r.D = ComplexMatrix(n, n);
    r.V = ComplexMatrix(n, n);
    r.Hermitian = IsHermitian(a);
    // The eigenvalues of A·2^-e for an A of extreme scale, scaled back; the
    // vectors are the same.
    const int e = RangeExponent(a);
    if (n > 0) {
        const Matrix<T> scaled = ScaledByPowerOfTwo(a, -e);
        if (r.Hermitian)
            HermitianDriver(scaled, r);
        else
            GeneralDriver(scaled, r);
    }
    steps.Done();
    r.D = ScaledByPowerOfTwo(std::move(r.D), e);
    CheckFinite(r.D);
    CheckFinite(r.V);
    for (std::int32_t j = 0; j < n; ++j) {
        CheckCancelled();
        Normalize(r.V, j);
    }
    steps.Done();
    r.RealValues = AllReal(r.D);
    r.RealVectors = AllReal(r.V);
    return r;
}

template EigvecResult Eigvec(const RealMatrix&);
template EigvecResult Eigvec(const ComplexMatrix&);

}  // namespace quorvix::linalg
