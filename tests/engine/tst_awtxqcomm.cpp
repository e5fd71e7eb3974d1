// The AWT queue end to end through the real chip library (libxqcomm.so.1): its Linux layer's
// hidraw calls reach a chip model through umockdev. Runs under umockdev-wrapper.
#include "AwtController.h"
#include "EngineRig.h"
#include "PresenceString.h"
#include "UmockdevChip.h"
#include "XqcommChipLink.h"
#include "ZynePlusCommandHelper.h"

#include <QSignalSpy>
#include <QtTest>

using namespace zyne;
using xqcomm::fake::Bytes;

namespace {
// The AWT controller at the frame level: box 0 only.
Bytes answerFrame(const Bytes& frame) {
    if (frame.size() < 5 || frame[3] != 9)
        return {0xF0, 0xFF};
    if (frame[4] == 0x5A) {
        const char digits[] = "120000000850";
        Bytes reply(digits, digits + 12);
        reply.insert(reply.end(), {0x00, 0x01});
        return reply;
    }
    return {0x00, 0x01};
}

bool drain(ZynePlusCommandHelper& engine) {
    AwtController& awt = engine.awtController();
    QElapsedTimer clock;
    clock.start();
    while (awt.queuedCommands() > 0 || awt.exchangesInFlight() > 0) {
        if (clock.elapsed() > 10000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}
} // namespace

class AwtXqcommTest : public QObject {
    Q_OBJECT
private slots:
    void queueThroughChipLibrary();
};

void AwtXqcommTest::queueThroughChipLibrary() {
    xqcomm::test::UmockdevHost host;
    if (!host.usable())
        QFAIL(host.error().c_str());
    xqcomm::fake::FakeChip& chip = host.addHid({0, "1-1", 0xC216, 0x0102, 0, 65, {}});
    chip.respond = answerFrame;
    chip.busyAnswersBeforeReply = 3; // the library asks again while the chip is busy
    QVERIFY(host.usable());

    testing::EngineRig rig("{}");
    installChipLink(std::make_shared<XqcommChipLink>());
    ZynePlusCommandHelper engine;
    zyne::testing::settle(engine);
    QSignalSpy passEnded(&engine, &ZynePlusCommandHelper::sendCheckAWTBoxSuccess);
    engine.checkAWTConnect(0);
    QVERIFY(passEnded.wait(10000));
    QVERIFY(drain(engine));
    QCOMPARE(engine.box(0).boxType, int(BoxAwt));
    QCOMPARE(awtPresenceStr().text(), QStringLiteral("1000000000000000"));

    chip.commands.clear();
    chip.sentReports.clear();
    QSignalSpy speeds(&engine, &ZynePlusCommandHelper::sendFanSpeed);
    engine.receiveChangeFanSpeedNum(0, 1, 5);
    engine.sendCommandReadFanSpeed(0);
    QVERIFY(drain(engine));

    QCOMPARE(chip.commands.size(), std::size_t(2));
    QCOMPARE(chip.commands[0], (Bytes{0x26, 0x4A, 0x20, 0x09, 0x5B, 0x02, 50}));
    QCOMPARE(chip.commands[1], (Bytes{0x26, 0x4A, 0x20, 0x09, 0x5A}));
    // On the wire: one chunk each, wait value 27 for the library time-out of 100.
    QCOMPARE(chip.sentReports[0][1], 27);
    QCOMPARE(chip.sentReports[0][2], 0x00);
    QCOMPARE(chip.sentReports[0][4], 7);
    QCOMPARE(speeds.count(), 3);
    QCOMPARE(speeds.at(0).at(2).toInt(), 1200);
    QCOMPARE(speeds.at(1).at(2).toInt(), 0);
    QCOMPARE(speeds.at(2).at(2).toInt(), 850);
}

QTEST_GUILESS_MAIN(AwtXqcommTest)
#include "tst_awtxqcomm.moc"
