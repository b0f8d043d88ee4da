#include "commands/checks/result_checks.h"

#include <array>
#include <string_view>

#include "commands/checks/check_families.h"

namespace quorvix {

namespace {

struct CheckRow {
    const char* Step;
    ResultCheck Check;
};

constexpr std::array<CheckRow, 20> kChecks{{
    {"A*B", checks::CheckProduct},        {"A/B", checks::CheckQuotient},       {"A^x", checks::CheckPower},
    {"B^x", checks::CheckPower},          {"inv(A)", checks::CheckInverse},     {"inv(B)", checks::CheckInverse},
    {"Det(A)", checks::CheckDeterminant}, {"Det(B)", checks::CheckDeterminant}, {"Rank(A)", checks::CheckRank},
    {"Rank(B)", checks::CheckRank},       {"LU(A)", checks::CheckLU},           {"LU(B)", checks::CheckLU},
    {"QR(A)", checks::CheckQR},           {"QR(B)", checks::CheckQR},           {"Chol(A)", checks::CheckCholesky},
    {"Chol(B)", checks::CheckCholesky},   {"Eig(A)", checks::CheckEigenvalues}, {"Eig(B)", checks::CheckEigenvalues},
    {"Svd(A)", checks::CheckSVD},         {"Svd(B)", checks::CheckSVD},
}};

}  // namespace

ResultCheck FindResultCheck(const Operation& op) {
    for (const CheckRow& row : kChecks)
        if (std::string_view(row.Step) == op.Step) return row.Check;
    return nullptr;
}

void AppendCheckLine(CalcState& state, const std::string& line) {
    state.Panel.AddLine(line);
    state.Panel.AddLine("");
    if (state.Log.KeepRefusals) state.Log.Checks.push_back(line);
}

}  // namespace quorvix
