// A result as the matrices it shows: shapes as printed, real parts where the
// panel shows real parts, the eigenvalues the panel shows, lookup by name.
#include "textio/result_matrices.h"

#include <gtest/gtest.h>

namespace quorvix {
namespace {

RCOMat Matrix(std::initializer_list<std::initializer_list<Scalar>> rows) {
    RCOMat m;
    for (const auto& row : rows) m.emplace_back(row);
    return m;
}

std::vector<std::vector<std::pair<double, double>>> Parts(const RCOMat& m) {
    std::vector<std::vector<std::pair<double, double>>> out;
    for (const RCOVec& row : m) {
        out.emplace_back();
        for (const Scalar& v : row) out.back().emplace_back(RealPart(v), ImagPart(v));
    }
    return out;
}

using P = std::vector<std::vector<std::pair<double, double>>>;

TEST(ResultMatrices, FactorsAreShapedAsPrintedWithRealPartsWherePrintedSo) {
    // A 2 x 1 operand: Q is printed 2 x 2 and R 2 x 1 by its real parts; the
    // short Q fills with zeros as the panel prints them.
    const FactorPairResult qr{.FirstName = "Q",
                              .SecondName = "R",
                              .First = Matrix({{Scalar::Complex(0, 1)}}),
                              .Second = Matrix({{Scalar::Complex(3, 4)}, {Scalar::Real(0)}}),
                              .Rows = 2,
                              .Cols = 1,
                              .SecondRealOnly = true};
    const std::vector<ResultMatrix> m = ResultMatrices(qr);
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].Name, "Q");
    EXPECT_EQ(Parts(m[0].Matrix), (P{{{0, 1}, {0, 0}}, {{0, 0}, {0, 0}}}));
    EXPECT_EQ(m[1].Name, "R");
    EXPECT_EQ(Parts(m[1].Matrix), (P{{{3, 0}}, {{0, 0}}}));
    EXPECT_EQ(FactorNames(qr), (std::vector<std::string>{"Q", "R"}));
}

TEST(ResultMatrices, EigenvaluesAreTheShownOnesInOneColumn) {
    // Position 1 was not reached: only 2 and 3 are shown.
    const EigenResult eig{{0, 9, 1, 0}, {0, 9, -2, 0}, 3, 1};
    const std::optional<ResultMatrix> values = FindResultMatrix(eig, "values");
    ASSERT_TRUE(values);
    EXPECT_EQ(Parts(values->Matrix), (P{{{1, -2}}, {{0, 0}}}));
    EXPECT_TRUE(FactorNames(eig).empty());
    EXPECT_TRUE(FindResultMatrix(eig, ""));  // its only matrix
}

TEST(ResultMatrices, SingleValuesAndDimensionsAreSmallMatrices) {
    EXPECT_EQ(Parts(FindResultMatrix(ScalarResult{Scalar::Real(-2)}, "")->Matrix), (P{{{-2, 0}}}));
    EXPECT_EQ(Parts(FindResultMatrix(DimensionResult{2, 3}, "")->Matrix), (P{{{2, 0}, {3, 0}}}));
}

TEST(ResultMatrices, ANameMustBeOneTheResultHas) {
    const FactorListResult plu{{{"L", Matrix({{Scalar::Real(1)}})}, {"U", Matrix({{Scalar::Real(2)}})}}};
    EXPECT_EQ(Parts(FindResultMatrix(plu, "U")->Matrix), (P{{{2, 0}}}));
    EXPECT_FALSE(FindResultMatrix(plu, "Q"));
    EXPECT_FALSE(FindResultMatrix(plu, ""));  // two factors: the name says which
    EXPECT_FALSE(FindResultMatrix(MatrixResult{Matrix({{Scalar::Real(1)}})}, "L"));
}

}  // namespace
}  // namespace quorvix
