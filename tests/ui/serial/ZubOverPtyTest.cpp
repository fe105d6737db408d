// Transfers over a pseudo-terminal pair against the simulated instrument: what the surveyor sends
// arrives byte for byte, what the instrument sends lands in the list or in "Temp.ZUB", also on a line
// that corrupts 1 % of the bytes in both directions, and Esc stops at once.
#include "InstrumentProcess.h"

#include "core/calc/Calculation.h"

#include "core/serial/ZubTransfers.h"
#include "core/store/Store.h"
#include "core/text/Cp932.h"
#include "core/text/Numbers.h"
#include "core/zub/ZubChecksum.h"
#include "core/zub/ZubFile.h"
#include "support/TempDir.h"
#include "ui/serial/ZubPortDriver.h"

#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

namespace vemo::test {
namespace {

// A clean line, and one that corrupts 1 % of the bytes each way (seeded: the same bytes every run).
// The six-bit check character cannot see a byte changed by a multiple of 64 (0x2C -> 0xAC, say),
// about one random substitution in 85; this seed's noise has none that the record checks miss.
struct Line {
    const char* name;
    QStringList noise;
    bool Noisy() const { return !noise.isEmpty(); }
};
const Line kLines[] = {{"clean", {}}, {"noisy", {"--corrupt", "0.01", "--seed", "7", "--timeout", "700"}}};

// Both sides wait less than 2 s for an answer so that the noisy runs stay short, yet long enough that
// a busy machine does not make them give up on an answer that is still coming.
constexpr ZubSendTiming kQuickTiming{500, 60};

ZubLinkState RunTransfer(ZubPortDriver& driver, std::unique_ptr<ZubLink> link, const QString& port,
                         int timeoutMs = 60000) {
    SerialLineSettings settings;
    settings.device = port;
    settings.baudRate = 9600;
    EXPECT_EQ(driver.Start(std::move(link), settings), ZubPortDriver::PortProblem::None);
    ZubLinkState state = ZubLinkState::Running;
    QEventLoop loop;
    QObject::connect(&driver, &ZubPortDriver::finished, &loop, [&](ZubLinkState s) {
        state = s;
        loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    if (driver.IsRunning()) {
        loop.exec();
    } else {
        state = driver.Link()->State();
    }
    return state;
}

std::string Wire(const std::vector<std::string>& lines) {
    std::string wire;
    for (const std::string& line : lines) {
        wire += line + "\r\n";
    }
    return wire;
}

TEST(ZubOverPty, HundredSelectedPointsArriveByteForByte) {
    Store store;
    std::vector<XyzRow> rows;
    std::vector<std::string> names;
    for (int i = 1; i <= 100; ++i) {
        // Every tenth name in double-byte characters, so that bytes of 0x80 and above cross the line.
        names.push_back(i % 10 == 0 ? Jp("境界") + std::to_string(i) : "K" + std::to_string(i));
        rows.push_back(
            {"", names.back(), Sprintf("%.3f", -23456.789 + i * 1.25), Sprintf("%.4f", 1234.5 - i * 0.0105)});
    }
    store.xyz.ReplaceAll(rows);
    const ZubSendList send = BuildCoordinateSendList(names, store.Index());
    ASSERT_EQ(send.lines.size(), 102u);
    for (const Line& line : kLines) {
        TempDir dir;
        InstrumentProcess instrument(QStringList{"--receive", QString::fromStdString(dir.File("got.txt"))} +
                                     line.noise);
        ZubPortDriver driver;
        EXPECT_EQ(RunTransfer(driver, MakeCoordinateSender(send, kQuickTiming), instrument.PortPath()),
                  ZubLinkState::Succeeded)
            << line.name;
        EXPECT_EQ(instrument.Finish(), 0) << line.name << instrument.Log().toStdString();
        EXPECT_EQ(ReadBytes(dir.File("got.txt")), Wire(send.lines)) << line.name;
        EXPECT_EQ(instrument.CorruptedBytes() > 0, line.Noisy()) << instrument.Log().toStdString();
    }
}

// A stake-out's points go to the instrument as they are: the station, the backsight and the targets
// in the calculation's order, every record received byte for byte.
TEST(ZubOverPty, StakeOutPointsArriveAtTheInstrument) {
    Store store;
    store.xyz.ReplaceAll({{"", "K1", "-145321.456", "38211.002"},
                          {"", "K2", "-145198.733", "38263.418"},
                          {"", "101", "-145300.120", "38230.550"},
                          {"", "102", "-145285.340", "38250.770"},
                          {"", Jp("境界3"), "-145305.880", "38266.100"}});
    CalcArguments arguments;
    arguments.Set("station", "K1");
    arguments.Set("backsight", "K2");
    arguments.Set("targets", "101,102," + Jp("境界3") + ",101");
    const CalcDefinition& stakeOut = *FindCalculation("stakeout");
    CheckArguments(stakeOut, arguments);
    std::vector<std::string> names;
    for (const CalcPoint& point : stakeOut.run(arguments, store).handedOver) {
        names.push_back(point.name);
    }
    ASSERT_EQ(names, (std::vector<std::string>{"K1", "K2", "101", "102", Jp("境界3")}));
    const ZubSendList send = BuildCoordinateSendList(names, store.Index());
    TempDir dir;
    InstrumentProcess instrument(QStringList{"--receive", QString::fromStdString(dir.File("got.txt"))});
    ZubPortDriver driver;
    EXPECT_EQ(RunTransfer(driver, MakeCoordinateSender(send, kQuickTiming), instrument.PortPath()),
              ZubLinkState::Succeeded);
    EXPECT_EQ(instrument.Finish(), 0) << instrument.Log().toStdString();
    const std::string got = ReadBytes(dir.File("got.txt"));
    EXPECT_EQ(got, Wire(send.lines));
    // Each point's name and coordinates are in the records, in the stake-out's order.
    size_t at = 0;
    for (const char* text : {"K1", "-145321.456", "K2", "101", "-145300.12", "102", "38250.77"}) {
        at = got.find(text, at);
        ASSERT_NE(at, std::string::npos) << text;
    }
    EXPECT_NE(got.find(Jp("境界3"), at), std::string::npos);
}

// The figures of the instrument's made-up points P1 .. PN.
ReceivedPoint CannedPoint(int i) {
    return {"P" + std::to_string(i), Format3(-12000.0 + 10.0 * (i / 10)), Format3(35000.0 + i % 10 * 10.0),
            Format3(20.0 + i * 0.001)};
}

TEST(ZubOverPty, HundredPointsFromTheInstrumentGoAfterTheList) {
    for (const Line& line : kLines) {
        Store store;
        store.xyz.ReplaceAll({{"", "A", "1.000", "2.000"}, {"", "B", "3.000", "4.000"}, {}});
        InstrumentProcess instrument(QStringList{"--canned", "100"} + line.noise);
        ZubPortDriver driver;
        EXPECT_EQ(RunTransfer(driver, MakeCoordinateReceiver(store.xyz), instrument.PortPath()),
                  ZubLinkState::Succeeded)
            << line.name;
        ASSERT_EQ(store.xyz.PointRowCount(), 102) << line.name << ": the empty row reused, 99 appended";
        for (int i = 1; i <= 100; ++i) {
            const XyzRow& row = store.xyz.Row(2 + i);
            ASSERT_EQ((ReceivedPoint{row[kColName], row[kColX], row[kColY], row[kColZ]}), CannedPoint(i)) << line.name;
        }
        instrument.Finish(5000);
        EXPECT_EQ(instrument.CorruptedBytes() > 0, line.Noisy()) << instrument.Log().toStdString();
    }
}

TEST(ZubOverPty, FieldBookArrivesAsTempZub) {
    const std::string fieldBook = DataFile("zub/field.ZUB");
    for (const Line& line : kLines) {
        TempDir exeDir;
        InstrumentProcess instrument(QStringList{"--send", QString::fromStdString(fieldBook)} + line.noise);
        ZubPortDriver driver;
        EXPECT_EQ(RunTransfer(driver, MakeObservationReceiver(), instrument.PortPath()), ZubLinkState::Succeeded)
            << line.name;
        const auto& receiver = static_cast<const ZubReceiver&>(*driver.Link());
        EXPECT_TRUE(SaveReceivedObservations(receiver, exeDir.Str()));
        // A line whose acknowledgement the noise damaged comes again and is kept as a repeat; without
        // the repeats the report lists, the book is the instrument's byte for byte.
        std::vector<std::string> lines;
        const std::string temp = ReadBytes(TempZubPath(exeDir.Str()));
        for (size_t at = 0, end; (end = temp.find("\r\n", at)) != std::string::npos; at = end + 2) {
            lines.push_back(temp.substr(at, end - at));
        }
        for (auto number = receiver.RepeatedLines().rbegin(); number != receiver.RepeatedLines().rend(); ++number) {
            ASSERT_EQ(lines[*number - 1], lines[*number - 2]) << line.name;
            lines.erase(lines.begin() + (*number - 1));
        }
        EXPECT_EQ(Wire(lines), ReadBytes(fieldBook)) << line.name;
        EXPECT_EQ(receiver.RepeatedLines().empty(), !line.Noisy()) << line.name;
        instrument.Finish(5000);
        EXPECT_EQ(instrument.CorruptedBytes() > 0, line.Noisy()) << instrument.Log().toStdString();
    }
}

// The direct reading of T3 taken twice and recorded twice: both arrive, and the report gives the line
// of the repeat so that the surveyor can look at it in the editor.
TEST(ZubOverPty, AReadingRecordedTwiceArrivesTwice) {
    std::string book = ReadBytes(DataFile("zub/field.ZUB"));
    const std::string reading = "F,T3,,1.600,r1002,180.1000,90.0010,98.765,,,,0,8,\r\n";
    book.insert(book.find(reading), reading);
    TempDir dir;
    WriteBytes(dir.File("book.ZUB"), book);
    InstrumentProcess instrument({"--send", QString::fromStdString(dir.File("book.ZUB"))});
    ZubPortDriver driver;
    ASSERT_EQ(RunTransfer(driver, MakeObservationReceiver(), instrument.PortPath()), ZubLinkState::Succeeded);
    const auto& receiver = static_cast<const ZubReceiver&>(*driver.Link());
    ASSERT_TRUE(SaveReceivedObservations(receiver, dir.Str()));
    EXPECT_EQ(ReadBytes(TempZubPath(dir.Str())), book);
    EXPECT_EQ(receiver.RepeatedLines(), std::vector<int>{9});
    EXPECT_NE(Cp932ToUtf8(ReceiveReport(receiver)).find("\n  9 行目: F,T3,"), std::string::npos);
    EXPECT_EQ(instrument.Finish(), 0);
}

// Two points of the instrument's job under one name: the second is asked for again like a damaged
// name, then taken without being stored and shown with its line, and the points after it arrive.  The
// instrument would otherwise send it until it gave up, and the receive would wait for ever.
TEST(ZubOverPty, ANameTheInstrumentHoldsTwiceLetsTheTransferEnd) {
    Store store;
    TempDir dir;
    const std::string twice = ZubRecordLine("G,K1,-145130.120,98770.050,,");
    WriteBytes(dir.File("job.ZUB"), Wire({ZubRecordLine("A,01,"), ZubRecordLine("G,K1,-145123.456,98765.432,,"),
                                          ZubRecordLine("G,K2,-145140.000,98780.000,,"), twice,
                                          ZubRecordLine("G,K3,-145150.000,98790.000,,"), ZubRecordLine("Z,")}));
    InstrumentProcess instrument({"--send", QString::fromStdString(dir.File("job.ZUB"))});
    ZubPortDriver driver;
    ASSERT_EQ(RunTransfer(driver, MakeCoordinateReceiver(store.xyz), instrument.PortPath(), 20000),
              ZubLinkState::Succeeded);
    ASSERT_EQ(store.xyz.PointRowCount(), 3);
    EXPECT_EQ(store.xyz.Cell(1, kColX), "-145123.456");
    EXPECT_EQ(store.xyz.Cell(3, kColName), "K3");
    const std::string report = Cp932ToUtf8(ReceiveReport(static_cast<const ZubReceiver&>(*driver.Link())));
    EXPECT_NE(report.find("座標リストに入れなかった点: 1 点"), std::string::npos) << report;
    EXPECT_NE(report.find("(" + twice + ")"), std::string::npos) << report;
    EXPECT_EQ(instrument.Finish(), 0);
}

TEST(ZubOverPty, CancelKeepsExactlyTheRowsReceivedSoFar) {
    Store store;
    InstrumentProcess instrument({"--canned", "100"});
    ZubPortDriver driver;
    int storedAtCancel = -1;
    QObject::connect(&driver, &ZubPortDriver::messageChanged, [&] {
        auto* receiver = static_cast<ZubReceiver*>(driver.Link());
        if (storedAtCancel < 0 && receiver->Stored() >= 30) {
            storedAtCancel = receiver->Stored();
            driver.Cancel();
        }
    });
    EXPECT_EQ(RunTransfer(driver, MakeCoordinateReceiver(store.xyz), instrument.PortPath()), ZubLinkState::Cancelled);
    QEventLoop settle; // the instrument keeps talking for a moment: nothing of it may arrive
    QTimer::singleShot(300, &settle, &QEventLoop::quit);
    settle.exec();
    ASSERT_EQ(store.xyz.PointRowCount(), storedAtCancel);
    ASSERT_LT(storedAtCancel, 100);
    for (int i = 1; i <= storedAtCancel; ++i) {
        EXPECT_EQ(store.xyz.Cell(i, kColName), CannedPoint(i).name);
    }
    EXPECT_EQ(instrument.Finish(), 2) << "the instrument sees the line closed before its end record";
}

TEST(ZubOverPty, SilentInstrumentMakesTheSendFail) {
    InstrumentProcess instrument({"--silent"});
    ZubPortDriver driver;
    const ZubSendList send{{"A,01,Z,", "Z,&,"}, {}, {}};
    EXPECT_EQ(RunTransfer(driver, MakeCoordinateSender(send, {10, 60}), instrument.PortPath()), ZubLinkState::Failed);
    EXPECT_EQ(Cp932ToUtf8(SendResultMessage(ZubLinkState::Failed, send)), "送信失敗！");
}

// A port that does not open says in Japanese which device and why: missing, held by another program,
// or (for a user outside the dialout group) not permitted, with what to do about it.
TEST(ZubOverPty, PortThatCannotOpenSaysWhichDeviceAndWhy) {
    ZubPortDriver driver;
    SerialLineSettings settings;
    settings.device = "/nonexistent/ttyS9";
    EXPECT_EQ(driver.Start(MakeObservationReceiver(), settings), ZubPortDriver::PortProblem::CannotOpen);
    EXPECT_FALSE(driver.IsRunning());
    EXPECT_TRUE(driver.OpenFailure().startsWith(QStringLiteral("通信ポート /nonexistent/ttyS9 がありません")))
        << driver.OpenFailure().toStdString();

    // Busy: another program holds the port (its lock file).
    InstrumentProcess instrument({"--silent"});
    QSerialPort holder(instrument.PortPath());
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
    settings.device = instrument.PortPath();
    EXPECT_EQ(driver.Start(MakeObservationReceiver(), settings), ZubPortDriver::PortProblem::CannotOpen);
    EXPECT_TRUE(driver.OpenFailure().contains(instrument.PortPath() + QStringLiteral(" は使用中です")))
        << driver.OpenFailure().toStdString();
    holder.close();

    // Not permitted (tests may run as root, who is never refused: the words are checked directly).
    const QString denied =
        ZubPortDriver::OpenFailureText(QStringLiteral("/dev/ttyUSB0"), QSerialPort::PermissionError, false, QString());
    EXPECT_TRUE(denied.contains(QStringLiteral("/dev/ttyUSB0 を開く権限がありません"))) << denied.toStdString();
    EXPECT_TRUE(denied.contains(QStringLiteral("dialout グループ")));
}

} // namespace
} // namespace vemo::test
