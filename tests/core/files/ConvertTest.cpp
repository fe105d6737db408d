#include "core/files/Convert.h"

#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vemo {
namespace {

TEST(Convert, FormatsByExtensionAndName) {
    EXPECT_EQ(FormatFromExtension("a/b.XYZ")->kind, FileKind::Native);
    EXPECT_EQ(FormatFromExtension("b.Sim")->kind, FileKind::Sima);
    EXPECT_EQ(FormatFromExtension("b.Txt")->kind, FileKind::Nichoren);
    EXPECT_EQ(FormatFromExtension("b.Blk"), nullptr);
    EXPECT_EQ(FormatFromCliName("NICHOREN")->kind, FileKind::Nichoren);
    EXPECT_EQ(FormatFromCliName("csv"), nullptr);
}

TEST(Convert, SimaThroughNativeFilesComesBackTheSame) {
    test::TempDir dir;
    ConvertRequest toNative{
        test::DataFile("files/golden.SIM"), FileKind::Sima, dir.File("座標１.Xyz"), FileKind::Native, {}, {}, {}};
    ConvertResult result = ConvertFile(toNative);
    EXPECT_EQ(result.points, 3);
    EXPECT_EQ(result.parcels, 1);
    EXPECT_EQ(result.blkWritten, dir.File("座標１.Blk"));

    ConvertRequest toSima{dir.File("座標１.Xyz"),
                          FileKind::Native,
                          dir.File("back.SIM"),
                          FileKind::Sima,
                          dir.File("画地データ.Blk"),
                          {},
                          Jp("現場Ａ")};
    std::filesystem::rename(dir.File("座標１.Blk"), dir.File("画地データ.Blk"));
    ConvertFile(toSima);
    EXPECT_EQ(test::ReadBytes(dir.File("back.SIM")), test::ReadBytes(test::DataFile("files/golden.SIM")));

    ConvertRequest toNichoren{dir.File("back.SIM"), FileKind::Sima, dir.File("n.txt"), FileKind::Nichoren, {}, {}, {}};
    EXPECT_TRUE(ConvertFile(toNichoren).parcelsDropped);
    EXPECT_EQ(test::ReadBytes(dir.File("n.txt")), test::ReadBytes(test::DataFile("files/golden_nichoren.Txt")));
}

TEST(Convert, BadInputLeavesTheOutputAlone) {
    test::TempDir dir;
    test::WriteBytes(dir.File("bad.sim"), "A01,1,P,1\r\n"); // no Y
    test::WriteBytes(dir.File("out.Xyz"), "old");
    ConvertRequest request{dir.File("bad.sim"), FileKind::Sima, dir.File("out.Xyz"), FileKind::Native, {}, {}, {}};
    EXPECT_THROW(ConvertFile(request), Error);
    request.input = dir.File("missing.sim");
    EXPECT_THROW(ConvertFile(request), Error);
    EXPECT_EQ(test::ReadBytes(dir.File("out.Xyz")), "old");
}

} // namespace
} // namespace vemo
