// Fuzz target for the whole command layer, driven the way quorvix-cli drives
// it: every step is a quorvix-cli step word, turned into a Step by ParseStep
// and run by RunStep on one CalcState, the cancel flag lowered before each.
//
// Input: fields separated by the byte 0x1E (record separator):
//   0  mode: first byte "," takes the comma as the locale's decimal mark, "."
//      or nothing the point, anything else a mark that is neither (the
//      editors then start empty); a second byte "p" starts in polar format
//   1  Matrix A text (empty field: the start state's identity)
//   2  Matrix B text (likewise)
//   3  x text (empty field: the start "1")
//   4  precision text (empty field: the start "3")
//   5  steps, one byte each: a byte from 0xE0 on picks an operation beyond
//      the 43 (its offset modulo their number), any other byte modulo the
//      number of step words picks the word from the table built in
//      StepWords()
//   6… values: each "a=", "b=", "x=" or "precision=" step takes the next one
//
// Bounds, so that every run ends quickly: editors of at most 12 rows of 12
// elements (bigger inputs are skipped), at most 48 steps, and a watchdog that
// cancels a step still running after QUORVIX_FUZZ_STEP_MS milliseconds (200
// by default) through the same flag the window's Cancel button raises; the
// power loop and Auto stop on it. A step still running long after the cancel
// (QUORVIX_FUZZ_HANG_MS, 20000 by default) is reported as a hang. After two
// cancelled steps the rest of the input is skipped, so that an input of long
// powers takes well under a second.
//
// After every step it checks:
//   - any error is a CalcError with one of the calculator's own messages;
//     "cancelled" only after the watchdog fired;
//   - the lines a step writes to the panel hold no word "nan", "inf" or
//     "infinity";
//   - the panel only grows: what was there before is still there, unchanged,
//     except after clear, Auto (which clears first), and the panel's own
//     tools (align, comma to dot, dot to comma), which keep its tokens or its
//     line lengths;
//   - an operation never changes the editors, x, the precision or the output
//     settings, and leaves its label after any warning lines; a refused one
//     ends with its message and an empty line;
//   - a text tool that fails leaves its editor as it was (switching the
//     complex format: the controls converted before the failing one stay
//     converted, the others are untouched);
//   - a failed open changes nothing; a saved project opens again; a saved
//     result file holds the panel's text.
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "cli/steps.h"
#include "commands/calc_state.h"
#include "commands/operation_table.h"
#include "commands/set_precision.h"
#include "core/cancel.h"
#include "core/errors.h"
#include "core/kernel/fpu.h"
#include "core/scalar.h"
#include "files/project_file.h"
#include "linalg/errors.h"
#include "textio/matrix_reader.h"
#include "textio/text_tools.h"

namespace {

using namespace quorvix;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kMaxInput = 8192;
constexpr std::int32_t kMaxRows = 12;
constexpr std::int32_t kMaxCols = 12;
constexpr std::size_t kMaxSteps = 48;
constexpr char kFieldSeparator = '\x1e';

std::string g_current;          // the step being checked, for the failure report
int g_cancels = 0;              // steps of this input that the watchdog cancelled
constexpr int kMaxCancels = 2;  // then the input has shown what it can

[[noreturn]] void Fail(const char* what, std::string_view detail = {}) {
    std::fprintf(stderr, "command_layer_fuzz: %s\n  step: [", what);
    std::fwrite(g_current.data(), 1, g_current.size(), stderr);
    std::fprintf(stderr, "]\n  detail: [");
    std::fwrite(detail.data(), 1, detail.size(), stderr);
    std::fprintf(stderr, "]\n");
    std::abort();
}

void Check(bool ok, const char* what, std::string_view detail = {}) {
    if (!ok) Fail(what, detail);
}

long EnvMilliseconds(const char* name, long fallback) {
    const char* text = std::getenv(name);
    if (text == nullptr) return fallback;
    const long v = std::strtol(text, nullptr, 10);
    return v > 0 ? v : fallback;
}

// ---- The watchdog -------------------------------------------------------------

// One thread for the whole process. Arm() starts a step's budget; when it runs
// out the cancel flag is raised, as the Cancel button does; a step that still
// runs long after that is a hang. The lock makes a late cancel for one step
// impossible to land in the next one.
class Watchdog {
public:
    Watchdog()
        : budget_(std::chrono::milliseconds(EnvMilliseconds("QUORVIX_FUZZ_STEP_MS", 200))),
          hangLimit_(std::chrono::milliseconds(EnvMilliseconds("QUORVIX_FUZZ_HANG_MS", 20000))),
          thread_([this] { Loop(); }) {
        thread_.detach();
    }

    void Arm() {
        std::lock_guard lock(mutex_);
        ClearCancel();
        ++generation_;
        armed_ = true;
        fired_ = false;
        deadline_ = Clock::now() + budget_;
        wake_.notify_one();
    }

    // Ends the step's budget; true when the cancel was requested during it.
    bool Disarm() {
        std::lock_guard lock(mutex_);
        armed_ = false;
        ClearCancel();
        return fired_;
    }

private:
    void Loop() {
        std::unique_lock lock(mutex_);
        for (;;) {
            if (!armed_) {
                wake_.wait(lock);
                continue;
            }
            const std::uint64_t generation = generation_;
            const Clock::time_point until = fired_ ? deadline_ + hangLimit_ : deadline_;
            wake_.wait_until(lock, until);
            if (!armed_ || generation_ != generation || Clock::now() < until) continue;
            if (!fired_) {
                RequestCancel();
                fired_ = true;
            } else {
                Fail("the step did not end after it was cancelled");
            }
        }
    }

    const Clock::duration budget_;
    const Clock::duration hangLimit_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::uint64_t generation_ = 0;
    bool armed_ = false;
    bool fired_ = false;
    Clock::time_point deadline_{};
    std::thread thread_;
};

Watchdog& TheWatchdog() {
    static Watchdog* dog = new Watchdog;  // never destroyed: its thread outlives main
    return *dog;
}

// ---- Files --------------------------------------------------------------------

struct Folder {
    fs::path dir;
    std::string folder;   // a folder where a project could be: neither saved over nor opened
    std::string project;  // saved without its extension; the save step adds ".mtx"
    std::string result;
};

// libFuzzer may end the process without running exit handlers, so each
// process names its folder after its id and removes the folders of
// processes that are gone.
void RemoveStaleFolders(const fs::path& base) {
    std::error_code ec;
    constexpr std::string_view kPrefix = "quorvix-fuzz-";
    for (const auto& entry : fs::directory_iterator(base, ec)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(kPrefix)) continue;
        char* end = nullptr;
        const long pid = std::strtol(name.c_str() + kPrefix.size(), &end, 10);
        if (pid <= 0 || *end != '\0') continue;
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) fs::remove_all(entry.path(), ec);
    }
}

const Folder& TheFolder() {
    static const Folder folder = [] {
        const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        RemoveStaleFolders(base);
        Folder f;
        f.dir = base / ("quorvix-fuzz-" + std::to_string(::getpid()));
        std::error_code ec;
        fs::remove_all(f.dir, ec);
        if (!fs::create_directory(f.dir, ec)) Fail("cannot make a scratch folder", f.dir.string());
        f.project = (f.dir / "p").string();
        f.result = (f.dir / "r.txt").string();
        f.folder = (f.dir / "folder.mtx").string();
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(TheFolder().dir, ignored);
        });
        return f;
    }();
    return folder;
}

void EmptyFolder() {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(TheFolder().dir, ec)) fs::remove_all(entry.path(), ec);
    fs::create_directory(TheFolder().folder, ec);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// ---- The step words -----------------------------------------------------------

enum class Takes { Nothing, Value };

// The step bytes from this one on name the operations beyond the 43.
constexpr unsigned char kFirstMoreByte = 0xE0;

struct StepWord {
    std::string Word;
    Takes Value = Takes::Nothing;
};

const std::vector<StepWord>& StepWords() {
    static const std::vector<StepWord> words = [] {
        std::vector<StepWord> w;
        for (const Operation& op : Operations()) w.push_back({op.Step});
        for (const char* plain : {"Auto", "format=rect", "format=polar", "polar-to-rect-a", "rect-to-polar-a",
                                  "polar-to-rect-b", "rect-to-polar-b", "align-a", "align-b", "align-r", "comma-to-dot",
                                  "dot-to-comma", "clear", "clear-a", "clear-b"})
            w.push_back({plain});
        for (const char* prefix : {"x=", "precision=", "a=", "b="}) w.push_back({prefix, Takes::Value});
        const Folder& f = TheFolder();
        w.push_back({"save=" + f.project});
        w.push_back({"open=" + f.project + ".mtx"});
        w.push_back({"save-result=" + f.result});
        w.push_back({"open=" + f.result});                    // a text file is no project
        w.push_back({"open=" + f.folder});                    // a folder cannot be opened
        w.push_back({"open=" + f.project + "-missing.mtx"});  // a missing file does nothing
        w.push_back({"save=" + f.folder});                    // a folder is not replaced
        return w;
    }();
    return words;
}

// ---- Checks -------------------------------------------------------------------

struct Snapshot {
    EditorLines A, B;
    std::string X, Precision;
    long double Factor;
    ComplexFormat Format;
    char Mark;
    std::vector<std::string> Panel;

    explicit Snapshot(const CalcState& s)
        : A(s.MatrixA), B(s.MatrixB), X(s.X), Precision(s.Precision), Factor(s.Settings.RoundingFactor),
          Format(s.Settings.Format), Mark(s.Settings.DecimalMark), Panel(s.Panel.Lines()) {}
    bool SameInputs(const CalcState& s) const {
        return A == s.MatrixA && B == s.MatrixB && X == s.X && Precision == s.Precision && SameSettings(s);
    }
    bool SameSettings(const CalcState& s) const {
        // The factor compared bit for bit (a nan never gets here: it would be refused).
        return Factor == s.Settings.RoundingFactor && Format == s.Settings.Format && Mark == s.Settings.DecimalMark;
    }
};

bool WithinBounds(const EditorLines& editor) {
    if (CountRows(editor) > kMaxRows) return false;
    return std::all_of(editor.begin(), editor.end(),
                       [](const std::string& line) { return CountTokens(line) <= kMaxCols; });
}

constexpr std::string_view kParseReasons[] = {
    "Could not parse real portion [",
    "Could not parse required '+' (or '-') symbol [",
    "Could not parse imaginary portion [",
    "Could not parse required 'i' symbol [",
    "Unexpected characters [",
};

// `quotesNul`: a text the message may quote holds a NUL byte, which ends the
// message as the user sees it (the error's text is a C string).
bool KnownMessage(std::string_view m, bool cancelled, bool quotesNul) {
    if (m == kOverflowMessage || m == kZeroDivideMessage || m == kInvalidOpMessage || m == kComplexDivisionMessage ||
        m == kInvalidVariantOpMessage)
        return true;
    if (m == kCancelledMessage) return cancelled;
    if (m == linalg::kNoConvergenceMessage) return true;
    for (std::string_view reason : kParseReasons)
        if (m.starts_with(reason) && ((m.ends_with("]") && m.find("<?>") != std::string_view::npos) || quotesNul))
            return true;
    if (m.starts_with("'") && (m.ends_with("' is not a valid floating point value") ||
                               m.ends_with("' is not a valid integer value") || quotesNul))
        return true;
    if ((m.starts_with("Cannot create file \"") || m.starts_with("Cannot open file \"")) &&
        m.find("\". ") != std::string_view::npos)
        return true;
    // A binary project refuses a complex element, quoting it.
    if (m.starts_with("Projects in .mtx keep real numbers only (Matrix ") &&
        (m.ends_with("'); save as .qvx to keep everything") || quotesNul))
        return true;
    return false;
}

// A word "nan", "inf" or "infinity" in any case, as printing a value that
// is no finite number would spell it; letters around it make another word
// ("determinant").
bool HasNanOrInf(std::string_view line) {
    const auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    for (std::size_t i = 0; i < line.size();) {
        if (!letter(line[i])) {
            ++i;
            continue;
        }
        std::string word;
        for (; i < line.size() && letter(line[i]); ++i)
            word += line[i] >= 'A' && line[i] <= 'Z' ? static_cast<char>(line[i] - 'A' + 'a') : line[i];
        if (word == "nan" || word == "inf" || word == "infinity") return true;
    }
    return false;
}

// Auto writes the message of a command that raised as a panel line
// (" Error: " + message + "."); a parse or conversion message quotes the
// typed text, which may well spell "nan" or "inf" itself.
bool QuotesTypedText(std::string_view line) {
    constexpr std::string_view kAutoError = " Error: ";
    if (!line.starts_with(kAutoError)) return false;
    const std::string_view message = line.substr(kAutoError.size());
    if (message.starts_with("'")) return true;
    for (std::string_view reason : kParseReasons)
        if (message.starts_with(reason)) return true;
    return false;
}

// Only the lines a step wrote are looked at: the panel tools (align, the
// mark swaps) only move or swap the characters of lines checked before, and
// an aligned error line no longer starts with its " Error: ".
void CheckPanelText(const Snapshot& before, const CalcState& s) {
    const auto& now = s.Panel.Lines();
    const auto unchanged = std::mismatch(before.Panel.begin(), before.Panel.end(), now.begin(), now.end()).second;
    for (auto line = unchanged; line != now.end(); ++line)
        Check(QuotesTypedText(*line) || !HasNanOrInf(*line), "nan or inf text in the panel", *line);
}

void CheckPanelGrew(const Snapshot& before, const CalcState& s) {
    const auto& now = s.Panel.Lines();
    Check(now.size() >= before.Panel.size() && std::equal(before.Panel.begin(), before.Panel.end(), now.begin()),
          "the panel lost or changed lines");
}

bool IsWarning(const std::string& line) { return line == kIncompleteWarning; }

bool IsRefusal(const std::string& line) {
    return line.starts_with(" Error:") || line.starts_with(" Notice:") || line.starts_with(" No Cholesky");
}

// The lines an operation added: warnings, its label, then either "=" on the
// label and the result, or a message and an empty line (one blank for A.*B).
void CheckOperationLines(const Operation& op, const Snapshot& before, const CalcState& s, bool raised) {
    const auto& lines = s.Panel.Lines();
    std::size_t k = before.Panel.size();
    if (k == lines.size()) {
        // Only the powers read x before anything is written.
        const std::string_view step(op.Step);
        Check(raised && (step == "A^x" || step == "B^x"), "an operation left no label");
        return;
    }
    std::size_t warnings = 0;
    while (k < lines.size() && IsWarning(lines[k])) ++k, ++warnings;
    Check(warnings <= 2, "more warning lines than editors");
    Check(k < lines.size() && lines[k].starts_with(op.Label), "the label does not follow the warnings",
          k < lines.size() ? lines[k] : "");
    if (raised) return;
    if (lines[k].ends_with("=")) return;
    Check(k + 1 < lines.size() && IsRefusal(lines[k + 1]), "no result and no message after the label", lines[k]);
    Check(lines.back().empty() || lines.back() == " ", "a refusal does not end with its empty line");
}

std::vector<std::string> AllTokens(const std::vector<std::string>& lines) {
    std::vector<std::string> tokens;
    for (const std::string& line : lines)
        for (std::string& t : SplitTokens(line)) tokens.push_back(std::move(t));
    return tokens;
}

void CheckSameTokens(const std::vector<std::string>& before, const std::vector<std::string>& now, const char* what) {
    const auto [was, is] = std::mismatch(before.begin(), before.end(), now.begin(), now.end());
    if (was == before.end() && is == now.end()) return;
    Fail(what, (was == before.end() ? std::string("(none)") : *was) + "] became [" +
                   (is == now.end() ? std::string("(none)") : *is));
}

// Switching the format converts x, then A, then B; the first that fails stops
// it. Replays the conversions on copies to find where it must have stopped.
void CheckFailedFormatSwitch(const Snapshot& before, const CalcState& s) {
    const Conversion conversion = s.Settings.Format == ComplexFormat::Polar ? Conversion::ToPolar : Conversion::ToRect;
    ResultPanel scratch;
    bool failed = false;
    auto expect = [&](const auto& old, const auto& now, auto convert, const char* what) {
        if (failed) {
            Check(now == old, what);
            return;
        }
        try {
            Check(now == convert(), what);
        } catch (const CalcError&) {
            failed = true;
            Check(now == old, what);
        }
    };
    expect(
        before.X, s.X, [&] { return ConvertToken(before.X, conversion, s.Settings); },
        "a failed format switch changed x wrongly");
    expect(
        before.A, s.MatrixA, [&] { return RewriteEditor(before.A, conversion, s.Settings, scratch); },
        "a failed format switch changed Matrix A wrongly");
    expect(
        before.B, s.MatrixB, [&] { return RewriteEditor(before.B, conversion, s.Settings, scratch); },
        "a failed format switch changed Matrix B wrongly");
    Check(failed, "a format switch raised but every conversion succeeds on its own");
}

// A project just saved opens again, with each stored editor's measured size.
void CheckSavedProjectOpens(const CalcState& s, const std::string& path) {
    CalcState copy = s;
    try {
        OpenProject(copy, path);
    } catch (const CalcError& e) {
        Fail("a saved project cannot be opened", e.what());
    }
    auto sameSize = [&](const EditorLines& source, const EditorLines& opened) {
        const std::int32_t rows = CountRows(source);
        const std::int32_t cols = CountColumns(source).Columns;
        if (rows == 0 || cols == 0) return opened == source;
        return CountRows(opened) == rows && CountColumns(opened).Columns == cols;
    };
    Check(sameSize(s.MatrixA, copy.MatrixA), "a saved Matrix A opens with another size");
    Check(sameSize(s.MatrixB, copy.MatrixB), "a saved Matrix B opens with another size");
}

// Runs one step and checks the state afterwards. False: stop this input.
bool RunAndCheck(CalcState& s, const std::string& word) {
    g_current = word;
    const std::optional<Step> step = ParseStep(word);
    Check(step.has_value(), "quorvix-cli refuses a step word of the table", word);

    const Snapshot before(s);
    std::optional<std::string> error;
    Watchdog& dog = TheWatchdog();
    dog.Arm();
    try {
        RunStep(s, *step);
    } catch (const CalcError& e) {
        error = e.what();
    } catch (const std::exception& e) {
        dog.Disarm();
        Fail("an error that is not the calculator's", e.what());
    }
    const bool cancelled = dog.Disarm();
    if (cancelled) ++g_cancels;
    const bool raised = error.has_value();
    if (raised) {
        const auto hasNul = [](const auto& text) {
            return std::string_view(text).find('\0') != std::string_view::npos;
        };
        const bool quotesNul = hasNul(before.X) || hasNul(before.Precision) || hasNul(step->Argument) ||
                               std::any_of(before.A.begin(), before.A.end(), hasNul) ||
                               std::any_of(before.B.begin(), before.B.end(), hasNul);
        Check(KnownMessage(*error, cancelled, quotesNul), "an unknown error message", *error);
    }
    const StepKind kind = step->Kind;
    if (kind != StepKind::AlignR && kind != StepKind::CommaToDot && kind != StepKind::DotToComma)
        CheckPanelText(before, s);

    switch (step->Kind) {
        case StepKind::Operation:
            Check(before.SameInputs(s), "an operation changed the editors, x, the precision or the settings");
            CheckPanelGrew(before, s);
            CheckOperationLines(*step->Op, before, s, raised);
            break;
        case StepKind::Auto:
            Check(before.SameInputs(s), "Auto changed the editors, x, the precision or the settings");
            break;
        case StepKind::SetX:
        case StepKind::SetA:
        case StepKind::SetB:
            Check(!raised && s.Panel.Lines() == before.Panel, "setting a text changed the panel");
            break;
        case StepKind::SetPrecision:
            Check(s.Panel.Lines() == before.Panel && s.MatrixA == before.A && s.MatrixB == before.B,
                  "the precision changed the panel or an editor");
            if (raised) Check(before.SameSettings(s), "a refused precision changed the settings");
            break;
        case StepKind::SetFormat:
            CheckPanelGrew(before, s);
            if (raised) CheckFailedFormatSwitch(before, s);
            break;
        case StepKind::PolarToRectA:
        case StepKind::RectToPolarA:
        case StepKind::AlignA:
            CheckPanelGrew(before, s);
            Check(s.MatrixB == before.B && s.X == before.X && before.SameSettings(s), "a Matrix A tool changed more");
            if (raised) Check(s.MatrixA == before.A, "a failed Matrix A tool changed Matrix A");
            break;
        case StepKind::PolarToRectB:
        case StepKind::RectToPolarB:
        case StepKind::AlignB:
            CheckPanelGrew(before, s);
            Check(s.MatrixA == before.A && s.X == before.X && before.SameSettings(s), "a Matrix B tool changed more");
            if (raised) Check(s.MatrixB == before.B, "a failed Matrix B tool changed Matrix B");
            break;
        case StepKind::AlignR:
            Check(!raised && before.SameInputs(s), "aligning the panel changed more than the panel");
            Check(s.Panel.LineCount() <= before.Panel.size(), "aligning the panel added lines");
            CheckSameTokens(AllTokens(before.Panel), AllTokens(s.Panel.Lines()),
                            "aligning the panel changed its tokens");
            break;
        case StepKind::CommaToDot:
        case StepKind::DotToComma: {
            Check(!raised && before.SameInputs(s), "a mark swap changed more than the panel");
            const auto& now = s.Panel.Lines();
            Check(now.size() == before.Panel.size(), "a mark swap changed the line count");
            const char gone = step->Kind == StepKind::CommaToDot ? ',' : '.';
            for (std::size_t k = 0; k < now.size(); ++k)
                Check(now[k].size() == before.Panel[k].size() && now[k].find(gone) == std::string::npos,
                      "a mark swap left a mark or changed a line's length", now[k]);
            break;
        }
        case StepKind::Clear:
            Check(!raised && s.Panel.LineCount() == 0 && before.SameInputs(s), "clearing the panel changed more");
            break;
        case StepKind::ClearA:
            Check(!raised && s.MatrixA.empty() && s.MatrixB == before.B && s.Panel.Lines() == before.Panel,
                  "clearing Matrix A changed more");
            break;
        case StepKind::ClearB:
            Check(!raised && s.MatrixB.empty() && s.MatrixA == before.A && s.Panel.Lines() == before.Panel,
                  "clearing Matrix B changed more");
            break;
        case StepKind::Open:
            Check(s.Panel.Lines() == before.Panel, "opening a project changed the panel");
            if (raised) Check(before.SameInputs(s), "a failed open changed the state");
            if (!WithinBounds(s.MatrixA) || !WithinBounds(s.MatrixB)) return false;
            break;
        case StepKind::Save: {
            Check(before.SameInputs(s), "saving a project changed the editors or settings");
            CheckPanelGrew(before, s);
            const std::string path = WithDefaultExtension(step->Argument, kProjectExtension);
            if (!raised) CheckSavedProjectOpens(s, path);
            break;
        }
        case StepKind::SaveResult:
            Check(before.SameInputs(s) && s.Panel.Lines() == before.Panel, "saving the result changed the state");
            if (!raised) Check(ReadFile(step->Argument) == s.Panel.Text("\r\n"), "the result file is not the panel");
            break;
        case StepKind::UseA:
        case StepKind::UseB:
        case StepKind::ImportA:
        case StepKind::ImportB:
        case StepKind::Export:
            // Not among this target's words: the import reader's and the
            // text project reader's targets drive these.
            break;
    }
    return true;
}

std::vector<std::string_view> SplitFields(std::string_view input) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = input.find(kFieldSeparator, start);
        if (end == std::string_view::npos) {
            fields.push_back(input.substr(start));
            return fields;
        }
        fields.push_back(input.substr(start, end - start));
        start = end + 1;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > kMaxInput) return 0;
    const std::vector<std::string_view> fields =
        SplitFields(std::string_view(reinterpret_cast<const char*>(data), size));
    auto field = [&](std::size_t k) { return k < fields.size() ? fields[k] : std::string_view(); };

    const std::string_view mode = field(0);
    char mark = '.';
    if (!mode.empty()) mark = mode[0] == ',' ? ',' : mode[0] == '.' ? '.' : ';';
    CalcState s = StartState(mark);
    if (mode.size() > 1 && mode[1] == 'p') s.Settings.Format = ComplexFormat::Polar;
    if (!field(1).empty()) s.MatrixA = SplitEditorText(field(1));
    if (!field(2).empty()) s.MatrixB = SplitEditorText(field(2));
    if (!WithinBounds(s.MatrixA) || !WithinBounds(s.MatrixB)) return 0;
    if (!field(3).empty()) s.X = std::string(field(3));
    EmptyFolder();

    g_current = "the start options";
    g_cancels = 0;
    if (!field(4).empty()) {
        // As quorvix-cli's -p: a refused precision stops before any step.
        try {
            SetPrecision(s, std::string(field(4)));
        } catch (const CalcError& e) {
            Check(KnownMessage(e.what(), false, s.Precision.find('\0') != std::string::npos),
                  "an unknown error message", e.what());
            return 0;
        }
    }

    const std::vector<StepWord>& words = StepWords();
    const std::string_view steps = field(5).substr(0, kMaxSteps);
    std::size_t nextValue = 6;
    const std::span<const Operation> more = MoreOperations();
    for (unsigned char byte : steps) {
        if (byte >= kFirstMoreByte) {
            if (!RunAndCheck(s, more[(byte - kFirstMoreByte) % more.size()].Step) || g_cancels >= kMaxCancels) break;
            continue;
        }
        const StepWord& w = words[byte % words.size()];
        std::string word = w.Word;
        if (w.Value == Takes::Value) {
            const std::string_view value = field(nextValue++);
            word += value;
            if (word == "a=" || word == "b=") {
                // An empty value empties the editor; a big one is skipped.
            } else if (word.starts_with("a=") || word.starts_with("b=")) {
                if (!WithinBounds(SplitEditorText(value))) continue;
            }
        }
        if (!RunAndCheck(s, word) || g_cancels >= kMaxCancels) break;
    }
    return 0;
}
