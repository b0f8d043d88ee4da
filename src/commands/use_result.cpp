#include "commands/use_result.h"

#include <utility>

#include "commands/result_choice.h"
#include "textio/exact_text.h"

namespace quorvix {

void UseResult(CalcState& s, Operand which, std::optional<std::size_t> number, std::string_view name) {
    const ResultMatrix chosen = ChooseResultMatrix(ChooseKeptResult(s, number), name);
    EditorLines text = ExactMatrixLines(chosen.Matrix, s.Settings.DecimalMark);
    EditorOf(s, which) = std::move(text);
}

}  // namespace quorvix
