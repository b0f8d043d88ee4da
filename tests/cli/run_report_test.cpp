// What quorvix-cli reports besides the panel: an error's place, and the
// kept results in the JSON report.
#include "cli/run_report.h"

#include <gtest/gtest.h>

#include <sstream>

#include "commands/calc_state.h"

namespace quorvix {
namespace {

TEST(RunReport, TheKeptResultsFollowTheValueWithTheirFactorNames) {
    CalcState s = StartState('.');
    s.Kept.push_back({"inv(A)", MatrixResult{}});
    s.Kept.push_back({"LU(A)", FactorPairResult{.FirstName = "L", .SecondName = "U"}});
    s.Hints.push_back("a hint");
    std::ostringstream out;
    WriteStateJson(out, s, std::nullopt, nullptr);
    const std::string json = out.str();
    EXPECT_NE(json.find(R"("notices": ["a hint"])"), std::string::npos) << json;
    EXPECT_NE(json.find(R"j("value": null, "kept": [{"label": "inv(A)", "names": []}, )j"
                        R"j({"label": "LU(A)", "names": ["L", "U"]}]})j"),
              std::string::npos)
        << json;
}

TEST(RunReport, PlaceLines) {
    EXPECT_EQ(PlaceLine({ErrorEditor::B, 3, 2}), "  in Matrix B, line 3, element 2");
    EXPECT_EQ(PlaceLine({ErrorEditor::X, 0, 0}), "  in the x box");
}

}  // namespace
}  // namespace quorvix
