#pragma once
// How far a running command has got, as the texts both front ends show: the
// window's progress bar and quorvix-cli's progress line.
#include <chrono>
#include <optional>
#include <string>

#include "core/cancel.h"

namespace quorvix {

// Auto's stage ("12 of 43: Det(A)").
std::string StageText(const Progress& progress);
// A routine's fraction as a whole percent (floored; above 1 counts as 1).
int WholePercent(double fraction);
// The elapsed time ("1:05").
std::string ElapsedText(std::chrono::milliseconds elapsed);

// How much of the whole command is done, 0..1: for Auto its commands done
// plus the running one's fraction of one command; otherwise the running
// command's fraction. -1 when nothing tells (a command outside Auto that
// reports no fraction). It never goes back while one command runs, as the
// fractions it is made of do not.
double CommandFraction(const Progress& progress);
// The time still to go if the rest goes as fast as what is done: none while
// too little is done or too little time has passed to tell.
std::optional<std::chrono::milliseconds> TimeLeft(double fraction, std::chrono::milliseconds elapsed);
// The elapsed time and, where it can be told, the time left
// ("1:05, about 0:20 left").
std::string TimeText(double fraction, std::chrono::milliseconds elapsed);

}  // namespace quorvix
