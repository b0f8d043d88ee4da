#include "files/qvx_project.h"

#include <utility>

#include "core/errors.h"
#include "files/project_file.h"
#include "files/qvx_codec.h"
#include "files/replacing_file.h"
#include "files/text_files.h"

namespace quorvix {

bool IsTextProjectPath(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
    std::string extension = path.substr(dot + 1);
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return extension == kTextProjectExtension;
}

void SaveTextProject(const CalcState& s, const std::string& path) {
    const std::string bytes = EncodeQvx(QvxFromState(s));
    ReplacingFile out(path);
    out.Write(bytes);
    out.Commit();
}

void OpenTextProjectBytes(CalcState& s, std::string_view bytes, const std::string& path) {
    QvxDecoded decoded = DecodeQvx(bytes);
    if (decoded.NewerVersion != 0)
        throw FileError(
            CannotOpenMessage(path, "The project was saved by a newer version of Quorvix (text project format " +
                                        std::to_string(decoded.NewerVersion) + "; this version reads format " +
                                        std::to_string(kQvxVersion) + ")"));
    if (!decoded.Project) throw FileError(CannotOpenMessage(path, kDamagedProjectReason));
    ApplyQvx(s, std::move(*decoded.Project));
}

void OpenTextProject(CalcState& s, const std::string& path) {
    const std::string bytes = ReadWholeFile(path);
    OpenTextProjectBytes(s, bytes, path);
}

}  // namespace quorvix
