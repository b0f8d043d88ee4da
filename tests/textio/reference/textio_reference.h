#pragma once
// The straightforward reading and printing routines, token by token and
// element by element, as they were before the direct ways for short numbers
// and common token shapes: the reference that the differential tests hold
// the reader and the writer to, bit for bit. The sources are copies in this
// folder, built once as the library quorvix_textio_reference; each calls
// the other reference routines, and the shared pieces that did not change
// (the general number form, the token rule, the polar pieces) from the engine.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/matrice2.h"
#include "textio/command_result.h"
#include "textio/element_parser.h"
#include "textio/element_reader.h"
#include "textio/matrix_reader.h"
#include "textio/output_settings.h"
#include "textio/result_panel.h"

namespace quorvix::reference {

Scalar ComplexFromText(std::string_view text);
long double LocaleToExtended(std::string_view text, char decimalMark);
double LocaleToDouble(std::string_view text, char decimalMark);

std::string NormalizeToken(std::string_view token, const OutputSettings& settings);
std::string NormalizeDecimalMark(std::string_view text);
void ReadElements(const EditorLines& editor, std::int32_t rows, std::int32_t cols, const OutputSettings& settings,
                  const ElementSink& store);
void ReadMatrix(const EditorLines& editor, std::int32_t rows, std::int32_t cols, RCOMat& target,
                const OutputSettings& settings);
bool ReadRealElements(const EditorLines& editor, std::int32_t rows, std::int32_t cols, char decimalMark,
                      const ElementSink& store);
bool ReadRealMatrix(const EditorLines& editor, std::int32_t rows, std::int32_t cols, RCOMat& target, char decimalMark);

std::string FormatNumber(long double x, const OutputSettings& settings);
std::string ScalarToText(const Scalar& v, const OutputSettings& settings);
std::string ElementText(const Scalar& v, const OutputSettings& settings);
std::string RealElementText(const Scalar& v, const OutputSettings& settings);
void WriteResult(const CommandResult& result, ResultPanel& panel, const OutputSettings& settings);

}  // namespace quorvix::reference
