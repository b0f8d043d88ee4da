// Saving projects and results where the file system says no: a full disk (a
// small tmpfs mounted for the test, and the file size limit as a simulated
// write failure), no free file entries, a read-only folder, a read-only file
// system, a read-only file, a path that is a folder, and names with
// non-ASCII characters. Every refusal reads "Cannot create file "<name>".
// <reason>" (or "Cannot open file ..." when opening), and a good file that was
// there before is never replaced by a damaged one, nor is a temporary file
// left beside it.
//
// Mounting needs root (CI runs as root); where it is not permitted the tmpfs
// tests are skipped and the size-limit tests still simulate the full disk.
// Permissions do not stop root, so the permission tests run their saves as
// the unprivileged user "nobody" when the suite runs as root.
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/errors.h"
#include "files/files_test_util.h"
#include "files/project_file.h"
#include "files/replacing_file.h"
#include "files/result_file.h"
#include "files/text_files.h"

namespace quorvix {
namespace {

namespace fs = std::filesystem;
using testutil::Bytes;
using testutil::ReadBytes;
using testutil::WriteBytes;

std::string Reason(int error) { return std::strerror(error); }

CalcState Identity() {
    CalcState s;
    s.MatrixA = {"1 0 0", "0 1 0", "0 0 1"};
    s.MatrixB = s.MatrixA;
    return s;
}

// A 100 x 100 Matrix A: a project of about 100 KB.
CalcState LargeProject() {
    CalcState s = Identity();
    s.MatrixA.clear();
    for (int i = 0; i < 100; ++i) {
        std::string line;
        for (int j = 0; j < 100; ++j) line += std::to_string(i * 100 + j) + ".5 ";
        s.MatrixA.push_back(line);
    }
    return s;
}

// A result panel of about 1.3 MB.
CalcState LargePanel() {
    CalcState s;
    for (int i = 0; i < 20000; ++i) s.Panel.AddLine("          1          2          3          4          5");
    return s;
}

CalcState SmallPanel() {
    CalcState s;
    s.Panel.AddLine("A=");
    s.Panel.AddLine("");
    s.Panel.AddLine("          1");
    return s;
}

// The message of a refused call, or "" when it succeeded.
template <typename Call>
std::string MessageOf(Call call) {
    try {
        call();
    } catch (const FileError& e) {
        return e.what();
    }
    return "";
}

std::vector<std::string> NamesIn(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class FileFaults : public testutil::ScratchFolder {
protected:
    void TearDown() override {
        for (auto it = mounts_.rbegin(); it != mounts_.rend(); ++it) ::umount2(it->c_str(), MNT_DETACH);
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
        ScratchFolder::TearDown();
    }

    // A tmpfs with these mount options on a new folder `name`; "" when
    // mounting is not permitted here.
    std::string Mount(const std::string& name, const char* options) {
        const std::string point = PathOf(name);
        fs::create_directory(point);
        if (::mount("tmpfs", point.c_str(), "tmpfs", 0, options) != 0) return "";
        mounts_.push_back(point);
        return point;
    }

    static bool Remount(const std::string& point, unsigned long flags) {
        return ::mount("tmpfs", point.c_str(), "tmpfs", MS_REMOUNT | flags, nullptr) == 0;
    }

    std::vector<std::string> mounts_;
};

// Runs `call` as the user "nobody" when the test runs as root (permissions
// do not stop root), otherwise as it is. False when the user cannot be changed.
template <typename Call>
bool WithoutPrivileges(Call call) {
    if (::geteuid() != 0) {
        call();
        return true;
    }
    if (::seteuid(65534) != 0) return false;
    struct Restore {
        ~Restore() { EXPECT_EQ(::seteuid(0), 0); }
    } restore;
    call();
    return true;
}

// ---- A full disk ---------------------------------------------------------------

TEST_F(FileFaults, AResultLargerThanAFullDiskIsRefusedAndLeavesNoFile) {
    const std::string disk = Mount("disk", "size=64k");
    if (disk.empty()) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    const std::string path = disk + "/result.txt";
    EXPECT_EQ(MessageOf([&] { SaveResult(LargePanel(), path); }), CannotCreateMessage(path, Reason(ENOSPC)));
    EXPECT_TRUE(NamesIn(disk).empty());
    // The space of the refused file was given back: a small result fits.
    SaveResult(SmallPanel(), path);
    EXPECT_EQ(ReadBytes(path),
              Bytes({'A', '=', '\r', '\n', '\r', '\n', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', '1'}));
}

TEST_F(FileFaults, AResultOnAFullDiskKeepsTheOldResult) {
    const std::string disk = Mount("disk", "size=64k");
    if (disk.empty()) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    const std::string path = disk + "/result.rtf";
    SaveResult(SmallPanel(), path);
    const Bytes good = ReadBytes(path);
    EXPECT_EQ(MessageOf([&] { SaveResult(LargePanel(), path); }), CannotCreateMessage(path, Reason(ENOSPC)));
    EXPECT_EQ(ReadBytes(path), good);
    EXPECT_EQ(NamesIn(disk), std::vector<std::string>{"result.rtf"});
}

TEST_F(FileFaults, AProjectOnAFullDiskKeepsTheOldProject) {
    const std::string disk = Mount("disk", "size=64k");
    if (disk.empty()) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    const std::string path = disk + "/work.mtx";
    CalcState small = Identity();
    SaveProject(small, path);
    const Bytes good = ReadBytes(path);
    ASSERT_EQ(good.size(), 210u);

    CalcState large = LargeProject();
    EXPECT_EQ(MessageOf([&] { SaveProject(large, path); }), CannotCreateMessage(path, Reason(ENOSPC)));
    EXPECT_EQ(ReadBytes(path), good);
    EXPECT_EQ(NamesIn(disk), std::vector<std::string>{"work.mtx"});
    EXPECT_EQ(large.MatrixA, LargeProject().MatrixA);  // the editors are untouched

    CalcState opened;
    OpenProject(opened, path);
    EXPECT_EQ(opened.MatrixA, (EditorLines{" 1 0 0", " 0 1 0", " 0 0 1", ""}));
}

TEST_F(FileFaults, NoFreeFileEntryKeepsTheOldFiles) {
    // Three entries: the root folder and the two good files.
    const std::string disk = Mount("disk", "size=1m,nr_inodes=3");
    if (disk.empty()) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    const std::string project = disk + "/work.mtx";
    const std::string result = disk + "/result.txt";
    CalcState s = Identity();
    SaveProject(s, project);
    SaveResult(SmallPanel(), result);
    const Bytes goodProject = ReadBytes(project);
    const Bytes goodResult = ReadBytes(result);

    EXPECT_EQ(MessageOf([&] { SaveProject(s, project); }), CannotCreateMessage(project, Reason(ENOSPC)));
    EXPECT_EQ(MessageOf([&] { SaveResult(SmallPanel(), result); }), CannotCreateMessage(result, Reason(ENOSPC)));
    EXPECT_EQ(ReadBytes(project), goodProject);
    EXPECT_EQ(ReadBytes(result), goodResult);
    EXPECT_EQ(NamesIn(disk), (std::vector<std::string>{"result.txt", "work.mtx"}));
}

// The same full disk simulated without a mount: beyond the file size limit a
// write fails with EFBIG (the signal it would raise is ignored).
TEST_F(FileFaults, AResultBeyondTheFileSizeLimitKeepsTheOldResult) {
    const std::string path = PathOf("result.txt");
    SaveResult(SmallPanel(), path);
    const Bytes good = ReadBytes(path);

    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string message = MessageOf([&] { SaveResult(LargePanel(), path); });
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(message, CannotCreateMessage(path, Reason(EFBIG)));
    EXPECT_EQ(ReadBytes(path), good);
    EXPECT_EQ(Names(), std::vector<std::string>{"result.txt"});
}

// ---- Read-only folders, file systems and files ----------------------------------

TEST_F(FileFaults, AReadOnlyFolderRefusesBothSavesAndKeepsItsFiles) {
    const fs::path folder = dir_ / "read-only";
    fs::create_directory(folder);
    const std::string project = (folder / "work.mtx").string();
    const std::string result = (folder / "result.txt").string();
    CalcState s = Identity();
    SaveProject(s, project);
    SaveResult(SmallPanel(), result);
    const Bytes goodProject = ReadBytes(project);
    const Bytes goodResult = ReadBytes(result);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);

    std::string projectMessage, resultMessage, newMessage;
    const bool ran = WithoutPrivileges([&] {
        projectMessage = MessageOf([&] { SaveProject(s, project); });
        resultMessage = MessageOf([&] { SaveResult(SmallPanel(), result); });
        newMessage = MessageOf([&] { SaveResult(SmallPanel(), (folder / "new.txt").string()); });
    });
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add);
    if (!ran) GTEST_SKIP() << "cannot drop root's privileges here";

    EXPECT_EQ(projectMessage, CannotCreateMessage(project, Reason(EACCES)));
    EXPECT_EQ(resultMessage, CannotCreateMessage(result, Reason(EACCES)));
    EXPECT_EQ(newMessage, CannotCreateMessage((folder / "new.txt").string(), Reason(EACCES)));
    EXPECT_EQ(ReadBytes(project), goodProject);
    EXPECT_EQ(ReadBytes(result), goodResult);
    EXPECT_EQ(NamesIn(folder), (std::vector<std::string>{"result.txt", "work.mtx"}));
}

TEST_F(FileFaults, AReadOnlyFileSystemRefusesBothSavesAndKeepsItsFiles) {
    const std::string disk = Mount("disk", "size=1m");
    if (disk.empty()) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    const std::string project = disk + "/work.mtx";
    const std::string result = disk + "/result.txt";
    CalcState s = Identity();
    SaveProject(s, project);
    SaveResult(SmallPanel(), result);
    const Bytes goodProject = ReadBytes(project);
    const Bytes goodResult = ReadBytes(result);
    ASSERT_TRUE(Remount(disk, MS_RDONLY));

    EXPECT_EQ(MessageOf([&] { SaveProject(s, project); }), CannotCreateMessage(project, Reason(EROFS)));
    EXPECT_EQ(MessageOf([&] { SaveResult(SmallPanel(), result); }), CannotCreateMessage(result, Reason(EROFS)));
    EXPECT_EQ(ReadBytes(project), goodProject);
    EXPECT_EQ(ReadBytes(result), goodResult);
    // Opening from a read-only file system still works.
    CalcState opened;
    OpenProject(opened, project);
    EXPECT_EQ(opened.MatrixB, (EditorLines{" 1 0 0", " 0 1 0", " 0 0 1", ""}));
}

// A file its owner made read-only is protected, as creating it anew would be
// refused; only its folder is writable.
TEST_F(FileFaults, AReadOnlyFileIsNotReplaced) {
    const fs::path folder = dir_ / "open-folder";
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::all);
    const std::string project = (folder / "work.mtx").string();
    const std::string result = (folder / "result.txt").string();
    CalcState s = Identity();
    SaveProject(s, project);
    SaveResult(SmallPanel(), result);
    const Bytes goodProject = ReadBytes(project);
    const Bytes goodResult = ReadBytes(result);
    const fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    fs::permissions(project, readOnly);
    fs::permissions(result, readOnly);

    CalcState other = LargeProject();
    std::string projectMessage, resultMessage;
    const bool ran = WithoutPrivileges([&] {
        projectMessage = MessageOf([&] { SaveProject(other, project); });
        resultMessage = MessageOf([&] { SaveResult(LargePanel(), result); });
    });
    if (!ran) GTEST_SKIP() << "cannot drop root's privileges here";

    EXPECT_EQ(projectMessage, CannotCreateMessage(project, Reason(EACCES)));
    EXPECT_EQ(resultMessage, CannotCreateMessage(result, Reason(EACCES)));
    EXPECT_EQ(ReadBytes(project), goodProject);
    EXPECT_EQ(ReadBytes(result), goodResult);
    EXPECT_EQ(NamesIn(folder), (std::vector<std::string>{"result.txt", "work.mtx"}));
}

TEST_F(FileFaults, AProjectThatMayNotBeReadIsReportedAndChangesNothing) {
    const fs::path folder = dir_ / "shared";
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::all);
    const std::string project = (folder / "work.mtx").string();
    CalcState saved = Identity();
    saved.X = "7";
    SaveProject(saved, project);
    fs::permissions(project, fs::perms::owner_write);  // write-only: nobody may read it

    CalcState s;
    s.MatrixA = {"5"};
    s.X = "1";
    const testutil::Snapshot before(s);
    std::string message;
    const bool ran = WithoutPrivileges([&] { message = MessageOf([&] { OpenProject(s, project); }); });
    if (!ran) GTEST_SKIP() << "cannot drop root's privileges here";
    EXPECT_EQ(message, CannotOpenMessage(project, Reason(EACCES)));
    EXPECT_TRUE(testutil::Snapshot(s) == before);
}

// ---- Paths that are folders -------------------------------------------------------

TEST_F(FileFaults, APathThatIsAFolderIsNeitherReplacedNorOpened) {
    const std::string path = PathOf("looks-like.mtx");
    fs::create_directory(path);
    WriteBytes(path + "/inside.txt", Bytes{'k', 'e', 'e', 'p'});
    CalcState s = Identity();
    EXPECT_EQ(MessageOf([&] { SaveProject(s, path); }), CannotCreateMessage(path, Reason(EISDIR)));
    EXPECT_EQ(MessageOf([&] { SaveResult(SmallPanel(), path); }), CannotCreateMessage(path, Reason(EISDIR)));
    EXPECT_EQ(MessageOf([&] { OpenProject(s, path); }), CannotOpenMessage(path, Reason(EISDIR)));
    EXPECT_TRUE(fs::is_directory(path));
    EXPECT_EQ(ReadBytes(path + "/inside.txt"), (Bytes{'k', 'e', 'e', 'p'}));
    EXPECT_EQ(Names(), std::vector<std::string>{"looks-like.mtx"});
}

TEST_F(FileFaults, AFileInPlaceOfAFolderIsReported) {
    const std::string file = PathOf("plain.txt");
    WriteBytes(file, Bytes{'x'});
    const std::string path = file + "/work.mtx";
    CalcState s = Identity();
    EXPECT_EQ(MessageOf([&] { SaveProject(s, path); }), CannotCreateMessage(path, Reason(ENOTDIR)));
    EXPECT_EQ(MessageOf([&] { SaveResult(SmallPanel(), path); }), CannotCreateMessage(path, Reason(ENOTDIR)));
    EXPECT_EQ(ReadBytes(file), Bytes{'x'});
}

// ---- Long names ----------------------------------------------------------------------

// A name of 250 bytes is within the usual limit of 255; the file written
// beside it first must not need a longer name.
TEST_F(FileFaults, ANameNearTheLengthLimitStillSaves) {
    const std::string stem(246, 'n');
    CalcState s = Identity();
    SaveProject(s, WithDefaultExtension(PathOf(stem), kProjectExtension));
    SaveResult(SmallPanel(), PathOf(stem + ".txt"));
    SaveResult(SmallPanel(), PathOf(stem + ".txt"));  // and replaces it again
    EXPECT_EQ(Names(), (std::vector<std::string>{stem + ".mtx", stem + ".txt"}));
    EXPECT_EQ(ReadBytes(PathOf(stem + ".mtx")).size(), 210u);

    // A name beyond the limit is refused with the system's reason.
    const std::string tooLong = PathOf(std::string(300, 'n') + ".txt");
    EXPECT_EQ(MessageOf([&] { SaveResult(SmallPanel(), tooLong); }),
              CannotCreateMessage(tooLong, Reason(ENAMETOOLONG)));
}

// ---- Names with non-ASCII characters ------------------------------------------------

struct NamedFile {
    const char* Case;
    const char* Name;
};

class NonAsciiNames : public FileFaults, public testing::WithParamInterface<NamedFile> {};

TEST_P(NonAsciiNames, SaveAndOpenUnderTheExactName) {
    const std::string name = GetParam().Name;
    CalcState s = Identity();
    s.MatrixA = {"1.5 -2", "3 4e10"};
    s.X = "2.25";
    // The project name is given without its extension, as typed in the dialog.
    SaveProject(s, WithDefaultExtension(PathOf(name), kProjectExtension));
    SaveResult(SmallPanel(), PathOf(name + ".txt"));
    EXPECT_EQ(Names(), (std::vector<std::string>{name + ".mtx", name + ".txt"}));

    CalcState opened;
    OpenProject(opened, PathOf(name + ".mtx"));
    EXPECT_EQ(opened.MatrixA, (EditorLines{" 1.5 -2", " 3 40000000000", ""}));
    EXPECT_EQ(opened.X, "2.25");
    EXPECT_EQ(ReadBytes(PathOf(name + ".txt")).size(), 17u);
}

TEST_P(NonAsciiNames, ARefusalNamesTheFileAsGiven) {
    const std::string path = PathOf(std::string("missing-") + GetParam().Name + "/" + GetParam().Name + ".mtx");
    CalcState s = Identity();
    EXPECT_EQ(MessageOf([&] { SaveProject(s, path); }), CannotCreateMessage(path, Reason(ENOENT)));
    EXPECT_EQ(MessageOf([&] { SaveResult(SmallPanel(), path); }), CannotCreateMessage(path, Reason(ENOENT)));
}

const NamedFile kNames[] = {
    {"Latin", "r\xc3\xa9sultat \xc3\xa9t\xc3\xa9"},                    // "résultat été" in UTF-8
    {"Cyrillic", "\xd0\xbf\xd1\x80\xd0\xbe\xd0\xb5\xd0\xba\xd1\x82"},  // "проект"
    {"Cjk", "\xe7\x9f\xa9\xe9\x98\xb5"},                               // "矩阵"
    {"Emoji", "\xf0\x9f\xa7\xae abacus"},
    {"NotUtf8", "\xe9t\xe9"},  // Latin-1 bytes, not UTF-8
};
INSTANTIATE_TEST_SUITE_P(FileFaults, NonAsciiNames, testing::ValuesIn(kNames),
                         [](const testing::TestParamInfo<NamedFile>& info) { return std::string(info.param.Case); });

}  // namespace
}  // namespace quorvix
