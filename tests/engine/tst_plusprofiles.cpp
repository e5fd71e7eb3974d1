#include "ApplicationSettings.h"
#include "EngineRig.h"
#include "ZynePlusCommandHelper.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

using namespace zyne;
using zyne::testing::EngineRig;
using zyne::testing::reportByte;
using zyne::testing::settle;

namespace {
void writeFile(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Lighting reports (32 52) and save commands (32 53) written to a box.
std::vector<QByteArray> reportsOfKind(const EngineRig& rig, int box, unsigned char kind) {
    std::vector<QByteArray> found;
    for (const auto& report : rig.reportsTo(box)) {
        if (reportByte(report, 0) == 0x32 && reportByte(report, 1) == kind)
            found.push_back(report);
    }
    return found;
}

QByteArray profileGroup(int lightMode, int lightSpeed, int colorMode, int red) {
    QByteArray reds;
    for (int i = 0; i < 13; ++i)
        reds += QByteArray::number(red) + (i < 12 ? "," : "");
    return "RColor=\"" + reds +
           "\"\nGColor=\"0,0,0,0,0,0,0,0,0,0,0,0,0\"\nBColor=\"0,0,0,0,0,0,0,0,0,0,0,0,0\"\n" +
           "Bright=\"1,1,1,1,1,1,1,1,1,1,1,1,0.5\"\nSpeed_Per=3\nSpeed_Num=4\nSpeedMode=0\nPWM=0\n" +
           "colorMode=" + QByteArray::number(colorMode) + "\nlightMode=" + QByteArray::number(lightMode) +
           "\nlightSpeed=" + QByteArray::number(lightSpeed) + "\nisTurnOffLed=0\n";
}
} // namespace

class PlusProfilesTest : public QObject {
    Q_OBJECT
private slots:
    void freshInstallation();
    void startsWithSavedProfile();
    void savingReloadsEveryBoxOnTheProfile();
    void selectingNeverSavedProfileLoadsDefaults();
    void deviceRecordChangesRewritePresentBoxesOnly();
    void badProfileCommandsAreRefused();
};

void PlusProfilesTest::freshInstallation() {
    EngineRig rig(R"({"plus": [{"index": 0}]})");
    ZynePlusCommandHelper engine;
    settle(engine);
    const auto settings = ApplicationSettings::get();
    QVERIFY(settings.autoUpdate);
    QVERIFY(settings.isAutoRun);
    QVERIFY(!settings.openPassword);
    QCOMPARE(settings.password, QStringLiteral("5173"));

    // Every port shows the default profile: Whirl at speed 3 around the colour wheel.
    const auto lighting = reportsOfKind(rig, 0, 0x52);
    QCOMPARE(lighting.size(), std::size_t(5));
    for (int p = 0; p < 5; ++p) {
        QCOMPARE(reportByte(lighting[p], 2), p + 1);
        QCOMPARE(reportByte(lighting[p], 3), 23);
        // LED 0 is azure (0, 127, 255), sent green first.
        QCOMPARE(lighting[p].mid(5, 3), QByteArray("\x7f\x00\xff", 3));
    }
    QVERIFY(!QFile::exists(rig.settingsFolder() + "/Device.ini"));
}

void PlusProfilesTest::startsWithSavedProfile() {
    EngineRig rig(R"({"plus": [{"index": 0}]})");
    writeFile(rig.settingsFolder() + "/Device.ini",
              "[Device0]\nBoxType=1\nProfile=2\nMonitor=\"1,0\"\nFanType=\"0,1\"\nFanName=\"Top,Pump\"\n");
    writeFile(rig.settingsFolder() + "/ZynePlus/Profile2.ini",
              "[Fan0]\n" + profileGroup(3, 1, 0, 200) + "[Fan1]\n" + profileGroup(6, 0, 0, 100) + "[Fan2]\n" +
                  profileGroup(7, 2, 1, 50) + "[Fan3]\n" + profileGroup(0, 2, 0, 0) + "[Fan4]\n" +
                  profileGroup(1, 0, 0, 0));
    ZynePlusCommandHelper engine;
    settle(engine);

    // Main is missing from the file: nothing defaults.
    const auto settings = ApplicationSettings::get();
    QVERIFY(!settings.autoUpdate);
    QVERIFY(!settings.isAutoRun);
    QCOMPARE(settings.password, QString());

    const ControllerBox& box = engine.box(0);
    QCOMPARE(box.Profile, 2);
    QCOMPARE(box.currentProfile, 2);
    QVERIFY(!box.rainbowFan[1].Monitor);
    QVERIFY(box.rainbowFan[2].Monitor);
    QCOMPARE(box.rainbowFan[1].FanType, 1);
    QCOMPARE(box.rainbowFan[1].FanName, QStringLiteral("Pump"));
    QCOMPARE(box.rainbowFan[4].FanName, QStringLiteral("Name"));

    const auto lighting = reportsOfKind(rig, 0, 0x52);
    QCOMPARE(lighting.size(), std::size_t(5));
    QCOMPARE(reportByte(lighting[0], 3), 13); // Blink at speed 1
    QCOMPARE(lighting[0].mid(5, 3), QByteArray("\x00\xc8\x00", 3));
    QCOMPARE(reportByte(lighting[1], 3), 0x18); // Light on a pump head: LED 1's colour at 0 and 6
    QCOMPARE(lighting[1].mid(5 + 18, 3), QByteArray("\x00\x64\x00", 3));
    // The copying port shows port 0's Blink with port 0's colour mode and speed.
    QCOMPARE(reportByte(lighting[2], 3), 13);
    QCOMPARE(box.rainbowFan[2].copyLightMode, 3);
    // Fixed speeds from the profile (PWM off, level 4).
    const auto speeds = reportsOfKind(rig, 0, 0x51);
    QCOMPARE(speeds.size(), std::size_t(5));
    QCOMPARE(reportByte(speeds[0], 5) + 256 * reportByte(speeds[0], 6), 800);
}

void PlusProfilesTest::savingReloadsEveryBoxOnTheProfile() {
    EngineRig rig(R"({"plus": [{"index": 0}, {"index": 3}, {"index": 4}]})");
    writeFile(
        rig.settingsFolder() + "/Device.ini",
        "[Device3]\nProfile=2\n[Device4]\nProfile=1\n[Device9]\nBoxType=1\nProfile=5\nFanName=\"Kept\"\n");
    ZynePlusCommandHelper engine;
    settle(engine);
    engine.changeLightMode(0, 1, 4, 0, 2, false);
    settle(engine);
    engine.fanRecord(0, 1).RColor[0] = 77;
    settle(engine);
    engine.fanRecord(0, 1).Bright[0] = 0.5f;
    settle(engine);
    QSignalSpy profileShown(&engine, &ZynePlusCommandHelper::sendResetMainViewProfile);
    rig.forget();

    engine.setSaveProfile(0, 2);
    settle(engine);
    QCOMPARE(profileShown.count(), 1);
    QCOMPARE(profileShown.at(0).at(0).toInt(), 2);

    // Box 3 shares profile 2: it now shows box 0's port 2 and was told to keep it.
    QCOMPARE(engine.box(3).rainbowFan[1].lightMode, 4);
    QCOMPARE(engine.box(3).rainbowFan[1].RColor[0], 77);
    const auto box3Lighting = reportsOfKind(rig, 3, 0x52);
    QCOMPARE(box3Lighting.size(), std::size_t(5));
    QCOMPARE(reportByte(box3Lighting[1], 3), 18);
    QCOMPARE(box3Lighting[1].mid(5, 3).at(1), char(38)); // 77 × 0.5
    QCOMPARE(reportsOfKind(rig, 3, 0x53).size(), std::size_t(1));
    QCOMPARE(reportsOfKind(rig, 0, 0x53).size(), std::size_t(1));
    // Box 4 stays on profile 1 and hears nothing.
    QVERIFY(rig.reportsTo(4).empty());

    const QByteArray profile = readFile(rig.settingsFolder() + "/ZynePlus/Profile2.ini");
    QVERIFY(profile.contains("Bright=\"0.5,1,1,1,1,1,1,1,1,1,1,1,1\""));
    const QByteArray device = readFile(rig.settingsFolder() + "/Device.ini");
    QVERIFY(device.contains("[Device0]"));
    QVERIFY(device.contains("[Main]"));
    QVERIFY(device.contains("[Device9]\nBoxType=1\nFanName=\"Kept\"\nProfile=5\n")); // absent: left as it was
    QVERIFY(!device.contains("[Device1]"));
}

void PlusProfilesTest::selectingNeverSavedProfileLoadsDefaults() {
    EngineRig rig(R"({"plus": [{"index": 0}]})");
    ZynePlusCommandHelper engine;
    settle(engine);
    engine.changeLightMode(0, 0, 1, 0, 0, true);
    settle(engine);
    rig.forget();
    engine.setSelectProfile(0, 4);
    settle(engine);
    QCOMPARE(engine.box(0).currentProfile, 4);
    QCOMPARE(engine.box(0).Profile, 1);
    QCOMPARE(engine.box(0).rainbowFan[0].lightMode, 5);
    QVERIFY(!engine.box(0).rainbowFan[0].isTurnOffLed);
    QCOMPARE(reportsOfKind(rig, 0, 0x52).size(), std::size_t(5));
    QVERIFY(!QFile::exists(rig.settingsFolder() + "/Device.ini"));
    QVERIFY(!QFile::exists(rig.settingsFolder() + "/ZynePlus/Profile4.ini"));
}

void PlusProfilesTest::deviceRecordChangesRewritePresentBoxesOnly() {
    EngineRig rig(R"({"plus": [{"index": 1}]})");
    writeFile(rig.settingsFolder() + "/Device.ini", "[Device7]\nMonitor=\"0,0,0,0,0\"\n");
    ZynePlusCommandHelper engine;
    settle(engine);
    rig.forget();
    engine.receivePlusMonitor(1, 2, false);
    settle(engine);
    engine.receivePlusFanType(1, 0, 3);
    settle(engine);
    engine.receiveBB(1, 4, QStringLiteral("Front, left"));
    settle(engine);
    QVERIFY(rig.reportsTo(1).empty()); // records only: nothing goes to the controller
    const QByteArray device = readFile(rig.settingsFolder() + "/Device.ini");
    QVERIFY(device.contains("[Device1]"));
    QVERIFY(device.contains("Monitor=\"1,1,0,1,1\""));
    QVERIFY(device.contains("FanType=\"3,0,0,0,0\""));
    QVERIFY(device.contains("[Device7]\nMonitor=\"0,0,0,0,0\""));
    QVERIFY(device.contains("[Main]"));

    // The name with a comma comes back whole, and every other port keeps its own.
    EngineRig again(R"({"plus": [{"index": 1}]})");
    writeFile(again.settingsFolder() + "/Device.ini", device);
    ZynePlusCommandHelper reloaded;
    zyne::testing::settle(reloaded);
    QCOMPARE(reloaded.box(1).rainbowFan[4].FanName.size(), QStringLiteral("Front, left").size());
    QCOMPARE(reloaded.box(1).rainbowFan[3].FanName, QStringLiteral("Name"));
    QCOMPARE(reloaded.box(1).rainbowFan[0].FanType, 3);
    QVERIFY(!reloaded.box(1).rainbowFan[2].Monitor);
}

void PlusProfilesTest::badProfileCommandsAreRefused() {
    EngineRig rig(R"({"plus": [{"index": 0}]})");
    ZynePlusCommandHelper engine;
    settle(engine);
    rig.forget();
    engine.setSaveProfile(0, 6);
    settle(engine);
    engine.setSaveProfile(16, 1);
    settle(engine);
    engine.setSelectProfile(0, 0);
    settle(engine);
    engine.receivePlusFanType(0, 0, 8);
    settle(engine);
    engine.receivePlusMonitor(0, 5, false);
    settle(engine);
    engine.receiveBB(-1, 0, QStringLiteral("x"));
    settle(engine);
    QVERIFY(rig.reportsTo(0).empty());
    QVERIFY(!QFile::exists(rig.settingsFolder() + "/Device.ini"));
}

QTEST_GUILESS_MAIN(PlusProfilesTest)
#include "tst_plusprofiles.moc"
