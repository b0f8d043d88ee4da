#pragma once
// The text project (".qvx"): everything the window shows, kept exactly.
// This file turns a project into bytes and back; qvx_project.h moves it
// between the files and the state. The format, version 1 (every line ends
// in "\n"; a TEXT is "LENGTH:BYTES", LENGTH the count of the raw bytes that
// follow the colon, which may be any bytes, line breaks and NULs included):
//
//   Quorvix project 1
//   x TEXT                    the coefficient box as typed
//   precision TEXT            the precision box as typed
//   factor HEX                the rounding factor: the 10 bytes of an x87
//                             extended number (byte 0 first) in 20 hex digits
//   format rect|polar         the complex format
//   a N                       Matrix A: N lines, each "TEXT" on a line
//   b N                       Matrix B, the same
//   panel N                   the result panel's N lines, the same
//   kept N                    the kept results, each:
//     label TEXT              its label as printed ("inv(A)")
//     one of                  its value:
//       matrix R              R rows, each "C V1 ... VC"
//       scalar V
//       dimension ROWS COLS
//       factor-pair FIRST SECOND ROWS COLS REALONLY, then two matrices
//       svd ROWS COLS, then the matrices U, S and V
//       eigen ORDER UNREACHED, then "re N D1 ... DN" and "im N D1 ... DN"
//       factors N, then N times "name TEXT" and a matrix
//   end
//
// A value V is one Scalar of its kind: "E" (empty), "I" and a 32-bit
// integer, "F" and a 64-bit count of ten-thousandths, "R" and a double, "C"
// and two doubles joined by ","; a double D is the shortest decimal that
// reads back to its bits (std::to_chars: "-0", "0.1", "1e-300"). The bytes
// are canonical: what the encoder writes for the project the decoder reads,
// and nothing else is accepted.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/calc_state.h"

namespace quorvix {

// The first line's words before the version number.
inline constexpr std::string_view kQvxMagic = "Quorvix project ";
inline constexpr int kQvxVersion = 1;

struct QvxProject {
    EditorLines A;
    EditorLines B;
    std::string X;
    std::string Precision;
    long double Factor = 1000.0L;
    ComplexFormat Format = ComplexFormat::Rectangular;
    std::vector<std::string> Panel;
    std::vector<KeptResult> Kept;
};

std::string EncodeQvx(const QvxProject& project);

// The project the bytes hold; nothing when they are not a project of this
// version (then `NewerVersion` is set when the first line names a later
// version, which this program cannot read).
struct QvxDecoded {
    std::optional<QvxProject> Project;
    int NewerVersion = 0;
};
QvxDecoded DecodeQvx(std::string_view bytes);

// What a project keeps of the state, and the state after opening one (the
// decimal mark, the notices and hints and quorvix-cli's log stay).
QvxProject QvxFromState(const CalcState& s);
void ApplyQvx(CalcState& s, QvxProject project);

}  // namespace quorvix
