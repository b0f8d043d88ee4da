#include "workspace/steps.h"

#include <array>
#include <utility>

#include "workspace/auto_run.h"
#include "workspace/clear.h"
#include "workspace/editor_tools.h"
#include "workspace/project_file.h"
#include "workspace/result_file.h"

namespace quorvix {

namespace {

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
            if (kind == StepKind::SetFormat) step.Argument = std::string(word.substr(7));
            return step;
        }
    }
    for (const auto& [prefix, kind] : kValueSteps) {
        if (word.starts_with(prefix)) {
            step.Kind = kind;
            step.Argument = std::string(word.substr(prefix.size()));
            // A file step needs a file name.
            if (step.Argument.empty() && (kind == StepKind::Open || kind == StepKind::Save ||
                                          kind == StepKind::SaveResult))
                return std::nullopt;
            return step;
        }
    }
    return std::nullopt;
}

void RunStep(CalcState& s, const Step& step) {
    switch (step.Kind) {
    case StepKind::Operation: step.Op->Handler(s); return;
    case StepKind::Auto: Auto1Click(s); return;
    case StepKind::SetX: s.X = step.Argument; return;
    case StepKind::SetPrecision:
        s.Precision = step.Argument;
        PrecisionChange(s.Precision, s.Settings);
        return;
    case StepKind::SetFormat:
        RadioGroup1Click(s, step.Argument == "polar" ? ComplexFormat::Polar : ComplexFormat::Rectangular);
        return;
    case StepKind::SetA: s.MatrixA = SplitEditorText(step.Argument); return;
    case StepKind::SetB: s.MatrixB = SplitEditorText(step.Argument); return;
    case StepKind::PolarToRectA: PolarToRect1Click(s); return;
    case StepKind::RectToPolarA: RecttoPolar1Click(s); return;
    case StepKind::PolarToRectB: PolarToRect2Click(s); return;
    case StepKind::RectToPolarB: RecttoPolar2Click(s); return;
    case StepKind::AlignA: Align1Click(s); return;
    case StepKind::AlignB: Align2Click(s); return;
    case StepKind::AlignR: Align3Click(s); return;
    case StepKind::CommaToDot: commatodot1Click(s); return;
    case StepKind::DotToComma: dottocomma1Click(s); return;
    case StepKind::Clear: ClearResult(s); return;
    case StepKind::ClearA: ClearMatrixA(s); return;
    case StepKind::ClearB: ClearMatrixB(s); return;
    case StepKind::Open: OpenProject(s, step.Argument); return;
    case StepKind::Save: SaveProject(s, WithDefaultExtension(step.Argument, "mtx")); return;
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
