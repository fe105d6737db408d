// What every writer writes reads back as it was: random names of any CP932 character, coordinates at
// the origin and at the edge of a zone, and parcels naming those points.  The oracle is the generated
// data itself; the expected coordinate texts are worked out from whole millimetres with integer
// arithmetic, not by the number formatting of the program.
#include "FilesTestUtil.h"

#include "core/files/BlkFile.h"
#include "core/files/Nichoren.h"
#include "core/files/Sima.h"
#include "core/files/XyzFile.h"
#include "core/store/CommaList.h"
#include "core/text/Cp932.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>

namespace vemo {
namespace {

constexpr std::int64_t kZoneEdgeMm = 300'000'000; // 300 km

// "-12345.678" from -12345678 mm.
std::string MillimetreText(std::int64_t mm) {
    const std::int64_t whole = (mm < 0 ? -mm : mm) / 1000;
    const std::int64_t part = (mm < 0 ? -mm : mm) % 1000;
    std::string text = (mm < 0 ? "-" : "") + std::to_string(whole) + ".";
    text += std::string(3 - std::to_string(part).size(), '0') + std::to_string(part);
    return text;
}

// A character CP932 assigns, as its bytes: printable ASCII, half-width kana or a double-byte code
// that decodes to something other than the replacement character.  `plainOnly` leaves out the bytes
// an exchange file's lines are split at (blank, comma, double quote).
std::string RandomCharacter(std::mt19937& random, bool plainOnly) {
    std::uniform_int_distribution<int> kind(0, 9);
    for (;;) {
        const int k = kind(random);
        std::string c;
        if (k < 3) {
            c = std::string(1, static_cast<char>(std::uniform_int_distribution<int>(0x20, 0x7E)(random)));
        } else if (k < 4) {
            c = std::string(1, static_cast<char>(std::uniform_int_distribution<int>(0xA1, 0xDF)(random)));
        } else {
            int lead = std::uniform_int_distribution<int>(0x81, 0x9F + (0xFC - 0xE0 + 1))(random);
            if (lead > 0x9F) {
                lead += 0xE0 - 0xA0;
            }
            int trail = std::uniform_int_distribution<int>(0x40, 0xFB)(random);
            if (trail >= 0x7F) {
                ++trail; // 0x7F is no trail byte
            }
            c = {static_cast<char>(lead), static_cast<char>(trail)};
            if (Cp932ToUtf8(c).find("\xEF\xBF\xBD") != std::string::npos) {
                continue; // an unassigned code is no character
            }
        }
        if (plainOnly && (c == " " || c == "," || c == "\"")) {
            continue;
        }
        return c;
    }
}

// 1 to 16 bytes, no blank at either end (every format trims its fields), never "*" + digits alone (the
// name the exchange readers give an unnamed point) and unique within `taken`.
std::string RandomName(std::mt19937& random, bool plainOnly, std::set<std::string>& taken) {
    for (;;) {
        const size_t length = std::uniform_int_distribution<size_t>(1, 16)(random);
        std::string name;
        while (name.size() < length) {
            std::string c = RandomCharacter(random, plainOnly);
            if (name.size() + c.size() <= length) {
                name += c;
            } else if (name.size() > 0) {
                break;
            }
        }
        if (name.front() == ' ' || name.back() == ' ' || name.front() == '*' || !taken.insert(name).second) {
            continue;
        }
        return name;
    }
}

struct Point {
    std::string name;
    std::int64_t x = 0; // millimetres
    std::int64_t y = 0;
    std::int64_t z = 0;
};

std::int64_t RandomMm(std::mt19937& random, std::int64_t edge) {
    switch (std::uniform_int_distribution<int>(0, 5)(random)) {
    case 0:
        return 0;
    case 1:
        return edge;
    case 2:
        return -edge;
    default:
        return std::uniform_int_distribution<std::int64_t>(-edge, edge)(random);
    }
}

std::vector<Point> RandomPoints(std::mt19937& random, bool plainOnly) {
    std::set<std::string> taken;
    std::vector<Point> points(std::uniform_int_distribution<int>(1, 12)(random));
    for (Point& p : points) {
        p.name = RandomName(random, plainOnly, taken);
        p.x = RandomMm(random, kZoneEdgeMm);
        p.y = RandomMm(random, kZoneEdgeMm);
        p.z = RandomMm(random, 5'000'000);
    }
    // A local grid has its origin as a point.
    if (std::bernoulli_distribution(0.3)(random)) {
        points.front().x = points.front().y = points.front().z = 0;
    }
    return points;
}

std::vector<XyzRow> ListRows(const std::vector<Point>& points) {
    std::vector<XyzRow> rows;
    for (const Point& p : points) {
        rows.push_back(test::PointRow(p.name, MillimetreText(p.x), MillimetreText(p.y), MillimetreText(p.z)));
    }
    return rows;
}

// The points as the export commands take them from the coordinate list.
std::vector<ExportPoint> ExportPoints(const std::vector<Point>& points) {
    return PointsFromList(test::ListOf(ListRows(points)));
}

void ExpectSamePoints(const std::vector<XyzRow>& rows, const std::vector<Point>& points, const char* format) {
    ASSERT_EQ(rows.size(), points.size()) << format;
    for (size_t i = 0; i < points.size(); ++i) {
        EXPECT_EQ(rows[i][kColName], points[i].name) << format;
        EXPECT_EQ(rows[i][kColX], MillimetreText(points[i].x)) << format << " " << points[i].x;
        EXPECT_EQ(rows[i][kColY], MillimetreText(points[i].y)) << format;
        EXPECT_EQ(rows[i][kColZ], MillimetreText(points[i].z)) << format;
    }
}

// Closed parcels of 3 to 6 of the points (a vertex may come twice, as a parcel touching itself does).
std::vector<ExportParcel> RandomParcels(std::mt19937& random, const std::vector<Point>& points, bool plainOnly) {
    std::set<std::string> taken;
    std::vector<ExportParcel> parcels(std::uniform_int_distribution<int>(0, 4)(random));
    for (ExportParcel& parcel : parcels) {
        parcel.name = RandomName(random, plainOnly, taken);
        const int count = std::uniform_int_distribution<int>(3, 6)(random);
        for (int v = 0; v < count; ++v) {
            const size_t at = std::uniform_int_distribution<size_t>(0, points.size() - 1)(random);
            parcel.vertices.push_back({static_cast<int>(at) + 1, points[at].name});
        }
    }
    return parcels;
}

TEST(ReadBack, EveryWriterReadsBackItsRandomPointsAndParcels) {
    std::mt19937 random(37);
    for (int round = 0; round < 400; ++round) {
        SCOPED_TRACE(round);
        // The native formats hold any character; the exchange formats split their lines at blanks and
        // commas, which names written there therefore do not hold.
        for (const bool exchange : {false, true}) {
            const std::vector<Point> points = RandomPoints(random, exchange);
            const std::vector<ExportParcel> parcels = RandomParcels(random, points, exchange);
            if (!exchange) {
                ExpectSamePoints(ParseXyzText(FormatXyzText(test::ListOf(ListRows(points)))), points, "Xyz");
                std::vector<Block> blocks;
                for (const ExportParcel& parcel : parcels) {
                    std::vector<std::string> names;
                    for (const ExportVertex& v : parcel.vertices) {
                        names.push_back(v.name);
                    }
                    names.push_back(names.front());
                    blocks.push_back(
                        Block{parcel.name, EncodeCommaList(names), static_cast<int>(names.size()) + 1, 0, 0});
                }
                const std::vector<Block> read = ParseBlkText(FormatBlkText(blocks));
                ASSERT_EQ(read.size(), blocks.size());
                for (size_t p = 0; p < blocks.size(); ++p) {
                    EXPECT_EQ(read[p].BlockName, blocks[p].BlockName);
                    EXPECT_EQ(DecodeCommaList(read[p].NoList), DecodeCommaList(blocks[p].NoList));
                    EXPECT_EQ(read[p].NoRowCount, blocks[p].NoRowCount);
                }
                continue;
            }
            ExpectSamePoints(ParseNichorenText(FormatNichorenText(ExportPoints(points))).rows, points, "Nichoren");
            const ForeignData sima =
                ParseSimaText(FormatSimaText({"case", "xyz", "blk"}, ExportPoints(points), &parcels));
            ExpectSamePoints(sima.rows, points, "SIMA");
            ASSERT_EQ(sima.blocks.size(), parcels.size());
            for (size_t p = 0; p < parcels.size(); ++p) {
                EXPECT_EQ(sima.blocks[p].BlockName, parcels[p].name);
                std::vector<std::string> expected;
                for (const ExportVertex& v : parcels[p].vertices) {
                    expected.push_back(v.name);
                }
                expected.push_back(expected.front()); // written closed
                EXPECT_EQ(DecodeCommaList(sima.blocks[p].NoList), expected);
            }
        }
    }
}

} // namespace
} // namespace vemo
