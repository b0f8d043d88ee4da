#include "commands/calc_state.h"

namespace quorvix {

CalcState StartState(char decimalMark) {
    CalcState state;
    state.Settings.DecimalMark = decimalMark;
    if (decimalMark == '.' || decimalMark == ',') {
        state.MatrixA = {"1 0 0", "0 1 0", "0 0 1"};
        state.MatrixB = state.MatrixA;
    }
    return state;
}

CalcState StartStateForLocale(const std::string& localeMark) {
    if (localeMark.size() == 1) return StartState(localeMark[0]);
    CalcState state = StartState('\0');  // no identity: the mark is neither "." nor ","
    state.Settings.DecimalMark = '.';
    return state;
}

}  // namespace quorvix
