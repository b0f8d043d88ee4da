#pragma once
// quorvix-cli's --export FORMAT[:NAME]: the last kept result printed in
// another program's format instead of the panel.
#include <optional>
#include <string>
#include <string_view>

#include "commands/calc_state.h"
#include "files/export_formats.h"

namespace quorvix {

struct ExportChoice {
    ExportFormat Format = ExportFormat::Tsv;
    std::string Name;  // one factor; "" for the whole result
};

// "csv" or "csv:L"; nothing for an unknown format or a malformed name.
std::optional<ExportChoice> ParseExportChoice(std::string_view word);

// The usage error's text for a missing or unknown format.
std::string ExportUsage();

// What the option prints: the text, or the run's error (the message without
// its period: "There is no result to use", a factor the result lacks), or a
// usage error (tsv, csv and mm of a result of several factors without NAME,
// which the command line should have said).
struct ExportOutcome {
    std::string Text;
    std::optional<std::string> Error;
    std::optional<std::string> UsageError;
};
ExportOutcome ExportLastResult(const CalcState& s, const ExportChoice& choice);

}  // namespace quorvix
