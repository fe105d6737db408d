// What a conversion or a read must never do: leave coordinates beside parcels of another version,
// overwrite its own output, replace an output with nothing because the input was not a SIMA file, or
// report a fault in a file without saying where it is.
#include "FilesTestUtil.h"

#include "core/files/AutoSave.h"
#include "core/files/Convert.h"
#include "core/files/Sima.h"
#include "core/files/XyzFile.h"
#include "core/store/BlockList.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "support/FileSizeLimit.h"
#include "support/Immutable.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace vemo {
namespace {
namespace fs = std::filesystem;

std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& e) {
        return e.what(); // CP932, as the user's terminal or message box gets it
    }
    return "(no error)";
}

// A SIMA file of `points` points and one parcel over the first three.
std::string SimaText(int points) {
    std::string text = "G00,01,SIMA,\r\nA00,\r\n";
    for (int i = 1; i <= points; ++i) {
        text +=
            "A01," + std::to_string(i) + ",P" + std::to_string(i) + ",1" + std::to_string(i) + ".000,2.000,0.000,\r\n";
    }
    return text + "A99,\r\nD00,1,LOT,1,\r\nB01,1,P1,\r\nB01,2,P2,\r\nB01,3,P3,\r\nD99,\r\n";
}

TEST(FileSafety, CoordinatesAndParcelsChangeTogetherOrNotAtAll) {
    test::TempDir dir;
    test::WriteBytes(dir.File("in.SIM"), SimaText(5));
    ConvertRequest request{dir.File("in.SIM"), FileKind::Sima, dir.File("out.Xyz"), FileKind::Native, {}, {}, {}};
    ConvertFile(request);
    const std::string oldXyz = test::ReadBytes(dir.File("out.Xyz"));
    const std::string oldBlk = test::ReadBytes(dir.File("out.Blk"));

    // New coordinates fit under the limit, the parcel file after them does not (a full disk).
    std::string big = SimaText(30);
    big.insert(big.find("D99"), std::string("B01,4,") + std::string(8000, 'Q') + ",\r\n");
    test::WriteBytes(dir.File("in.SIM"), big);
    test::WithFileSizeLimit(6000, [&] { EXPECT_THROW(ConvertFile(request), Error); });
    EXPECT_EQ(test::ReadBytes(dir.File("out.Xyz")), oldXyz) << "coordinates changed without their parcels";
    EXPECT_EQ(test::ReadBytes(dir.File("out.Blk")), oldBlk);
}

// The parcel file written, but not replaceable (immutable): the coordinates already moved into place go
// back, as the writer promises for the pair.
TEST(FileSafety, AParcelFileThatCannotBeReplacedTakesBackTheCoordinates) {
    test::TempDir dir;
    test::WriteBytes(dir.File("in.SIM"), SimaText(5));
    ConvertRequest request{dir.File("in.SIM"), FileKind::Sima, dir.File("out.Xyz"), FileKind::Native, {}, {}, {}};
    ConvertFile(request);
    const std::string oldXyz = test::ReadBytes(dir.File("out.Xyz"));
    test::WriteBytes(dir.File("in.SIM"), SimaText(7));
    if (!test::SetImmutable(dir.File("out.Blk"), true)) {
        GTEST_SKIP() << "this file system or user cannot make a file immutable";
    }
    const std::string message = MessageOf([&] { ConvertFile(request); });
    test::SetImmutable(dir.File("out.Blk"), false);
    EXPECT_NE(Cp932ToUtf8(message).find("out.Blk」に書き込めません（書き込みが許可されていません）"), std::string::npos)
        << Cp932ToUtf8(message);
    EXPECT_EQ(test::ReadBytes(dir.File("out.Xyz")), oldXyz) << "coordinates changed without their parcels";
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), {}), 3) << "a temporary file was left";
}

TEST(FileSafety, OneFileIsNeverBothOutputs) {
    test::TempDir dir;
    test::WriteBytes(dir.File("in.SIM"), SimaText(3));
    test::WriteBytes(dir.File("same.Xyz"), "keep me");
    fs::create_directory(dir.File("sub"));
    // The same file under another spelling and through a link.
    fs::create_symlink(dir.File("same.Xyz"), dir.File("alias.Blk"));
    for (const std::string& blk : {dir.File("same.Xyz"), dir.File("sub/../same.Xyz"), dir.File("alias.Blk")}) {
        ConvertRequest request{dir.File("in.SIM"), FileKind::Sima, dir.File("same.Xyz"), FileKind::Native, {}, blk, {}};
        const std::string message = Cp932ToUtf8(MessageOf([&] { ConvertFile(request); }));
        EXPECT_NE(message.find("同じファイル"), std::string::npos) << blk << ": " << message;
        EXPECT_EQ(test::ReadBytes(dir.File("same.Xyz")), "keep me");
    }
}

TEST(FileSafety, InputWithoutAnySimaRecordIsRefusedAndTheOutputKept) {
    test::TempDir dir;
    test::WriteBytes(dir.File("out.Xyz"), "existing points");
    const std::string noise("\x89PNG\r\n\x1a\n\x00\x01garbage,1,2", 22);
    for (const std::string& input : {noise, std::string("\r\n\r\n   \r\n"), std::string("hello, world\n")}) {
        test::WriteBytes(dir.File("in.sim"), input);
        ConvertRequest request{dir.File("in.sim"), FileKind::Sima, dir.File("out.Xyz"), FileKind::Native, {}, {}, {}};
        const std::string message = Cp932ToUtf8(MessageOf([&] { ConvertFile(request); }));
        EXPECT_NE(message.find("in.sim」はSIMAファイルではありません"), std::string::npos) << message;
        EXPECT_EQ(test::ReadBytes(dir.File("out.Xyz")), "existing points");
    }
    // A real SIMA file that holds no point is read as such.
    test::WriteBytes(dir.File("empty.sim"), "G00,01,SIMA,\r\nA00,\r\nA99,\r\n");
    EXPECT_TRUE(ReadSimaFile(dir.File("empty.sim")).rows.empty());
}

// A bad field is quoted short and escaped, with the file and the line, never cut at a NUL and never
// carrying an escape sequence to the terminal.
TEST(FileSafety, ContentFaultsNameFileAndLineWithAShortEscapedExcerpt) {
    test::TempDir dir;
    std::string name = "P2";
    name.resize(kXyzNameWidth, ' ');
    const std::string xyzLine1 = FormatXyzLine(test::PointRow("P1", "1000.000", "2000.000"), 1);
    const struct {
        const char* file;
        std::string line2;
        const char* expected;
    } cases[] = {
        {"bad.Xyz", name + std::string("1\0\0005", 4), "'1\\x00\\x005'"},
        {"bad.Xyz", name + "12\x1b[2J5", "'12\\x1B[2J5'"},
        {"bad.Xyz", name + "1\x81", "'1\\x81'"}, // a lone lead byte
        {"bad.sim", "A01,2,P2," + std::string(1000000, '7') + "x,2.0,0.0,", "'77777777777777777777777777777777…'"},
    };
    for (const auto& c : cases) {
        const std::string path = dir.File(c.file);
        const bool sima = path.ends_with(".sim");
        test::WriteBytes(path, (sima ? std::string("A01,1,P1,1.0,2.0,0.0,\r\n") : xyzLine1) + c.line2 + "\r\n");
        XyzList list;
        const std::string raw = MessageOf([&] { sima ? void(ReadSimaFile(path)) : void(ReadXyzFile(path, list)); });
        const std::string message = Cp932ToUtf8(raw);
        EXPECT_NE(message.find(std::string(c.file) + "」: 2行目: "), std::string::npos) << message;
        EXPECT_NE(message.find(c.expected), std::string::npos) << message;
        EXPECT_LT(raw.size(), 300u);
        EXPECT_EQ(raw.find('\x1b'), std::string::npos);
    }
}

} // namespace
} // namespace vemo
