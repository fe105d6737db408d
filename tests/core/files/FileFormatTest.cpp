// Every exchange format of the table: what its writer writes, its reader reads back, and its extension
// and command-line name find it.  A new row is checked without a test of its own.
#include "core/files/FileFormat.h"

#include "core/text/Bytes.h"
#include "core/text/Cp932.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <set>

#include <cctype>
#include <string>

namespace vemo {
namespace {

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return upper;
}

TEST(FileFormat, EveryFormatReadsBackWhatItWritesAndIsFoundByItsNames) {
    test::TempDir dir;
    // Plane coordinates near the edges of a zone, written and read at the millimetre.
    const std::vector<ExportPoint> points{{1, "T1", -123456.789, 234567.891, 12.345},
                                          {2, Jp("境界１"), 98765.432, -198765.004, 0.0},
                                          {3, "K-3", -0.125, 0.5, -3.2}};
    // A ring is written once round; the reader closes it again.
    const std::vector<ExportParcel> parcels{{"A", {{1, "T1"}, {2, Jp("境界１")}, {3, "K-3"}}}};
    const SimaNames names{Jp("東町"), Jp("基準点"), Jp("分筆")};
    for (const FileFormat& format : FileFormats()) {
        SCOPED_TRACE(std::string(format.cliName));
        ASSERT_EQ(&FormatOf(format.kind), &format);
        EXPECT_EQ(FormatFromExtension("dir/file" + Upper(format.extension)), &format);
        EXPECT_EQ(FormatFromCliName(Upper(format.cliName)), &format);
        if (!format.otherExtension.empty()) {
            EXPECT_EQ(FormatFromExtension("dir/file" + Upper(format.otherExtension)), &format);
        }
        if (format.read == nullptr || format.write == nullptr) {
            continue;
        }
        const std::string file = dir.File("out" + std::string(format.extension));
        format.write(file, {names, points, format.carriesParcels ? &parcels : nullptr});
        const ForeignData back = format.read(file);
        ASSERT_EQ(back.rows.size(), points.size());
        for (size_t i = 0; i < points.size(); ++i) {
            EXPECT_EQ(back.rows[i][kColName], points[i].name);
            EXPECT_NEAR(std::stod(back.rows[i][kColX]), points[i].x, 0.0005);
            EXPECT_NEAR(std::stod(back.rows[i][kColY]), points[i].y, 0.0005);
            EXPECT_NEAR(std::stod(back.rows[i][kColZ]), points[i].z, 0.0005);
        }
        if (!format.carriesParcels) {
            EXPECT_TRUE(back.blocks.empty());
            continue;
        }
        ASSERT_EQ(back.blocks.size(), 1u);
        EXPECT_EQ(back.blocks[0].BlockName, "A");
        EXPECT_EQ(back.blocks[0].NoList, "T1," + Jp("境界１") + ",K-3,T1");
    }
}

// The desktop association offers exactly the formats a file of which can be opened by its name (a
// double click lands on the same path as the command line), each under a type of its own.
TEST(FileFormat, FormatsOpenedByNameAreTheOnesWithADesktopType) {
    std::set<std::string_view> types;
    for (const FileFormat& format : FileFormats()) {
        SCOPED_TRACE(std::string(format.cliName));
        // The registry map opens by name and by drop, but ".xml" and ".zip" are no types to claim.
        EXPECT_EQ(format.opensByName, !format.mimeType.empty() || format.kind == FileKind::RegistryMap);
        EXPECT_EQ(format.mimeType.empty(), format.mimeComment.empty());
        if (!format.mimeType.empty()) {
            EXPECT_TRUE(types.insert(format.mimeType).second);
            EXPECT_TRUE(format.mimeType.starts_with("application/x-"));
        }
    }
    EXPECT_EQ(FormatOf(FileKind::Sima).mimeType, "application/x-sima");
    EXPECT_EQ(FormatOf(FileKind::Native).mimeType, "application/x-vemo-xyz");
}

} // namespace
} // namespace vemo
