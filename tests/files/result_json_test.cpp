// A result as JSON numbers, the value of quorvix-cli's report and the json
// export: numbers as the shortest decimal that reads back, each result kind.
#include "files/result_json.h"

#include <gtest/gtest.h>

#include <optional>
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

TEST(ResultJson, NumbersReadBackToTheSameDouble) {
    EXPECT_EQ(ShortestNumber(0.1), "0.1");
    EXPECT_EQ(ShortestNumber(1.0 / 3.0), "0.3333333333333333");
    EXPECT_EQ(ShortestNumber(-2.0), "-2");
    EXPECT_EQ(ShortestNumber(1e300), "1e+300");
}

TEST(ResultJson, BlocksShownByTheirRealPartsGiveRealParts) {
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

TEST(ResultJson, EigenvaluesTheIterationDidNotReachAreLeftOut) {
    EXPECT_EQ(ValueText(EigenResult{{0, 0, 0, 2.5}, {0, 0, 0, -1}, 3, 2}),
              R"({"kind": "eigenvalues", "values": [[2.5, -1]]})");
}

TEST(ResultJson, OneMatrixOfAResult) {
    std::ostringstream out;
    WriteMatrixValue(out, Rows({{Scalar::Real(-0.0), Scalar::Complex(1, 2)}}));
    EXPECT_EQ(out.str(), R"({"kind": "matrix", "rows": [[-0, [1, 2]]]})");
}

}  // namespace
}  // namespace quorvix
