// What quorvix-cli reports besides the panel: numbers as the shortest
// decimal that reads back, each result kind as numbers, and an error's place.
#include "cli/run_report.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quorvix {
namespace {

std::string ValueText(const std::optional<CommandResult>& result) {
    std::ostringstream out;
    WriteResultValue(out, result ? &*result : nullptr);
    return out.str();
}

RCOMat Rows(std::initializer_list<std::initializer_list<Scalar>> rows) {
    RCOMat m;
    for (const auto& row : rows) m.emplace_back(row);
    return m;
}

TEST(RunReport, NumbersReadBackToTheSameDouble) {
    EXPECT_EQ(ShortestNumber(0.1), "0.1");
    EXPECT_EQ(ShortestNumber(1.0 / 3.0), "0.3333333333333333");
    EXPECT_EQ(ShortestNumber(-2.0), "-2");
    EXPECT_EQ(ShortestNumber(1e300), "1e+300");
}

TEST(RunReport, BlocksShownByTheirRealPartsGiveRealParts) {
    // QR's R and the three factors of Svd are printed by their real parts.
    FactorPairResult qr{.FirstName = "Q",
                        .SecondName = "R",
                        .First = Rows({{Scalar::Complex(0, 1)}}),
                        .Second = Rows({{Scalar::Complex(2, 5)}}),
                        .Rows = 1,
                        .Cols = 1,
                        .SecondRealOnly = true};
    EXPECT_EQ(ValueText(qr), R"({"kind": "factors", "names": ["Q", "R"], "factors": [[[[0, 1]]], [[2]]]})");
    SvdResult svd{.U = Rows({{Scalar::Real(-1)}}),
                  .S = Rows({{Scalar::Real(5), Scalar::Real(0)}}),
                  .V = {},
                  .Rows = 1,
                  .Cols = 2};
    EXPECT_EQ(ValueText(svd), R"({"kind": "factors", "names": ["U", "S", "V"], "factors": [[[-1]], [[5, 0]], )"
                              R"([[0, 0], [0, 0]]]})");
    EXPECT_EQ(ValueText(std::nullopt), "null");
}

TEST(RunReport, EigenvaluesTheIterationDidNotReachAreLeftOut) {
    EXPECT_EQ(ValueText(EigenResult{{0, 0, 0, 2.5}, {0, 0, 0, -1}, 3, 2}),
              R"({"kind": "eigenvalues", "values": [[2.5, -1]]})");
}

TEST(RunReport, PlaceLines) {
    EXPECT_EQ(PlaceLine({ErrorEditor::B, 3, 2}), "  in Matrix B, line 3, element 2");
    EXPECT_EQ(PlaceLine({ErrorEditor::X, 0, 0}), "  in the x box");
}

}  // namespace
}  // namespace quorvix
