#include "SimBackend.h"
#include "SimExchange.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <thread>

using namespace zyne::sim;
using namespace zyne::testing;

namespace {
SimRig rigOf(const QByteArray& json) {
    QString error;
    auto rig = SimRig::fromJson(json, &error);
    if (!rig)
        qFatal("bad test rig: %s", qPrintable(error));
    return *rig;
}

const QByteArray kTwoBoxes =
    R"({"plus": [{"index": 0, "firmware": [1, 0, 12], "rpm": [1500, 0, 65535, 7, 1200]}, {"index": 1}]})";
} // namespace

class TestSimDevices : public QObject {
    Q_OBJECT

private slots:
    void plusControllerAnswers_data() {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("reply"); // leading bytes; the rest of the 64 are zero
        QTest::newRow("probe") << QByteArray::fromHex("fe33") << QByteArray::fromHex("fe330000");
        QTest::newRow("firmware") << QByteArray::fromHex("3350") << QByteArray::fromHex("335001000c");
        QTest::newRow("speed port 1")
            << QByteArray::fromHex("335101") << QByteArray::fromHex("3351010000dc05");
        QTest::newRow("speed port 3")
            << QByteArray::fromHex("335103") << QByteArray::fromHex("3351030000ffff");
        QTest::newRow("speed port 2 stopped")
            << QByteArray::fromHex("335102") << QByteArray::fromHex("3351020000");
        QTest::newRow("speed port 6")
            << QByteArray::fromHex("335106") << QByteArray::fromHex("33510600000000");
        QTest::newRow("lighting") << QByteArray::fromHex("32520518ffffff")
                                  << QByteArray::fromHex("3252051800");
        QTest::newRow("fan speed") << QByteArray::fromHex("325102027805")
                                   << QByteArray::fromHex("3251020200");
        QTest::newRow("save") << QByteArray::fromHex("3253") << QByteArray::fromHex("32530000");
    }

    void plusControllerAnswers() {
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, reply);
        SimBackend sim(rigOf(kTwoBoxes));
        auto box = sim.open(0x264A, 0x1FA5);
        QVERIFY(box);
        QCOMPARE(writeReport(*box, request), 65);
        QCOMPARE(readReport(*box), reply.leftJustified(64, '\0'));
        QCOMPARE(readReport(*box, 1), QByteArray()); // one answer per report
    }

    void plusControllerKeepsLastReportPerPort() {
        SimBackend sim(SimRig::defaultRig());
        auto box = sim.open(0x264A, 0x1FA5);
        const QByteArray red = QByteArray::fromHex("32520519") + QByteArray::fromHex("00ff00");
        const QByteArray blue = QByteArray::fromHex("32520519") + QByteArray::fromHex("0000ff");
        exchange(*box, QByteArray::fromHex("3252011800"));
        exchange(*box, red);
        exchange(*box, blue);
        exchange(*box, QByteArray::fromHex("325105020078"));
        exchange(*box, QByteArray::fromHex("3253"));

        const auto record = sim.plusRecord(0);
        QVERIFY(record);
        QCOMPARE(record->lighting[4], blue.leftJustified(64, '\0'));
        QCOMPARE(record->lighting[0].left(4), QByteArray::fromHex("32520118"));
        QVERIFY(record->lighting[1].isEmpty());
        QCOMPARE(record->fanSpeed[4].left(7), QByteArray::fromHex("32510502007800"));
        QCOMPARE(record->saves, 1);
        QVERIFY(!sim.plusRecord(1));
    }

    void behaviours_data() {
        QTest::addColumn<QString>("behaviour");
        QTest::addColumn<int>("writeResult");
        QTest::addColumn<int>("readResult");
        QTest::newRow("ok") << "ok" << 65 << 64;
        QTest::newRow("probe_fails") << "probe_fails" << -1 << -1;
        QTest::newRow("silent") << "silent" << 65 << 0;
    }

    void behaviours() {
        QFETCH(QString, behaviour);
        QFETCH(int, writeResult);
        QFETCH(int, readResult);
        SimBackend sim(rigOf(
            QStringLiteral("{\"plus\": [{\"index\": 4, \"behaviour\": \"%1\"}]}").arg(behaviour).toUtf8()));
        auto box = sim.open(0x264A, 0x1FA9);
        QVERIFY(box); // every behaviour opens
        QCOMPARE(writeReport(*box, QByteArray::fromHex("fe33")), writeResult);
        int result = 0;
        readReport(*box, 20, &result);
        QCOMPARE(result, readResult);
    }

    void traceRecordsEveryOpenAndReport() {
        QTemporaryDir dir;
        const QString path = dir.filePath("trace.jsonl");
        SimBackend sim(rigOf(R"({"plus": [{"index": 0}, {"index": 2, "behaviour": "probe_fails"}]})"), path);
        QVERIFY(!sim.open(0x264A, 0x1FA6));
        auto box = sim.open(0x264A, 0x1FA5);
        exchange(*box, QByteArray::fromHex("3350"));
        auto failing = sim.open(0x264A, 0x1FA7);
        exchange(*failing, QByteArray::fromHex("fe33"));

        // Read while the backend still runs: every line is on disk as soon as it happened.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 7); // six events and the empty rest after the last newline
        QVERIFY(lines.last().isEmpty());

        const auto zeros = [](int count) { return QString(count, '0'); };
        const QStringList expected{
            R"({"dev":"264a:1fa6","dir":"open","ok":false})",
            R"({"dev":"264a:1fa5","dir":"open","ok":true})",
            QStringLiteral("{\"dev\":\"264a:1fa5\",\"dir\":\"out\",\"hex\":\"003350%1\"}").arg(zeros(124)),
            QStringLiteral("{\"dev\":\"264a:1fa5\",\"dir\":\"in\",\"hex\":\"3350010207%1\"}").arg(zeros(118)),
            R"({"dev":"264a:1fa7","dir":"open","ok":true})",
            QStringLiteral("{\"dev\":\"264a:1fa7\",\"dir\":\"out\",\"hex\":\"00fe33%1\",\"ok\":false}")
                .arg(zeros(124))};
        qint64 previous = 0;
        for (int i = 0; i < expected.size(); ++i) {
            QJsonObject line = QJsonDocument::fromJson(lines[i]).object();
            const qint64 tMs = line.take("t_ms").toVariant().toLongLong();
            QVERIFY(tMs >= previous);
            previous = tMs;
            QCOMPARE(QString::fromUtf8(QJsonDocument(line).toJson(QJsonDocument::Compact)),
                     QString::fromUtf8(
                         QJsonDocument::fromJson(expected[i].toUtf8()).toJson(QJsonDocument::Compact)));
            QVERIFY2(lines[i].startsWith("{\"t_ms\":"), lines[i].constData());
        }

        const auto events = sim.events();
        QCOMPARE(events.size(), std::size_t(6));
        QCOMPARE(events[3].dir, QStringLiteral("in"));
        QCOMPARE(events[3].bytes.left(5), QByteArray::fromHex("3350010207"));
        sim.clearEvents();
        QVERIFY(sim.events().empty());
    }

    void queueKeepsAtMost64Reports() {
        SimBackend sim(SimRig::defaultRig());
        auto box = sim.open(0x264A, 0x1FA5);
        for (int i = 0; i < 70; ++i)
            writeReport(*box, QByteArray::fromHex("335101"));
        for (int i = 0; i < 64; ++i)
            QCOMPARE(readReport(*box, 0).size(), 64);
        QCOMPARE(readReport(*box, 1), QByteArray());
    }

    void everyOpenHandleGetsTheAnswer() {
        SimBackend sim(SimRig::defaultRig());
        auto first = sim.open(0x264A, 0x1FA5);
        auto second = sim.open(0x264A, 0x1FA5);
        writeReport(*first, QByteArray::fromHex("3350"));
        QCOMPARE(readReport(*second).left(2), QByteArray::fromHex("3350"));
        QCOMPARE(readReport(*first).left(2), QByteArray::fromHex("3350"));
    }

    void shortReadTakesTheFirstBytes() {
        SimBackend sim(SimRig::defaultRig());
        auto box = sim.open(0x264A, 0x1FA5);
        writeReport(*box, QByteArray::fromHex("3350"));
        unsigned char reply[3] = {};
        QCOMPARE(box->read(reply, sizeof reply, 10), 3);
        QCOMPARE(QByteArray(reinterpret_cast<char*>(reply), 3), QByteArray::fromHex("335001"));
    }

    void featureReportsComeBack() {
        SimBackend sim(rigOf(R"({"awt": {}})"));
        auto chip = sim.open(0xC216, 0x0102);
        QVERIFY(chip);
        unsigned char asked[8] = {7};
        QCOMPARE(chip->getFeatureReport(asked, sizeof asked), -1); // nothing set under ID 7 yet
        const unsigned char sent[5] = {7, 1, 2, 3, 4};
        QCOMPARE(chip->sendFeatureReport(sent, sizeof sent), 5);
        QCOMPARE(chip->getFeatureReport(asked, sizeof asked), 5);
        QCOMPARE(QByteArray(reinterpret_cast<char*>(asked), 5), QByteArray::fromHex("0701020304"));
        const auto events = sim.events();
        QCOMPARE(events.back().dir, QStringLiteral("feature_in"));
        QCOMPARE(events[events.size() - 2].dir, QStringLiteral("feature_out"));
    }

    void chipLinkAnswersFrames() {
        SimBackend sim(rigOf(R"({"awt": {"boxes": [2], "firmware": "215", "rpm": [700, 12000, 0]}})"));
        const auto link = sim.chipLink();
        const zyne::ChipHandle chip = link->open("XQ_HID1");
        QVERIFY(chip != zyne::kNoChipHandle);
        QCOMPARE(link->open("xq_hid1"), zyne::kNoChipHandle); // in use
        QCOMPARE(link->open("xq_hid2"), zyne::kNoChipHandle);
        QCOMPARE(link->open("xq_cdrom1"), zyne::kNoChipHandle);

        unsigned char reply[zyne::kChipReplyCapacity];
        unsigned int length = 99;
        const auto comm = [&](const QByteArray& frame) {
            return link->comm(chip, reinterpret_cast<const unsigned char*>(frame.constData()), frame.size(),
                              &length, reply, 100);
        };
        QCOMPARE(comm(QByteArray::fromHex("264a200b5a")), 0x0001);
        QCOMPARE(QByteArray(reinterpret_cast<char*>(reply), int(length)), QByteArray("070099990000"));
        QCOMPARE(comm(QByteArray::fromHex("264a200b5d")), 0x0001);
        QCOMPARE(QByteArray(reinterpret_cast<char*>(reply), int(length)), QByteArray("]215"));
        QCOMPARE(comm(QByteArray::fromHex("264a200a5a")), 0xF0FF);     // box 1 is not on this chip
        QCOMPARE(comm(QByteArray::fromHex("264a200b5b0832")), 0xF0FE); // no port 3
        QCOMPARE(comm(QByteArray::fromHex("264a200b5b0432")), 0x0001);
        QCOMPARE(sim.awtRecord(2)->duty[2], 0x32);
        QVERIFY(!sim.awtRecord(1));
        const auto events = sim.events();
        QCOMPARE(events.back().dir, QStringLiteral("feature_in"));
        QCOMPARE(events.back().bytes, QByteArray::fromHex("0001"));
        QCOMPARE(events[events.size() - 2].bytes, QByteArray::fromHex("264a200b5b0432"));
        // Every frame's trace line carries the wait it was sent with; answers carry none.
        QCOMPARE(events[events.size() - 2].wait, 100);
        const QByteArray sentLine = SimTrace::jsonLine(events[events.size() - 2]);
        QVERIFY2(sentLine.endsWith(",\"wait\":100}\n"), sentLine.constData());
        QCOMPARE(QJsonDocument::fromJson(sentLine).object().value("wait").toInt(), 100);
        QVERIFY(!SimTrace::jsonLine(events.back()).contains("wait"));
        const unsigned char save[] = {0x26, 0x4a, 0x20, 0x0b, 0x5c};
        link->comm(chip, save, sizeof save, &length, reply, 27);
        QCOMPARE(sim.events()[events.size()].wait, 27);

        QCOMPARE(sim.control("rpm awt 2 0 1500"), QStringLiteral("ok"));
        QCOMPARE(sim.control("rpm awt 1 0 1500"),
                 QStringLiteral("error: awt drives no box 1 with port 0 (ports 0..2)"));
        QCOMPARE(comm(QByteArray::fromHex("264a200b5a")), 0x0001);
        QCOMPARE(QByteArray(reinterpret_cast<char*>(reply), 4), QByteArray("1500"));

        QCOMPARE(sim.control("behave awt probe_fails"), QStringLiteral("ok"));
        QCOMPARE(comm(QByteArray::fromHex("264a200b5a")), 0xFFF4);
        QCOMPARE(sim.control("behave awt ok"), QStringLiteral("ok"));
        QCOMPARE(sim.control("unplug awt"), QStringLiteral("ok"));
        QCOMPARE(comm(QByteArray::fromHex("264a200b5a")), 0xFFF4);
        QCOMPARE(link->close(chip), 0);
        QCOMPARE(link->close(chip), -1);
        QCOMPARE(comm(QByteArray::fromHex("264a200b5a")), 0xFFFF);
    }

    void enumerateListsPresentInterfaces() {
        SimBackend sim(rigOf(R"({"plus": [{"index": 1}], "classic": [{"index": 2}], "power_supply": {},
                                 "awt": {}, "keyboards": ["264a:3006"]})"));
        QStringList listed;
        for (const auto& info : sim.enumerate())
            listed << info.path;
        QCOMPARE(listed, (QStringList{"sim:264a:1fa6:1", "sim:264a:1f43:2", "sim:264a:2329:0",
                                      "sim:c216:0102:0", "sim:264a:3006:0"}));
        QCOMPARE(sim.enumerate(0x264A, 0x3006).size(), std::size_t(1));
        QCOMPARE(sim.enumerate(0xC216).size(), std::size_t(1));
        QVERIFY(sim.enumerate(0x264A, 0x3009).empty());
        QVERIFY(sim.open(0x264A, 0x1F43));
        QVERIFY(sim.open(0x264A, 0x3006));
    }

    void unplugWakesAWaitingReader() {
        SimBackend sim(rigOf(R"({"plus": [{"index": 0, "behaviour": "silent"}]})"));
        auto box = sim.open(0x264A, 0x1FA5);
        std::atomic<int> result{1};
        // Far beyond the test's own time limit: only the unplug can end this read in time.
        std::thread reader([&] {
            std::array<unsigned char, 64> reply{};
            result = box->read(reply.data(), reply.size(), 600000);
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(50)); // let the reader start waiting
        QCOMPARE(sim.control("unplug plus 0"), QStringLiteral("ok"));
        reader.join();
        QCOMPARE(int(result), -1);
        QCOMPARE(writeReport(*box, QByteArray::fromHex("fe33")), -1);
    }

    // Boxes are separate USB devices: one that takes its time to answer holds up no other.
    void slowBoxDoesNotHoldAnother() {
        SimBackend sim(rigOf(R"({"plus": [{"index": 0, "latency_ms": 1000}, {"index": 1}]})"));
        auto slow = sim.open(0x264A, 0x1FA5);
        auto fast = sim.open(0x264A, 0x1FA6);
        std::atomic<bool> slowAnswered{false};
        QByteArray slowReply;
        std::thread reader([&] {
            writeReport(*slow, QByteArray::fromHex("3350"));
            slowReply = readReport(*slow, 5000);
            slowAnswered = true;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(50)); // let the reader start waiting
        for (int i = 0; i < 20; ++i)
            QCOMPARE(exchange(*fast, QByteArray::fromHex("3350")).left(2), QByteArray::fromHex("3350"));
        const bool fastFinishedFirst = !slowAnswered;
        reader.join();
        QVERIFY(fastFinishedFirst);
        QCOMPARE(slowReply.left(2), QByteArray::fromHex("3350"));
    }

    void threadsUseDifferentBoxesAtOnce() {
        SimBackend sim(rigOf(kTwoBoxes));
        std::atomic<int> wrong{0};
        auto hammer = [&](std::uint16_t productId, int port) {
            auto box = sim.open(0x264A, productId);
            for (int i = 0; i < 2000; ++i) {
                // A speed query and a lighting setting in turn: one reads what "rpm" sets, the other
                // changes what a record read returns.
                const QByteArray report = QByteArray::fromHex(i % 2 ? "3252" : "3351") + char(port);
                if (exchange(*box, report).left(3) != report)
                    ++wrong;
            }
        };
        std::thread first(hammer, 0x1FA5, 1);
        std::thread second(hammer, 0x1FA6, 5);
        // Control commands, listings and record reads go on beside the exchanges: each device has a
        // lock of its own next to the rig's, and the sanitizer pass checks they are taken as needed.
        for (int i = 0; i < 200; ++i) {
            QCOMPARE(sim.control(QStringLiteral("rpm plus 1 4 %1").arg(i)), QStringLiteral("ok"));
            QCOMPARE(sim.enumerate(0x264A).size(), std::size_t(2));
            QVERIFY(sim.plusRecord(0).has_value());
        }
        first.join();
        second.join();
        QCOMPARE(int(wrong), 0);
        QCOMPARE(sim.events().size(), std::size_t(2 + 4 * 2000));
    }
};

QTEST_GUILESS_MAIN(TestSimDevices)
#include "tst_simdevices.moc"
