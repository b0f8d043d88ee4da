// Saving and opening project files: the exact bytes, round trips, the
// incomplete-matrix warnings, the refusals, and files that are not projects.
#include "files/project_file.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <csignal>
#include <filesystem>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "core/errors.h"
#include "files/files_test_util.h"
#include "textio/matrix_reader.h"

namespace quorvix {
namespace {

using testutil::Bytes;
using testutil::Cat;
using testutil::ReadBytes;
using testutil::Snapshot;
using testutil::WriteBytes;
using Int = testutil::Bytes;  // readability of the byte tables below

Bytes I32(std::int32_t v) { return testutil::Int32Bytes(v); }

// Extended numbers worked out by hand.
const Bytes kOne = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0xFF, 0x3F};
const Bytes kZero(10, 0x00);
const Bytes kTwo = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x00, 0x40};
const Bytes kThree = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x40};
const Bytes kFour = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x01, 0x40};
const Bytes kFive = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xA0, 0x01, 0x40};
const Bytes kOneAndAHalf = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0xFF, 0x3F};
// 0.1 rounded to 64 bits, and the double nearest 0.1 widened: they differ.
const Bytes kExtendedTenth = {0xCD, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xFB, 0x3F};
const Bytes kDoubleTenth = {0x00, 0xD0, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xFB, 0x3F};

const EditorLines kIdentity = {"1 0 0", "0 1 0", "0 0 1"};

CalcState Fresh() {
    CalcState s;
    s.MatrixA = kIdentity;
    s.MatrixB = kIdentity;
    s.X = "1";
    s.Precision = "3";
    return s;
}

class ProjectFileTest : public testutil::ScratchFolder {};

TEST_F(ProjectFileTest, SavesTheIdentityProjectByteForByte) {
    CalcState s = Fresh();
    const std::string path = PathOf("identity.mtx");
    SaveProject(s, path);

    const Bytes identity = Cat({kOne, kZero, kZero, kZero, kOne, kZero, kZero, kZero, kOne});
    const Bytes expected = Cat({kOne, I32(3), I32(3), I32(3), identity, I32(3), I32(3), identity});
    ASSERT_EQ(expected.size(), 210u);
    EXPECT_EQ(ReadBytes(path), expected);
    EXPECT_TRUE(s.Panel.Lines().empty());
}

TEST_F(ProjectFileTest, XAndElementsKeepTheirExtendedValue) {
    CalcState s = Fresh();
    s.X = "0.1";
    s.MatrixA = {"0.1"};
    s.MatrixB = {};
    const std::string path = PathOf("tenth.mtx");
    SaveProject(s, path);
    const Bytes bytes = ReadBytes(path);
    EXPECT_EQ(bytes, Cat({kExtendedTenth, I32(3), I32(1), I32(1), kExtendedTenth, I32(0), I32(0)}));
    EXPECT_NE(Bytes(bytes.begin(), bytes.begin() + 10), kDoubleTenth);
}

TEST_F(ProjectFileTest, IncompleteMatrixIsPaddedAndWarnsTwice) {
    CalcState s = Fresh();
    s.MatrixA = {"1 2", "3 4 5"};
    s.MatrixB = {};
    const std::string path = PathOf("ragged.mtx");
    SaveProject(s, path);
    EXPECT_EQ(ReadBytes(path),
              Cat({kOne, I32(3), I32(2), I32(3), kOne, kTwo, kZero, kThree, kFour, kFive, I32(0), I32(0)}));
    EXPECT_EQ(s.Panel.Lines(), (std::vector<std::string>{kIncompleteWarning, kIncompleteWarning}));

    CalcState t = Fresh();
    OpenProject(t, path);
    EXPECT_EQ(t.MatrixA, (EditorLines{" 1 2 0", " 3 4 5", ""}));
    EXPECT_EQ(t.MatrixB, kIdentity);  // an empty stored matrix leaves the editor alone
    EXPECT_TRUE(t.Panel.Lines().empty());
}

TEST_F(ProjectFileTest, EmptyAndBlankEditorsSaveZeroCounts) {
    CalcState s = Fresh();
    s.MatrixA = {"", "   ", "\t"};
    s.MatrixB = {};
    const std::string path = PathOf("empty.mtx");
    SaveProject(s, path);
    EXPECT_EQ(ReadBytes(path), Cat({kOne, I32(3), I32(0), I32(0), I32(0), I32(0)}));

    CalcState t = Fresh();
    t.MatrixA = {"7 8"};
    t.MatrixB = {"9"};
    OpenProject(t, path);
    EXPECT_EQ(t.MatrixA, (EditorLines{"7 8"}));
    EXPECT_EQ(t.MatrixB, (EditorLines{"9"}));
}

TEST_F(ProjectFileTest, BlankLinesBetweenRowsAreSkipped) {
    CalcState s = Fresh();
    s.MatrixA = {"", "1 2", "  ", "3 4", ""};
    s.MatrixB = {"1.5"};
    const std::string path = PathOf("blank.mtx");
    SaveProject(s, path);
    EXPECT_EQ(ReadBytes(path),
              Cat({kOne, I32(3), I32(2), I32(2), kOne, kTwo, kThree, kFour, I32(1), I32(1), kOneAndAHalf}));
    EXPECT_TRUE(s.Panel.Lines().empty());  // a blank line resets the count: no warning
}

TEST_F(ProjectFileTest, OpeningRestoresEverythingAndSavesTheSameBytes) {
    CalcState s = Fresh();
    s.X = "2.25";
    s.Precision = "5";
    s.MatrixA = {"1 2.5 -3", "4e10 0.1 7", "0 1e-300 123456789012345"};
    s.MatrixB = {"-0.5"};
    const std::string first = PathOf("first.mtx");
    SaveProject(s, first);

    CalcState t;
    t.MatrixA = {"old"};
    t.MatrixB = {"old"};
    t.X = "9";
    t.Precision = "e";
    t.Settings.RoundingFactor = 0.0L;
    t.Panel.AddLine("kept");
    OpenProject(t, first);
    EXPECT_EQ(t.X, "2.25");
    EXPECT_EQ(t.Precision, "5");
    EXPECT_EQ(t.Settings.RoundingFactor, 100000.0L);
    EXPECT_EQ(t.MatrixA, (EditorLines{" 1 2.5 -3", " 40000000000 0.1 7", " 0 1E-300 123456789012345", ""}));
    EXPECT_EQ(t.MatrixB, (EditorLines{" -0.5", ""}));
    EXPECT_EQ(t.Panel.Lines(), (std::vector<std::string>{"kept"}));

    const std::string second = PathOf("second.mtx");
    SaveProject(t, second);
    EXPECT_EQ(ReadBytes(second), ReadBytes(first));
}

TEST_F(ProjectFileTest, NegativeZeroIsWrittenWithItsSignAndShownAsZero) {
    CalcState s = Fresh();
    s.MatrixA = {"-0"};
    s.MatrixB = {};
    const std::string path = PathOf("zero.mtx");
    SaveProject(s, path);
    const Bytes negativeZero = {0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x80};
    EXPECT_EQ(ReadBytes(path), Cat({kOne, I32(3), I32(1), I32(1), negativeZero, I32(0), I32(0)}));
    CalcState t = Fresh();
    OpenProject(t, path);
    EXPECT_EQ(t.MatrixA, (EditorLines{" 0", ""}));
}

TEST_F(ProjectFileTest, ValuesBeyondTheDoubleRangeRoundTrip) {
    CalcState s = Fresh();
    s.MatrixA = {"1e4000 -2.5e-4000"};
    s.MatrixB = {};
    const std::string path = PathOf("wide.mtx");
    SaveProject(s, path);
    CalcState t = Fresh();
    t.MatrixB = {};
    OpenProject(t, path);
    EXPECT_EQ(t.MatrixA, (EditorLines{" 1E4000 -2.5E-4000", ""}));
    const std::string again = PathOf("again.mtx");
    SaveProject(t, again);
    EXPECT_EQ(ReadBytes(again), ReadBytes(path));
}

TEST_F(ProjectFileTest, LocaleDecimalCommaIsReadAndWritten) {
    CalcState s = Fresh();
    s.Settings.DecimalMark = ',';
    s.X = "2,5";
    s.MatrixA = {"1,5 -2"};
    s.MatrixB = {};
    const std::string path = PathOf("comma.mtx");
    SaveProject(s, path);
    const Bytes twoAndAHalf = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xA0, 0x00, 0x40};
    const Bytes minusTwo = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x00, 0xC0};
    EXPECT_EQ(ReadBytes(path), Cat({twoAndAHalf, I32(3), I32(1), I32(2), kOneAndAHalf, minusTwo, I32(0), I32(0)}));

    CalcState t = Fresh();
    t.Settings.DecimalMark = ',';
    OpenProject(t, path);
    EXPECT_EQ(t.X, "2,5");
    EXPECT_EQ(t.MatrixA, (EditorLines{" 1,5 -2", ""}));
}

TEST_F(ProjectFileTest, OpeningAFileWithPrecisionFiveSetsTheFactor) {
    const std::string path = PathOf("p5.mtx");
    WriteBytes(path, Cat({kTwo, I32(5), I32(0), I32(0), I32(0), I32(0)}));
    CalcState t = Fresh();
    OpenProject(t, path);
    EXPECT_EQ(t.Precision, "5");
    EXPECT_EQ(t.Settings.RoundingFactor, 100000.0L);
    EXPECT_EQ(t.X, "2");
    EXPECT_EQ(t.MatrixA, kIdentity);
}

TEST_F(ProjectFileTest, SavingReplacesALongerFile) {
    const std::string path = PathOf("replace.mtx");
    WriteBytes(path, Bytes(1000, 0xAB));
    CalcState s = Fresh();
    s.MatrixA = {};
    s.MatrixB = {};
    SaveProject(s, path);
    EXPECT_EQ(ReadBytes(path), Cat({kOne, I32(3), I32(0), I32(0), I32(0), I32(0)}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"replace.mtx"}));
}

// ---- Failed saves ------------------------------------------------------------

struct FailedSave {
    const char* Name;
    std::string X, Precision;
    EditorLines A, B;
    std::string Message;
    std::size_t WarningsWritten;  // lines the panel holds after the failure
    std::optional<ErrorPlace> Place;
};

constexpr ErrorPlace kInX{ErrorEditor::X, 0, 0};

const FailedSave kFailedSaves[] = {
    {"PrecisionE", "1", "e", {"1"}, {"1"}, "'e' is not a valid integer value", 0, std::nullopt},
    {"PrecisionWithDecimals", "1", "2.5", {"1"}, {"1"}, "'2.5' is not a valid integer value", 0, std::nullopt},
    {"CoefficientNotANumber", "abc", "3", {"1"}, {"1"}, "'abc' is not a valid floating point value", 0, kInX},
    {"ComplexCoefficient", "1+2i", "3", {"1"}, {"1"}, "'1+2i' is not a valid floating point value", 0, kInX},
    {"ComplexElement",
     "1",
     "3",
     {"1 1+2i"},
     {"1"},
     "Projects in .mtx keep real numbers only (Matrix A, line 1, element 2: '1+2i'); save as .qvx to keep everything",
     0,
     ErrorPlace{ErrorEditor::A, 1, 2}},
    {"CommaWhereThePointIsTheMark",
     "1",
     "3",
     {"2", "1,5"},
     {"1"},
     "'1,5' is not a valid floating point value",
     0,
     ErrorPlace{ErrorEditor::A, 2, 1}},
    {"PolarElementInB",
     "1",
     "3",
     {"1"},
     {"", "5(30)"},
     "Projects in .mtx keep real numbers only (Matrix B, line 2, element 1: '5(30)'); save as .qvx to keep "
     "everything",
     0,
     ErrorPlace{ErrorEditor::B, 2, 1}},
    // Both measurements of A warn before the bad element stops the save.
    {"BadElementInIncompleteMatrix",
     "1",
     "3",
     {"1 2", "x"},
     {"1"},
     "'x' is not a valid floating point value",
     2,
     ErrorPlace{ErrorEditor::A, 2, 1}},
};

class FailedSaveTest : public ProjectFileTest, public testing::WithParamInterface<FailedSave> {};

TEST_P(FailedSaveTest, RaisesAndLeavesTheOldFile) {
    const FailedSave& row = GetParam();
    const std::string path = PathOf("keep.mtx");
    const Bytes old = Cat({kTwo, I32(4), I32(0), I32(0), I32(0), I32(0)});
    WriteBytes(path, old);

    CalcState s = Fresh();
    s.X = row.X;
    s.Precision = row.Precision;
    s.MatrixA = row.A;
    s.MatrixB = row.B;
    try {
        SaveProject(s, path);
        FAIL() << "the save should have been refused";
    } catch (const CalcError& e) {
        EXPECT_STREQ(e.what(), row.Message.c_str());
        EXPECT_EQ(e.Place(), row.Place);
    }
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(Names(), (std::vector<std::string>{"keep.mtx"}));
    EXPECT_EQ(s.Panel.LineCount(), row.WarningsWritten);
    EXPECT_EQ(s.MatrixA, row.A);
    EXPECT_EQ(s.Precision, row.Precision);
}

TEST_P(FailedSaveTest, CreatesNoFile) {
    const FailedSave& row = GetParam();
    CalcState s = Fresh();
    s.X = row.X;
    s.Precision = row.Precision;
    s.MatrixA = row.A;
    s.MatrixB = row.B;
    EXPECT_THROW(SaveProject(s, PathOf("new.mtx")), CalcError);
    EXPECT_TRUE(Names().empty());
}

INSTANTIATE_TEST_SUITE_P(ProjectFile, FailedSaveTest, testing::ValuesIn(kFailedSaves),
                         [](const testing::TestParamInfo<FailedSave>& info) { return info.param.Name; });

TEST_F(ProjectFileTest, ACoefficientBeyondTheDoubleRangeIsAnOverflow) {
    CalcState s = Fresh();
    s.X = "1e400";
    try {
        SaveProject(s, PathOf("big.mtx"));
        FAIL();
    } catch (const ArithmeticError& e) {
        EXPECT_STREQ(e.what(), "Floating point overflow");
    }
    EXPECT_TRUE(Names().empty());
}

TEST_F(ProjectFileTest, AFileThatCannotBeCreatedIsReported) {
    CalcState s = Fresh();
    const std::string path = PathOf("no-such-folder/p.mtx");
    try {
        SaveProject(s, path);
        FAIL();
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + path + "\". No such file or directory");
    }
    EXPECT_TRUE(s.Panel.Lines().empty());  // the editors were not measured
}

TEST_F(ProjectFileTest, AFolderIsNotReplacedByAProject) {
    CalcState s = Fresh();
    const std::string path = PathOf("folder.mtx");
    std::filesystem::create_directory(path);
    try {
        SaveProject(s, path);
        FAIL();
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot create file \"" + path + "\". ", 0), 0u) << e.what();
    }
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(Names(), (std::vector<std::string>{"folder.mtx"}));
}

// A write that fails half-way, as on a full disk: the file size limit makes
// the writes beyond 100 bytes fail (EFBIG), and the old file must survive.
TEST_F(ProjectFileTest, AWriteThatFailsHalfWayLeavesTheOldFile) {
    const std::string path = PathOf("full.mtx");
    const Bytes old = Cat({kTwo, I32(4), I32(0), I32(0), I32(0), I32(0)});
    WriteBytes(path, old);
    CalcState s = Fresh();  // 210 bytes to write

    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string message;
    try {
        SaveProject(s, path);
    } catch (const FileError& e) {
        message = e.what();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(message, "Cannot create file \"" + path + "\". File too large");
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(Names(), (std::vector<std::string>{"full.mtx"}));
}

// ---- Opening what is not a project -------------------------------------------

TEST_F(ProjectFileTest, AMissingFileIsRefusedWithTheSystemsReason) {
    CalcState s = Fresh();
    s.Panel.AddLine("A=");
    const Snapshot before(s);
    const std::string path = PathOf("missing.mtx");
    try {
        OpenProject(s, path);
        FAIL();
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + path + "\". No such file or directory");
    }
    EXPECT_TRUE(Snapshot(s) == before);
}

TEST_F(ProjectFileTest, ANameWithoutExtensionOpensTheMtxFile) {
    const std::string bare = PathOf("work");
    EXPECT_EQ(ProjectPathToOpen(bare), bare);  // neither exists: the name as typed
    WriteBytes(bare + ".mtx", {});
    EXPECT_EQ(ProjectPathToOpen(bare), bare + ".mtx");
    WriteBytes(bare, {});
    EXPECT_EQ(ProjectPathToOpen(bare), bare);  // a file of that very name comes first
    EXPECT_EQ(ProjectPathToOpen(PathOf("other.txt")), PathOf("other.txt"));
}

struct NotAProject {
    const char* Name;
    Bytes File;
};

const Bytes kHeader = Cat({kOne, I32(4)});

const NotAProject kNotProjects[] = {
    {"EmptyFile", {}},
    {"ShortCoefficient", Bytes(kOne.begin(), kOne.begin() + 6)},
    {"HeaderOnly", kHeader},
    {"TruncatedElements", Cat({kHeader, I32(2), I32(2), kOne, kOne, kOne})},
    {"NoBlockB", Cat({kHeader, I32(1), I32(1), kOne})},
    {"NegativeRows", Cat({kHeader, I32(-2), I32(3), I32(0), I32(0)})},
    {"HugeCounts", Cat({kHeader, I32(0x7FFFFFFF), I32(0x7FFFFFFF), kOne, I32(0), I32(0)})},
    {"TrailingGarbage", Cat({kHeader, I32(0), I32(0), I32(0), I32(0), Bytes{'x'}})},
    {"NanCoefficient", Cat({Bytes{0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x7F}, I32(3), I32(0), I32(0), I32(0), I32(0)})},
};

class NotAProjectTest : public ProjectFileTest, public testing::WithParamInterface<NotAProject> {};

TEST_P(NotAProjectTest, IsRefusedAndChangesNothing) {
    const std::string path = PathOf("bad.mtx");
    WriteBytes(path, GetParam().File);
    CalcState s = Fresh();
    s.X = "7";
    s.Panel.AddLine("A=");
    const Snapshot before(s);
    try {
        OpenProject(s, path);
        FAIL() << "the file should have been refused";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot open file \"" + path + "\". The file is damaged or is not a project file");
    }
    EXPECT_TRUE(Snapshot(s) == before);
}

INSTANTIATE_TEST_SUITE_P(ProjectFile, NotAProjectTest, testing::ValuesIn(kNotProjects),
                         [](const testing::TestParamInfo<NotAProject>& info) { return info.param.Name; });

TEST_F(ProjectFileTest, AFolderCannotBeOpened) {
    const std::string path = PathOf("folder.mtx");
    std::filesystem::create_directory(path);
    CalcState s = Fresh();
    const Snapshot before(s);
    try {
        OpenProject(s, path);
        FAIL();
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + path + "\". Is a directory");
    }
    EXPECT_TRUE(Snapshot(s) == before);
}

TEST_F(ProjectFileTest, DevicesAndPipesAreNotRead) {
    // Reading them might never end; they are refused before they are opened.
    const std::string fifo = PathOf("pipe.mtx");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : {fifo, std::string("/dev/zero")}) {
        CalcState s = Fresh();
        const Snapshot before(s);
        try {
            OpenProject(s, path);
            FAIL() << path;
        } catch (const FileError& e) {
            EXPECT_EQ(std::string(e.what()),
                      "Cannot open file \"" + path + "\". The file is damaged or is not a project file");
        }
        EXPECT_TRUE(Snapshot(s) == before);
    }
}

TEST_F(ProjectFileTest, ValuesTheStateCannotHoldChangeNothing) {
    const Bytes tenToThe4000 = {0x61, 0x8C, 0x55, 0xFE, 0x23, 0x83, 0xBA, 0xD1, 0xE6, 0x73};
    // x beyond a double, and a precision whose factor 10^p overflows.
    const Bytes files[] = {
        Cat({tenToThe4000, I32(3), I32(1), I32(1), kTwo, I32(0), I32(0)}),
        Cat({kOne, I32(100000), I32(1), I32(1), kTwo, I32(0), I32(0)}),
    };
    for (const Bytes& file : files) {
        const std::string path = PathOf("range.mtx");
        WriteBytes(path, file);
        CalcState s = Fresh();
        const Snapshot before(s);
        try {
            OpenProject(s, path);
            FAIL();
        } catch (const ArithmeticError& e) {
            EXPECT_STREQ(e.what(), "Floating point overflow");
        }
        EXPECT_TRUE(Snapshot(s) == before);
    }
}

TEST_F(ProjectFileTest, OnlyNonEmptyStoredMatricesReplaceTheirEditor) {
    const std::string path = PathOf("b-only.mtx");
    // A stored as 2 x 0 (no elements), B as 1 x 1.
    WriteBytes(path, Cat({kOne, I32(3), I32(2), I32(0), I32(1), I32(1), kFour}));
    CalcState s = Fresh();
    OpenProject(s, path);
    EXPECT_EQ(s.MatrixA, kIdentity);
    EXPECT_EQ(s.MatrixB, (EditorLines{" 4", ""}));
}

struct ExtensionRow {
    const char* Name;
    std::string Path, Expected;
};

class DefaultExtensionTest : public testing::TestWithParam<ExtensionRow> {};

TEST_P(DefaultExtensionTest, AddsTheExtensionOnlyWhenThereIsNone) {
    EXPECT_EQ(WithDefaultExtension(GetParam().Path, "mtx"), GetParam().Expected);
    EXPECT_EQ(WithDefaultExtension(GetParam().Path, ".mtx"), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(ProjectFile, DefaultExtensionTest,
                         testing::Values(ExtensionRow{"Bare", "work", "work.mtx"},
                                         ExtensionRow{"InAFolder", "/tmp/a.b/work", "/tmp/a.b/work.mtx"},
                                         ExtensionRow{"Kept", "work.mtx", "work.mtx"},
                                         ExtensionRow{"OtherKept", "work.txt", "work.txt"},
                                         ExtensionRow{"HiddenName", "/tmp/.work", "/tmp/.work.mtx"},
                                         ExtensionRow{"Empty", "", ""}),
                         [](const testing::TestParamInfo<ExtensionRow>& info) { return info.param.Name; });

}  // namespace
}  // namespace quorvix
