// Private window messages as the running program handles them.
#include "ApplicationSettings.h"
#include "EngineRig.h"
#include "PresenceString.h"
#include "SelectedBox.h"
#include "VxZyneRainbow.h"
#include "WindowMessageRouter.h"

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
    window.receiveWindowMessage(0x8104, wParam, 0);
    QCOMPARE(ApplicationSettings::get().password, password);
    QCOMPARE(ApplicationSettings::get().openPassword, locked);
    if (password != QLatin1String("5173"))
        QVERIFY(deviceIni(rig).contains("Password=" + password.toLatin1()));
}

void WindowMessagesTest::switchesAreStored() {
    EngineRig rig(R"({"plus": [{"index": 0}]})");
    VxZyneRainbow window;
    window.receiveWindowMessage(0x8102, 1, 0);
    window.receiveWindowMessage(0x8103, 7, 0);
    QVERIFY(ApplicationSettings::get().autoUpdate);
    QVERIFY(ApplicationSettings::get().openPassword);
    QVERIFY(deviceIni(rig).contains("AutoUpdate=1"));
    window.receiveWindowMessage(0x8102, 0, 0);
    QVERIFY(!ApplicationSettings::get().autoUpdate);
    QVERIFY(deviceIni(rig).contains("AutoUpdate=0"));
}

void WindowMessagesTest::boxChangeOnlyToAPresentBox() {
    EngineRig rig(R"({"plus": [{"index": 0}, {"index": 4}], "classic": [{"index": 6}]})");
    VxZyneRainbow window;
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
    WindowMessageRouter router(window);
    QVERIFY(!router.route(0x8100, 1, 1));
    QVERIFY(!router.route(0x8127, 1, 1));
    QVERIFY(!router.route(0, 0, 0));
    QVERIFY(router.route(0x8108, 1, 1));
    QVERIFY(router.route(0x8122, 3, 99)); // no Plus view 99: logged
    QCOMPARE(selectedBox(), 0);
}

QTEST_MAIN(WindowMessagesTest)
#include "tst_windowmessages.moc"
