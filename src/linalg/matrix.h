#pragma once
// Dense real and complex double matrices in LAPACK's layout: column-major,
// the leading dimension equal to the row count. No views, no strides, no
// arithmetic operators: the routines of this library take matrices by const
// reference, work on copies and hand LAPACK the data directly.
#include <complex>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace quorvix::linalg {

template <typename T>
class Matrix {
public:
    using Element = T;

    Matrix() = default;
    // rows x cols zeros; a negative size is a caller's fault.
    Matrix(std::int32_t rows, std::int32_t cols) : rows_(rows), cols_(cols) {
        if (rows < 0 || cols < 0) throw std::invalid_argument("linalg::Matrix: negative size");
        size_ = static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols);
        data_.assign(size_ + Slack(rows), T{});
    }

    // Zeros kept after the last element: the gemv kernels of OpenBLAS 0.3.21
    // (Debian 12's) read past the end of the matrix they are given for some
    // sizes, a few columns at most; without room there, a matrix whose
    // storage ends at the end of a mapped page faults (complex Sv of
    // 280 x 280 to 301 x 301 did). The slack is never written or read by
    // this library.
    static std::size_t Slack(std::int32_t rows) { return 4 * static_cast<std::size_t>(rows) + 64; }

    static Matrix Identity(std::int32_t n) {
        Matrix m(n, n);
        for (std::int32_t i = 0; i < n; ++i) m(i, i) = T{1};
        return m;
    }

    std::int32_t Rows() const { return rows_; }
    std::int32_t Cols() const { return cols_; }
    bool Empty() const { return rows_ == 0 || cols_ == 0; }
    std::size_t Size() const { return size_; }

    T& operator()(std::int32_t i, std::int32_t j) { return data_[Index(i, j)]; }
    const T& operator()(std::int32_t i, std::int32_t j) const { return data_[Index(i, j)]; }

    // Column-major storage, leading dimension Rows().
    T* Data() { return data_.data(); }
    const T* Data() const { return data_.data(); }
    // Column j, Rows() elements.
    T* Column(std::int32_t j) { return data_.data() + Index(0, j); }
    const T* Column(std::int32_t j) const { return data_.data() + Index(0, j); }

    bool operator==(const Matrix&) const = default;

private:
    std::size_t Index(std::int32_t i, std::int32_t j) const {
        return static_cast<std::size_t>(i) + static_cast<std::size_t>(j) * static_cast<std::size_t>(rows_);
    }

    std::int32_t rows_ = 0;
    std::int32_t cols_ = 0;
    std::size_t size_ = 0;
    std::vector<T> data_;
};

using Complex = std::complex<double>;
using RealMatrix = Matrix<double>;
using ComplexMatrix = Matrix<Complex>;

// The complex conjugate, for either element type.
inline double Conjugate(double x) { return x; }
inline Complex Conjugate(Complex z) { return std::conj(z); }

// The real matrix as a complex one (imaginary parts 0).
inline ComplexMatrix ToComplex(const RealMatrix& a) {
    ComplexMatrix c(a.Rows(), a.Cols());
    for (std::size_t k = 0; k < a.Size(); ++k) c.Data()[k] = a.Data()[k];
    return c;
}
inline ComplexMatrix ToComplex(const ComplexMatrix& a) { return a; }

}  // namespace quorvix::linalg
