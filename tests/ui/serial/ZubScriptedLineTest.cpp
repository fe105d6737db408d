// Transfers over a pseudo-terminal whose other end is this test itself, speaking bytes written out by
// hand, with check characters summed by hand: a misreading of the protocol shared by the program and
// the simulated instrument (both are built from the same code) cannot pass here.  Then the simulated
// instrument on a noisy line, counting what was sent against what was stored.
#include "InstrumentProcess.h"

#include "core/serial/SentPointsCheck.h"
#include "core/serial/ZubTransfers.h"
#include "core/store/Store.h"
#include "core/text/Numbers.h"
#include "core/zub/ZubFile.h"
#include "support/TempDir.h"
#include "ui/serial/ZubPortDriver.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <map>
#include <optional>
#include <set>
#include <termios.h>
#include <unistd.h>

namespace vemo::test {
namespace {

// The answers on the wire: 06 2C -> 50 + 32 = "R"; 15 2C -> 65, 65 - 64 = 1, + 32 = "!".
const std::string kAck("\x06,R,\r\n");
const std::string kNak("\x15,!,\r\n");

// The instrument's end of a fresh pseudo-terminal pair, in raw mode.
class ScriptedEnd {
public:
    ScriptedEnd() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        EXPECT_GE(master_, 0);
        grantpt(master_);
        unlockpt(master_);
        termios raw{};
        tcgetattr(master_, &raw);
        cfmakeraw(&raw);
        tcsetattr(master_, TCSANOW, &raw);
        fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
        notifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { ReadAvailable(); });
    }
    ~ScriptedEnd() {
        notifier_.reset();
        ::close(master_);
    }
    QString PortPath() const { return QString::fromLocal8Bit(ptsname(master_)); }
    void Write(const std::string& bytes) {
        EXPECT_EQ(::write(master_, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }
    // Everything the program wrote so far.
    const std::string& Received() const { return received_; }
    // Called with every complete line (CR LF removed) the program writes.
    std::function<void(const std::string&)> onLine;

private:
    void ReadAvailable() {
        char buffer[512];
        ssize_t n = 0;
        while ((n = ::read(master_, buffer, sizeof buffer)) > 0) {
            received_.append(buffer, static_cast<size_t>(n));
            pending_.append(buffer, static_cast<size_t>(n));
        }
        for (size_t end; (end = pending_.find("\r\n")) != std::string::npos;) {
            const std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 2);
            if (onLine) {
                onLine(line);
            }
        }
        if (n == 0 || (n < 0 && errno == EIO)) {
            notifier_->setEnabled(false); // the program closed its end
        }
    }

    int master_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::string received_;
    std::string pending_;
};

ZubLinkState RunOverLine(ZubPortDriver& driver, std::unique_ptr<ZubLink> link, const QString& port,
                         const std::function<void()>& started = {}) {
    SerialLineSettings settings;
    settings.device = port;
    settings.baudRate = 9600;
    EXPECT_EQ(driver.Start(std::move(link), settings), ZubPortDriver::PortProblem::None);
    if (started) {
        started();
    }
    ZubLinkState state = ZubLinkState::Running;
    QEventLoop loop;
    QObject::connect(&driver, &ZubPortDriver::finished, &loop, [&](ZubLinkState s) {
        state = s;
        loop.quit();
    });
    QTimer::singleShot(120000, &loop, &QEventLoop::quit); // a guard only: a hang fails instead of blocking
    if (driver.IsRunning()) {
        loop.exec();
    } else {
        state = driver.Link()->State();
    }
    return state;
}

// A field book sent as an instrument sends it, every check character summed by hand from the bytes
// (Shift-JIS bytes of 0x80 and above count as byte - 256; remainder by 64 with the sign of the sum):
const std::string kBook[] = {
    // "A,01,": 65 + 44 + 48 + 49 + 44 = 250, 250 - 192 = 58, + 32 = 90 "Z"
    "A,01,Z,",
    // 境界 確認 and 山田 太郎 with their blanks: sum 757, 757 - 704 = 53, + 32 = 85 "U"
    "B,\x8b\xab\x8a\x45\x20\x8a\x6d\x94\x46,GTS,12345,\x8e\x52\x93\x63\x20\x91\xbe\x98\x59,26/12/09,U,",
    // a remark "PC -30": 1903 - 1856 = 47, + 32 = 79 "O"
    "D,T1,PC -30,1.500,0,1100003,0900,1000,O,",
    // a record of a letter the book does not define, with a code field: 1791 - 1728 = 63, + 32 = 95 "_"
    "G,T9,-12345.678,34567.890,,CODE1,_,",
    // "E,0,": 69 + 44 + 48 + 44 = 205, 205 - 192 = 13, + 32 = 45 "-"
    "E,0,-,",
    // 用地測量業務委託第一工区四 as the job name: the sum is -288 = -32 - 4 x 64, so the check
    // character is -32 + 32 = 0, a NUL byte
    std::string("B,\x97\x70\x92\x6e\x91\xaa\x97\xca\x8b\xc6\x96\xb1\x88\xcf\x91\xf5\x91\xe6\x88\xea\x8d\x48\x8b\xe6"
                "\x8e\x6c,GTS,12345,\x8e\x52\x93\x63,26/12/09,\0,",
                55),
    // an observation: 2407 - 2368 = 39, + 32 = 71 "G"
    "F,T2,,1.600,r1001,90.0530,89.5930,123.456,,,,0,G,",
    // "Z,": 90 + 44 = 134, 134 - 128 = 6, + 32 = 38 "&"
    "Z,&,",
};

TEST(ZubScriptedLine, FieldBookFromHandWrittenBytes) {
    ScriptedEnd instrument;
    TempDir exeDir;
    // Each line as the instrument would send it, with the answer the program must give.  A wrong
    // check character gets NAK and the line comes again; an observation whose separator was lost
    // (11 fields; its check character fits: 2407 - 44 = 2363, 2363 - 2304 = 59, + 32 = "[") too.
    const struct {
        std::string line;
        const std::string& answer;
    } script[] = {
        {kBook[0], kAck}, {kBook[1], kAck},
        {kBook[2], kAck}, {kBook[3], kAck},
        {"E,0,.,", kNak}, {kBook[4], kAck},
        {kBook[5], kAck}, {"F,T2,,1.600,r1001,90.053089.5930,123.456,,,,0,[,", kNak},
        {kBook[6], kAck}, {kBook[7], kAck},
    };
    std::string wire;
    std::string answers;
    for (const auto& step : script) {
        wire += step.line + "\r\n";
        answers += step.answer;
    }
    ZubPortDriver driver;
    EXPECT_EQ(RunOverLine(driver, MakeObservationReceiver(), instrument.PortPath(), [&] { instrument.Write(wire); }),
              ZubLinkState::Succeeded);
    QCoreApplication::processEvents();
    EXPECT_EQ(instrument.Received(), answers);
    ASSERT_TRUE(SaveReceivedObservations(static_cast<ZubReceiver&>(*driver.Link()), exeDir.Str()));
    std::string temp;
    for (const std::string& line : kBook) {
        temp += line + "\r\n";
    }
    EXPECT_EQ(ReadBytes(TempZubPath(exeDir.Str())), temp) << "kept as received, NUL check character included";
    const ZubBook book = LoadZubBook(TempZubPath(exeDir.Str()));
    EXPECT_EQ(book.rows.size(), 8u);
    EXPECT_EQ(std::count(book.checkWrong.begin(), book.checkWrong.end(), true), 0);
}

// The program sends; the scripted instrument answers each line it receives.  A reply that holds the
// ACK byte but is no whole acknowledgement line must make the line go again.
TEST(ZubScriptedLine, OnlyAWholeAcknowledgementAcceptsALine) {
    ScriptedEnd instrument;
    const std::string replies[] = {
        "\x06,\x92,\r\n", // the ACK byte with a damaged check character
        kAck,
        kNak,
        "\x15\x06,R,\r\n", // a NAK byte in front: no acknowledgement
        kAck,
        kAck,
    };
    size_t next = 0;
    std::vector<std::string> heard;
    instrument.onLine = [&](const std::string& line) {
        heard.push_back(line);
        if (next < std::size(replies)) {
            instrument.Write(replies[next++]);
        }
    };
    // "G,P1,100.5,200.25,,": 959 - 896 = 63, + 32 = 95 "_".
    const ZubSendList send{{"A,01,Z,", "G,P1,100.5,200.25,,_,", "Z,&,"}, {}, {}};
    ZubPortDriver driver;
    EXPECT_EQ(RunOverLine(driver, MakeCoordinateSender(send, {5000, 60}), instrument.PortPath()),
              ZubLinkState::Succeeded);
    EXPECT_EQ(heard, (std::vector<std::string>{"A,01,Z,", "A,01,Z,", "G,P1,100.5,200.25,,_,", "G,P1,100.5,200.25,,_,",
                                               "G,P1,100.5,200.25,,_,", "Z,&,"}));
}

// The figures of the instrument's made-up points P1 .. PN.
ReceivedPoint CannedPoint(int i) {
    return {"P" + std::to_string(i), Format3(-12000.0 + 10.0 * (i / 10)), Format3(35000.0 + i % 10 * 10.0),
            Format3(20.0 + i * 0.001)};
}

// The program's wait for the instrument's answer while sending.  The instrument answers at once over
// the pseudo terminal, so only a reply whose CR the noise damaged runs this out; 5 s made a 3 % run of
// 100 points take two minutes of waiting.  An answer later than the wait would be taken for the next
// line's, so the suite keeps 5 s, far above what a loaded machine (two cores, sanitizers) can delay a
// reply; the long noise run (tools/zub-noise-run.sh) asks for 1 s with VEMO_ZUB_NOISE_WAIT_MS.
ZubSendTiming SendTiming() {
    const char* env = std::getenv("VEMO_ZUB_NOISE_WAIT_MS");
    return {static_cast<LinkMs>(env != nullptr ? std::max(100, std::atoi(env)) : 5000), 60};
}

// Seeds per noise rate: a few in every run; VEMO_ZUB_NOISE_SEEDS=40 for the full count, or a slice
// with VEMO_ZUB_NOISE_FIRST_SEED (tools/zub-noise-run.sh runs slices side by side).
int NoiseSeeds() {
    const char* env = std::getenv("VEMO_ZUB_NOISE_SEEDS");
    return env != nullptr ? std::max(1, std::atoi(env)) : 2;
}

// The first seed (VEMO_ZUB_NOISE_FIRST_SEED), to look at one run again.
int FirstNoiseSeed() {
    const char* env = std::getenv("VEMO_ZUB_NOISE_FIRST_SEED");
    return env != nullptr ? std::max(1, std::atoi(env)) : 1;
}

// 100 points per transfer with 1 % and 3 % of the bytes corrupted both ways.  Every point sent is
// stored: under its name with its figures, or, where the noise changed bytes in ways the six-bit check
// character cannot see (two bytes moved by amounts that add up to a multiple of 64, or one by 64),
// with damaged figures under its name or under a name that was never sent.  Nothing vanishes from a
// transfer that ends as complete.  The counts are printed for the closing note.
TEST(ZubScriptedLine, NoisyLineLosesNoPoint) {
    constexpr int kPoints = 100;
    for (const char* rate : {"0.01", "0.03"}) {
        int sent = 0, exact = 0, damagedFigures = 0, damagedNames = 0, flagged = 0, refused = 0, twice = 0, lost = 0;
        for (int seed = FirstNoiseSeed(); seed <= NoiseSeeds(); ++seed) {
            Store store;
            InstrumentProcess instrument({"--canned", QString::number(kPoints), "--corrupt", rate, "--seed",
                                          QString::number(seed), "--timeout", "300"});
            ZubPortDriver driver;
            ASSERT_EQ(RunOverLine(driver, MakeCoordinateReceiver(store.xyz), instrument.PortPath()),
                      ZubLinkState::Succeeded)
                << rate << " seed " << seed;
            const auto& receiver = static_cast<const ZubReceiver&>(*driver.Link());
            std::map<std::string, int> sentNames;
            for (int i = 1; i <= kPoints; ++i) {
                sentNames[CannedPoint(i).name] = i;
            }
            int missing = kPoints;
            int strangers = 0;
            std::set<std::string> storedNames;
            for (int row = 1; row < store.xyz.RowCount(); ++row) {
                const XyzRow& r = store.xyz.Row(row);
                if (!r[kColName].empty() && !storedNames.insert(r[kColName]).second) {
                    ++twice;
                }
                const auto found = sentNames.find(r[kColName]);
                if (found == sentNames.end()) {
                    ++strangers;
                    continue;
                }
                const ReceivedPoint p = CannedPoint(found->second);
                const bool same = r[kColX] == p.x && r[kColY] == p.y && r[kColZ] == p.z;
                (same ? exact : damagedFigures) += 1;
                sentNames.erase(found); // a second row of the name counts as a stranger
                --missing;
            }
            EXPECT_LE(missing, strangers) << rate << " seed " << seed << ": a point vanished";
            lost += std::max(0, missing - strangers);
            sent += kPoints;
            damagedNames += strangers;
            flagged += static_cast<int>(receiver.Flagged().size());
            refused += receiver.Refused();
            instrument.Finish(5000);
        }
        // One line of figures per rate, summed over parallel runs by tools/zub-noise-run.sh.
        std::printf("zub-noise receive %s: sent=%d exact=%d lost=%d changed-figures=%d changed-names=%d "
                    "flagged=%d stored-twice=%d asked-again=%d\n",
                    rate, sent, exact, lost, damagedFigures, damagedNames, flagged, twice, refused);
    }
}

// The other direction: 100 points sent to the simulated instrument over the same noisy line.  A line
// goes on only once the instrument acknowledged it, so the instrument keeps at least one line per point
// sent; what noise changed past the check character (a comma into a letter, a digit into another)
// arrives so, which only 送信内容の照合 shows.  Changed, doubled and extra lines are counted.
TEST(ZubScriptedLine, NoisySendKeepsOneLinePerPoint) {
    constexpr int kPoints = 100;
    Store store;
    std::vector<XyzRow> rows;
    std::vector<std::string> names;
    for (int i = 1; i <= kPoints; ++i) {
        const ReceivedPoint p = CannedPoint(i);
        names.push_back(p.name);
        rows.push_back({"", p.name, p.x, p.y, "", "", ""});
    }
    store.xyz.ReplaceAll(rows);
    const ZubSendList send = BuildCoordinateSendList(names, store.Index());
    for (const char* rate : {"0.01", "0.03"}) {
        int dropped = 0, namesMissing = 0, changed = 0, listed = 0, doubled = 0, extra = 0;
        for (int seed = FirstNoiseSeed(); seed <= NoiseSeeds(); ++seed) {
            TempDir dir;
            InstrumentProcess instrument({"--receive", QString::fromStdString(dir.File("got.txt")), "--corrupt", rate,
                                          "--seed", QString::number(seed), "--timeout", "300"});
            ZubPortDriver driver;
            ASSERT_EQ(RunOverLine(driver, MakeCoordinateSender(send, SendTiming()), instrument.PortPath()),
                      ZubLinkState::Succeeded)
                << rate << " seed " << seed;
            instrument.Finish(5000);
            const std::string got = ReadBytes(dir.File("got.txt"));
            std::map<std::string, int> seen;
            int pointLines = 0;
            size_t at = 0;
            for (size_t end; (end = got.find("\r\n", at)) != std::string::npos; at = end + 2) {
                const std::string line = got.substr(at, end - at);
                if (line.starts_with("A,") || line.starts_with("Z,")) {
                    continue;
                }
                ++pointLines;
                const std::optional<ReceivedPoint> point = ParseCoordinateRecord(line);
                if (point && ++seen[point->name] > 1) {
                    ++doubled;
                }
            }
            // The instrument may keep a resend damaged past the check character as a line of its own.
            EXPECT_GE(pointLines, kPoints) << rate << " seed " << seed << ": a line acknowledged was not kept";
            dropped += std::max(0, kPoints - pointLines);
            extra += std::max(0, pointLines - kPoints);
            for (int i = 1; i <= kPoints; ++i) {
                const ReceivedPoint p = CannedPoint(i);
                if (!seen.contains(p.name)) {
                    ++namesMissing;
                }
            }
            const std::vector<ReceivedPoint> sentBack = [&] {
                std::vector<ReceivedPoint> points;
                for (size_t a = 0, e; (e = got.find("\r\n", a)) != std::string::npos; a = e + 2) {
                    if (auto point = ParseCoordinateRecord(got.substr(a, e - a))) {
                        points.push_back(*point);
                    }
                }
                return points;
            }();
            // A point reached the instrument unchanged when one of its lines holds the very record sent;
            // every other point must be among the differences the check of the send lists.
            const std::vector<std::string> differences = CompareSentPoints(send, sentBack);
            for (int i = 1; i <= kPoints; ++i) {
                // The canned figures are whole metres, which the send writes without decimals.
                const std::string name = "P" + std::to_string(i);
                const std::string record = "G," + name + "," + std::to_string(-12000 + 10 * (i / 10)) + "," +
                                           std::to_string(35000 + i % 10 * 10) + ",,";
                bool arrived = false; // a whole line: the record, one check character, a comma
                for (size_t at = got.find("\r\n" + record); at != std::string::npos && !arrived;
                     at = got.find("\r\n" + record, at + 1)) {
                    arrived = got.compare(at + 2 + record.size() + 1, 3, ",\r\n") == 0;
                }
                if (arrived) {
                    continue;
                }
                ++changed;
                const bool named = std::any_of(differences.begin(), differences.end(),
                                               [&](const std::string& d) { return d.starts_with(name + ":"); });
                EXPECT_TRUE(named) << rate << " seed " << seed << ": " << name << " changed but not listed";
                listed += named ? 1 : 0;
            }
        }
        std::printf("zub-noise send %s: sent=%d lost=%d changed=%d listed-by-check=%d stored-twice=%d "
                    "extra-lines=%d names-missing=%d\n",
                    rate, kPoints * (NoiseSeeds() - FirstNoiseSeed() + 1), dropped, changed, listed, doubled, extra,
                    namesMissing);
    }
}

// Rows equal but for their check characters.
bool SameFields(ZubRow a, ZubRow b) {
    a[ZubCheckCell(a)].clear();
    b[ZubCheckCell(b)].clear();
    return a == b;
}

// The two-setup field book sent over the same noisy line: every record arrives in its order with the
// fields of its kind (a damaged separator or record letter is refused and sent again), or, where the
// noise changed bytes past every check, with the same letter and field count in its place.  A line
// whose acknowledgement the noise damaged comes again and is kept as a repeat the report lists; a
// resend damaged past the check may stand as an extra line.  Those are counted.
TEST(ZubScriptedLine, NoisyLineKeepsEveryObservationInItsPlace) {
    // As the instrument holds it: the hand-corrected line with its right check character.
    std::string sent = ReadBytes(DataFile("zub/corrected.ZUB"));
    sent.replace(sent.find("100.000,,,,0,>,"), 15, "100.000,,,,0,<,");
    TempDir bookDir;
    WriteBytes(bookDir.File("book.ZUB"), sent);
    const ZubBook original = ReadZubBook(sent);
    for (const char* rate : {"0.01", "0.03"}) {
        int exact = 0, damagedRows = 0, extraRows = 0, listedRepeats = 0, missingEnd = 0;
        for (int seed = FirstNoiseSeed(); seed <= NoiseSeeds(); ++seed) {
            TempDir exeDir;
            InstrumentProcess instrument({"--send", QString::fromStdString(bookDir.File("book.ZUB")), "--corrupt", rate,
                                          "--seed", QString::number(seed), "--timeout", "300"});
            ZubPortDriver driver;
            ASSERT_EQ(RunOverLine(driver, MakeObservationReceiver(), instrument.PortPath()), ZubLinkState::Succeeded);
            const auto& receiver = static_cast<const ZubReceiver&>(*driver.Link());
            ASSERT_TRUE(SaveReceivedObservations(receiver, exeDir.Str()));
            listedRepeats += static_cast<int>(receiver.RepeatedLines().size());
            const std::string got = ReadBytes(TempZubPath(exeDir.Str()));
            // The repeats the report lists are the receive's to keep (they may be readings taken twice);
            // every other row must stand in its place.
            std::vector<ZubRow> rows = ReadZubBook(got).rows;
            ASSERT_EQ(rows.size(), receiver.Lines().size());
            for (auto n = receiver.RepeatedLines().rbegin(); n != receiver.RepeatedLines().rend(); ++n) {
                rows.erase(rows.begin() + (*n - 1));
            }
            size_t pos = 0;
            for (const ZubRow& o : original.rows) {
                size_t k = pos;
                while (k < rows.size() && !SameFields(rows[k], o)) {
                    ++k;
                }
                if (k < rows.size()) {
                    extraRows += static_cast<int>(k - pos);
                    pos = k + 1;
                    continue;
                }
                if (pos == rows.size() && o[0] == "Z") {
                    // Any line holding the end mark ends a receive, also one the noise damaged: then
                    // the book arrives complete but for its end record, and the editor says so.
                    ++missingEnd;
                    continue;
                }
                ASSERT_LT(pos, rows.size()) << rate << " seed " << seed << ": a record is missing\n" << got;
                EXPECT_EQ(rows[pos][0], o[0]) << rate << " seed " << seed << "\n" << got;
                EXPECT_EQ(ZubCheckCell(rows[pos]), ZubCheckCell(o)) << rate << " seed " << seed << "\n" << got;
                ++damagedRows;
                ++pos;
            }
            extraRows += static_cast<int>(rows.size() - pos);
            exact += got == sent ? 1 : 0;
            instrument.Finish(5000);
        }
        std::printf("zub-noise fieldbook %s: books=%d exact=%d changed=%d extra-lines=%d listed-repeats=%d "
                    "end-damaged=%d\n",
                    rate, NoiseSeeds() - FirstNoiseSeed() + 1, exact, damagedRows, extraRows, listedRepeats,
                    missingEnd);
    }
}

} // namespace
} // namespace vemo::test
