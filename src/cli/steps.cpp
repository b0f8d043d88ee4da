#include "cli/steps.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "commands/auto_run.h"
#include "commands/editor_tools.h"
#include "commands/set_precision.h"
#include "files/project_file.h"
#include "files/result_file.h"
#include "files/text_files.h"

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

const std::vector<OperationName>& OperationNames() {
    static const std::vector<OperationName> names = [] {
        std::vector<OperationName> all;
        for (const Operation& op : Operations())
            for (const char* name : {op.Step, op.Caption, op.Hint}) all.push_back({FoldName(name), &op});
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
    for (const auto& [name, kind] : kPlainSteps) add(std::string(name), name);
    for (const Operation& op : Operations()) add(op.Caption, op.Caption);
    for (const Operation& op : Operations()) add(SingleBlanks(op.Hint), op.Hint);
    for (std::string_view name : kAutoNames) add(std::string(name), name);
    for (const auto& [prefix, kind] : kValueSteps) {
        const bool file = kind == StepKind::Open || kind == StepKind::Save || kind == StepKind::SaveResult;
        add(std::string(prefix) + (file ? "FILE" : "TEXT"), prefix);
    }
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
            if (step.Argument.empty() &&
                (kind == StepKind::Open || kind == StepKind::Save || kind == StepKind::SaveResult))
                return std::nullopt;
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
        case StepKind::Operation: step.Op->Run(s, *step.Op); return;
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
        case StepKind::Save: SaveProject(s, WithDefaultExtension(step.Argument, kProjectExtension)); return;
        case StepKind::SaveResult: SaveResult(s, step.Argument); return;
    }
}

}  // namespace quorvix
