// Feeds the settings reader many mutated settings files.  Start-up must get settings from any bytes
// (never an exception), and a key written into any file must read back while the others keep their
// values.  The seed is the fuzz target's seed.
#include "core/settings/IniDocument.h"
#include "core/settings/Settings.h"
#include "support/Mutator.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vemo {
namespace {

constexpr int kRounds = 800;

TEST(IniRobustness, AnyBytesGiveSettingsAndWritesReadBack) {
    test::TempDir dir;
    const std::string path = dir.File("VEMO.ini");
    const std::string seed = test::ReadBytes(test::DataFile("settings/sample.ini"));
    test::Mutator mutator(31);
    int holdsDatDir = 0;
    for (int i = 0; i < kRounds; ++i) {
        const std::string input = mutator.Next(seed);
        test::WriteBytes(path, input);
        LoadedSettings loaded = LoadSettings(path, dir.Str()); // must not throw

        // The same write the settings file gets, without a flush to the disk per round.
        IniDocument before(input);
        const auto datDir = before.Find("Dir", "DatDir");
        holdsDatDir += datDir && loaded.values.Dir.DatDir == *datDir;
        before.Write("Trvs", "ErrDiv", "1");
        IniDocument after(before.Bytes());
        ASSERT_EQ(after.ReadString("Trvs", "ErrDiv", ""), "1") << "input #" << i;
        ASSERT_EQ(after.Find("Dir", "DatDir"), datDir) << "input #" << i;
    }
    EXPECT_GT(holdsDatDir, kRounds / 10); // the mutations must also keep files the dialog wrote
}

} // namespace
} // namespace vemo
