// Alt + key hot keys, from evdev key events to the main window's sendHotKeyCommand.
#include "EngineRig.h"
#include "HotKeyHook.h"
#include "VxZyneRainbow.h"
#include "WindowSettle.h"

#include <QSignalSpy>
#include <QtTest>

#include <linux/input-event-codes.h>

using namespace zyne;
using zyne::testing::EngineRig;

namespace {
constexpr int kRelease = 0;
constexpr int kPress = 1;
constexpr int kRepeat = 2;

void tap(HotKeyHook& hook, unsigned code, int times = 1) {
    for (int i = 0; i < times; ++i) {
        hook.keyEvent(code, kPress);
        hook.keyEvent(code, kRelease);
    }
}

QList<QList<int>> commands(const QSignalSpy& spy) {
    QList<QList<int>> sent;
    for (const auto& args : spy)
        sent << QList<int>{args.at(0).toInt(), args.at(1).toInt()};
    return sent;
}
} // namespace

class HotKeysTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void countersStepAndWrap_data();
    void countersStepAndWrap();
    void altZeroChoosesTheProfile();
    void fixedCommands();
    void keysWithoutAltSendNothing();
    void heldKeyRepeatsWhileAltIsHeld();
    void anotherKeyInBetweenBlocksUntilReleased();

private:
    std::unique_ptr<EngineRig> m_rig;
    std::unique_ptr<VxZyneRainbow> m_window;
    std::unique_ptr<HotKeyHook> m_hook;
    std::unique_ptr<QSignalSpy> m_sent;
};

void HotKeysTest::init() {
    m_rig = std::make_unique<EngineRig>(R"({"plus": [{"index": 0}]})");
    m_window = std::make_unique<VxZyneRainbow>();
    QVERIFY(zyne::testing::settleWindow(*m_window));
    m_hook = std::make_unique<HotKeyHook>(*m_window);
    m_sent = std::make_unique<QSignalSpy>(m_window.get(), &VxZyneRainbow::sendHotKeyCommand);
}

void HotKeysTest::cleanup() {
    m_sent.reset();
    m_hook.reset();
    m_window.reset();
    m_rig.reset();
}

void HotKeysTest::countersStepAndWrap_data() {
    QTest::addColumn<unsigned>("key");
    QTest::addColumn<int>("command");
    QTest::addColumn<QList<int>>("values");
    QTest::newRow("Alt + 7") << unsigned(KEY_7) << 4 << QList<int>{1, 2, 3, 0, 1};
    QTest::newRow("Alt + 8") << unsigned(KEY_8) << 5 << QList<int>{1, 2, 3, 4, 5, 0, 1};
    QTest::newRow("Alt + 9") << unsigned(KEY_9) << 6 << QList<int>{1, 2, 3, 4, 0, 1};
}

void HotKeysTest::countersStepAndWrap() {
    QFETCH(unsigned, key);
    QFETCH(int, command);
    QFETCH(QList<int>, values);
    m_hook->keyEvent(KEY_LEFTALT, kPress);
    tap(*m_hook, key, values.size());
    QList<QList<int>> expected;
    for (int value : values)
        expected << QList<int>{command, value};
    QCOMPARE(commands(*m_sent), expected);
}

void HotKeysTest::altZeroChoosesTheProfile() {
    m_hook->keyEvent(KEY_RIGHTALT, kPress);
    tap(*m_hook, KEY_0, 6);
    QCOMPARE(commands(*m_sent), (QList<QList<int>>{{7, 1}, {7, 2}, {7, 3}, {7, 4}, {7, 5}, {7, 1}}));
    QCOMPARE(m_window->currentProfile(), 1);
    tap(*m_hook, KEY_0);
    QCOMPARE(m_window->currentProfile(), 2);
}

void HotKeysTest::fixedCommands() {
    m_hook->keyEvent(KEY_LEFTALT, kPress);
    tap(*m_hook, KEY_PAGEUP);
    tap(*m_hook, KEY_PAGEDOWN);
    tap(*m_hook, KEY_HOME);
    tap(*m_hook, KEY_END);
    QCOMPARE(commands(*m_sent), (QList<QList<int>>{{0, 0}, {1, 0}, {2, 0}, {3, 0}}));
}

void HotKeysTest::keysWithoutAltSendNothing() {
    tap(*m_hook, KEY_7);
    tap(*m_hook, KEY_PAGEUP);
    // Alt released clears both names: 7 afterwards is plain typing.
    m_hook->keyEvent(KEY_LEFTALT, kPress);
    m_hook->keyEvent(KEY_LEFTALT, kRelease);
    tap(*m_hook, KEY_7);
    QCOMPARE(m_sent->count(), 0);
}

void HotKeysTest::heldKeyRepeatsWhileAltIsHeld() {
    m_hook->keyEvent(KEY_LEFTALT, kPress);
    m_hook->keyEvent(KEY_HOME, kPress);
    m_hook->keyEvent(KEY_HOME, kRepeat);
    m_hook->keyEvent(KEY_HOME, kRepeat);
    QCOMPARE(m_sent->count(), 3);
    // Alt let go first: the held key no longer counts.
    m_hook->keyEvent(KEY_LEFTALT, kRelease);
    m_hook->keyEvent(KEY_HOME, kRepeat);
    m_hook->keyEvent(KEY_HOME, kRelease);
    QCOMPARE(m_sent->count(), 3);
}

void HotKeysTest::anotherKeyInBetweenBlocksUntilReleased() {
    m_hook->keyEvent(KEY_LEFTALT, kPress);
    m_hook->keyEvent(KEY_A, kPress);
    tap(*m_hook, KEY_END); // the second key is still A
    QCOMPARE(m_sent->count(), 0);
    m_hook->keyEvent(KEY_A, kRelease);
    tap(*m_hook, KEY_END);
    QCOMPARE(commands(*m_sent), (QList<QList<int>>{{3, 0}}));
}

QTEST_MAIN(HotKeysTest)
#include "tst_hotkeys.moc"
