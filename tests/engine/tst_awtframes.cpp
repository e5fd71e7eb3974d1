// AWT frames, replies, status words and the command queue, without a chip.
#include "AwtCommandQueue.h"
#include "AwtFrames.h"
#include "ChipLink.h"
#include "DeviceSettings.h"
#include "PresenceString.h"

#include <QtTest>

#include <cstring>

using namespace zyne;

namespace {
std::vector<std::uint8_t> bytes(const char* text) {
    return std::vector<std::uint8_t>(text, text + std::strlen(text));
}
} // namespace

class AwtFramesTest : public QObject {
    Q_OBJECT
private slots:
    void frames();
    void speedReplies_data();
    void speedReplies();
    void firmwareReplies();
    void statusWords();
    void queueKeepsOrderPerHandle();
    void queueKeepsOneWaitingFramePerPort();
    void queueMergesPiledUpSpeeds();
    void presenceCounts();
};

void AwtFramesTest::frames() {
    QCOMPARE(awt::readSpeeds(3), (awt::Frame{0x26, 0x4A, 0x20, 12, 0x5A}));
    QCOMPARE(awt::setFanSpeed(0, 2, 40), (awt::Frame{0x26, 0x4A, 0x20, 9, 0x5B, 0x04, 40}));
    QCOMPARE(awt::turnOn(15, 1), (awt::Frame{0x26, 0x4A, 0x20, 24, 0x5E, 0x02}));
    QCOMPARE(awt::save(1).back(), 0x5C);
    QCOMPARE(awt::firmware(1).back(), 0x5D);
    // Effect frames: wire-order triples (green, red, blue) become entries at full brightness.
    LedTriples triples{};
    triples[0] = 1;
    triples[1] = 2;
    triples[2] = 3;
    triples[15] = 4;
    triples[16] = 5;
    triples[17] = 6;
    QCOMPARE(awt::fromTriples(triples, false)[0], (awt::Led{2, 1, 3, 100}));
    QCOMPARE(awt::fromTriples(triples, false)[5], (awt::Led{5, 4, 6, 100}));
    QCOMPARE(awt::fromTriples(triples, true)[11], (awt::Led{2, 1, 3, 100}));
    awt::Leds leds = awt::oneColour(300, -5, 7);
    QCOMPARE(leds[11], (awt::Led{255, 0, 7, 100}));
    const awt::Frame twelve = awt::lighting(0, 0, 0x28, leds, false);
    const awt::Frame nine = awt::lighting(0, 2, 0x40, leds, true);
    QCOMPARE(twelve.size(), std::size_t(54));
    QCOMPARE(nine.size(), std::size_t(42));
    QCOMPARE(twelve[4], 0x21);
    QCOMPARE(nine[4], 0x14);
    QCOMPARE(awt::effectByte(3, 2), 0x28);
    QCOMPARE(awt::effectByte(5, 3), 0x0C);
    QCOMPARE(awt::effectByte(7, 1), 0x74); // Copy of a Copy port
    QCOMPARE(awt::effectByte(6, 9), 0x4C); // a speed out of range counts as the slowest
    QCOMPARE(awt::fanDuty(10, 0), 23);
    QCOMPARE(awt::fanDuty(10, 2), 10);
    QCOMPARE(awt::fanDuty(250, 1), 100);
}

void AwtFramesTest::speedReplies_data() {
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("third");
    QTest::newRow("1200, 0, 850") << QByteArray("120000000850") << true << 850;
    QTest::newRow("longer reply") << QByteArray("1200000008509999") << true << 850;
    QTest::newRow("short") << QByteArray("12000000085") << false << 0;
    QTest::newRow("letter") << QByteArray("1200000O0850") << false << 0;
    QTest::newRow("space") << QByteArray("1200 0000850") << false << 0;
    QTest::newRow("empty") << QByteArray() << false << 0;
}

void AwtFramesTest::speedReplies() {
    QFETCH(QByteArray, payload);
    QFETCH(bool, valid);
    QFETCH(int, third);
    const auto rpm = awt::parseSpeeds(reinterpret_cast<const std::uint8_t*>(payload.constData()),
                                      static_cast<unsigned>(payload.size()));
    QCOMPARE(rpm.has_value(), valid);
    if (valid) {
        QCOMPARE((*rpm)[0], 1200);
        QCOMPARE((*rpm)[1], 0);
        QCOMPARE((*rpm)[2], third);
    }
}

void AwtFramesTest::firmwareReplies() {
    auto reply = bytes("]104");
    QCOMPARE(awt::parseFirmware(reply.data(), 4).value_or("?"), QStringLiteral("1.0.4"));
    // The length the link reports is all that is read.
    QVERIFY(!awt::parseFirmware(reply.data(), 3));
    reply = bytes("]1:4");
    QVERIFY(!awt::parseFirmware(reply.data(), 4));
    QVERIFY(!awt::parseFirmware(nullptr, 4));
}

void AwtFramesTest::statusWords() {
    using awt::StatusAction;
    QCOMPARE(awt::frameStatusAction(0x0001), StatusAction::Success);
    QCOMPARE(awt::frameStatusAction(chipstatus::kSendFailed), StatusAction::CloseHandle);
    for (int logged : {0xFFFF, 0xFFF8, 0xF0FF, 0xF0FE})
        QCOMPARE(awt::frameStatusAction(logged), StatusAction::LogOnly);
    // The library's added words, timeouts, chip errors and impossible words close the handle.
    for (int fatal : {0xFFF3, 0xFFF5, 0xFFF6, 0x6FF0, 0x0002, -1, 0x10001})
        QCOMPARE(awt::frameStatusAction(fatal), StatusAction::CloseHandle);
    QCOMPARE(awt::presenceStatusAction(chipstatus::kSendFailed), StatusAction::LogOnly);
    QCOMPARE(awt::presenceStatusAction(0xFFFF), StatusAction::CloseHandle);
    QCOMPARE(awt::presenceStatusAction(0xF0FF), StatusAction::LogOnly);
}

void AwtFramesTest::queueKeepsOrderPerHandle() {
    AwtCommandQueue queue;
    // Box b answers on handle b % 2; handle 0 is busy, box 5's handle is closed.
    for (int box : {0, 2, 1, 5, 3})
        queue.push({box, 0, AwtReadSpeeds, {}, {}});
    QVERIFY(queue.hasSpeedRead(2));
    std::vector<int> dropped;
    const auto judge = [](const AwtCommand& command) {
        if (command.box == 5)
            return AwtCommandQueue::Verdict::Drop;
        return command.box % 2 == 0 ? AwtCommandQueue::Verdict::Wait : AwtCommandQueue::Verdict::Run;
    };
    const auto drop = [&](const AwtCommand& command) { dropped.push_back(command.box); };
    QCOMPARE(queue.takeNext(judge, drop)->box, 1);
    QCOMPARE(queue.takeNext(judge, drop)->box, 3);
    QCOMPARE(dropped, std::vector<int>{5});
    QVERIFY(!queue.takeNext(judge, drop));
    QCOMPARE(queue.size(), std::size_t(2));
    const auto any = [](const AwtCommand&) { return AwtCommandQueue::Verdict::Run; };
    QCOMPARE(queue.takeNext(any, drop)->box, 0);
    QCOMPARE(queue.takeNext(any, drop)->box, 2);
    QVERIFY(!queue.hasSpeedRead(2));
    QVERIFY(queue.empty());
}

void AwtFramesTest::queueKeepsOneWaitingFramePerPort() {
    AwtCommandQueue queue;
    auto take = [&queue] {
        return queue.takeNext([](const AwtCommand&) { return AwtCommandQueue::Verdict::Run; },
                              [](const AwtCommand&) {});
    };
    // A newer frame for a port takes the place of the one still waiting; the same port number on
    // another box is another port.
    QVERIFY(queue.push({0, 0, AwtMeteor, {1, 0, 0}, {}}));
    QVERIFY(queue.push({0, 1, AwtCross, {2, 0, 0}, {}}));
    QVERIFY(queue.push({1, 0, AwtCross, {3, 0, 0}, {}}));
    QVERIFY(queue.push({0, 0, AwtCross, {4, 0, 0}, {}}));
    QCOMPARE(queue.size(), std::size_t(3));
    // A command for the port after its frame keeps its place: the next frame goes behind it.
    QVERIFY(queue.push({0, 1, AwtLighting, {}, {}}));
    QVERIFY(queue.push({0, 1, AwtCross, {5, 0, 0}, {}}));
    QCOMPARE(queue.size(), std::size_t(5));
    const std::vector<std::pair<int, int>> order{
        {AwtCross, 4}, {AwtCross, 2}, {AwtCross, 3}, {AwtLighting, 0}, {AwtCross, 5}};
    for (const auto& [type, value] : order) {
        const auto next = take();
        QVERIFY(next);
        QCOMPARE(next->type, type);
        QCOMPARE(next->values[0], value);
    }
    QVERIFY(queue.empty());

    // Full of user commands: a frame for a port with none waiting is refused, one that replaces a
    // waiting frame is not, and user commands always get in.
    QVERIFY(queue.push({0, 1, AwtCross, {6, 0, 0}, {}}));
    while (queue.size() < AwtCommandQueue::kMaxCommands)
        QVERIFY(queue.push({2, 0, AwtSave, {}, {}}));
    QVERIFY(!queue.push({3, 0, AwtCross, {}, {}}));
    QVERIFY(queue.push({0, 1, AwtCross, {7, 0, 0}, {}}));
    QVERIFY(queue.push({0, 0, AwtSave, {}, {}}));
    QCOMPARE(queue.size(), AwtCommandQueue::kMaxCommands + 1);
    QCOMPARE(take()->values[0], 7);
}

void AwtFramesTest::queueMergesPiledUpSpeeds() {
    AwtCommandQueue queue;
    auto take = [&queue] {
        return queue.takeNext([](const AwtCommand&) { return AwtCommandQueue::Verdict::Run; },
                              [](const AwtCommand&) {});
    };
    // Speeds for a port pile up while the chip is busy: the newest takes the waiting one's place, even
    // past the port's frames; another port's speed is its own.
    QVERIFY(queue.push({0, 1, AwtFanSpeed, {40, 0, 0}, {}}));
    QVERIFY(queue.push({0, 1, AwtCross, {1, 0, 0}, {}}));
    QVERIFY(queue.push({0, 2, AwtFanSpeed, {45, 0, 0}, {}}));
    QVERIFY(queue.push({0, 1, AwtFanSpeed, {60, 0, 0}, {}}));
    QVERIFY(queue.push({1, 1, AwtFanSpeed, {70, 0, 0}, {}}));
    QCOMPARE(queue.size(), std::size_t(4));
    // A user command for the port in between keeps both speeds, in order; reads and saves never merge.
    QVERIFY(queue.push({0, 1, AwtTurnOff, {}, {}}));
    QVERIFY(queue.push({0, 1, AwtFanSpeed, {80, 0, 0}, {}}));
    QVERIFY(queue.push({0, 0, AwtReadSpeeds, {}, {}}));
    QVERIFY(queue.push({0, 0, AwtReadSpeeds, {}, {}}));
    const std::vector<std::pair<int, int>> order{{AwtFanSpeed, 60},  {AwtCross, 1},     {AwtFanSpeed, 45},
                                                 {AwtFanSpeed, 70},  {AwtTurnOff, 0},   {AwtFanSpeed, 80},
                                                 {AwtReadSpeeds, 0}, {AwtReadSpeeds, 0}};
    for (const auto& [type, value] : order) {
        const auto next = take();
        QVERIFY(next);
        QCOMPARE(next->type, type);
        QCOMPARE(next->values[0], value);
    }
    QVERIFY(queue.empty());
}

void AwtFramesTest::presenceCounts() {
    PresenceString counts;
    counts.setCount(3, 2);
    counts.setCount(4, 14);
    counts.setCount(-1, 1);
    QCOMPARE(counts.text(), QStringLiteral("0002900000000000"));
    QVERIFY(counts.isPresent(3));
    QVERIFY(!counts.isPresent(2));
    // A box counted by two chips still gets its Device.ini group.
    const GroupMap groups = deviceGroupMap(
        {QStringLiteral("1000000000000000"), counts.text()},
        [](int box) {
            return KeyMap{{"Box", QString::number(box)}};
        },
        ApplicationSettingsValues{});
    QVERIFY(groups.contains(deviceGroupName(0)));
    QVERIFY(groups.contains(deviceGroupName(3)));
    QVERIFY(groups.contains(deviceGroupName(4)));
    QVERIFY(!groups.contains(deviceGroupName(2)));
}

QTEST_APPLESS_MAIN(AwtFramesTest)
#include "tst_awtframes.moc"
