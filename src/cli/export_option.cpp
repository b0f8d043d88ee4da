#include "cli/export_option.h"

#include "commands/result_choice.h"
#include "core/errors.h"
#include "textio/result_matrices.h"

namespace quorvix {

std::optional<ExportChoice> ParseExportChoice(std::string_view word) {
    ExportChoice choice;
    std::string_view format = word;
    if (const std::size_t colon = word.find(':'); colon != std::string_view::npos) {
        format = word.substr(0, colon);
        choice.Name = std::string(word.substr(colon + 1));
        if (choice.Name.empty()) return std::nullopt;
    }
    const std::optional<ExportFormat> f = ExportFormatNamed(format);
    if (!f) return std::nullopt;
    choice.Format = *f;
    return choice;
}

std::string ExportUsage() {
    return "--export needs a format: " + ExportFormatNames() + " (FORMAT:NAME for one factor of the result)";
}

ExportOutcome ExportLastResult(const CalcState& s, const ExportChoice& choice) {
    ExportOutcome outcome;
    try {
        const KeptResult& kept = ChooseKeptResult(s, std::nullopt);
        const std::vector<std::string> names = FactorNames(kept.Value);
        if (HoldsOneMatrix(choice.Format) && choice.Name.empty() && names.size() > 1) {
            outcome.UsageError = std::string("--export ") + ExportFormatName(choice.Format) +
                                 " holds one matrix: " + NameOneMessage(kept) + " (--export " +
                                 ExportFormatName(choice.Format) + ":" + names.front() + ")";
            return outcome;
        }
        outcome.Text = ExportText(kept, choice.Name, choice.Format, s.Settings);
    } catch (const CalcError& e) {
        outcome.Error = e.what();
    }
    return outcome;
}

}  // namespace quorvix
