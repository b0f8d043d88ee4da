#pragma once
// Writing a file so that a failure half-way never leaves a damaged file in
// place of a good one: the bytes go to a new file beside the target, which
// replaces the target only when everything was written and flushed. A writer
// that is destroyed without Commit() removes its temporary file and leaves the
// target as it was.
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace quorvix {

// "Cannot create file "%s". %s" and "Cannot open file "%s". %s".
std::string CannotCreateMessage(std::string_view path, std::string_view reason);
std::string CannotOpenMessage(std::string_view path, std::string_view reason);

class ReplacingFile {
public:
    // Creates the temporary file; raises FileError "Cannot create file ..."
    // (with the target's name) when it cannot.
    explicit ReplacingFile(std::string target);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Raise FileError "Cannot create file ..." on a failed write (a full disk).
    void Write(const void* data, std::size_t size);
    void Write(std::string_view text) { Write(text.data(), text.size()); }
    // Flushes, closes and moves the temporary file over the target.
    void Commit();

private:
    [[noreturn]] void Fail(int error);
    [[noreturn]] void Fail(const std::string& reason);
    void Discard() noexcept;

    std::string target_;
    std::string temp_;
    std::FILE* file_ = nullptr;
};

}  // namespace quorvix
