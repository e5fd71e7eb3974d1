// Private window messages as the running program handles them.
#include "ApplicationSettings.h"
#include "EngineRig.h"
#include "MainView.h"
#include "PresenceString.h"
#include "RainbowFan.h"
#include "SelectedBox.h"
#include "VxZyneRainbow.h"
#include "WindowMessageRouter.h"
#include "WindowSettle.h"
#include "ZynePlusCommandHelper.h"

#include <QAbstractButton>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

using namespace zyne;
using zyne::testing::EngineRig;

namespace {
QByteArray deviceIni(const EngineRig& rig) {
    QFile file(rig.settingsFolder() + QStringLiteral("/Device.ini"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
// Entries 7, 8 and 9 of the settings menu: auto update, password lock, password.
QAbstractButton* settingsEntry(VxZyneRainbow& window, int entry) {
    return window.mainView()->findChild<QAbstractButton*>(QStringLiteral("MutiLang%1").arg(entry));
}
} // namespace

class WindowMessagesTest : public QObject {
    Q_OBJECT
private slots:
    void passwordIsFourDigits_data();
    void passwordIsFourDigits();
    void switchesAreStored();
    void boxChangeOnlyToAPresentBox();
    void profileNumber();
    void unknownMessagesAreNotHandled();
    void plusViewMessagesTakeTheControlsPath();
    void colourModeMessagesKeepThePickerRules_data();
    void colourModeMessagesKeepThePickerRules();
};

void WindowMessagesTest::passwordIsFourDigits_data() {
    QTest::addColumn<quint32>("wParam");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("locked");
    QTest::newRow("below 1000") << 42u << "0042" << true;
    QTest::newRow("four digits") << 9999u << "9999" << true;
    QTest::newRow("zero unlocks") << 0u << "0000" << false;
    // Five digits can't be typed into the lock: the stored password stays.
    QTest::newRow("five digits") << 10000u << "5173" << false;
    QTest::newRow("largest word") << 0xFFFFFFFFu << "5173" << false;
}

void WindowMessagesTest::passwordIsFourDigits() {
    QFETCH(quint32, wParam);
    QFETCH(QString, password);
    QFETCH(bool, locked);
    EngineRig rig(R"({"plus": [{"index": 0}]})");
    ApplicationSettings::set({});
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    window.receiveWindowMessage(0x8104, wParam, 0);
    QCOMPARE(ApplicationSettings::get().password, password);
    QCOMPARE(ApplicationSettings::get().openPassword, locked);
    if (password != QLatin1String("5173"))
        QVERIFY(deviceIni(rig).contains("Password=" + password.toLatin1()));
    // The settings menu shows it without a restart.
    QVERIFY(settingsEntry(window, 9)->text().endsWith(QLatin1Char(':') + password));
    QCOMPARE(settingsEntry(window, 8)->isChecked(), locked);
}

void WindowMessagesTest::switchesAreStored() {
    EngineRig rig(R"({"plus": [{"index": 0}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    window.receiveWindowMessage(0x8102, 1, 0);
    window.receiveWindowMessage(0x8103, 7, 0);
    QVERIFY(ApplicationSettings::get().autoUpdate);
    QVERIFY(ApplicationSettings::get().openPassword);
    QVERIFY(deviceIni(rig).contains("AutoUpdate=1"));
    QVERIFY(settingsEntry(window, 7)->isChecked());
    QCOMPARE(settingsEntry(window, 7)->text(), QStringLiteral("Auto Update On"));
    QVERIFY(settingsEntry(window, 8)->isChecked());
    QCOMPARE(settingsEntry(window, 8)->text(), QStringLiteral("Password On"));
    window.receiveWindowMessage(0x8102, 0, 0);
    window.receiveWindowMessage(0x8103, 0, 0);
    QVERIFY(!ApplicationSettings::get().autoUpdate);
    QVERIFY(deviceIni(rig).contains("AutoUpdate=0"));
    QVERIFY(!settingsEntry(window, 7)->isChecked());
    QCOMPARE(settingsEntry(window, 8)->text(), QStringLiteral("Password Off"));
}

void WindowMessagesTest::boxChangeOnlyToAPresentBox() {
    EngineRig rig(R"({"plus": [{"index": 0}, {"index": 4}], "classic": [{"index": 6}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    QSignalSpy firmware(&window, &VxZyneRainbow::sendPlusGetFirmware);
    QCOMPARE(selectedBox(), 0);
    window.receiveWindowMessage(0x8106, 4, 0);
    QCOMPARE(selectedBox(), 4);
    QCOMPARE(firmware.count(), 1);
    QCOMPARE(firmware.first().first().toInt(), 4);
    for (quint32 absent : {2u, 16u, 0xFFFFFFFFu}) {
        window.receiveWindowMessage(0x8106, absent, 0);
        QCOMPARE(selectedBox(), 4);
    }
    // A classic box is selected without asking the Plus engine.
    classicPresenceStr().setPresent(6, true);
    window.receiveWindowMessage(0x8106, 6, 0);
    QCOMPARE(selectedBox(), 6);
    QCOMPARE(firmware.count(), 1);
    classicPresenceStr().setPresent(6, false);
    setSelectedBox(0);
}

void WindowMessagesTest::profileNumber() {
    EngineRig rig(R"({"plus": [{"index": 0}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    QCOMPARE(window.currentProfile(), 1);
    window.receiveWindowMessage(0x8107, 4, 0);
    QCOMPARE(window.currentProfile(), 5);
    window.receiveWindowMessage(0x8107, 5, 0);
    window.receiveWindowMessage(0x8107, 0xFFFFFFFFu, 0);
    QCOMPARE(window.currentProfile(), 5);
}

void WindowMessagesTest::unknownMessagesAreNotHandled() {
    EngineRig rig(R"({"plus": [{"index": 0}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    WindowMessageRouter router(window);
    QVERIFY(!router.route(0x8100, 1, 1));
    QVERIFY(!router.route(0x8127, 1, 1));
    QVERIFY(!router.route(0, 0, 0));
    QVERIFY(router.route(0x8108, 1, 1));
    QVERIFY(router.route(0x8122, 3, 99)); // no Plus view 99: logged
    QCOMPARE(selectedBox(), 0);
}

void WindowMessagesTest::plusViewMessagesTakeTheControlsPath() {
    EngineRig rig(R"({"plus": [{"index": 0}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    ui::RainbowFan* first = window.mainView()->plusView(0);
    ui::RainbowFan* second = window.mainView()->plusView(1);
    QSignalSpy firstSent(first, &ui::RainbowFan::sendData);
    QSignalSpy sent(second, &ui::RainbowFan::sendData);
    const auto last = [&sent] { return sent.isEmpty() ? QStringList() : sent.last().first().toStringList(); };

    // Light mode: what the picker offers the view, emitted as the picker does.
    const QString speed = QString::number(second->lightSpeed());
    window.receiveWindowMessage(0x8122, 3, 1);
    QCOMPARE(last(), QStringList({"btn_done", "1", "3", speed, "0"}));
    window.receiveWindowMessage(0x8122, 7, 1);
    QCOMPARE(last(), QStringList({"btn_copy", "1", "7", speed, "0"}));
    window.receiveWindowMessage(0x8122, 8, 1);
    QCOMPARE(last().first(), QStringLiteral("btn_music"));
    window.receiveWindowMessage(0x8122, 3, 1);
    const int firstMode = first->lightMode();
    // Copy is not offered on port 0, nor modes that only effects set.
    window.receiveWindowMessage(0x8122, 7, 0);
    window.receiveWindowMessage(0x8122, 16, 0);
    window.receiveWindowMessage(0x8122, 0xFFFFFFFFu, 0);
    QVERIFY(firstSent.isEmpty());
    QCOMPARE(first->lightMode(), firstMode);

    // LED selection: base-2 digits, digit i for LED i.
    window.receiveWindowMessage(0x8120, 0b101, 1);
    QCOMPARE(last(), QStringList({"selectLEDBtn", "1", "000000000101"}));
    QCOMPARE(second->selectLED(), QStringLiteral("000000000101"));
    const int before = sent.count();
    window.receiveWindowMessage(0x8120, 1u << 12, 1);
    QCOMPARE(second->selectLED(), QStringLiteral("000000000101"));

    // Brightness of the selected LEDs, through the slider.
    window.receiveWindowMessage(0x8117, 5, 1);
    QCOMPARE(last().first(), QStringLiteral("slider_Light"));
    const QStringList factors = last().last().split(QLatin1Char(','));
    QCOMPARE(factors.size(), 13);
    QCOMPARE(factors.at(9), QStringLiteral("0.5"));
    QCOMPARE(factors.at(11), QStringLiteral("0.5"));
    QVERIFY(factors.at(10) != QStringLiteral("0.5"));
    window.receiveWindowMessage(0x8117, 11, 1);

    // Colour mode and light speed.
    window.receiveWindowMessage(0x8124, 3, 1);
    QCOMPARE(sent.count(), before + 1);
    window.receiveWindowMessage(0x8124, 1, 1);
    QCOMPARE(last(), QStringList({"btn_done", "1", "3", speed, "1"}));
    QCOMPARE(second->selectLED(), QStringLiteral("111111111111"));
    window.receiveWindowMessage(0x8126, 0, 1);
    QCOMPARE(last(), QStringList({"btn_done", "1", "3", "0", "1"}));
    window.receiveWindowMessage(0x8126, 4, 1);
    window.receiveWindowMessage(0x8125, 1, 1); // right from 0 goes to 3
    QCOMPARE(last(), QStringList({"btn_done", "1", "3", "3", "1"}));
    window.receiveWindowMessage(0x8125, 0, 1);
    QCOMPARE(last(), QStringList({"btn_done", "1", "3", "0", "1"}));
    QCOMPARE(sent.count(), before + 5);
    QVERIFY(firstSent.isEmpty());
}

void WindowMessagesTest::colourModeMessagesKeepThePickerRules_data() {
    QTest::addColumn<quint32>("lightMode");
    QTest::addColumn<quint32>("colorMode");
    QTest::addColumn<bool>("taken");
    QTest::newRow("Whirl stays RGB") << 5u << 1u << false;
    QTest::newRow("Whirl not OFF") << 5u << 2u << false;
    QTest::newRow("Snake goes OFF") << 0u << 2u << true;
    QTest::newRow("Snake not Single") << 0u << 1u << false;
    QTest::newRow("Radar goes Single") << 2u << 1u << true;
    QTest::newRow("Radar not OFF") << 2u << 2u << false;
    QTest::newRow("Blink toggles to Single") << 3u << 1u << true;
    QTest::newRow("Blink not OFF") << 3u << 2u << false;
    // Copy follows port 0, here in Whirl.
    QTest::newRow("Copy of Whirl stays RGB") << 7u << 1u << false;
}

void WindowMessagesTest::colourModeMessagesKeepThePickerRules() {
    QFETCH(quint32, lightMode);
    QFETCH(quint32, colorMode);
    QFETCH(bool, taken);
    EngineRig rig(R"({"plus": [{"index": 0}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    window.receiveWindowMessage(0x8122, 5, 0);
    window.receiveWindowMessage(0x8122, lightMode, 1);
    ui::RainbowFan* view = window.mainView()->plusView(1);
    QCOMPARE(view->lightMode(), int(lightMode));
    const int before = view->colorMode();
    QSignalSpy sent(view, &ui::RainbowFan::sendData);
    zyne::testing::settle(*window.plusEngine());
    rig.forget();
    window.receiveWindowMessage(0x8124, colorMode, 1);
    zyne::testing::settle(*window.plusEngine());
    const int expected = taken ? int(colorMode) : before;
    QCOMPARE(view->colorMode(), expected);
    QCOMPARE(window.plusEngine()->box(0).rainbowFan[1].colorMode, expected);
    QCOMPARE(sent.count(), taken ? 1 : 0);
    QCOMPARE(rig.reportsTo(0).empty(), !taken);
}

QTEST_MAIN(WindowMessagesTest)
#include "tst_windowmessages.moc"
