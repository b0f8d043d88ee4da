#include "cli/run_report.h"

#include <vector>

#include "files/result_json.h"
#include "textio/result_matrices.h"

namespace quorvix {

namespace {

const char* EditorName(ErrorEditor editor) {
    switch (editor) {
        case ErrorEditor::A: return "A";
        case ErrorEditor::B: return "B";
        case ErrorEditor::X: return "x";
        case ErrorEditor::None: break;
    }
    return "";
}

void WriteLines(std::ostream& out, const std::vector<std::string>& lines) {
    out << '[';
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) out << ", ";
        WriteJsonString(out, lines[i]);
    }
    out << ']';
}

}  // namespace

std::string PlaceLine(const ErrorPlace& place) {
    if (place.Editor == ErrorEditor::X) return "  in the x box";
    return std::string("  in Matrix ") + EditorName(place.Editor) + ", line " + std::to_string(place.Line) +
           ", element " + std::to_string(place.Element);
}

void WriteStateJson(std::ostream& out, const CalcState& s, const std::optional<RunError>& error,
                    const CommandResult* value) {
    out << "{\"a\": ";
    WriteLines(out, s.MatrixA);
    out << ", \"b\": ";
    WriteLines(out, s.MatrixB);
    out << ", \"x\": ";
    WriteJsonString(out, s.X);
    out << ", \"precision\": ";
    WriteJsonString(out, s.Precision);
    out << ", \"format\": \"" << (s.Settings.Format == ComplexFormat::Polar ? "polar" : "rect") << "\"";
    out << ", \"results\": ";
    WriteLines(out, s.Panel.Lines());
    out << ", \"error\": ";
    if (error)
        WriteJsonString(out, error->Message);
    else
        out << "null";
    out << ", \"error_at\": ";
    if (!error || !error->Place) {
        out << "null";
    } else if (error->Place->Editor == ErrorEditor::X) {
        out << "{\"editor\": \"x\"}";
    } else {
        out << "{\"editor\": \"" << EditorName(error->Place->Editor) << "\", \"line\": " << error->Place->Line
            << ", \"element\": " << error->Place->Element << '}';
    }
    // The hints are shown as the notices are: they need no answer either.
    std::vector<std::string> notices = s.Notices;
    notices.insert(notices.end(), s.Hints.begin(), s.Hints.end());
    out << ", \"notices\": ";
    WriteLines(out, notices);
    out << ", \"refusals\": ";
    WriteLines(out, s.Log.Refusals);
    out << ", \"checks\": ";
    WriteLines(out, s.Log.Checks);
    out << ", \"value\": ";
    WriteResultValue(out, value);
    out << ", \"kept\": [";
    for (std::size_t k = 0; k < s.Kept.size(); ++k) {
        if (k > 0) out << ", ";
        out << "{\"label\": ";
        WriteJsonString(out, s.Kept[k].Label);
        out << ", \"names\": ";
        WriteLines(out, FactorNames(s.Kept[k].Value));
        out << '}';
    }
    out << "]}\n";
}

}  // namespace quorvix
