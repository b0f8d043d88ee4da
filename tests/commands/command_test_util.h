#pragma once
// Running a handler on a small state and reading the result panel.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/calc_state.h"
#include "commands/operation_table.h"
#include "textio/editor_lines.h"

namespace quorvix::testing_util {

inline CalcState StateWith(const std::string& a, const std::string& b = "", const std::string& x = "1") {
    CalcState s = StartState('.');
    s.MatrixA = SplitEditorText(a);
    s.MatrixB = SplitEditorText(b);
    s.X = x;
    return s;
}

// The command of the operation with this step word ("inv(A)", "A^x"), run as
// the window and quorvix-cli run it: the handler given its row of the table.
inline std::function<void(CalcState&)> RunOf(std::string_view step) {
    const Operation* op = FindOperationByStep(step);
    return [op](CalcState& s) { op->Run(s, *op); };
}

inline std::vector<std::string> Lines(std::initializer_list<const char*> lines) {
    return std::vector<std::string>(lines.begin(), lines.end());
}

}  // namespace quorvix::testing_util
