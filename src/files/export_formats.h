#pragma once
// A kept result as the text of another program's format: tab- or
// comma-separated values, an Octave/MATLAB assignment, a numpy array, a LaTeX
// matrix, a Matrix Market array, or the JSON value of quorvix-cli's report.
#include <optional>
#include <string>
#include <string_view>

#include "commands/calc_state.h"
#include "textio/output_settings.h"

namespace quorvix {

enum class ExportFormat { Tsv, Csv, Octave, Numpy, Latex, MatrixMarket, Json };

// The format a name gives ("tsv", "csv", "octave", "numpy", "latex", "mm",
// "json"), and back.
std::optional<ExportFormat> ExportFormatNamed(std::string_view name);
const char* ExportFormatName(ExportFormat format);
// "tsv, csv, octave, numpy, latex, mm or json".
std::string ExportFormatNames();

// The format a file name's extension gives: .tsv or .txt, .csv, .m, .py,
// .tex, .mtx, .json (in any case); nothing for another extension.
std::optional<ExportFormat> ExportFormatOfPath(std::string_view path);
// ".tsv, .txt, .csv, .m, .py, .tex, .mtx or .json".
std::string ExportExtensions();

// Whether the format holds one matrix only (tsv, csv and Matrix Market):
// a result of several factors needs the name of one.
bool HoldsOneMatrix(ExportFormat format);

// `kept` in `format`: every matrix of it, or the one `name` chooses (see
// result_choice.h), each line ending in "\n". Numbers are the shortest
// decimals that read back to the same doubles, with "." as the mark, except
// that tsv and csv take the state's decimal mark (csv then separates by ";"
// when the mark is ","), and latex shows each element as the panel does
// under `settings`, with "." as the mark. Raises CalcError as
// ChooseResultMatrix does, and for a format of one matrix the message that
// names the factors when `name` is empty on a result of several.
std::string ExportText(const KeptResult& kept, std::string_view name, ExportFormat format,
                       const OutputSettings& settings);

}  // namespace quorvix
