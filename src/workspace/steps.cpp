#include "workspace/steps.h"

#include <array>
#include <utility>

#include "workspace/auto_run.h"
#include "workspace/editor_tools.h"
#include "workspace/project_file.h"
#include "workspace/text_files.h"

namespace quorvix {

namespace {

constexpr std::string_view kFormatPrefix = "format=";

constexpr std::array<std::pair<std::string_view, StepKind>, 15> kPlainSteps{{
    {"Auto", StepKind::Auto},
    {"polar-to-rect-a", StepKind::PolarToRectA},
    {"rect-to-polar-a", StepKind::RectToPolarA},
    {"polar-to-rect-b", StepKind::PolarToRectB},
    {"rect-to-polar-b", StepKind::RectToPolarB},
    {"align-a", StepKind::AlignA},
    {"align-b", StepKind::AlignB},
    {"align-r", StepKind::AlignR},
    {"comma-to-dot", StepKind::CommaToDot},
    {"dot-to-comma", StepKind::DotToComma},
    {"clear", StepKind::Clear},
    {"clear-a", StepKind::ClearA},
    {"clear-b", StepKind::ClearB},
    {"format=rect", StepKind::SetFormat},
    {"format=polar", StepKind::SetFormat},
}};

constexpr std::array<std::pair<std::string_view, StepKind>, 7> kValueSteps{{
    {"x=", StepKind::SetX},
    {"precision=", StepKind::SetPrecision},
    {"a=", StepKind::SetA},
    {"b=", StepKind::SetB},
    {"open=", StepKind::Open},
    {"save=", StepKind::Save},
    {"save-result=", StepKind::SaveResult},
}};

}  // namespace

std::optional<Step> ParseStep(std::string_view word) {
    Step step;
    if (const Operation* op = FindOperationByStep(word)) {
        step.Op = op;
        return step;
    }
    for (const auto& [name, kind] : kPlainSteps) {
        if (word == name) {
            step.Kind = kind;
            if (kind == StepKind::SetFormat) step.Argument = std::string(word.substr(kFormatPrefix.size()));
            return step;
        }
    }
    for (const auto& [prefix, kind] : kValueSteps) {
        if (word.starts_with(prefix)) {
            step.Kind = kind;
            step.Argument = std::string(word.substr(prefix.size()));
            // A file step needs a file name.
            if (step.Argument.empty() &&
                (kind == StepKind::Open || kind == StepKind::Save || kind == StepKind::SaveResult))
                return std::nullopt;
            return step;
        }
    }
    return std::nullopt;
}

void RunStep(CalcState& s, const Step& step) {
    switch (step.Kind) {
        case StepKind::Operation: step.Op->Run(s); return;
        case StepKind::Auto: RunAuto(s); return;
        case StepKind::SetX: s.X = step.Argument; return;
        case StepKind::SetPrecision:
            s.Precision = step.Argument;
            PrecisionChange(s.Precision, s.Settings);
            return;
        case StepKind::SetFormat:
            SetComplexFormat(s, step.Argument == "polar" ? ComplexFormat::Polar : ComplexFormat::Rectangular);
            return;
        case StepKind::SetA: s.MatrixA = SplitEditorText(step.Argument); return;
        case StepKind::SetB: s.MatrixB = SplitEditorText(step.Argument); return;
        case StepKind::PolarToRectA: PolarToRect(s, Operand::A); return;
        case StepKind::RectToPolarA: RectToPolar(s, Operand::A); return;
        case StepKind::PolarToRectB: PolarToRect(s, Operand::B); return;
        case StepKind::RectToPolarB: RectToPolar(s, Operand::B); return;
        case StepKind::AlignA: AlignEditor(s, Editor::MatrixA); return;
        case StepKind::AlignB: AlignEditor(s, Editor::MatrixB); return;
        case StepKind::AlignR: AlignEditor(s, Editor::Result); return;
        case StepKind::CommaToDot: PanelCommaToDot(s); return;
        case StepKind::DotToComma: PanelDotToComma(s); return;
        case StepKind::Clear: ClearEditor(s, Editor::Result); return;
        case StepKind::ClearA: ClearEditor(s, Editor::MatrixA); return;
        case StepKind::ClearB: ClearEditor(s, Editor::MatrixB); return;
        case StepKind::Open: OpenProject(s, step.Argument); return;
        case StepKind::Save: SaveProject(s, WithDefaultExtension(step.Argument, kProjectExtension)); return;
        case StepKind::SaveResult: SaveResult(s, step.Argument); return;
    }
}

EditorLines SplitEditorText(std::string_view text) {
    EditorLines lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

}  // namespace quorvix
