#pragma once
// The byte layout of a project file (".mtx"): no header, no padding.
//   10 bytes  coefficient x (x87 extended)
//    4 bytes  precision p (signed 32-bit, little-endian)
//    4 + 4    rows and columns of Matrix A
//   10 each   its elements row by row, only when rows and columns are both non-zero
//    4 + 4    rows and columns of Matrix B, then its elements the same way
// This file only turns bytes into values and back; project_file.h moves them
// between the files and the editors.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace quorvix {

struct ProjectMatrix {
    std::int32_t Rows = 0;
    std::int32_t Cols = 0;
    std::vector<long double> Elements;  // Rows * Cols values when both are non-zero, else none

    bool HasElements() const { return Rows != 0 && Cols != 0; }
};

struct ProjectData {
    long double X = 0.0L;
    std::int32_t Precision = 0;
    ProjectMatrix A;
    ProjectMatrix B;
};

// The values of a well-formed file, or nothing when the bytes are not one:
// short data, a negative count, a count product larger than the data left,
// bytes after Matrix B, or a number that is not finite (infinities, NaNs and
// the encodings the x87 unit refuses). Zero counts are valid: an empty matrix.
std::optional<ProjectData> ParseProject(std::span<const std::uint8_t> bytes);

// The bytes of `data`; each matrix writes Rows * Cols elements when both
// counts are non-zero (Elements must then hold that many).
std::vector<std::uint8_t> EncodeProject(const ProjectData& data);

// Little-endian pieces, shared with the streaming writer of the save command.
void AppendInt32(std::vector<std::uint8_t>& out, std::int32_t v);
void AppendExtended(std::vector<std::uint8_t>& out, long double v);

}  // namespace quorvix
