// Feeds the traverse file reader and the computations behind it many mutated traverse files.  A file
// may be refused, and a traverse may be refused, only with vemo::Error; anything else, a crash or a
// hang (the test's time limit) is a fault.  The seeds are the fuzz target's seeds.
#include "TrvsFixture.h"

#include "core/text/Error.h"
#include "core/traverse/AdjustTraverse.h"
#include "core/traverse/ComputeRawTraverse.h"
#include "core/traverse/TrvsFile.h"
#include "support/Mutator.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace vemo::test {
namespace {

constexpr int kRounds = 3000;

TEST(TrvsRobustness, ReaderAndComputationAcceptOrRefuse) {
    const std::string seeds[] = {ReadBytes(DataFile("traverse/square.Trv")),
                                 ReadBytes(DataFile("traverse/connected.Trv")),
                                 ReadBytes(DataFile("traverse/radial.Trv"))};
    Mutator mutator(21);
    auto f = std::make_unique<TrvsFixture>();
    int decoded = 0;
    int computed = 0;
    for (int i = 0; i < kRounds; ++i) {
        const std::string input = mutator.Next(seeds[i % std::size(seeds)]);
        f->options.Ver0 = i & 1;
        f->options.ErrDiv = (i >> 1) & 1;
        try {
            DecodeTrvFile(input, f->options, "26/12/09", f->header, f->table);
        } catch (const Error&) {
            continue;
        }
        ++decoded;
        try {
            ComputeRawTraverse(f->state, f->Input());
            if (f->header.TrvsType == kTrvsClosed || f->header.TrvsType == kTrvsConnected) {
                AdjustTraverse(f->state, f->Input());
            }
            ++computed;
        } catch (const Error&) {
        }
    }
    // The mutations must reach the computations, not only the reader's refusals (the reader refuses
    // every row whose TM or numbers are damaged or out of range, and a connected traverse that ends
    // under another name than its end point, so most mutations stop there).
    EXPECT_GT(decoded, kRounds / 30);
    EXPECT_GT(computed, kRounds / 30);
}

} // namespace
} // namespace vemo::test
