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

}  // namespace quorvix
