#include "cli/steps.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "commands/auto_run.h"
#include "commands/editor_tools.h"
#include "commands/run_operation.h"
#include "commands/set_precision.h"
#include "commands/use_result.h"
#include "files/export_file.h"
#include "files/import_file.h"
#include "files/project_file.h"
#include "files/qvx_project.h"
#include "files/result_file.h"
#include "files/text_files.h"

namespace quorvix {

namespace {

constexpr std::string_view kFormatPrefix = "format=";

constexpr std::array<std::pair<std::string_view, StepKind>, 17> kPlainSteps{{
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
    {"use-a", StepKind::UseA},
    {"use-b", StepKind::UseB},
}};

constexpr std::array<std::pair<std::string_view, StepKind>, 12> kValueSteps{{
    {"x=", StepKind::SetX},
    {"precision=", StepKind::SetPrecision},
    {"a=", StepKind::SetA},
    {"b=", StepKind::SetB},
    {"open=", StepKind::Open},
    {"save=", StepKind::Save},
    {"save-result=", StepKind::SaveResult},
    {"use-a=", StepKind::UseA},
    {"use-b=", StepKind::UseB},
    {"import-a=", StepKind::ImportA},
    {"import-b=", StepKind::ImportB},
    {"export=", StepKind::Export},
}};

bool TakesFile(StepKind kind) {
    return kind == StepKind::Open || kind == StepKind::Save || kind == StepKind::SaveResult ||
           kind == StepKind::ImportA || kind == StepKind::ImportB || kind == StepKind::Export;
}

// The value's word in the usage and the nearest-step list.
const char* ValueWord(StepKind kind) {
    if (TakesFile(kind)) return "FILE";
    if (kind == StepKind::UseA || kind == StepKind::UseB) return "NAME";
    return "TEXT";
}

bool AllDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A factor's name: letters and digits ("L", "values").
bool IsFactorName(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    });
}

// use-a=N, use-a=NAME, use-a=N:NAME; false for anything else.
bool ParseUseArgument(std::string_view argument, Step& step) {
    std::string_view number = argument;
    std::string_view name;
    if (const std::size_t colon = argument.find(':'); colon != std::string_view::npos) {
        number = argument.substr(0, colon);
        name = argument.substr(colon + 1);
        if (!AllDigits(number) || !IsFactorName(name)) return false;
    } else if (!AllDigits(argument)) {
        number = {};
        name = argument;
        if (!IsFactorName(name)) return false;
    }
    if (!number.empty()) {
        if (number.size() > 9) return false;
        step.Number = static_cast<std::size_t>(std::stoul(std::string(number)));
    }
    step.Name = std::string(name);
    return true;
}

// export=FILE:NAME: NAME after the last ":" when it is a factor's name, so
// that a file name with a colon of its own stays whole.
void SplitExportArgument(Step& step) {
    const std::size_t colon = step.Argument.find_last_of(':');
    if (colon == std::string::npos || colon == 0) return;
    const std::string name = step.Argument.substr(colon + 1);
    if (!IsFactorName(name)) return;
    step.Name = name;
    step.Argument.resize(colon);
}

// The names of Auto besides its step word: the caption and hint of its
// button, and the toolbar button's text and hint.
constexpr std::array<std::string_view, 3> kAutoNames{"AuTo", "Auto calculate", "Auto Generate"};

// A name with no blanks at either end and each run of blanks as one blank
// (hints such as "Matrix  A" hold double blanks that nobody sees).
std::string SingleBlanks(std::string_view name) {
    std::string out;
    bool blank = false;
    for (char c : name) {
        if (c == ' ' || c == '\t') {
            blank = !out.empty();
            continue;
        }
        if (blank) out += ' ';
        blank = false;
        out += c;
    }
    return out;
}

// A name as it is compared: single blanks, lower case.
std::string FoldName(std::string_view name) {
    std::string folded = SingleBlanks(name);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

// One name of an operation or of Auto (op == nullptr), folded.
struct OperationName {
    std::string Folded;
    const Operation* Op;
};

// A menu item's caption as it reads, without its access key's "&" ("&&"
// stands for one "&").
std::string WithoutAccessKey(std::string_view caption) {
    std::string out;
    for (std::size_t k = 0; k < caption.size(); ++k) {
        if (caption[k] == '&' && k + 1 < caption.size()) ++k;
        out += caption[k];
    }
    return out;
}

const std::vector<OperationName>& OperationNames() {
    static const std::vector<OperationName> names = [] {
        std::vector<OperationName> all;
        for (const Operation& op : Operations())
            for (const char* name : {op.Step, op.Caption, op.Hint}) all.push_back({FoldName(name), &op});
        for (const Operation& op : MoreOperations())
            for (const std::string& name : {std::string(op.Step), WithoutAccessKey(op.Caption), std::string(op.Hint)})
                all.push_back({FoldName(name), &op});
        all.push_back({FoldName("Auto"), nullptr});
        for (std::string_view name : kAutoNames) all.push_back({FoldName(name), nullptr});
        return all;
    }();
    return names;
}

// The distinct targets a name folds to, in table order; a null entry is Auto.
std::vector<const Operation*> TargetsOf(std::string_view word) {
    const std::string folded = FoldName(word);
    std::vector<const Operation*> targets;
    for (const OperationName& name : OperationNames())
        if (name.Folded == folded && std::find(targets.begin(), targets.end(), name.Op) == targets.end())
            targets.push_back(name.Op);
    return targets;
}

// Edit distance: inserting, deleting or changing a character, or swapping
// two neighbours ("Dte" for "Det"), counts one.
std::size_t EditDistance(std::string_view a, std::string_view b) {
    const std::size_t width = b.size() + 1;
    std::vector<std::size_t> d((a.size() + 1) * width);
    auto at = [&](std::size_t i, std::size_t j) -> std::size_t& { return d[i * width + j]; };
    for (std::size_t i = 0; i <= a.size(); ++i) at(i, 0) = i;
    for (std::size_t j = 0; j <= b.size(); ++j) at(0, j) = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t change = a[i - 1] == b[j - 1] ? 0 : 1;
            at(i, j) = std::min({at(i - 1, j) + 1, at(i, j - 1) + 1, at(i - 1, j - 1) + change});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                at(i, j) = std::min(at(i, j), at(i - 2, j - 2) + 1);
        }
    }
    return at(a.size(), b.size());
}

// Every known step word as the usage text shows it, with the text an unknown
// word is compared with: for the steps that take a value, the part up to "=".
struct KnownWord {
    std::string Shown;
    std::string Compared;
};

std::vector<KnownWord> KnownWords() {
    std::vector<KnownWord> words;
    auto add = [&](std::string shown, std::string_view compared) {
        std::string folded = FoldName(compared);
        for (const KnownWord& w : words)
            if (w.Compared == folded) return;  // a caption that is also the step word, say
        words.push_back({std::move(shown), std::move(folded)});
    };
    for (const Operation& op : Operations()) add(op.Step, op.Step);
    for (const Operation& op : MoreOperations()) add(op.Step, op.Step);
    for (const auto& [name, kind] : kPlainSteps) add(std::string(name), name);
    for (const Operation& op : Operations()) add(op.Caption, op.Caption);
    for (const Operation& op : MoreOperations()) add(WithoutAccessKey(op.Caption), WithoutAccessKey(op.Caption));
    for (const Operation& op : Operations()) add(SingleBlanks(op.Hint), op.Hint);
    for (const Operation& op : MoreOperations()) add(SingleBlanks(op.Hint), op.Hint);
    for (std::string_view name : kAutoNames) add(std::string(name), name);
    for (const auto& [prefix, kind] : kValueSteps) add(std::string(prefix) + ValueWord(kind), prefix);
    return words;
}

}  // namespace

std::vector<std::string> OperationsNamedBy(std::string_view word) {
    std::vector<std::string> steps;
    for (const Operation* op : TargetsOf(word)) steps.emplace_back(op != nullptr ? op->Step : "Auto");
    return steps;
}

std::vector<std::string> NearestStepWords(std::string_view word, std::size_t most) {
    // No known word is near a long one; its first characters are enough to say which are nearest.
    word = word.substr(0, 80);
    const std::size_t equals = word.find('=');
    // A word with "=" is compared with the value steps by the part up to "=";
    // "format=..." is whole in the table and compared whole.
    const std::string folded = FoldName(word);
    const std::string foldedPrefix = equals == std::string_view::npos ? folded : FoldName(word.substr(0, equals + 1));
    std::vector<std::pair<std::size_t, std::string>> scored;
    for (const KnownWord& known : KnownWords()) {
        const bool takesValue = known.Compared.ends_with('=');
        const std::size_t d = EditDistance(takesValue ? foldedPrefix : folded, known.Compared);
        scored.emplace_back(d, known.Shown);
    }
    std::size_t best = std::string::npos;
    for (const auto& [d, shown] : scored) best = std::min(best, d);
    std::vector<std::string> nearest;
    for (const auto& [d, shown] : scored)
        if (d == best && nearest.size() < most) nearest.push_back(shown);
    return nearest;
}

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
            if (step.Argument.empty() && TakesFile(kind)) return std::nullopt;
            if (kind == StepKind::UseA || kind == StepKind::UseB) {
                if (!ParseUseArgument(step.Argument, step)) return std::nullopt;
                step.Argument.clear();
            }
            if (kind == StepKind::Export) {
                SplitExportArgument(step);
                if (step.Argument.empty()) return std::nullopt;
            }
            return step;
        }
    }
    // A caption or hint, or a step word in another case.
    const std::vector<const Operation*> targets = TargetsOf(word);
    if (targets.size() != 1) return std::nullopt;
    if (targets[0] == nullptr) {
        step.Kind = StepKind::Auto;
    } else {
        step.Op = targets[0];
    }
    return step;
}

void RunStep(CalcState& s, const Step& step) {
    switch (step.Kind) {
        case StepKind::Operation: RunOperation(s, *step.Op); return;
        case StepKind::Auto: RunAuto(s); return;
        case StepKind::SetX: s.X = step.Argument; return;
        case StepKind::SetPrecision: SetPrecision(s, step.Argument); return;
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
        case StepKind::Open: OpenProject(s, ProjectPathToOpen(step.Argument)); return;
        case StepKind::Save:
            if (IsTextProjectPath(step.Argument))
                SaveTextProject(s, step.Argument);
            else
                SaveProject(s, WithDefaultExtension(step.Argument, kProjectExtension));
            return;
        case StepKind::SaveResult: SaveResult(s, step.Argument); return;
        case StepKind::UseA: UseResult(s, Operand::A, step.Number, step.Name); return;
        case StepKind::UseB: UseResult(s, Operand::B, step.Number, step.Name); return;
        case StepKind::ImportA: ImportFileIntoEditor(s, Operand::A, step.Argument); return;
        case StepKind::ImportB: ImportFileIntoEditor(s, Operand::B, step.Argument); return;
        case StepKind::Export: ExportResultFile(s, step.Argument, step.Name); return;
    }
}

}  // namespace quorvix
