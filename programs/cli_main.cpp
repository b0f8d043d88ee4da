// quorvix-cli: the calculator's command layer without its window.
#include <csignal>
#include <cstdio>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "commands/calc_state.h"
#include "core/cancel.h"
#include "core/errors.h"
#include "quorvix_version.h"
#include "textio/locale_number.h"
#include "workspace/steps.h"
#include "workspace/text_files.h"

namespace {

using namespace quorvix;

constexpr const char* kUsage = R"(Usage: quorvix-cli [OPTION ...] [STEP ...]

Runs the calculator's commands on the window's state: Matrix A, Matrix B, the
coefficient x, the precision, the complex format and the result panel. The
state starts as the window starts (A and B the 3 x 3 identity, x "1",
precision "3", rectangular format); the steps run in order, each as the
matching button or menu item would, and the result panel is printed.

Options (before the steps):
  -a FILE             Matrix A's text is FILE's content (- = standard input)
  -b FILE             Matrix B's text is FILE's content (- = standard input)
  -x TEXT             the coefficient box holds TEXT
  -p TEXT             the precision box holds TEXT ("e" or a number)
  --polar             the complex format starts as "polar"
  --decimal-mark C    the decimal mark taken as the locale's (one character)
  --json              print the final state as one JSON object
  -h, --help          show this help
  --version           show the version

Operation steps (the result labels):
  A B A+B A-B "A&B" "A|B" "A#B" A*B A.*B A./B A/B "A'" "B'"
  inv(A) inv(B) A*x B*x A^x B^x Max(A) Max(B) Min(A) Min(B)
  Norm(A) Norm(B) Dim(A) Dim(B) Trace(A) Trace(B) Det(A) Det(B)
  Rank(A) Rank(B) LU(A) LU(B) QR(A) QR(B) Chol(A) Chol(B)
  Eig(A) Eig(B) Svd(A) Svd(B) Auto

Other steps:
  x=TEXT  precision=TEXT  format=rect  format=polar  a=TEXT  b=TEXT
  polar-to-rect-a  rect-to-polar-a  polar-to-rect-b  rect-to-polar-b
  align-a  align-b  align-r  comma-to-dot  dot-to-comma
  clear  clear-a  clear-b  open=FILE  save=FILE  save-result=FILE

Exit status: 0 done, 1 a command raised an error (its text goes to standard
error, the panel is still printed), 2 usage error (nothing was run).
Ctrl+C cancels a running command.

Example:
  quorvix-cli -x 2 a=$'1 2\n3 4' 'A*x' 'Det(A)'
)";

int UsageError(const std::string& message) {
    std::cerr << "quorvix-cli: " << message << "\nTry 'quorvix-cli --help'.\n";
    return 2;
}

// An operand file's text; "-" is standard input.
std::string OperandText(const std::string& name) {
    return name == "-" ? ReadWholeStream(stdin, name) : ReadWholeFile(name);
}

// JSON string: valid UTF-8 passes through, other bytes are escaped as the
// code points of the same value.
void WriteJsonString(std::ostream& out, const std::string& s) {
    out << '"';
    for (std::size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c == '"' || c == '\\') {
            out << '\\' << static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7f) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out << buf;
        } else if (c < 0x80) {
            out << static_cast<char>(c);
        } else {
            std::size_t len = c >= 0xf0 && c < 0xf5 ? 4 : c >= 0xe0 ? 3 : c >= 0xc2 && c < 0xe0 ? 2 : 0;
            bool valid = len > 0 && i + len <= s.size();
            for (std::size_t k = 1; valid && k < len; ++k)
                valid = (static_cast<unsigned char>(s[i + k]) & 0xc0) == 0x80;
            if (valid) {
                out.write(s.data() + i, static_cast<std::streamsize>(len));
                i += len - 1;
            } else {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out << buf;
            }
        }
    }
    out << '"';
}

void WriteJsonLines(std::ostream& out, const std::vector<std::string>& lines) {
    out << '[';
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) out << ", ";
        WriteJsonString(out, lines[i]);
    }
    out << ']';
}

void WriteJson(std::ostream& out, const CalcState& s, const std::optional<std::string>& error) {
    out << "{\"a\": ";
    WriteJsonLines(out, s.MatrixA);
    out << ", \"b\": ";
    WriteJsonLines(out, s.MatrixB);
    out << ", \"x\": ";
    WriteJsonString(out, s.X);
    out << ", \"precision\": ";
    WriteJsonString(out, s.Precision);
    out << ", \"format\": \"" << (s.Settings.Format == ComplexFormat::Polar ? "polar" : "rect") << "\"";
    out << ", \"results\": ";
    WriteJsonLines(out, s.Panel.Lines());
    out << ", \"error\": ";
    if (error)
        WriteJsonString(out, *error);
    else
        out << "null";
    out << ", \"notices\": ";
    WriteJsonLines(out, s.Notices);
    out << "}\n";
}

extern "C" void OnInterrupt(int) { RequestCancel(); }

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::optional<std::string> fileA, fileB, x, precision, mark;
    bool polar = false, json = false;
    std::size_t i = 0;
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::optional<std::string>& target) {
            if (i + 1 >= args.size()) return false;
            target = args[++i];
            return true;
        };
        if (a == "-h" || a == "--help") {
            std::cout << kUsage;
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
        } else {
            break;
        }
    }

    std::vector<Step> steps;
    for (; i < args.size(); ++i) {
        std::optional<Step> step = ParseStep(args[i]);
        if (!step) return UsageError("unknown step '" + args[i] + "'");
        steps.push_back(std::move(*step));
    }

    CalcState state = mark ? StartState((*mark)[0]) : StartStateForLocale(LocaleDecimalMark());
    if (polar) state.Settings.Format = ComplexFormat::Polar;

    std::optional<std::string> error;
    std::signal(SIGINT, OnInterrupt);
    try {
        if (fileA) state.MatrixA = SplitEditorText(OperandText(*fileA));
        if (fileB) state.MatrixB = SplitEditorText(OperandText(*fileB));
        if (x) state.X = *x;
        if (precision) {
            state.Precision = *precision;
            PrecisionChange(state.Precision, state.Settings);
        }
        for (const Step& step : steps) {
            ClearCancel();
            RunStep(state, step);
        }
    } catch (const CalcError& e) {
        error = e.what();
    } catch (const std::bad_alloc&) {
        error = "Out of memory";
    }

    if (json) {
        WriteJson(std::cout, state, error);
    } else {
        for (const std::string& line : state.Panel.Lines()) std::cout << line << '\n';
        std::cout.flush();
        for (const std::string& notice : state.Notices) std::cerr << notice << '\n';
        if (error) std::cerr << *error << ".\n";
    }
    return error ? 1 : 0;
}
