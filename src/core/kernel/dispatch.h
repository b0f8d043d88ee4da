#pragma once
// Where each numeric routine leaves its plain path for a faster one: a typed
// dense copy, unchecked steps under a bound, or other threads. Every faster
// path gives the plain path's bits, so these values only move time, never a
// result (the differential tests run sizes on both sides of each). Below a
// cut-off the plain Scalar work is over before the faster path's set-up is:
// summarizing the kinds, making the copy and writing it back are O(n^2), a
// thread takes tens of microseconds to wake. Not part of the library's
// interface.
#include <cstdint>

namespace quorvix::kernel {

// MatMultiply: the multiply-adds (rows x inner x columns) from which the
// operands' kinds are summarized and typed copies made. Below 512 (an 8 x 8
// product) the Scalar loop is done before the two copies would be.
inline constexpr std::int64_t kTypedProductFromWork = 512;

// MatLUDecompose (and so MatInvertLU): the order from which the full-pivoting
// LU runs on a typed copy. The inverse then solves its n columns on the same
// copy, so the copy pays for itself from a smaller order than for the
// routines below, which only eliminate.
inline constexpr std::int32_t kTypedLUFromOrder = 5;

// MatDeterminant: the order from which its elimination runs on a typed copy.
// One elimination and nothing after it: up to order 11 the copy and its
// write-back cost about as much as the Scalar steps they replace.
inline constexpr std::int32_t kTypedDeterminantFromOrder = 12;

// MatLU (Doolittle): the same elimination work as the determinant, so the
// same order.
inline constexpr std::int32_t kTypedDoolittleFromOrder = 12;

// MatRank: the elements (rows x columns) from which its elimination runs on a
// typed copy. The matrix need not be square; 144 is the determinant's order
// squared.
inline constexpr std::int64_t kTypedRankFromElements = 144;

// MatLDL: the order from which the factorization runs on a typed copy. It
// reads one triangle and does about half the elimination's work at the same
// order, so the copy pays for itself only from a larger one.
inline constexpr std::int32_t kTypedLDLFromOrder = 24;

// MatInverse: the order from which the Gauss-Jordan steps run unchecked under
// a bound on their results, and on several threads. Below it every store is
// checked step by step: a 3 x 3 inverse is over before the bounds and the
// threads would be set up.
inline constexpr std::int32_t kBoundedInverseFromOrder = 4;

// ParallelFor (parallel.h): the work, in units of one x87 multiply-add (about
// a nanosecond), below which a loop is not handed to other threads: waking a
// thread costs tens of microseconds. Tests lower it (SetMinParallelWork) so
// that small matrices take the split too.
inline constexpr std::int64_t kThreadedFromWork = 200000;

}  // namespace quorvix::kernel
