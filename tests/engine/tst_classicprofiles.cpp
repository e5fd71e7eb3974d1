#include "ApplicationSettings.h"
#include "EngineRig.h"
#include "PresenceString.h"
#include "PowerSupplyApp.h"
#include "ProcessValues.h"
#include "SelectedBox.h"
#include "ZyneCommandHelper.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

using namespace zyne;
using zyne::testing::EngineRig;

namespace {
QStringList heads(const std::vector<QByteArray>& reports) {
    QStringList out;
    for (const QByteArray& report : reports)
        out << QString::fromLatin1(report.mid(1, 7).toHex());
    return out;
}

bool writeFile(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void setSync(bool on) {
    ApplicationSettingsValues values = ApplicationSettings::get();
    values.isSyncPwrix = on;
    ApplicationSettings::set(values);
}
} // namespace

class ClassicProfilesTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        for (int b = 0; b < kBoxCount; ++b) {
            checkControllerStr().setPresent(b, false);
            classicPresenceStr().setPresent(b, false);
        }
        setSelectedBox(0);
    }

    void enumerationLoadsTheSavedProfileWithinRange();
    void saveReloadsEveryBoxOnTheProfile();
    void selectLoadsWithoutWritingDeviceRecords();
    void powerSupplyHearsOnlyWhenSynchronised();
    void runsOnItsOwnThreadAndStopsBetweenReports();
};

void ClassicProfilesTest::enumerationLoadsTheSavedProfileWithinRange() {
    EngineRig rig(R"({"classic": [{"index": 2}]})");
    const QString folder = rig.settingsFolder();
    QVERIFY(writeFile(folder + "/Device.ini", "[Device2]\nBoxType=1\nProfile=3\nZyneMonitor=\"1,0,1\"\n"));
    QVERIFY(writeFile(folder + "/Zyne/Zyne Profile3.ini",
                      "[Fan0]\nRColor=300\nGColor=10\nBColor=20\nBright=0.5\nSpeed=4\nSpeedMode=0\nPWM=0\n"
                      "lightMode=9\nisTurnOffLed=0\n"
                      "[Fan1]\nlightMode=1\n"
                      "[Fan2]\nRColor=1\nBright=7\nSpeed=99\nPWM=0\nisTurnOffLed=1\n"));
    ZyneCommandHelper engine;
    engine.getZyneController();

    // Each port: its fixed speed (off the curve), then its lighting. A key missing from the file
    // reads as 0; values out of range are clamped or take the default mode.
    QCOMPARE(heads(rig.classicReportsTo(2)).mid(1),
             QStringList({"32510103500000", "325201007f050a", "32510203000000", "32520201000000",
                          "32510303640000", "32520300000000"}));
    QCOMPARE(engine.box(2).Profile, 3);
    QCOMPARE(engine.box(2).fans[2].Speed, 5);
    QCOMPARE(engine.box(2).fans[2].Bright, 1.0f);
    QVERIFY(!engine.box(2).fans[1].Monitor);
}

void ClassicProfilesTest::saveReloadsEveryBoxOnTheProfile() {
    EngineRig rig(R"({"classic": [{"index": 0}, {"index": 3}, {"index": 5}]})");
    const QString folder = rig.settingsFolder();
    QVERIFY(writeFile(folder + "/Device.ini", "[Device3]\nProfile=2\n[Device5]\nProfile=1\n"));
    ZyneCommandHelper engine;
    engine.getZyneController();
    engine.receiveRGBData(0, 0, 0, 255, 1.0f, 1);
    engine.receiveZyneMonitor(0, 2, false);
    QSignalSpy profileShown(&engine, &ZyneCommandHelper::sendResetMainViewProfile);
    rig.forget();

    engine.receiveZyneSave(0, 2);
    QCOMPARE(profileShown.count(), 1);
    QCOMPARE(profileShown.at(0).at(0).toInt(), 2);
    const QByteArray profile = readFile(folder + "/Zyne/Zyne Profile2.ini");
    QVERIFY2(profile.contains("[Fan1]") && profile.contains("BColor=255"), profile.constData());
    const QByteArray devices = readFile(folder + "/Device.ini");
    QVERIFY2(devices.contains("ZyneMonitor=\"1,1,0\"") || devices.contains("ZyneMonitor=1,1,0"),
             devices.constData());
    QVERIFY(devices.contains("[Device5]"));
    QVERIFY(!devices.contains("[Device4]"));
    // Box 3 shares profile 2 and shows box 0's blue on its port 2; box 5 is left alone.
    QVERIFY(heads(rig.classicReportsTo(3)).contains(QStringLiteral("325202000000ff")));
    QVERIFY(rig.classicReportsTo(5).empty());
    QCOMPARE(engine.box(3).fans[2].Monitor, true);
}

void ClassicProfilesTest::selectLoadsWithoutWritingDeviceRecords() {
    EngineRig rig(R"({"classic": [{"index": 1}]})");
    ZyneCommandHelper engine;
    engine.getZyneController();
    engine.receiveRGBData(1, 1, 2, 3, 1.0f, 0);
    setSelectedBox(1);
    QSignalSpy redraw(&engine, &ZyneCommandHelper::sendResetMainView);

    engine.receiveZyneSelectProfile(1, 4);
    QCOMPARE(engine.box(1).currentProfile, 4);
    QCOMPARE(engine.box(1).Profile, 1);
    QCOMPARE(engine.box(1).fans[0].RColor, 255);
    QCOMPARE(redraw.count(), 3);
    QVERIFY(!QFile::exists(rig.settingsFolder() + "/Device.ini"));
    // Missing profiles read as the defaults; reading them creates no file.
    QVERIFY(!QFileInfo::exists(rig.settingsFolder() + "/Zyne"));
    engine.receiveZyneSelectProfile(1, 6);
    QCOMPARE(engine.box(1).currentProfile, 4);
}

void ClassicProfilesTest::powerSupplyHearsOnlyWhenSynchronised() {
    EngineRig rig(R"({"classic": [{"index": 0}]})");
    ZyneCommandHelper engine;
    engine.getZyneController();
    QSignalSpy sent(&engine, &ZyneCommandHelper::operate);

    setSync(true);
    engine.receiveSocketClient(2);
    engine.receiveBright(0, 0, 0.5f);
    QCOMPARE(sent.count(), 0);
    engine.receiveSocketClient(1);
    engine.receiveBright(0, 0, 0.5f);
    engine.changeLightMode(0, 0, 2, false);
    engine.receiveSwitchLed(0, 1, true);
    setSync(false);
    engine.receiveBright(0, 0, 0.5f);
    setPowerType(0);

    QCOMPARE(sent.count(), 3);
    const auto decoded = [&](int i) {
        const QString frame = sent.at(i).at(0).toString();
        Q_ASSERT(frame.endsWith('&'));
        return QJsonDocument::fromJson(QByteArray::fromBase64(frame.chopped(1).toLatin1())).object();
    };
    const QJsonObject colour = decoded(0);
    QCOMPARE(colour["command"].toString(), QStringLiteral("3"));
    QCOMPARE(colour["Data"].toObject()["Brightness"].toString(), QStringLiteral("50"));
    QCOMPARE(colour["Data"].toObject()["gColor"].toString(), QStringLiteral("255"));
    QCOMPARE(decoded(1)["Data"].toObject()["LightMode"].toString(), QStringLiteral("4"));
    QCOMPARE(decoded(2)["Data"].toObject()["Light"].toString(), QStringLiteral("0"));
    QVERIFY(!sent.at(0).at(0).toString().contains(' '));
}

void ClassicProfilesTest::runsOnItsOwnThreadAndStopsBetweenReports() {
    EngineRig rig(R"({"classic": [{"index": 0, "rpm": [900, 800, 0]}, {"index": 1}]})");
    QThread thread;
    QPointer<ZyneCommandHelper> engine = new ZyneCommandHelper;
    engine->moveToThread(&thread);
    connect(&thread, &QThread::finished, engine, &QObject::deleteLater);
    int speeds = 0;
    connect(
        engine, &ZyneCommandHelper::sendFanSpeed, this, [&speeds] { ++speeds; }, Qt::QueuedConnection);
    thread.start();

    QMetaObject::invokeMethod(engine, &ZyneCommandHelper::getZyneController, Qt::BlockingQueuedConnection);
    for (int i = 0; i < 20; ++i) {
        if (engine->admitTick(ZyneCommandHelper::Tick::SpeedPoll))
            QMetaObject::invokeMethod(engine, [e = engine.data()] { e->sendCommandReadFanSpeed(0); });
        QMetaObject::invokeMethod(engine,
                                  [e = engine.data(), i] { e->changeLightMode(1, i % 3, i % 3, false); });
        QVERIFY(classicPresenceStr().isPresent(0));
        QTest::qWait(2);
    }
    QMetaObject::invokeMethod(engine, &ZyneCommandHelper::receiveResetViewRequest,
                              Qt::BlockingQueuedConnection);
    QTRY_VERIFY(speeds >= 3);

    // Asked to stop, the engine sends nothing more, whatever is still queued.
    thread.requestInterruption();
    const std::size_t before = rig.classicReportsTo(1).size();
    QMetaObject::invokeMethod(engine, [e = engine.data()] { e->changeLightMode(1, 0, 2, false); });
    QMetaObject::invokeMethod(engine, &ZyneCommandHelper::receiveResetViewRequest,
                              Qt::BlockingQueuedConnection);
    QCOMPARE(rig.classicReportsTo(1).size(), before);
    thread.quit();
    QVERIFY(thread.wait(5000));
    QVERIFY(engine.isNull());
}

QTEST_MAIN(ClassicProfilesTest)
#include "tst_classicprofiles.moc"
