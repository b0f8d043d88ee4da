// Reading is checked at every step: nothing is read past the end of the data,
// and a matrix is only allocated once the data left is known to hold all of
// its elements, so a count of two billion in a 30-byte file costs nothing.
#include "files/project_codec.h"

#include <cmath>

#include "files/x87_extended.h"

namespace quorvix {

namespace {

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t Left() const { return bytes_.size() - pos_; }

    bool ReadInt32(std::int32_t& v) {
        if (Left() < 4) return false;
        std::uint32_t u = 0;
        for (int k = 3; k >= 0; --k) u = (u << 8) | bytes_[pos_ + static_cast<std::size_t>(k)];
        pos_ += 4;
        v = static_cast<std::int32_t>(u);  // two's complement, as written
        return true;
    }

    // A finite extended number.
    bool ReadExtended(long double& v) {
        if (Left() < kExtendedBytes) return false;
        v = DecodeExtended(bytes_.data() + pos_);
        pos_ += kExtendedBytes;
        return std::isfinite(v);
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

bool ReadBlock(ByteReader& in, ProjectMatrix& m) {
    if (!in.ReadInt32(m.Rows) || !in.ReadInt32(m.Cols)) return false;
    if (m.Rows < 0 || m.Cols < 0) return false;
    if (!m.HasElements()) return true;
    // Both counts are below 2^31, so their product fits 64 bits; compare it
    // with what the data left can hold before allocating anything.
    const std::uint64_t count = static_cast<std::uint64_t>(m.Rows) * static_cast<std::uint64_t>(m.Cols);
    if (count > in.Left() / kExtendedBytes) return false;
    m.Elements.resize(static_cast<std::size_t>(count));
    for (long double& e : m.Elements)
        if (!in.ReadExtended(e)) return false;
    return true;
}

void AppendBlock(std::vector<std::uint8_t>& out, const ProjectMatrix& m) {
    AppendInt32(out, m.Rows);
    AppendInt32(out, m.Cols);
    if (!m.HasElements()) return;
    for (long double e : m.Elements) AppendExtended(out, e);
}

}  // namespace

void AppendInt32(std::vector<std::uint8_t>& out, std::int32_t v) {
    const std::uint32_t u = static_cast<std::uint32_t>(v);
    for (int k = 0; k < 4; ++k) out.push_back(static_cast<std::uint8_t>(u >> (8 * k)));
}

void AppendExtended(std::vector<std::uint8_t>& out, long double v) {
    const auto bytes = EncodeExtended(v);
    out.insert(out.end(), bytes.begin(), bytes.end());
}

std::optional<ProjectData> ParseProject(std::span<const std::uint8_t> bytes) {
    ByteReader in(bytes);
    ProjectData data;
    if (!in.ReadExtended(data.X)) return std::nullopt;
    if (!in.ReadInt32(data.Precision)) return std::nullopt;
    if (!ReadBlock(in, data.A)) return std::nullopt;
    if (!ReadBlock(in, data.B)) return std::nullopt;
    if (in.Left() != 0) return std::nullopt;  // not a file this program wrote
    return data;
}

std::vector<std::uint8_t> EncodeProject(const ProjectData& data) {
    std::vector<std::uint8_t> out;
    AppendExtended(out, data.X);
    AppendInt32(out, data.Precision);
    AppendBlock(out, data.A);
    AppendBlock(out, data.B);
    return out;
}

}  // namespace quorvix
