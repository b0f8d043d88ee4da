#include "files/file_kind.h"

#include "files/qvx_codec.h"

namespace quorvix {

FileKind FileKindOf(std::string_view firstBytes) {
    if (firstBytes.starts_with(kQvxMagic)) return FileKind::TextProject;
    // As the Matrix Market reader takes it: the banner in any case.
    constexpr std::string_view kBanner = "%%matrixmarket";
    if (firstBytes.size() >= kBanner.size()) {
        bool same = true;
        for (std::size_t k = 0; k < kBanner.size() && same; ++k) {
            char c = firstBytes[k];
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
            same = c == kBanner[k];
        }
        if (same) return FileKind::MatrixMarket;
    }
    return FileKind::Other;
}

}  // namespace quorvix
