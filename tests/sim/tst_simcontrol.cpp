#include "SimBackend.h"
#include "SimControlServer.h"
#include "SimExchange.h"

#include <QFile>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace zyne::sim;
using namespace zyne::testing;

namespace {
SimRig twoControllers() {
    return *SimRig::fromJson(R"({"plus": [{"index": 0}], "classic": [{"index": 2}]})", nullptr);
}

// What a command can change: the listed interfaces, and box 0's answers.
QStringList visibleState(SimBackend& sim) {
    QStringList state;
    for (const auto& info : sim.enumerate())
        state << info.path;
    if (auto box = sim.open(0x264A, 0x1FA5)) {
        for (char port = 1; port <= 5; ++port)
            state << exchange(*box, QByteArray::fromHex("3351") + port).toHex();
    }
    return state;
}
} // namespace

class TestSimControl : public QObject {
    Q_OBJECT

private slots:
    void refusesBadCommandsAndChangesNothing_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("problem");
        QTest::newRow("empty") << "   "
                               << "empty command";
        QTest::newRow("unknown verb") << "jump plus 0"
                                      << "unknown command \"jump\"";
        QTest::newRow("unknown device") << "plug fridge 0"
                                        << "unknown device \"fridge\"";
        QTest::newRow("missing index") << "plug plus"
                                       << "expected 3 words";
        QTest::newRow("index 16") << "plug plus 16"
                                  << "box index must be 0..15";
        QTest::newRow("index not a number") << "unplug plus one"
                                            << "box index";
        QTest::newRow("already plugged") << "plug plus 0"
                                         << "plus 0 is already plugged in";
        QTest::newRow("not plugged") << "unplug plus 5"
                                     << "plus 5 is not plugged in";
        QTest::newRow("psu not plugged") << "unplug psu"
                                         << "psu is not plugged in";
        QTest::newRow("psu with index") << "plug psu 0"
                                        << "expected 2 words";
        QTest::newRow("extra word") << "rpm plus 0 1 100 fast"
                                    << "expected 5 words";
        QTest::newRow("port 5") << "rpm plus 0 5 100"
                                << "port must be 0..4";
        QTest::newRow("classic port 3") << "rpm classic 2 3 100"
                                        << "classic 2 has ports 0..2";
        QTest::newRow("rpm too high") << "rpm plus 0 1 65536"
                                      << "rpm must be 0..65535";
        QTest::newRow("negative rpm") << "rpm plus 0 1 -1"
                                      << "rpm must be";
        QTest::newRow("box not in rig") << "rpm plus 9 0 100"
                                        << "plus 9 is not in the rig";
        QTest::newRow("rpm of psu") << "rpm psu 0 100"
                                    << "unknown device \"psu\"";
        QTest::newRow("behaviour") << "behave plus 0 sleepy"
                                   << "unknown behaviour \"sleepy\"";
        QTest::newRow("awt rpm without chip") << "rpm awt 0 1 0"
                                              << "awt is not in the rig";
        QTest::newRow("awt behaviour with index") << "behave awt 0 silent"
                                                  << "expected 3 words";
    }

    void refusesBadCommandsAndChangesNothing() {
        QFETCH(QString, command);
        QFETCH(QString, problem);
        SimBackend sim(twoControllers());
        const QStringList before = visibleState(sim);
        const QString answer = sim.control(command);
        QVERIFY2(answer.startsWith("error: ") && answer.contains(problem), qPrintable(answer));
        QCOMPARE(visibleState(sim), before);
    }

    void plugAndUnplug_data() {
        QTest::addColumn<QString>("device");
        QTest::addColumn<int>("vendorId");
        QTest::addColumn<int>("productId");
        QTest::addColumn<QString>("windowsPath");
        QTest::newRow("plus 3") << "plus 3" << 0x264A << 0x1FA8 << R"(\\?\HID#VID_264A&PID_1FA8#)";
        QTest::newRow("plus 15") << "plus 15" << 0x264A << 0x1FB4 << R"(\\?\HID#VID_264A&PID_1FB4#)";
        QTest::newRow("classic 0") << "classic 0" << 0x264A << 0x1F41 << R"(\\?\HID#VID_264A&PID_1F41#)";
        QTest::newRow("psu") << "psu" << 0x264A << 0x2329 << R"(\\?\HID#VID_264A&PID_2329#)";
        QTest::newRow("awt") << "awt" << 0xC216 << 0x0102 << R"(\\?\HID#VID_C216&PID_0102#)";
    }

    void plugAndUnplug() {
        QFETCH(QString, device);
        QFETCH(int, vendorId);
        QFETCH(int, productId);
        QFETCH(QString, windowsPath);
        SimBackend sim(*SimRig::fromJson("{}", nullptr));
        std::vector<std::pair<QString, bool>> changes;
        sim.setDeviceChangeListener(
            [&](const QString& path, bool arrived) { changes.emplace_back(path, arrived); });

        QVERIFY(!sim.open(vendorId, productId));
        QCOMPARE(sim.control("plug " + device), QStringLiteral("ok"));
        QCOMPARE(sim.enumerate(vendorId, productId).size(), std::size_t(1));
        auto handle = sim.open(vendorId, productId);
        QVERIFY(handle);
        QCOMPARE(writeReport(*handle, QByteArray::fromHex("fe33")), 65);

        QCOMPARE(sim.control("unplug " + device), QStringLiteral("ok"));
        QVERIFY(sim.enumerate(vendorId, productId).empty());
        QVERIFY(!sim.open(vendorId, productId));
        QCOMPARE(writeReport(*handle, QByteArray::fromHex("fe33")), -1);
        int result = 0;
        readReport(*handle, 0, &result);
        QCOMPARE(result, -1);

        QCOMPARE(changes.size(), std::size_t(2));
        QVERIFY2(changes[0].first.startsWith(windowsPath), qPrintable(changes[0].first));
        QCOMPARE(changes[0].second, true);
        QCOMPARE(changes[1], std::make_pair(changes[0].first, false));
    }

    void replugKeepsTheBoxAsItWas() {
        SimBackend sim(twoControllers());
        QCOMPARE(sim.control("rpm plus 0 2 0"), QStringLiteral("ok"));
        QCOMPARE(sim.control("unplug plus 0"), QStringLiteral("ok"));
        QCOMPARE(sim.control("plug plus 0"), QStringLiteral("ok"));
        auto box = sim.open(0x264A, 0x1FA5);
        QCOMPARE(exchange(*box, QByteArray::fromHex("335103")).left(7),
                 QByteArray::fromHex("33510300000000"));
        QCOMPARE(exchange(*box, QByteArray::fromHex("335102")).left(7),
                 QByteArray::fromHex("3351020000b004"));
    }

    void rpmAndBehaviourTakeEffect() {
        SimBackend sim(twoControllers());
        auto box = sim.open(0x264A, 0x1FA5);
        QCOMPARE(sim.control("  rpm   plus 0 4 1400 "), QStringLiteral("ok"));
        QCOMPARE(exchange(*box, QByteArray::fromHex("335105")).mid(5, 2), QByteArray::fromHex("7805"));

        QCOMPARE(sim.control("behave plus 0 silent"), QStringLiteral("ok"));
        QCOMPARE(writeReport(*box, QByteArray::fromHex("fe33")), 65);
        QCOMPARE(readReport(*box, 10), QByteArray());
        QCOMPARE(sim.control("behave plus 0 probe_fails"), QStringLiteral("ok"));
        QCOMPARE(writeReport(*box, QByteArray::fromHex("fe33")), -1);
        QCOMPARE(sim.control("behave plus 0 ok"), QStringLiteral("ok"));
        QCOMPARE(exchange(*box, QByteArray::fromHex("fe33")).left(2), QByteArray::fromHex("fe33"));
    }

    void socketAnswersEachLine() {
        QTemporaryDir dir;
        const QString path = dir.filePath("control.sock");
        SimBackend sim(twoControllers());
        SimControlServer server(sim, path);
        QVERIFY(server.isListening());

        QLocalSocket client;
        client.connectToServer(path);
        QVERIFY(client.waitForConnected(5000));
        client.write("plug plus 3\nplug plus 3\nrpm plus 3 0");
        client.write(" 500\n");
        QStringList answers;
        while (answers.size() < 3) {
            QTRY_VERIFY_WITH_TIMEOUT(client.canReadLine(), 5000);
            while (client.canReadLine())
                answers << QString::fromUtf8(client.readLine());
        }
        QCOMPARE(answers[0], QStringLiteral("ok\n"));
        QVERIFY2(answers[1].startsWith("error: plus 3 is already plugged in") && answers[1].endsWith("\n"),
                 qPrintable(answers[1]));
        QCOMPARE(answers[2], QStringLiteral("ok\n"));
        QCOMPARE(sim.enumerate(0x264A, 0x1FA8).size(), std::size_t(1));
    }

    // A client that sends commands and never reads the answers can't make the rig hoard them.
    void unreadAnswersAreBounded() {
        QTemporaryDir dir;
        const QString path = dir.filePath("control.sock");
        SimBackend sim(twoControllers());
        SimControlServer server(sim, path);
        QLocalSocket client;
        client.setReadBufferSize(16);
        client.connectToServer(path);
        QVERIFY(client.waitForConnected(5000));
        const QByteArray commands = QByteArray("jump plus 0\n").repeated(1000);
        for (int round = 0; round < 200 && client.state() == QLocalSocket::ConnectedState; ++round) {
            client.write(commands);
            QTest::qWait(5);
        }
        QTRY_COMPARE_WITH_TIMEOUT(client.state(), QLocalSocket::UnconnectedState, 10000);
    }

    // The running program reads no events back: only the trace file gets them.
    void eventsAreKeptOnlyWhenAskedFor() {
        QTemporaryDir dir;
        const QString tracePath = dir.filePath("trace.jsonl");
        SimBackend sim(twoControllers(), tracePath, EventMemory::None);
        auto box = sim.open(0x264A, 0x1FA5);
        QVERIFY(box);
        QCOMPARE(exchange(*box, QByteArray::fromHex("fe33")).left(2), QByteArray::fromHex("fe33"));
        QVERIFY(sim.events().empty());
        QFile trace(tracePath);
        QVERIFY(trace.open(QIODevice::ReadOnly));
        QCOMPARE(trace.readAll().count('\n'), 3); // open, out, in

        SimBackend kept(twoControllers());
        kept.open(0x264A, 0x1FA5);
        QCOMPARE(kept.events().size(), std::size_t(1));
    }
};

QTEST_GUILESS_MAIN(TestSimControl)
#include "tst_simcontrol.moc"
