// Feeds every reader many random and mutated inputs.  A reader may refuse an input only with
// vemo::Error (the message the user sees); anything else, a crash, or a file that changes when it is
// written and read again, is a fault.  The seed is fixed so that every run checks the same inputs.
#include "core/files/BlkFile.h"
#include "core/files/Fields.h"
#include "core/files/Nichoren.h"
#include "core/files/Sima.h"
#include "core/files/XyzFile.h"
#include "core/text/Error.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <random>

namespace vemo {
namespace {

constexpr int kRounds = 20000;

class Mutator {
public:
    explicit Mutator(unsigned seed) : rng_(seed) {}

    // One of: a fixture with a few edits, random bytes from the formats' alphabet, or pure noise.
    std::string Next(const std::string& seed) {
        switch (Pick(4)) {
        case 0:
            return RandomText(Pick(400));
        case 1: {
            std::string noise(Pick(300), '\0');
            for (char& c : noise) {
                c = static_cast<char>(Pick(256));
            }
            return noise;
        }
        default:
            return Mutate(seed);
        }
    }

private:
    size_t Pick(size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(rng_); }

    // Bytes that mean something to the readers: separators, quotes, line ends, digits, signs,
    // exponents, CP932 lead bytes and the record codes.
    std::string Token() {
        static const char* const tokens[] = {",",   "\"",   "\r\n",      "\n",   "\r",    " ",
                                             "\t",  "-",    "+",         ".",    "e",     "E",
                                             "1",   "9",    "0",         "A01",  "D00",   "B01",
                                             "D99", "\x81", "\x82\xa0",  "\x00", "1e308", "99999999999999999999",
                                             "inf", "nan",  "$7FFFFFFF", "A"};
        std::string t = tokens[Pick(std::size(tokens))];
        return t.empty() ? std::string(1, '\0') : t;
    }

    std::string RandomText(size_t tokens) {
        std::string text;
        for (size_t i = 0; i < tokens; ++i) {
            text += Token();
        }
        return text;
    }

    std::string Mutate(std::string text) {
        size_t edits = 1 + Pick(6);
        for (size_t i = 0; i < edits; ++i) {
            size_t at = Pick(text.size() + 1);
            switch (Pick(4)) {
            case 0:
                text.insert(at, Token());
                break;
            case 1:
                text.erase(at, Pick(8));
                break;
            case 2:
                if (at < text.size()) {
                    text[at] = static_cast<char>(Pick(256));
                }
                break;
            default:
                text.insert(at, text.substr(Pick(text.size() + 1), Pick(300)));
            }
        }
        return text;
    }

    std::mt19937 rng_;
};

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
    Mutator mutator(1);
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
            ASSERT_EQ(ParseXyzText(written), rows) << "input #" << i;
        }
    }
    EXPECT_GT(accepted, kRounds / 10); // the mutations must also reach the paths past the checks
}

TEST(Robustness, ParcelReaderAcceptsOrRefusesAndRoundTrips) {
    std::string seed = test::ReadBytes(test::DataFile("files/golden.Blk"));
    Mutator mutator(2);
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
    Mutator mutator(3);
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

} // namespace
} // namespace vemo
