// The one writer every file goes through: what it must survive (planted links, read-only files, a
// file-size limit, leftovers of a killed save) and what it must keep (mode, links, the target itself).
#include "core/io/SafeReplace.h"
#include "core/io/BoundedRead.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vemo {
namespace {
namespace fs = std::filesystem;

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& e) {
        return Cp932ToUtf8(e.what());
    }
    return "(no error)";
}

size_t EntriesIn(const fs::path& folder) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
}

TEST(SafeReplace, LinksPlantedAtTemporaryNamesAreNeverWrittenThrough) {
    test::TempDir dir;
    const std::string victim = dir.File("victim");
    test::WriteBytes(victim, "precious");
    const std::string target = dir.File("out.Xyz");
    // The names an older writer used, and one in our own pattern: all must stay untouched.
    for (const char* tail : {".tmp~", ".0000beef.tmp"}) {
        fs::create_symlink(victim, target + tail);
    }
    ReplaceFile({target, "new bytes", {}});
    EXPECT_EQ(test::ReadBytes(victim), "precious");
    EXPECT_EQ(test::ReadBytes(target), "new bytes");
    EXPECT_TRUE(fs::is_symlink(target + ".0000beef.tmp"));
}

unsigned nextTemporaryNumber = 0;
unsigned PredictableTemporaryNumber() {
    return nextTemporaryNumber++;
}

// The link is planted at exactly the name the writer picks first: an open without O_EXCL|O_NOFOLLOW
// would write the new bytes through it.
TEST(SafeReplace, ALinkAtTheChosenTemporaryNameIsNeverWrittenThrough) {
    test::TempDir dir;
    const std::string victim = dir.File("victim");
    test::WriteBytes(victim, "precious");
    const std::string target = dir.File("out.Xyz");
    test::WriteBytes(target, "old");
    fs::create_symlink(victim, target + ".1234abcd.tmp");
    nextTemporaryNumber = 0x1234abcd;
    SetTemporaryNameHook(&PredictableTemporaryNumber);
    ReplaceFile({target, "new bytes", {}});
    SetTemporaryNameHook(nullptr);
    EXPECT_GT(nextTemporaryNumber, 0x1234abcdu + 1) << "the writer did not try the planted name first";
    EXPECT_EQ(test::ReadBytes(victim), "precious");
    EXPECT_EQ(test::ReadBytes(target), "new bytes");
    EXPECT_FALSE(fs::is_symlink(target));
    EXPECT_TRUE(fs::is_symlink(target + ".1234abcd.tmp"));
}

TEST(SafeReplace, ModeLinksAndReadOnlyFilesAreRespected) {
    test::TempDir dir;
    const std::string secret = dir.File("secret.Xyz");
    test::WriteBytes(secret, "old");
    ::chmod(secret.c_str(), 0600);
    ReplaceFile({secret, "new", {}});
    EXPECT_EQ(ModeOf(secret), 0600u) << "a private file must not become readable by others";

    const std::string real = dir.File("real.Xyz");
    const std::string link = dir.File("link.Xyz");
    test::WriteBytes(real, "old");
    fs::create_symlink(real, link);
    ReplaceFile({link, "through the link", {}});
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(test::ReadBytes(real), "through the link");

    const std::string locked = dir.File("locked.Xyz");
    test::WriteBytes(locked, "signed figures");
    ::chmod(locked.c_str(), 0444);
    const std::string message = MessageOf([&] { ReplaceFile({locked, "overwritten", {}}); });
    EXPECT_NE(message.find("locked.Xyz」に書き込めません（読み取り専用のファイルです）"), std::string::npos) << message;
    EXPECT_EQ(test::ReadBytes(locked), "signed figures");
    EXPECT_EQ(EntriesIn(dir.Path()), 4u); // no temporary file left
}

TEST(SafeReplace, FailuresNameTheRequestedFileAndTheReason) {
    test::TempDir dir;
    fs::create_directory(dir.File("folder.Xyz"));
    const struct {
        std::string target;
        const char* expected;
    } cases[] = {
        {dir.File("missing/site.Xyz"), "missing/site.Xyz」に書き込めません（フォルダがありません）"},
        {dir.File("folder.Xyz"), "folder.Xyz」に書き込めません（通常のファイルではありません）"},
    };
    for (const auto& c : cases) {
        const std::string message = MessageOf([&] { ReplaceFile({c.target, "x", {}}); });
        EXPECT_NE(message.find(c.expected), std::string::npos) << message;
        EXPECT_EQ(message.find(".tmp"), std::string::npos) << "the temporary name means nothing to the user";
    }
}

// A folder on a read-only mount (a write-protected card, a share mounted read-only) is no question of
// permission: the surveyor must hear that the file system itself takes no writing.  Mounting needs
// root, as CI runs.
TEST(SafeReplace, AReadOnlyFileSystemIsSaidSo) {
    test::TempDir dir;
    if (::mount("tmpfs", dir.Str().c_str(), "tmpfs", 0, "size=1m") != 0) {
        GTEST_SKIP() << "mounting a file system needs root";
    }
    const std::string target = dir.File("site.Xyz");
    ReplaceFile({target, "old", {}});
    ASSERT_EQ(::mount("tmpfs", dir.Str().c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=1m"), 0);
    const std::string message = MessageOf([&] { ReplaceFile({target, "new", {}}); });
    ::umount2(dir.Str().c_str(), MNT_DETACH);
    EXPECT_NE(message.find("site.Xyz」に書き込めません（読み取り専用のファイルシステムです）"), std::string::npos)
        << message;
}

// A file-size limit (a full disk stands in badly for it) used to end the program with SIGXFSZ.
TEST(SafeReplace, FileSizeLimitIsAReportedFailureNotADeath) {
    test::TempDir dir;
    const std::string target = dir.File("big.Xyz");
    test::WriteBytes(target, "old");
    auto saveOverTheLimit = [&] {
        std::signal(SIGXFSZ, SIG_DFL);
        rlimit small{};
        small.rlim_cur = small.rlim_max = 4096;
        setrlimit(RLIMIT_FSIZE, &small);
        const std::string message = MessageOf([&] { ReplaceFile({target, std::string(100000, 'x'), {}}); });
        std::exit(message.find("ディスクの空き容量が足りません") != std::string::npos ? 7 : 1);
    };
    EXPECT_EXIT(saveOverTheLimit(), testing::ExitedWithCode(7), "");
    EXPECT_EQ(test::ReadBytes(target), "old");
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

TEST(SafeReplace, LeftoversOfAKilledSaveGoAtTheNextSave) {
    test::TempDir dir;
    const std::string target = dir.File("site.Xyz");
    test::WriteBytes(dir.File("site.Xyz.1a2b3c4d.tmp"), "half written");
    test::WriteBytes(dir.File("site.Bak.99999999.tmp"), "half a backup");
    test::WriteBytes(dir.File("other.Xyz.1a2b3c4d.tmp"), "another file's");
    test::WriteBytes(target, "old");
    ReplaceFile({target, "new", dir.File("site.Bak")});
    EXPECT_FALSE(fs::exists(dir.File("site.Xyz.1a2b3c4d.tmp")));
    EXPECT_FALSE(fs::exists(dir.File("site.Bak.99999999.tmp")));
    EXPECT_TRUE(fs::exists(dir.File("other.Xyz.1a2b3c4d.tmp"))) << "only leftovers of the file being saved go";
    EXPECT_EQ(test::ReadBytes(dir.File("site.Bak")), "old");
}

// Every reader checks the kind and the size of a file before reading it.
TEST(BoundedRead, OnlyRegularFilesWithinTheLimitAreRead) {
    test::TempDir dir;
    const std::string fifo = dir.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    test::WriteBytes(dir.File("small"), "12345");
    EXPECT_EQ(ReadBoundedFile(dir.File("small"), 5).bytes, "12345");
    EXPECT_EQ(ReadBoundedFile(fifo, 5).failure, ReadFailure::Unreadable);        // would block forever
    EXPECT_EQ(ReadBoundedFile("/dev/zero", 5).failure, ReadFailure::Unreadable); // would never end
    EXPECT_EQ(ReadBoundedFile(dir.Str(), 5).failure, ReadFailure::Unreadable);   // a folder
    EXPECT_EQ(ReadBoundedFile(dir.File("none"), 5).failure, ReadFailure::Missing);
    const std::string message = MessageOf([&] { ReadBoundedFile(dir.File("small"), 4); });
    EXPECT_NE(message.find("small」は大きすぎるため読み込めません（上限 4 バイト）"), std::string::npos) << message;
}

} // namespace
} // namespace vemo
