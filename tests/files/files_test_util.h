#pragma once
// Helpers shared by the file tests: a scratch folder per test, whole-file
// reads and writes, and a snapshot of everything a command may change.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "commands/calc_state.h"

namespace quorvix::testutil {

using Bytes = std::vector<std::uint8_t>;

inline Bytes ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

inline Bytes Int32Bytes(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    return {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8), static_cast<std::uint8_t>(u >> 16),
            static_cast<std::uint8_t>(u >> 24)};
}

// A fresh folder for each test, removed afterwards.
class ScratchFolder : public testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        dir_ =
            std::filesystem::temp_directory_path() / ("quorvix-files-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
    // The names in the folder, to see that no temporary file was left behind.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir_)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::filesystem::path dir_;
};

// Everything of the state that the file commands and the editor tools may touch.
struct Snapshot {
    EditorLines A, B;
    std::string X, Precision;
    long double Factor;
    ComplexFormat Format;
    char Mark;
    std::vector<std::string> Panel;
    std::vector<std::string> Notices;

    explicit Snapshot(const CalcState& s)
        : A(s.MatrixA), B(s.MatrixB), X(s.X), Precision(s.Precision), Factor(s.Settings.RoundingFactor),
          Format(s.Settings.Format), Mark(s.Settings.DecimalMark), Panel(s.Panel.Lines()), Notices(s.Notices) {}
    bool operator==(const Snapshot&) const = default;
};

}  // namespace quorvix::testutil
