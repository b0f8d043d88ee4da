#pragma once
// The checks of each family of operations, as the table of checks joins them
// to the operations' step words.
#include <optional>
#include <string>

#include "commands/checks/result_checks.h"

namespace quorvix::checks {

std::optional<std::string> CheckProduct(const CalcState&, const Operation&, const CheckedOutcome&);   // A*B
std::optional<std::string> CheckQuotient(const CalcState&, const Operation&, const CheckedOutcome&);  // A/B
std::optional<std::string> CheckPower(const CalcState&, const Operation&, const CheckedOutcome&);     // A^x, B^x
std::optional<std::string> CheckInverse(const CalcState&, const Operation&, const CheckedOutcome&);   // inv
std::optional<std::string> CheckDeterminant(const CalcState&, const Operation&, const CheckedOutcome&);
std::optional<std::string> CheckRank(const CalcState&, const Operation&, const CheckedOutcome&);
std::optional<std::string> CheckLU(const CalcState&, const Operation&, const CheckedOutcome&);
std::optional<std::string> CheckQR(const CalcState&, const Operation&, const CheckedOutcome&);
std::optional<std::string> CheckCholesky(const CalcState&, const Operation&, const CheckedOutcome&);
std::optional<std::string> CheckEigenvalues(const CalcState&, const Operation&, const CheckedOutcome&);
std::optional<std::string> CheckSVD(const CalcState&, const Operation&, const CheckedOutcome&);

}  // namespace quorvix::checks
