#include "files/text_files.h"

#include <cerrno>
#include <system_error>

#include "core/errors.h"
#include "files/replacing_file.h"

namespace quorvix {

namespace {

[[noreturn]] void CannotOpen(const std::string& name, int error) {
    throw FileError(CannotOpenMessage(name, std::generic_category().message(error != 0 ? error : EIO)));
}

}  // namespace

std::string ReadWholeStream(std::FILE* stream, const std::string& name) {
    std::string text;
    char chunk[65536];
    errno = 0;
    for (;;) {
        const std::size_t n = std::fread(chunk, 1, sizeof chunk, stream);
        text.append(chunk, n);
        if (n < sizeof chunk) break;
    }
    if (std::ferror(stream) != 0) CannotOpen(name, errno);
    return text;
}

std::string ReadWholeFile(const std::string& path) {
    errno = 0;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) CannotOpen(path, errno);
    try {
        std::string text = ReadWholeStream(f, path);
        std::fclose(f);
        return text;
    } catch (...) {
        std::fclose(f);
        throw;
    }
}

}  // namespace quorvix
