#include "files/replacing_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#include "core/errors.h"

namespace quorvix {

namespace fs = std::filesystem;

namespace {

// "Cannot <verb> file "<path>". <reason>".
std::string FileMessage(std::string_view verb, std::string_view path, std::string_view reason) {
    std::string msg = "Cannot ";
    msg.append(verb);
    msg += " file \"";
    msg.append(path);
    msg += "\". ";
    msg.append(reason);
    return msg;
}

}  // namespace

std::string CannotCreateMessage(std::string_view path, std::string_view reason) {
    return FileMessage("create", path, reason);
}

std::string CannotOpenMessage(std::string_view path, std::string_view reason) {
    return FileMessage("open", path, reason);
}

namespace {

std::string Reason(int error) { return std::generic_category().message(error); }

// The temporary file's name: the target's, cut where needed so that with
// the suffix it stays within the usual limit of 255 bytes for one name; a
// target near that limit can still be saved.
std::string TempName(const std::string& target, unsigned salt) {
    static const char* const kHex = "0123456789abcdef";
    constexpr std::size_t kNameMax = 255;
    constexpr std::size_t kSuffix = 2 + 8 + 4;  // ".~", eight hex digits, ".tmp"
    const std::size_t slash = target.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::string name = target;
    if (name.size() - nameStart > kNameMax - kSuffix) name.resize(nameStart + kNameMax - kSuffix);
    name += ".~";
    for (int k = 0; k < 8; ++k) name += kHex[(salt >> (4 * k)) & 0xF];
    name += ".tmp";
    return name;
}

}  // namespace

ReplacingFile::ReplacingFile(std::string target) : target_(std::move(target)) {
    // A file its owner made read-only is protected: creating it anew would be
    // refused, so replacing it through a new file is refused too.
    struct stat existing {};
    if (::stat(target_.c_str(), &existing) == 0 && S_ISREG(existing.st_mode) &&
        ::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES)
        throw FileError(CannotCreateMessage(target_, Reason(EACCES)));

    std::random_device rd;
    int error = 0;
    // "x": fail rather than reuse a name that someone else holds.
    for (int attempt = 0; attempt < 16 && file_ == nullptr; ++attempt) {
        temp_ = TempName(target_, rd());
        errno = 0;
        file_ = std::fopen(temp_.c_str(), "wbx");
        error = errno;
        if (file_ == nullptr && error != EEXIST) break;
    }
    if (file_ == nullptr) {
        temp_.clear();
        throw FileError(CannotCreateMessage(target_, Reason(error != 0 ? error : EIO)));
    }
}

ReplacingFile::~ReplacingFile() { Discard(); }

void ReplacingFile::Discard() noexcept {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temp_.empty()) {
        std::remove(temp_.c_str());
        temp_.clear();
    }
}

void ReplacingFile::Fail(int error) { Fail(Reason(error != 0 ? error : EIO)); }

void ReplacingFile::Fail(const std::string& reason) {
    Discard();
    throw FileError(CannotCreateMessage(target_, reason));
}

void ReplacingFile::Write(const void* data, std::size_t size) {
    if (file_ == nullptr) Fail(EBADF);
    if (size == 0) return;
    errno = 0;
    if (std::fwrite(data, 1, size, file_) != size) Fail(errno);
}

void ReplacingFile::Commit() {
    if (file_ == nullptr) Fail(EBADF);
    errno = 0;
    if (std::fflush(file_) != 0) Fail(errno);
    // The data must be on the disk before the name points at it.
    if (::fsync(::fileno(file_)) != 0) Fail(errno);
    errno = 0;
    const int closed = std::fclose(file_);
    file_ = nullptr;
    if (closed != 0) Fail(errno);

    // A replaced file keeps its permissions.
    std::error_code ec;
    const fs::file_status old = fs::status(target_, ec);
    if (!ec && fs::is_regular_file(old)) fs::permissions(temp_, old.permissions(), ec);

    ec.clear();
    fs::rename(temp_, target_, ec);
    if (ec) Fail(ec.message());
    temp_.clear();
}

}  // namespace quorvix
