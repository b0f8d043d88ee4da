#pragma once
// How far a running command has got, as the texts both front ends show: the
// window's progress bar and quorvix-cli's progress line.
#include <chrono>
#include <string>

#include "core/cancel.h"

namespace quorvix {

// Auto's stage ("12 of 43: Det(A)").
std::string StageText(const Progress& progress);
// A routine's fraction as a whole percent (floored; above 1 counts as 1).
int WholePercent(double fraction);
// The elapsed time ("1:05").
std::string ElapsedText(std::chrono::milliseconds elapsed);

}  // namespace quorvix
