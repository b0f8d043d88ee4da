// quorvix-cli: the calculator's command layer without its window.
#include <csignal>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/export_option.h"
#include "cli/progress_line.h"
#include "cli/run_report.h"
#include "cli/steps.h"
#include "cli/usage_list.h"
#include "commands/calc_state.h"
#include "commands/guarded_run.h"
#include "commands/set_precision.h"
#include "core/cancel.h"
#include "core/errors.h"
#include "files/text_files.h"
#include "quorvix_version.h"
#include "textio/locale_number.h"

namespace {

using namespace quorvix;

constexpr const char* kUsageHead = R"usage(Usage: quorvix-cli [OPTION ...] [STEP ...]

Runs the calculator's commands on the window's state: Matrix A, Matrix B, the
coefficient x, the precision, the complex format and the result panel. The
state starts as the window starts (A and B the 3 x 3 identity, x "1",
precision "3", rectangular format); the steps run in order, each as the
matching button or menu item would, and the result panel is printed.

Options (before the steps):
  -a FILE             Matrix A's text is FILE's content (- = standard input)
  -b FILE             Matrix B's text is FILE's content (- = standard input,
                      which only one of -a and -b can read)
  -x TEXT             the coefficient box holds TEXT
  -p TEXT             the precision box holds TEXT ("e" or a number)
  --polar             the complex format starts as "polar"
  --decimal-mark C    the decimal mark taken as the locale's (one character)
  --json              print the final state as one JSON object: a, b, x,
                      precision, format, results, error, error_at, notices,
                      refusals, checks, value (the last step's result as
                      numbers), kept (the kept results' labels and factor
                      names)
  --export FORMAT[:NAME]
                      print the last kept result (or its factor NAME) in
                      FORMAT instead of the panel: tsv, csv, octave, numpy,
                      latex, mm or json (not with --json)
  --no-check          write no " Check:" lines (the double-precision
                      checks of the answers)
  -h, --help          show this help
  --version           show the version

Operation steps (the result labels):
  A B A+B A-B "A&B" "A|B" "A#B" A*B A.*B A./B A/B "A'" "B'"
  inv(A) inv(B) A*x B*x A^x B^x Max(A) Max(B) Min(A) Min(B)
  Norm(A) Norm(B) Dim(A) Dim(B) Trace(A) Trace(B) Det(A) Det(B)
  Rank(A) Rank(B) LU(A) LU(B) QR(A) QR(B) Chol(A) Chol(B)
  Eig(A) Eig(B) Svd(A) Svd(B) Auto
)usage";

// After the list of the 43, the operations beyond them, from their table.
constexpr const char* kUsageTail = R"usage(
An operation may also be named by its button's caption or hint, and any
name is taken without regard to case or to runs of blanks: "det A", "inv b",
"A xor B", "AuTo", "Matrix multiply", "det(a)". A hint that two buttons
share ("Matrix inverse", "Matrix Transpose", "Sum of diagonal elements",
"Matrix power") names neither: it is refused as a usage error that names
both, so that a script never runs the wrong one. An unknown step is refused
with the nearest known step words.

Other steps:
  x=TEXT  precision=TEXT  format=rect  format=polar  a=TEXT  b=TEXT
  polar-to-rect-a  rect-to-polar-a  polar-to-rect-b  rect-to-polar-b
  align-a  align-b  align-r  comma-to-dot  dot-to-comma
  clear  clear-a  clear-b  open=FILE  save=FILE  save-result=FILE

open=FILE of a file that does not exist or cannot be read is an error; a
FILE without an extension that does not exist opens FILE.mtx. save=FILE.qvx
writes a text project that keeps everything (complex and polar elements,
the panel, the kept results); other names a .mtx project of real numbers.

Result steps (every printed result is kept, numbered from 1, until clear):
  use-a  use-b  use-a=NAME  use-b=NAME  use-a=N  use-b=N
  use-a=N:NAME  use-b=N:NAME  import-a=FILE  import-b=FILE
  export=FILE  export=FILE:NAME

use-a and use-b make the last kept result (or result N, or its factor NAME:
L, U, P, Q, R, D, S, V, X, values, vectors) the editor's text at full
precision. import-a=FILE reads Matrix Market, an Octave or numpy literal,
CSV, tab-separated or editor text (- = standard input). export=FILE writes
the last kept result in the format of FILE's extension: .tsv or .txt, .csv,
.m, .py, .tex, .mtx or .json.

Exit status:
  0  every step ran, and none was refused
  1  a command raised an error: its text goes to standard error (and where
     its text was, on a second line), the panel written so far is still
     printed; Auto writes each error in the panel, goes on, and ends with the
     first; Ctrl+C cancels a running command (or the next step), which
     writes a notice, and a second Ctrl+C ends the program at once
  2  usage error, nothing was run (no arguments at all, an unknown or
     ambiguous step, standard input named twice, --export with --json);
     also --export of a tsv, csv or mm text for a result of several
     factors without NAME
  3  a step other than Auto refused its input (wrote a message line such as
     " Error: inv(A) has no result!" instead of its result)

On a terminal, a step that runs longer than a second shows its progress on
standard error, erased when it ends; pipes and files never get it.

Example:
  quorvix-cli -x 2 a=$'1 2\n3 4' 'A*x' 'Det(A)'
)usage";

std::string UsageText() {
    return std::string(kUsageHead) +
           "\nMore operations, in double precision on LAPACK (results kept; not part of Auto):\n" +
           MoreOperationStepList() + kUsageTail;
}

int UsageError(const std::string& message) {
    std::cerr << "quorvix-cli: " << message << "\nTry 'quorvix-cli --help'.\n";
    return 2;
}

// 'a', 'b' and 'c'.
std::string QuotedList(const std::vector<std::string>& words, const char* lastJoin) {
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i != 0) text += i + 1 == words.size() ? lastJoin : ", ";
        text += "'" + words[i] + "'";
    }
    return text;
}

// The usage error for a word that names no step, or more than one.
int StepError(const std::string& word) {
    const std::vector<std::string> named = OperationsNamedBy(word);
    if (named.size() > 1)
        return UsageError("step '" + word + "' names " + QuotedList(named, " and ") + "; name one of them");
    return UsageError("unknown step '" + word +
                      "'; the nearest known steps: " + QuotedList(NearestStepWords(word), " or "));
}

// A word that is one of the options, which must come before the steps.
bool IsOptionWord(const std::string& word) {
    static const char* const kOptions[] = {"-a",     "-b",       "-x",         "-p", "--polar", "--decimal-mark",
                                           "--json", "--export", "--no-check", "-h", "--help",  "--version"};
    for (const char* option : kOptions)
        if (word == option) return true;
    return false;
}

// An operand file's text; "-" is standard input.
std::string OperandText(const std::string& name) {
    return name == "-" ? ReadWholeStream(stdin, name) : ReadWholeFile(name);
}

// The first Ctrl+C cancels the running command, which stops within a fraction
// of a second and leaves its notice; a second one ends the program at once,
// for the case that something does not stop.
extern "C" void OnInterrupt(int) {
    RequestCancel();
    std::signal(SIGINT, SIG_DFL);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        // Nothing to run: say how, rather than print an empty panel.
        std::cerr << UsageText();
        return 2;
    }
    std::optional<std::string> fileA, fileB, x, precision, mark, exportFormat;
    bool polar = false, json = false, noCheck = false;
    std::size_t i = 0;
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::optional<std::string>& target) {
            if (i + 1 >= args.size()) return false;
            target = args[++i];
            return true;
        };
        if (a == "-h" || a == "--help") {
            std::cout << UsageText();
            return 0;
        } else if (a == "--version") {
            std::cout << "quorvix-cli " << kVersion << '\n';
            return 0;
        } else if (a == "-a") {
            if (!value(fileA)) return UsageError("-a needs a file");
        } else if (a == "-b") {
            if (!value(fileB)) return UsageError("-b needs a file");
        } else if (a == "-x") {
            if (!value(x)) return UsageError("-x needs a text");
        } else if (a == "-p") {
            if (!value(precision)) return UsageError("-p needs a text");
        } else if (a == "--decimal-mark") {
            if (!value(mark) || mark->size() != 1) return UsageError("--decimal-mark needs one character");
        } else if (a == "--polar") {
            polar = true;
        } else if (a == "--json") {
            json = true;
        } else if (a == "--no-check") {
            noCheck = true;
        } else if (a == "--export") {
            if (!value(exportFormat)) return UsageError(ExportUsage());
        } else {
            break;
        }
    }
    if (fileA == "-" && fileB == "-")
        return UsageError("standard input can be read only once: name it for -a or for -b, not both");
    std::optional<ExportChoice> exportChoice;
    if (exportFormat) {
        exportChoice = ParseExportChoice(*exportFormat);
        if (!exportChoice) return UsageError(ExportUsage());
        if (json) return UsageError("--export and --json cannot be combined: each replaces the panel's text");
    }

    std::vector<Step> steps;
    std::vector<std::string> stepWords;
    for (; i < args.size(); ++i) {
        std::optional<Step> step = ParseStep(args[i]);
        if (!step && IsOptionWord(args[i])) return UsageError("options come before the steps: '" + args[i] + "'");
        if (!step) return StepError(args[i]);
        steps.push_back(std::move(*step));
        stepWords.push_back(args[i]);
    }

    CalcState state = mark ? StartState((*mark)[0]) : StartStateForLocale(LocaleDecimalMark());
    if (polar) state.Settings.Format = ComplexFormat::Polar;
    state.Log.KeepRefusals = true;
    if (noCheck) state.CheckResults = false;

    // A Ctrl+C at any time from here on cancels the run: the step that runs,
    // or the next one, stops with the cancel notice.
    ClearCancel();
    std::signal(SIGINT, OnInterrupt);
    GuardedOutcome outcome = RunGuarded(state, [&](CalcState& s) {
        if (fileA) s.MatrixA = SplitEditorText(OperandText(*fileA));
        if (fileB) s.MatrixB = SplitEditorText(OperandText(*fileB));
        if (x) s.X = *x;
        if (precision) SetPrecision(s, *precision);
    });
    std::optional<ProgressLine> progress;
    if (ProgressLine::IsTerminal(stderr)) progress.emplace(stderr);
    // A step other than Auto that wrote a message line instead of its result.
    bool refused = false;
    // The value reported is the result of the last step, if it printed one.
    std::size_t printedBefore = state.Log.Printed;
    for (std::size_t k = 0; k < steps.size() && !outcome.Error; ++k) {
        const Step& step = steps[k];
        printedBefore = state.Log.Printed;
        const std::size_t refusalsBefore = state.Log.Refusals.size();
        if (progress) progress->StepStarted(step.Kind == StepKind::Operation ? step.Op->Step : stepWords[k]);
        ResetProgress();
        outcome = RunGuarded(state, [&step](CalcState& s) {
            CheckCancelled();
            RunStep(s, step);
        });
        if (progress) progress->StepEnded();
        if (step.Kind == StepKind::Operation && state.Log.Refusals.size() > refusalsBefore) refused = true;
    }
    progress.reset();

    std::optional<RunError> error;
    if (outcome.Error) error = RunError{*outcome.Error, outcome.Place};
    if (json) {
        const bool printed = state.Log.Printed != printedBefore && !state.Kept.empty();
        WriteStateJson(std::cout, state, error, printed ? &state.Kept.back().Value : nullptr);
        if (error) return 1;
        return refused ? 3 : 0;
    }
    std::optional<std::string> exportError;
    if (exportChoice) {
        const ExportOutcome exported = ExportLastResult(state, *exportChoice);
        if (exported.UsageError) return UsageError(*exported.UsageError);
        std::cout << exported.Text;
        exportError = exported.Error;
    } else {
        for (const std::string& line : state.Panel.Lines()) std::cout << line << '\n';
    }
    std::cout.flush();
    for (const std::string& notice : state.Notices) std::cerr << notice << '\n';
    for (const std::string& hint : state.Hints) std::cerr << hint << '\n';
    if (error) {
        std::cerr << error->Message << ".\n";
        if (error->Place) std::cerr << PlaceLine(*error->Place) << '\n';
    }
    if (exportError) std::cerr << *exportError << ".\n";
    if (error || exportError) return 1;
    return refused ? 3 : 0;
}
