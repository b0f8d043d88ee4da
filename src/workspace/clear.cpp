#include "workspace/clear.h"

namespace quorvix {

void ClearResult(CalcState& s) { s.Panel.Clear(); }
void ClearMatrixA(CalcState& s) { s.MatrixA.clear(); }
void ClearMatrixB(CalcState& s) { s.MatrixB.clear(); }

}  // namespace quorvix
