// The tray's autorun switch and the log-in entry it keeps.
#include "ApplicationSettings.h"
#include "EngineRig.h"
#include "VxZyneRainbow.h"
#include "WindowSettle.h"

#include <QAction>
#include <QFile>
#include <QtTest>

using namespace zyne;
using zyne::testing::EngineRig;

class AutoRunTest : public QObject {
    Q_OBJECT
private slots:
    void entryFollowsTheTraySwitch() {
        EngineRig rig(R"({"plus": [{"index": 0}]})");
        const QString entry = qEnvironmentVariable("XDG_CONFIG_HOME") + "/autostart/vx-zyne-plus-rgb.desktop";
        QFile::remove(entry);
        ApplicationSettings::set({});
        auto settings = ApplicationSettings::get();
        settings.isAutoRun = true;
        ApplicationSettings::set(settings);

        VxZyneRainbow window;

        QVERIFY(zyne::testing::settleWindow(window));
        QVERIFY(QFile::exists(entry));
        auto* action = window.findChild<QAction*>(QStringLiteral("autoRunAction"));
        QVERIFY(action);
        action->trigger();
        QVERIFY(action->text().startsWith(QChar(0x25A0)));
        QVERIFY(!QFile::exists(entry));
        action->trigger();
        QVERIFY(action->text().startsWith(QChar(0x25A1)));
        QVERIFY(QFile::exists(entry));
    }
};

QTEST_MAIN(AutoRunTest)
#include "tst_autorun.moc"
