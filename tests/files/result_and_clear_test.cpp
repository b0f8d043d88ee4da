// Saving the result panel and the clear commands.
#include "commands/editor_tools.h"
#include "files/result_file.h"
#include "files/text_files.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "core/errors.h"
#include "files/files_test_util.h"

namespace quorvix {
namespace {

using testutil::Bytes;
using testutil::ReadBytes;
using testutil::WriteBytes;

Bytes AsBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

CalcState WithResult() {
    CalcState s;
    s.MatrixA = {"1 2"};
    s.MatrixB = {"3"};
    s.Panel.AddLine("A=");
    s.Panel.AddLine("");
    s.Panel.AddLine("          1          2");
    s.Panel.AddLine("");
    return s;
}

class ResultFileTest : public testutil::ScratchFolder, public testing::WithParamInterface<const char*> {};

TEST_P(ResultFileTest, WritesThePlainTextWithCrLf) {
    const std::string path = PathOf(GetParam());
    SaveResult(WithResult(), path);
    EXPECT_EQ(ReadBytes(path), AsBytes("A=\r\n\r\n          1          2\r\n"));
    EXPECT_EQ(Names(), (std::vector<std::string>{GetParam()}));
}

INSTANTIATE_TEST_SUITE_P(ResultFile, ResultFileTest, testing::Values("result.txt", "result.rtf", "result"));

class ResultFileFolder : public testutil::ScratchFolder {};

TEST_F(ResultFileFolder, AnEmptyPanelGivesAnEmptyFile) {
    const std::string path = PathOf("empty.txt");
    SaveResult(CalcState{}, path);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_TRUE(ReadBytes(path).empty());
}

TEST_F(ResultFileFolder, AnExistingFileIsReplaced) {
    const std::string path = PathOf("old.txt");
    WriteBytes(path, Bytes(500, 'x'));
    CalcState s;
    s.Panel.AddLine("B=");
    SaveResult(s, path);
    EXPECT_EQ(ReadBytes(path), AsBytes("B="));
}

TEST_F(ResultFileFolder, AFileThatCannotBeCreatedIsReported) {
    const std::string path = PathOf("missing/result.txt");
    try {
        SaveResult(WithResult(), path);
        FAIL();
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file \"" + path + "\". No such file or directory");
    }
    EXPECT_TRUE(Names().empty());
}

TEST_F(ResultFileFolder, AFolderIsNotReplaced) {
    const std::string path = PathOf("folder.txt");
    std::filesystem::create_directory(path);
    EXPECT_THROW(SaveResult(WithResult(), path), FileError);
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(Names(), (std::vector<std::string>{"folder.txt"}));
}

TEST(Clear, ClearingTheResultKeepsTheEditors) {
    CalcState s = WithResult();
    ClearEditor(s, Editor::Result);
    EXPECT_TRUE(s.Panel.Lines().empty());
    EXPECT_EQ(s.MatrixA, (EditorLines{"1 2"}));
    EXPECT_EQ(s.MatrixB, (EditorLines{"3"}));
}

TEST(Clear, ClearingAnEditorChangesNothingElse) {
    CalcState s = WithResult();
    s.X = "2";
    ClearEditor(s, Editor::MatrixA);
    EXPECT_TRUE(s.MatrixA.empty());
    EXPECT_EQ(s.MatrixB, (EditorLines{"3"}));
    EXPECT_EQ(s.Panel.Lines(), WithResult().Panel.Lines());
    EXPECT_EQ(s.X, "2");

    ClearEditor(s, Editor::MatrixB);
    EXPECT_TRUE(s.MatrixB.empty());
    EXPECT_EQ(s.Panel.Lines(), WithResult().Panel.Lines());
}

}  // namespace
}  // namespace quorvix
