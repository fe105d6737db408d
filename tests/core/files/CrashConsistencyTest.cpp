// A save with backup killed at any moment: a child process saves a large list and is killed at every
// step of the replacement (through the writer's step hook) and at random moments.  After each kill the
// data file must be the complete old or the complete new file, and the next save must leave no
// temporary file behind.
#include "FilesTestUtil.h"

#include "core/files/FileIo.h"
#include "core/files/XyzFile.h"
#include "core/io/SafeReplace.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace vemo {
namespace {
namespace fs = std::filesystem;

// Large enough to be written in several pieces (the writer writes 1 MB at a time).
XyzList LargeList(const std::string& prefix) {
    std::vector<XyzRow> rows;
    for (int i = 0; i < 30000; ++i) {
        rows.push_back(test::PointRow(prefix + std::to_string(i), std::to_string(10000 + i) + ".125", "-2500.500",
                                      "12.250", "KIJUN", std::string(40, 'r')));
    }
    return test::ListOf(std::move(rows));
}

int stepsLeft = 0;

void KillAtStep(ReplaceStep) {
    if (--stepsLeft == 0) {
        ::kill(::getpid(), SIGKILL);
    }
}

// Runs the save in a child; true when the child was killed before it finished.
bool SaveInChildKilledAtStep(const fs::path& target, const XyzList& list, int step) {
    const pid_t child = ::fork();
    if (child == 0) {
        stepsLeft = step;
        SetReplaceStepHook(&KillAtStep);
        WriteXyzFile(target, list, true);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status);
}

size_t TemporaryFiles(const fs::path& folder) {
    size_t count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        count += entry.path().extension() == ".tmp";
    }
    return count;
}

class CrashConsistency : public testing::Test {
protected:
    void SetUp() override {
        WriteXyzFile(target, oldList, false);
        oldBytes = test::ReadBytes(target.string());
        newBytes = FormatXyzText(newList);
    }

    // The target is one of the two complete versions; the backup, if any, is the old one.
    void ExpectOldOrNew(const std::string& when) {
        const std::string now = test::ReadBytes(target.string());
        EXPECT_TRUE(now == oldBytes || now == newBytes) << when << ": the target is a mix (" << now.size() << " bytes)";
        if (fs::exists(BackupPath(target))) {
            EXPECT_EQ(test::ReadBytes(BackupPath(target).string()), oldBytes) << when;
        }
    }

    // The next save of the same file sweeps what the killed one left, and puts the old version back.
    void SaveAgainAndExpectNoLeftovers(const std::string& when) {
        WriteXyzFile(target, oldList, false);
        EXPECT_EQ(TemporaryFiles(dir.Path()), 0u) << when;
        fs::remove(BackupPath(target));
    }

    test::TempDir dir;
    fs::path target = dir.Path() / "site.Xyz";
    XyzList oldList = LargeList("OLD");
    XyzList newList = LargeList("NEW");
    std::string oldBytes;
    std::string newBytes;
};

TEST_F(CrashConsistency, KilledAtEveryStepOfTheSave) {
    int step = 1;
    for (; SaveInChildKilledAtStep(target, newList, step); ++step) {
        ExpectOldOrNew("killed at step " + std::to_string(step));
        SaveAgainAndExpectNoLeftovers("after step " + std::to_string(step));
    }
    // Created, several pieces of bytes, synced, backed up, renamed: every one of them was hit.
    EXPECT_GE(step, 8);
    EXPECT_EQ(test::ReadBytes(target.string()), newBytes) << "the save that was not killed completed";
}

TEST_F(CrashConsistency, KilledAtRandomMoments) {
    std::mt19937 random(13);
    for (int round = 0; round < 12; ++round) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (;;) {
                WriteXyzFile(target, newList, true);
                WriteXyzFile(target, oldList, true);
            }
        }
        ::usleep(std::uniform_int_distribution<useconds_t>(1000, 60000)(random));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string now = test::ReadBytes(target.string());
        EXPECT_TRUE(now == oldBytes || now == newBytes) << "round " << round;
        SaveAgainAndExpectNoLeftovers("round " + std::to_string(round));
    }
}

} // namespace
} // namespace vemo
