// The project file's byte layout: well-formed files and every kind of damage.
#include "files/project_codec.h"

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

namespace quorvix {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Pieces written out by hand, independent of the encoder.
const Bytes kOne = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0xFF, 0x3F};
const Bytes kTwo = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x00, 0x40};
const Bytes kZero(10, 0x00);
const Bytes kInfinity = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F};
const Bytes kNan = {0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0xFF};
const Bytes kUnnormal = {0, 0, 0, 0, 0, 0, 0, 0x40, 0xFF, 0x3F};

Bytes Int(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    return {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8), static_cast<std::uint8_t>(u >> 16),
            static_cast<std::uint8_t>(u >> 24)};
}

Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// x = 1, p = 3, A = [1 2], B empty.
Bytes SmallFile() { return Cat({kOne, Int(3), Int(1), Int(2), kOne, kTwo, Int(0), Int(0)}); }

TEST(ProjectCodec, ReadsAWellFormedFile) {
    const auto data = ParseProject(SmallFile());
    ASSERT_TRUE(data.has_value());
    EXPECT_EQ(data->X, 1.0L);
    EXPECT_EQ(data->Precision, 3);
    EXPECT_EQ(data->A.Rows, 1);
    EXPECT_EQ(data->A.Cols, 2);
    EXPECT_EQ(data->A.Elements, (std::vector<long double>{1.0L, 2.0L}));
    EXPECT_FALSE(data->B.HasElements());
    EXPECT_TRUE(data->B.Elements.empty());
    EXPECT_EQ(EncodeProject(*data), SmallFile());
}

TEST(ProjectCodec, ZeroCountsMeanAnEmptyMatrix) {
    for (const auto& [rows, cols] : {std::pair{0, 0}, std::pair{2, 0}, std::pair{0, 7}}) {
        const Bytes file = Cat({kTwo, Int(-1), Int(rows), Int(cols), Int(cols), Int(rows)});
        const auto data = ParseProject(file);
        ASSERT_TRUE(data.has_value()) << rows << " x " << cols;
        EXPECT_EQ(data->X, 2.0L);
        EXPECT_EQ(data->Precision, -1);
        EXPECT_EQ(data->A.Rows, rows);
        EXPECT_EQ(data->A.Cols, cols);
        EXPECT_FALSE(data->A.HasElements());
        EXPECT_FALSE(data->B.HasElements());
        EXPECT_EQ(EncodeProject(*data), file);
    }
}

struct Damaged {
    const char* Name;
    Bytes File;
};

const Bytes kHeader = Cat({kOne, Int(3)});

const Damaged kDamaged[] = {
    {"Empty", {}},
    {"ShortCoefficient", Bytes(kOne.begin(), kOne.begin() + 9)},
    {"NoPrecision", kOne},
    {"NoCounts", kHeader},
    {"OnlyRowsOfA", Cat({kHeader, Int(1)})},
    {"NoBlockB", Cat({kHeader, Int(0), Int(0)})},
    {"HalfBlockB", Cat({kHeader, Int(0), Int(0), Int(0)})},
    {"MissingElement", Cat({kHeader, Int(1), Int(2), kOne, Int(0), Int(0)})},
    {"ShortElement", Cat({kHeader, Int(1), Int(1), Bytes(kOne.begin(), kOne.begin() + 5)})},
    {"NegativeRows", Cat({kHeader, Int(-1), Int(1), kOne, Int(0), Int(0)})},
    {"NegativeCols", Cat({kHeader, Int(1), Int(-1), kOne, Int(0), Int(0)})},
    {"BothNegative", Cat({kHeader, Int(-1), Int(-1), kOne, Int(0), Int(0)})},
    {"NegativeEmptyBlock", Cat({kHeader, Int(0), Int(-5), Int(0), Int(0)})},
    {"HugeCounts", Cat({kHeader, Int(0x7FFFFFFF), Int(0x7FFFFFFF), kOne, Int(0), Int(0)})},
    // 65536 * 65536 elements would wrap a 32-bit product to 0.
    {"ProductWrapsThirtyTwoBits", Cat({kHeader, Int(65536), Int(65536), Int(0), Int(0)})},
    {"LargeCountsInBlockB", Cat({kHeader, Int(0), Int(0), Int(1 << 30), Int(4), kOne})},
    {"TrailingByte", Cat({SmallFile(), Bytes{0x00}})},
    {"TrailingElement", Cat({SmallFile(), kOne})},
    {"InfiniteCoefficient", Cat({kInfinity, Int(3), Int(0), Int(0), Int(0), Int(0)})},
    {"NanElement", Cat({kHeader, Int(1), Int(1), kNan, Int(0), Int(0)})},
    {"UnnormalElement", Cat({kHeader, Int(0), Int(0), Int(1), Int(1), kUnnormal})},
    {"TextFile", Bytes{'1',  ' ', '2', '\r', '\n', '3',  ' ', '4',  '\r', '\n', '5', ' ',  '6', '\r',
                       '\n', '7', ' ', '8',  '\r', '\n', '9', '\r', '\n', '1',  '0', '\r', '\n'}},
};

class DamagedFileTest : public testing::TestWithParam<Damaged> {};

TEST_P(DamagedFileTest, IsRefused) { EXPECT_FALSE(ParseProject(GetParam().File).has_value()); }

INSTANTIATE_TEST_SUITE_P(ProjectCodec, DamagedFileTest, testing::ValuesIn(kDamaged),
                         [](const testing::TestParamInfo<Damaged>& info) { return info.param.Name; });

TEST(ProjectCodec, EncodesCountsLittleEndianAndSigned) {
    ProjectData data;
    data.X = 0.0L;
    data.Precision = -2;
    data.A.Rows = 0x01020304;
    data.A.Cols = 0;
    data.B.Rows = 1;
    data.B.Cols = 1;
    data.B.Elements = {1.0L};
    EXPECT_EQ(EncodeProject(data),
              Cat({kZero, Bytes{0xFE, 0xFF, 0xFF, 0xFF}, Bytes{0x04, 0x03, 0x02, 0x01}, Int(0), Int(1), Int(1), kOne}));
}

}  // namespace
}  // namespace quorvix
