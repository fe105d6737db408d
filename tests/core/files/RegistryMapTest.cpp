// Registry map data (地図XML): real published files checked against an independent reading (Python's XML
// parser with exact fractions, tests/data/registrymap/oracle.py), and a file made here with every trap the
// published files are known to hold.

#include "core/files/Convert.h"
#include "core/files/RegistryMapFiles.h"
#include "core/files/RegistryMapParser.h"
#include "core/files/Sima.h"
#include "core/files/Utf8Repair.h"
#include "core/parcels/ParcelArea.h"
#include "core/store/XyzNameIndex.h"
#include "core/text/Cp932.h"
#include "core/text/Error.h"
#include "support/ShellRun.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>
#include <sstream>

namespace vemo {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;

struct OracleReading {
    std::vector<std::pair<std::string, double>> parcels; // 地番, area
    std::size_t points = 0;
};

OracleReading ReadWithOracle(const std::string& file) {
    const test::ShellRun run =
        test::RunShell("/usr/bin/python3 '" + test::DataFile("registrymap/oracle.py") + "' '" + file + "'");
    EXPECT_EQ(run.status, 0) << run.out;
    OracleReading reading;
    std::istringstream lines(run.out);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string kind;
        std::getline(fields, kind, '\t');
        if (kind == "PARCEL") {
            std::string chiban;
            std::string area;
            std::getline(fields, chiban, '\t');
            std::getline(fields, area, '\t');
            reading.parcels.emplace_back(chiban, std::stod(area));
        } else if (kind == "POINTS") {
            std::string count;
            std::getline(fields, count, '\t');
            reading.points += std::stoul(count);
        }
    }
    return reading;
}

// The legal area of every parcel as the program computes it from the imported points and parcels.
std::vector<double> StoreAreas(const ForeignData& data) {
    XyzList list;
    list.ReplaceAll(std::vector<XyzRow>(data.rows));
    XyzNameIndex index;
    index.Rebuild(list);
    std::vector<double> areas;
    for (const Block& block : data.blocks) {
        areas.push_back(ParcelFigures(block.NoList, index).area);
    }
    return areas;
}

bool HasNote(const std::vector<std::string>& notes, const std::string& utf8Part) {
    for (const std::string& note : notes) {
        if (Cp932ToUtf8(note).find(utf8Part) != std::string::npos) {
            return true;
        }
    }
    return false;
}

struct PublishedMap {
    const char* file;
    int zone; // 0: 任意座標系
};

TEST(RegistryMap, PublishedMapsImportAsAnIndependentReadingSeesThem) {
    for (const PublishedMap& map :
         {PublishedMap{"registrymap/12103-0400-76.zip", 9}, PublishedMap{"registrymap/46505-3411-1.zip", 2},
          PublishedMap{"registrymap/13113-0110-1.zip", 0}}) {
        SCOPED_TRACE(map.file);
        const std::string path = test::DataFile(map.file);
        const OracleReading oracle = ReadWithOracle(path);
        const ForeignData data = ReadRegistryMapFile(path, {});
        ASSERT_EQ(data.blocks.size(), oracle.parcels.size());
        EXPECT_EQ(data.rows.size(), oracle.points);
        const std::vector<double> areas = StoreAreas(data);
        for (std::size_t i = 0; i < areas.size(); ++i) {
            SCOPED_TRACE(oracle.parcels[i].first);
            EXPECT_THAT(Cp932ToUtf8(data.blocks[i].BlockName), testing::EndsWith(oracle.parcels[i].first));
            // Both sums are exact (the coordinates are whole millimetres): they must agree to the digit.
            EXPECT_NEAR(areas[i], oracle.parcels[i].second, 1e-6);
        }
        EXPECT_EQ(data.planeZone, map.zone);
        EXPECT_EQ(HasNote(data.notes, "任意座標系"), map.zone == 0);
        EXPECT_THAT(Cp932ToUtf8(data.sourceLine), HasSubstr("登記所備付地図データ"));
    }
}

// A city is handed out as an archive of archives, one map each; nothing is unpacked to disk.
TEST(RegistryMap, ACityArchiveOfArchivesReadsEveryMapInIt) {
    const std::vector<NamedRegistryMap> maps = ReadRegistryMaps(test::DataFile("registrymap/city.zip"));
    ASSERT_EQ(maps.size(), 2u);
    EXPECT_EQ(maps[0].name, "12103-0400-76.xml");
    EXPECT_EQ(maps[1].name, "46505-3411-1.xml");
    EXPECT_EQ(maps[0].doc.cityName, "千葉市稲毛区");
    EXPECT_EQ(maps[1].doc.coordinateSystem, "公共座標2系");
    const ForeignData data = ReadRegistryMapFile(test::DataFile("registrymap/city.zip"), {});
    EXPECT_EQ(data.blocks.size(), 3u);
    EXPECT_EQ(data.rows.size(), 610u + 164u);
    EXPECT_TRUE(HasNote(data.notes, "最初の地図と異なります"));
}

// --- A map made here -------------------------------------------------------------------------------

// Writes a small 地図XML: points, two-point curves between them, one surface per parcel.
class MapText {
public:
    void Point(const std::string& id, const std::string& x, const std::string& y) {
        points_ += "<zmn:GM_Point id=\"" + id + "\"><zmn:GM_Point.position><zmn:DirectPosition><zmn:X>" + x +
                   "</zmn:X><zmn:Y>" + y + "</zmn:Y></zmn:DirectPosition></zmn:GM_Point.position></zmn:GM_Point>\n";
    }
    // A parcel whose ring runs through `ring` (point ids, first not repeated); with `backwards` its second
    // curve is written the other way round, as published files do.
    void Parcel(const std::string& oaza, const std::string& chiban, const std::vector<std::string>& ring,
                bool backwards = false) {
        const std::string surface = "F" + std::to_string(++surfaces_);
        std::string generators;
        for (std::size_t i = 0; i < ring.size(); ++i) {
            const std::string curve = "C" + std::to_string(++curves_);
            std::string a = ring[i];
            std::string b = ring[(i + 1) % ring.size()];
            if (backwards && i == 1) {
                std::swap(a, b);
            }
            curves_text_ += "<zmn:GM_Curve id=\"" + curve +
                            "\"><zmn:GM_Curve.segment><zmn:GM_LineString>"
                            "<zmn:GM_LineString.controlPoint>" +
                            Ref(a) + Ref(b) +
                            "</zmn:GM_LineString.controlPoint></zmn:GM_LineString></zmn:GM_Curve.segment>"
                            "</zmn:GM_Curve>\n";
            generators += "<zmn:GM_CompositeCurve.generator idref=\"" + curve + "\"/>";
        }
        surfaces_text_ += "<zmn:GM_Surface id=\"" + surface +
                          "\"><zmn:GM_Surface.patch><zmn:GM_Polygon>"
                          "<zmn:GM_Polygon.boundary><zmn:GM_SurfaceBoundary><zmn:GM_SurfaceBoundary.exterior>"
                          "<zmn:GM_Ring>" +
                          generators +
                          "</zmn:GM_Ring></zmn:GM_SurfaceBoundary.exterior>"
                          "</zmn:GM_SurfaceBoundary></zmn:GM_Polygon.boundary></zmn:GM_Polygon>"
                          "</zmn:GM_Surface.patch></zmn:GM_Surface>\n";
        subjects_ += "<筆 id=\"H" + std::to_string(surfaces_) + "\"><大字名>" + oaza + "</大字名><地番>" + chiban +
                     "</地番><形状 idref=\"" + surface + "\"/><精度区分>甲二</精度区分></筆>\n";
    }
    void UnshapedParcel(const std::string& chiban) { subjects_ += "<筆 id=\"H0\"><地番>" + chiban + "</地番></筆>\n"; }
    void BoundaryPoint(const std::string& name, const std::string& id) {
        subjects_ += "<筆界点><点番名>" + name + "</点番名><形状 idref=\"" + id + "\"/></筆界点>\n";
    }
    void ControlPoint(const std::string& name, const std::string& kind, const std::string& id) {
        subjects_ += "<基準点><名称>" + name + "</名称><形状 idref=\"" + id + "\"/><基準点種別>" + kind +
                     "</基準点種別></基準点>\n";
    }
    std::string Text(const std::string& system = "公共座標9系") const {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<地図 xmlns=\"http://www.moj.go.jp/MINJI/tizuxml\" "
               "xmlns:zmn=\"http://www.moj.go.jp/MINJI/tizuzumen\">\n"
               "<version>ver1.0</version><地図名>試験</地図名><市区町村コード>99999</市区町村コード>\n"
               "<市区町村名>試験市</市区町村名><座標系>" +
               system +
               "</座標系><測地系判別>測量</測地系判別>\n"
               "<空間属性>\n" +
               points_ + curves_text_ + surfaces_text_ + "</空間属性>\n<主題属性>\n" + subjects_ +
               "</主題属性>\n</地図>\n";
    }

private:
    static std::string Ref(const std::string& id) {
        return "<zmn:GM_PointArray.column><zmn:GM_Position.indirect><zmn:GM_PointRef.point idref=\"" + id +
               "\"/></zmn:GM_Position.indirect></zmn:GM_PointArray.column>";
    }
    std::string points_;
    std::string curves_text_;
    std::string surfaces_text_;
    std::string subjects_;
    int curves_ = 0;
    int surfaces_ = 0;
};

// Two lots of 20 m × 10 m side by side in 大字 東, the same 地番 1 in 大字 西, a road, and the traps.
MapText TrapMap() {
    MapText map;
    map.Point("P1", "-42000.000", "25000.000");
    map.Point("P2", "-42000.000", "25020.000");
    map.Point("P3", "-42010.000", "25020.000");
    map.Point("P4", "-42010.000", "25000.000");
    map.Point("P5", "-42000.000", "25040.000");
    map.Point("P6", "-42010.000", "25040.000");
    map.Point("P7", "-41000.000", "25000.000");
    map.Point("P8", "-41000.000", "25010.000");
    map.Point("P9", "-41010.000", "25000.000");
    map.Point("P10", "-42100.000", "25000.000");
    map.Parcel("東", "1", {"P1", "P2", "P3", "P4"}, true);
    map.Parcel("東", "2", {"P2", "P5", "P6", "P3"});
    map.Parcel("西", "1", {"P7", "P8", "P9"});
    map.Parcel("東", "3", {"P4", "P3", "P99"}); // P99 is defined nowhere
    map.Parcel("東", "地区外-1", {"P1", "P2", "P10"});
    map.Parcel("東", "別図-1", {"P1", "P2", "P10"});
    map.UnshapedParcel("4");
    map.BoundaryPoint("K1", "P1");
    map.BoundaryPoint("K2", "P2");
    map.BoundaryPoint("K1", "P7");                 // the same 点番名 at another place
    map.BoundaryPoint("K12345678901234567", "P5"); // longer than 16 bytes
    map.ControlPoint("T1", "地籍図根多角点", "P10");
    return map;
}

TEST(RegistryMap, AMapWithEveryKnownTrapImportsWhatItCanAndListsTheRest) {
    std::string text = TrapMap().Text();
    // A byte that is no UTF-8 inside a 大字名, as published files hold: repaired, its line named.
    const std::size_t at = text.find("西");
    const std::size_t line = 1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + at, '\n'));
    text.insert(at, "\xFF");
    const std::vector<NamedRegistryMap> maps{{"trap.xml", ParseRegistryMapText(text, "trap.xml")}};
    const RegistryMapImport imported = ImportRegistryMaps(maps, {});

    std::vector<std::string> names;
    for (const Block& block : imported.blocks) {
        names.push_back(Cp932ToUtf8(block.BlockName));
    }
    // Two 大字 hold 地番 1: every parcel carries its 大字; the repaired character shows as 〓.
    EXPECT_EQ(names, (std::vector<std::string>{"東1", "東2", "〓西1"}));
    EXPECT_TRUE(HasNote(imported.notes, "〓に置き換えました（" + std::to_string(line) + " 行目）"));
    EXPECT_TRUE(HasNote(imported.notes, "筆「東3」は取り込みません: P99 がファイルにありません"));
    EXPECT_TRUE(HasNote(imported.notes, "地区外・別図・形状のない筆 3 件は取り込みません: 東地区外-1、東別図-1、4"));
    EXPECT_TRUE(HasNote(imported.notes, "点番名「K1」は使えない"));
    EXPECT_TRUE(HasNote(imported.notes, "点番名「K12345678901234567」は使えない"));
    EXPECT_TRUE(HasNote(imported.notes, "測地系（JGD2000 / JGD2011）はファイルに書かれていません"));

    // Points: named ones under their names, the others under "*" and their id; the control point too.
    std::map<std::string, XyzRow> rows;
    for (const XyzRow& row : imported.rows) {
        rows[Cp932ToUtf8(row[kColName])] = row;
    }
    ASSERT_EQ(rows.size(), imported.rows.size());
    EXPECT_EQ(rows.at("K1")[kColX], "-42000.000");
    EXPECT_EQ(rows.at("*P7")[kColY], "25000.000");
    EXPECT_EQ(rows.at("*P5")[kColY], "25040.000");
    EXPECT_EQ(Cp932ToUtf8(rows.at("T1")[kColTensyu]), "地籍図根多角点");
    EXPECT_EQ(Cp932ToUtf8(rows.at("K2")[kColTensyu]), "筆界点");
    EXPECT_EQ(rows.count("*P99"), 0u);

    // Rings keep the file's order, the curve written backwards included, and close on their first vertex.
    EXPECT_EQ(Cp932ToUtf8(imported.blocks[0].NoList), "K1,K2,*P3,*P4,K1");
    EXPECT_EQ(Cp932ToUtf8(imported.blocks[1].NoList), "K2,*P5,*P6,*P3,K2");
    ForeignData data;
    data.rows = imported.rows;
    data.blocks = imported.blocks;
    const std::vector<double> areas = StoreAreas(data);
    EXPECT_EQ(areas, (std::vector<double>{200.0, 200.0, 50.0}));
}

TEST(RegistryMap, ChosenParcelsComeWithTheirNeighboursAndOnlyTheirPoints) {
    const std::vector<NamedRegistryMap> maps{{"trap.xml", ParseRegistryMapText(TrapMap().Text(), "trap.xml")}};
    const RegistryMapImport alone = ImportRegistryMaps(maps, {{"東1"}, false});
    ASSERT_EQ(alone.blocks.size(), 1u);
    EXPECT_EQ(alone.rows.size(), 4u);
    const RegistryMapImport withNeighbours = ImportRegistryMaps(maps, {{"東1"}, true});
    ASSERT_EQ(withNeighbours.blocks.size(), 2u);
    EXPECT_EQ(Cp932ToUtf8(withNeighbours.blocks[1].BlockName), "東2");
    EXPECT_EQ(withNeighbours.rows.size(), 6u);
    // A 地番 alone names it in every 大字.
    EXPECT_EQ(ImportRegistryMaps(maps, {{"1"}, false}).blocks.size(), 2u);
    try {
        ImportRegistryMaps(maps, {{"東9"}, false});
        ADD_FAILURE() << "an unknown 地番 was taken";
    } catch (const Error& e) {
        EXPECT_EQ(Cp932ToUtf8(e.what()), "地番「東9」の筆は地図XMLにありません");
    }
}

TEST(RegistryMap, WhatIsNoRegistryMapOrNoXmlIsRefusedNamingTheLine) {
    try {
        ParseRegistryMapText("<?xml version=\"1.0\"?>\n<a>\n<b></a>\n", "bad.xml");
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_THAT(Cp932ToUtf8(e.what()), HasSubstr("地図XML「bad.xml」は 3 行目から XML として読めません"));
    }
    try {
        ParseRegistryMapText("<?xml version=\"1.0\"?>\n<地図/>\n", "other.xml");
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_EQ(Cp932ToUtf8(e.what()), "ファイル「other.xml」は登記所備付地図データ（地図XML）ではありません");
    }
}

// More parcels than the parcel list holds: refused before anything is written.
TEST(RegistryMap, AMapBeyondTheListsLimitsWritesNothing) {
    MapText map;
    map.Point("A", "0.000", "0.000");
    map.Point("B", "0.000", "1.000");
    for (int i = 0; i <= kMaxBlocks; ++i) {
        const std::string id = "Q" + std::to_string(i);
        map.Point(id, std::to_string(1 + i) + ".000", "0.500");
        map.Parcel("", std::to_string(i + 1), {"A", "B", id});
    }
    test::TempDir dir;
    test::WriteBytes(dir.File("many.xml"), map.Text());
    ConvertRequest request;
    request.input = dir.File("many.xml");
    request.from = FileKind::RegistryMap;
    request.output = dir.File("out.Xyz");
    try {
        ConvertFile(request);
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_THAT(Cp932ToUtf8(e.what()), HasSubstr("筆が 1001 件になり上限（1000件）を超えるため取り込めません"));
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.Xyz")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.Blk")));
}

// Imported parcels go out as SIMA and come back unchanged: names, coordinates and rings.
TEST(RegistryMap, ImportedParcelsSurviveASimaRoundTrip) {
    test::TempDir dir;
    ConvertRequest request;
    request.input = test::DataFile("registrymap/46505-3411-1.zip");
    request.from = FileKind::RegistryMap;
    request.output = dir.File("map.sim");
    request.to = FileKind::Sima;
    ConvertFile(request);
    const ForeignData imported = ReadRegistryMapFile(request.input, {});
    const ForeignData back = ReadSimaFile(request.output);
    ASSERT_EQ(back.rows.size(), imported.rows.size());
    for (std::size_t i = 0; i < back.rows.size(); ++i) {
        EXPECT_EQ(back.rows[i][kColName], imported.rows[i][kColName]);
        EXPECT_EQ(back.rows[i][kColX], imported.rows[i][kColX]);
        EXPECT_EQ(back.rows[i][kColY], imported.rows[i][kColY]);
    }
    ASSERT_EQ(back.blocks.size(), imported.blocks.size());
    for (std::size_t i = 0; i < back.blocks.size(); ++i) {
        EXPECT_EQ(back.blocks[i].BlockName, imported.blocks[i].BlockName);
        EXPECT_EQ(back.blocks[i].NoList, imported.blocks[i].NoList);
    }
    EXPECT_EQ(StoreAreas(back), StoreAreas(imported));
}

// The repair sees the same text whatever pieces the file arrives in, and leaves valid UTF-8 alone.
// The packed id table against a plain map: every id keeps the number it was first given, through the
// table's growth, and an id never seen is not found.
TEST(RegistryMap, IdsKeepTheirNumbersAsTheTableGrows) {
    std::mt19937 random(42);
    MapIds ids;
    std::map<std::string, std::uint32_t> oracle;
    for (int i = 0; i < 20000; ++i) {
        // Short ids like the file's, long ones, and many repeats.
        std::string id = (random() % 2 ? "P" : "C") + std::to_string(random() % 12000);
        if (random() % 50 == 0) {
            id += std::string(random() % 40, 'x');
        }
        const auto [it, added] = oracle.emplace(id, static_cast<std::uint32_t>(oracle.size()));
        ASSERT_EQ(ids.Of(id), it->second) << id;
    }
    ids.Compact();
    ASSERT_EQ(ids.Count(), oracle.size());
    for (const auto& [id, number] : oracle) {
        EXPECT_EQ(ids.Find(id), number);
        EXPECT_EQ(ids.Name(number), id);
    }
    EXPECT_EQ(ids.Find("P12000"), kNoMapId);
    EXPECT_EQ(ids.Find(""), kNoMapId);
}

TEST(Utf8Repair, PiecesOfAnySizeGiveTheSameTextAsTheWhole) {
    std::mt19937 random(20261210);
    const std::string alphabet[] = {
        "a",    "<",        "\n",   "東",           "𠮷",           "\xE3\x81",         "\x80",
        "\xFF", "\xC0\xAF", "\x01", "\xED\xA0\x80", "\xEF\xBF\xBE", "\xF4\x90\x80\x80", "\t"};
    for (int round = 0; round < 500; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i) {
            text += alphabet[random() % std::size(alphabet)];
        }
        Utf8Repair whole;
        std::string expected;
        whole.Feed(text, true, expected);
        Utf8Repair pieces;
        std::string got;
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t size = 1 + random() % 4;
            pieces.Feed(std::string_view(text).substr(start, size), false, got);
            start += size;
        }
        pieces.Feed({}, true, got);
        ASSERT_EQ(got, expected) << round;
        EXPECT_EQ(pieces.RepairedLines(), whole.RepairedLines());
        // What comes out is UTF-8 that CP932 conversion accepts wherever the input was text.
        EXPECT_EQ(expected.find('\x01'), std::string::npos);
        EXPECT_EQ(expected.find('\xFF'), std::string::npos);
    }
    Utf8Repair valid;
    std::string out;
    valid.Feed("東京都\n𠮷野家\t<a/>", true, out);
    EXPECT_EQ(out, "東京都\n𠮷野家\t<a/>");
    EXPECT_EQ(valid.RepairCount(), 0u);
}

} // namespace
} // namespace vemo
