#pragma once
// The usage text's list of step words for the operations beyond the 43,
// made from their table, so that it names every row and only those.
#include <string>

namespace quorvix {

// The step words, each line indented by two blanks and at most 76
// characters long, a word holding a character the shell treats specially
// ("A\B") in double quotes; every line ends with "\n".
std::string MoreOperationStepList();

}  // namespace quorvix
