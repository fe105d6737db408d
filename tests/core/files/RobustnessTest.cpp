// Feeds every reader many random and mutated inputs.  A reader may refuse an input only with
// vemo::Error (the message the user sees); anything else, a crash, or a file that changes when it is
// written and read again, is a fault.  The seed is fixed so that every run checks the same inputs.
#include "core/files/BlkFile.h"
#include "core/files/Exchange.h"
#include "core/files/Fields.h"
#include "core/files/Nichoren.h"
#include "core/files/Sima.h"
#include "core/files/XyzFile.h"
#include "core/store/CommaList.h"
#include "core/text/Bytes.h"
#include "core/text/Error.h"
#include "core/text/Numbers.h"
#include "core/traverse/TrvsFile.h"
#include "core/traverse/TrvsHeader.h"
#include "core/traverse/TrvsTable.h"
#include "core/zub/ZubFile.h"
#include "support/Mutator.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include <random>

namespace vemo {
namespace {

constexpr int kRounds = 20000;

// Runs the reader; true when it accepted the input.
template <typename Read> bool Accepts(Read read) {
    try {
        read();
        return true;
    } catch (const Error&) {
        return false;
    }
}

TEST(Robustness, CoordinateReaderAcceptsOrRefusesAndRoundTrips) {
    std::string seed = test::ReadBytes(test::DataFile("files/golden.Xyz"));
    test::Mutator mutator(1);
    int accepted = 0;
    for (int i = 0; i < kRounds; ++i) {
        std::string input = mutator.Next(seed);
        std::vector<XyzRow> rows;
        if (!Accepts([&] { rows = ParseXyzText(input); })) {
            continue;
        }
        ++accepted;
        std::string written;
        if (Accepts([&] { written = FormatXyzText(rows); })) {
            // A name without coordinates is no point: the file keeps the points only.
            std::vector<XyzRow> points;
            std::copy_if(rows.begin(), rows.end(), std::back_inserter(points),
                         [](const XyzRow& row) { return !row[kColX].empty() || !row[kColY].empty(); });
            ASSERT_EQ(ParseXyzText(written), points) << "input #" << i;
        }
    }
    // The mutations must also reach the paths past the checks (a line cut short or a control byte in a
    // name is refused).
    EXPECT_GT(accepted, kRounds / 15);
}

TEST(Robustness, ParcelReaderAcceptsOrRefusesAndRoundTrips) {
    std::string seed = test::ReadBytes(test::DataFile("files/golden.Blk"));
    test::Mutator mutator(2);
    int accepted = 0;
    for (int i = 0; i < kRounds; ++i) {
        std::string input = mutator.Next(seed);
        std::vector<Block> blocks;
        if (!Accepts([&] { blocks = ParseBlkText(input); })) {
            continue;
        }
        ++accepted;
        std::vector<Block> again = ParseBlkText(FormatBlkText(blocks));
        ASSERT_EQ(again.size(), blocks.size()) << "input #" << i;
        for (size_t b = 0; b < blocks.size(); ++b) {
            EXPECT_EQ(again[b].BlockName, blocks[b].BlockName) << "input #" << i;
            EXPECT_EQ(again[b].NoRowCount, blocks[b].NoRowCount);
            EXPECT_EQ(again[b].NoList, blocks[b].NoList) << "input #" << i;
        }
    }
    EXPECT_GT(accepted, kRounds / 10);
}

TEST(Robustness, ExchangeReadersAcceptOrRefuse) {
    std::string sima = test::ReadBytes(test::DataFile("files/golden.SIM"));
    std::string nichoren = test::ReadBytes(test::DataFile("files/golden_nichoren.Txt"));
    test::Mutator mutator(3);
    int accepted = 0;
    for (int i = 0; i < kRounds; ++i) {
        ForeignData data;
        accepted += Accepts([&] { data = ParseSimaText(mutator.Next(sima)); });
        for (const XyzRow& row : data.rows) {
            ASSERT_FALSE(row[kColName].empty()) << "input #" << i;
            for (int col : {kColX, kColY, kColZ}) {
                ASSERT_EQ(ReadCoordinateText(row[col]), row[col]) << "not a three-decimal number, input #" << i;
            }
        }
        for (const Block& block : data.blocks) {
            ASSERT_GE(block.NoRowCount, 1);
        }
        accepted += Accepts([&] { data = ParseNichorenText(mutator.Next(nichoren)); });
    }
    EXPECT_GT(accepted, kRounds / 10);
}

TEST(Robustness, ZubReaderAcceptsOrRefusesAndWritesStableFiles) {
    std::string seed = test::ReadBytes(test::DataFile("zub/field.ZUB"));
    test::Mutator mutator(6);
    int accepted = 0;
    for (int i = 0; i < kRounds; ++i) {
        std::vector<ZubRow> rows;
        if (!Accepts([&] { rows = ParseZubText(mutator.Next(seed)); })) {
            continue;
        }
        ++accepted;
        // Writing recomputes the check characters: the written file must read back and write the same.
        std::string written;
        if (!Accepts([&] { written = FormatZubText(rows); })) {
            continue; // a record whose fresh check character would be a line end is refused on saving
        }
        std::vector<ZubRow> again;
        ASSERT_TRUE(Accepts([&] { again = ParseZubText(written); })) << "input #" << i;
        ASSERT_EQ(FormatZubText(again), written) << "input #" << i;
        ASSERT_EQ(again.size(), rows.size()) << "input #" << i;
        for (size_t r = 0; r < rows.size(); ++r) { // the same fields, only the check characters fresh
            ZubRow before = rows[r];
            ZubRow after = again[r];
            before[ZubCheckCell(before)].clear();
            after[ZubCheckCell(after)].clear();
            ASSERT_EQ(before, after) << "input #" << i << " row " << r;
        }
    }
    // Most mutations break a check character; some must still pass it to reach the later checks.
    EXPECT_GT(accepted, 20);
}

TEST(Robustness, TrvReaderAcceptsOrRefusesAndWritesStableFiles) {
    const std::string seed = test::ReadBytes(test::DataFile("traverse/square.Trv"));
    const TrvsOptions options;
    test::Mutator mutator(8);
    int accepted = 0;
    for (int i = 0; i < kRounds; ++i) {
        TrvsHeader header;
        TrvsTable table;
        header.T0No = "KEEP";
        if (!Accepts([&] { DecodeTrvFile(mutator.Next(seed), options, "26/12/09", header, table); })) {
            ASSERT_EQ(header.T0No, "KEEP") << "a refused file changed the traverse, input #" << i;
            continue;
        }
        ++accepted;
        const std::string written = EncodeTrvFile(header, table);
        TrvsHeader again;
        TrvsTable againTable;
        ASSERT_TRUE(Accepts([&] { DecodeTrvFile(written, options, "26/12/09", again, againTable); })) << "input #" << i;
        ASSERT_EQ(EncodeTrvFile(again, againTable), written) << "input #" << i;
    }
    // A mutation of a number, of the type digit, a control byte or half a character in a name is
    // refused; the rest must reach the writer.
    EXPECT_GT(accepted, kRounds / 30);
}

// Exchange lines are split directly when they hold no quote or control byte; the result must be the
// list decoding's.
TEST(Robustness, ExchangeLinesSplitLikeTheListDecoding) {
    std::mt19937 rng(5);
    const std::string alphabet = ",,,  aB1.\"\t\x81\x82";
    std::string buffer;
    std::vector<std::string> items;
    for (int i = 0; i < 100000; ++i) {
        std::string line;
        for (size_t n = rng() % 12; n > 0; --n) {
            line += alphabet[rng() % alphabet.size()];
        }
        std::string packed = line;
        std::erase(packed, ' ');
        // A control byte the list decoding would take for a separator is refused instead.
        if (line.find('\t') != std::string::npos && !TrimView(line).empty()) {
            ASSERT_THROW(ExchangeItems(line, buffer, items), FieldError) << line;
            continue;
        }
        ExchangeItems(line, buffer, items);
        ASSERT_EQ(items, TrimView(line).empty() ? std::vector<std::string>{} : DecodeCommaList(packed)) << line;
    }
}

// Number fields are rounded on their decimal digits when that is exact; it must agree with the general
// conversion everywhere, ties and carries included.
TEST(Robustness, NumberFieldsRoundLikeTheGeneralConversion) {
    std::mt19937 rng(4);
    auto digits = [&](int n) {
        std::string d;
        for (int k = 0; k < n; ++k) {
            d += static_cast<char>('0' + (rng() % 4 == 0 ? 9 : rng() % 10));
        }
        return d;
    };
    for (int i = 0; i < 200000; ++i) {
        std::string text = std::string(rng() % 3 == 0 ? "-" : (rng() % 5 == 0 ? "+" : "")) + digits(rng() % 9) +
                           (rng() % 6 ? "." : "") + digits(rng() % 9);
        std::optional<double> value = TryStrToFloat(text);
        if (!value) {
            continue;
        }
        ASSERT_EQ(ReadCoordinateText(text), Format3(*value)) << text;
    }
    EXPECT_EQ(ReadCoordinateText("-0.0005"), "-0.001");
    EXPECT_EQ(ReadCoordinateText("-0.0004"), "0.000");
    EXPECT_EQ(ReadCoordinateText("999.9995"), "1000.000");
    EXPECT_EQ(ReadCoordinateText("12345678901.23456789"), "12345678901.235");
}

} // namespace
} // namespace vemo
