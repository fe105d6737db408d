// Traverse input that no instrument produced: wild angles must be refused at once with a message
// naming the field and the bound (they used to make the angle reduction loop forever), and traverse
// files that are not files (a FIFO) or far too large must be refused before they are read.
#include "TrvsFixture.h"

#include "core/text/Error.h"
#include "core/traverse/AdjustTraverse.h"
#include "core/traverse/ComputeRawTraverse.h"
#include "core/traverse/TrvsFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace vemo::test {
namespace {

// A fault that would hang the test ends it instead (SIGALRM kills the test program).
struct HangGuard {
    HangGuard() { ::alarm(20); }
    ~HangGuard() { ::alarm(0); }
};

// A closed square of 100 m legs, with one field replaced by a wild value.
struct WildCase {
    const char* field;
    const char* value;
    const char* expectedPlace; // UTF-8
};

void Square(TrvsFixture& f, const WildCase& wild) {
    f.Start(kTrvsClosed, "A", "1000", "1000", "D", "0.0000", false);
    std::string h[4] = {"90.0000", "90.0000", "90.0000", "90.0000"};
    std::string v = "90.0000";
    if (std::string(wild.field) == "T1Angle") {
        f.header.T1Angle = wild.value;
    } else if (std::string(wild.field) == "H3") {
        h[2] = wild.value;
    } else if (std::string(wild.field) == "V") {
        v = wild.value;
    }
    const char* targets[4] = {"B", "C", "D", "A"};
    for (int k = 0; k < 4; ++k) {
        f.Row("T", targets[k], h[k], v, "100.000");
    }
}

TEST(TrvsSafety, WildAnglesAreRefusedNamingFieldAndBound) {
    HangGuard guard;
    const WildCase cases[] = {
        {"T1Angle", "1e18", "始点の方向角"},     // the header angle of the report
        {"H3", "1e300", "行 3: 水平角"},         // 360 subtracted from 1e300 changes nothing
        {"H3", "-0.0001", "行 3: 水平角"},       // clockwise angles are never negative
        {"V", "1e308", "行 1: 高度角"},          // SplitDms would throw an internal error
        {"T1Angle", "360.0001", "始点の方向角"}, // just past a full turn
    };
    for (const WildCase& wild : cases) {
        for (bool adjust : {false, true}) {
            TrvsFixture f;
            Square(f, wild);
            try {
                if (adjust) {
                    AdjustTraverse(f.state, f.Input());
                } else {
                    ComputeRawTraverse(f.state, f.Input());
                }
                ADD_FAILURE() << wild.field << " = " << wild.value << " was accepted";
            } catch (const Error& e) {
                const std::string message = Cp932ToUtf8(e.what());
                EXPECT_NE(message.find(wild.expectedPlace), std::string::npos) << message;
                EXPECT_NE(message.find("360 度まで"), std::string::npos) << message;
            }
        }
    }
}

TEST(TrvsSafety, AnglesAtTheEndsOfATurnAreStillComputed) {
    // 359°59'59" and 0° are ordinary observations: the check must not refuse them.
    TrvsFixture f;
    Square(f, {"T1Angle", "359.5959", ""});
    ComputeRawTraverse(f.state, f.Input());
    EXPECT_EQ(f.state.TrvsPointCount, 4);
    EXPECT_TRUE(AdjustTraverse(f.state, f.Input()).has_value());
}

TEST(TrvsSafety, FilesThatAreNotPlainTraverseFilesAreRefusedBeforeReading) {
    HangGuard guard;
    TempDir dir;
    const std::string fifo = dir.File("pipe.Trv");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string huge = dir.File("huge.Trv");
    std::filesystem::resize_file((WriteBytes(huge, "0\r\n"), huge), 64u << 20); // sparse: costs no disk
    const struct {
        std::string path;
        const char* expected;
    } cases[] = {{fifo, "を読めません"}, {huge, "大きすぎる"}, {dir.File("none.Trv"), "がありません"}};
    for (const auto& c : cases) {
        TrvsFixture f;
        try {
            LoadTrvFile(c.path, f.options, "26/12/09", f.header, f.table);
            ADD_FAILURE() << c.path << " was read";
        } catch (const Error& e) {
            const std::string message = Cp932ToUtf8(e.what());
            EXPECT_NE(message.find(c.expected), std::string::npos) << message;
            EXPECT_NE(message.find(std::filesystem::path(c.path).filename().string()), std::string::npos) << message;
        }
    }
}

} // namespace
} // namespace vemo::test
