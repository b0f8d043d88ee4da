#pragma once
// What a file is, by its first bytes: a text project (".qvx"), a Matrix
// Market file (to import, not to open), or anything else, which may be a
// project of the design's binary format (".mtx", which has no header and is
// told only by reading it whole).
#include <cstddef>
#include <string_view>

namespace quorvix {

enum class FileKind { TextProject, MatrixMarket, Other };

// How many first bytes FileKindOf needs at most.
inline constexpr std::size_t kFileKindBytes = 16;

// The kind of a file whose content begins with `firstBytes` (any number of
// them; kFileKindBytes suffice).
FileKind FileKindOf(std::string_view firstBytes);

}  // namespace quorvix
