// Scripts and demo shows through the main window: the main view's script file, scripts named by the
// mobile app, the script timer's interval, and the demo shows of command 18.
#include "EffectTimers.h"
#include "EngineRig.h"
#include "MainView.h"
#include "VxZyneRainbow.h"
#include "WindowSettle.h"
#include "ZynePlusCommandHelper.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace zyne;
using zyne::testing::EngineRig;

namespace {
constexpr char kOneBox[] = R"({"plus": [{"index": 0}]})";

QByteArray scriptFile(int frames, int frequency) {
    QByteArray ini = "[Config]\nCount=" + QByteArray::number(frames) + "\nFrequency=" +
                     QByteArray::number(frequency) + "\n[Data]\n";
    for (int i = 0; i < frames; ++i)
        ini += QByteArray::number(i) + "=" +
               QByteArray(R"({"Controller":[{"ControllerNum":0,"Fan0":{"R":[1]}}]})").toBase64() + "\n";
    return ini;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QTimer* timer(VxZyneRainbow& window, const char* name) {
    return window.findChild<QTimer*>(QLatin1String(name));
}

QVariantMap voice(const QString& text) {
    return QVariantMap{{QStringLiteral("command"), 18},
                       {QStringLiteral("Data"), QVariantMap{{QStringLiteral("Voice"), text}}}};
}
} // namespace

class ScriptWiringTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void scriptIntervalHasAFloor();
    void mainViewOpensAScriptFile();
    void scriptsByName();
    void demoShowsByVoice();

private:
    QTemporaryDir m_dataHome;
};

void ScriptWiringTest::initTestCase() {
    QVERIFY(m_dataHome.isValid());
    qputenv("XDG_DATA_HOME", m_dataHome.path().toLocal8Bit());
    const QString scripts = m_dataHome.filePath(QStringLiteral("vx-zyne-plus-rgb/Scripts"));
    QVERIFY(QDir().mkpath(scripts));
    QVERIFY(writeFile(scripts + "/My Show.ini", scriptFile(3, 120)));
    QVERIFY(writeFile(scripts + "/Empty.ini", scriptFile(0, 120)));
    QVERIFY(writeFile(m_dataHome.filePath("Outside.ini"), scriptFile(2, 120)));
}

void ScriptWiringTest::scriptIntervalHasAFloor() {
    EngineRig rig(kOneBox);
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    QTimer* script = timer(window, "scriptTimer");
    QVERIFY(script);
    const QString frame = QStringLiteral(R"({"Controller":[{"ControllerNum":0,"Fan0":{"R":[1]}}]})");
    window.testReceiveFileData({frame}, 20);
    QVERIFY(script->isActive());
    QCOMPARE(script->interval(), 50);
    // The next script restarts the timer with its own interval.
    window.testReceiveFileData({frame, frame}, 200);
    QCOMPARE(script->interval(), 200);
    QCOMPARE(window.plusEngine()->scriptPlayer().count(), 2);
}

void ScriptWiringTest::mainViewOpensAScriptFile() {
    EngineRig rig(kOneBox);
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    QSignalSpy sent(window.mainView(), &ui::MainView::testSendFileData);
    window.mainView()->openScriptFile(m_dataHome.filePath("vx-zyne-plus-rgb/Scripts/My Show.ini"));
    QCOMPARE(sent.count(), 1);
    QCOMPARE(sent.at(0).at(0).toStringList().size(), 3);
    QCOMPARE(sent.at(0).at(1).toInt(), 120);
    QCOMPARE(window.plusEngine()->scriptPlayer().count(), 3);
    QCOMPARE(timer(window, "scriptTimer")->interval(), 120);
    // Missing and empty files send nothing: the running script plays on.
    window.mainView()->openScriptFile(m_dataHome.filePath("Missing.ini"));
    window.mainView()->openScriptFile(m_dataHome.filePath("vx-zyne-plus-rgb/Scripts/Empty.ini"));
    QCOMPARE(sent.count(), 1);
    QCOMPARE(window.plusEngine()->scriptPlayer().count(), 3);
}

void ScriptWiringTest::scriptsByName() {
    EngineRig rig(kOneBox);
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    QVERIFY(window.openScriptByName(QStringLiteral("My Show")));
    QCOMPARE(window.plusEngine()->scriptPlayer().count(), 3);
    QVERIFY(timer(window, "scriptTimer")->isActive());
    for (const QString& refused : {QStringLiteral("../Outside"), QStringLiteral("Missing"),
                                   QStringLiteral("Empty"), QStringLiteral("My Show.ini")})
        QVERIFY(!window.openScriptByName(refused));
    QCOMPARE(window.plusEngine()->scriptPlayer().count(), 3);
}

void ScriptWiringTest::demoShowsByVoice() {
    EngineRig rig(kOneBox);
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    QTimer* effect = timer(window, "effectTimer");
    QVERIFY(effect);
    window.socketHelperReceiveData(voice(QStringLiteral("Hello Intel")));
    QCOMPARE(window.plusEngine()->effectPlayback().frames().size(), std::size_t(70));
    QCOMPARE(window.plusEngine()->box(0).rainbowFan[4].lightMode, 16);
    QVERIFY(effect->isActive());
    QCOMPARE(effect->interval(), 70);
    // A voice that names no show may name a script; a name that names neither changes nothing.
    window.socketHelperReceiveData(voice(QStringLiteral("My Show")));
    QCOMPARE(window.plusEngine()->scriptPlayer().count(), 3);
    window.socketHelperReceiveData(voice(QStringLiteral("voice2")));
    QCOMPARE(window.plusEngine()->effectPlayback().frames().size(), std::size_t(172));
    window.socketHelperReceiveData(voice(QStringLiteral("../../Outside")));
    QCOMPARE(window.plusEngine()->effectPlayback().frames().size(), std::size_t(172));
    QCOMPARE(window.plusEngine()->scriptPlayer().count(), 3);
}

QTEST_MAIN(ScriptWiringTest)
#include "tst_scriptwiring.moc"
