// Waking from sleep, told by logind over D-Bus: against a private bus with a stand-in logind.
#include "SleepWatcher.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

using namespace zyne;

namespace {
void emitPrepareForSleep(QDBusConnection& bus, bool sleeping) {
    QDBusMessage signal = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/login1"),
                                                     QStringLiteral("org.freedesktop.login1.Manager"),
                                                     QStringLiteral("PrepareForSleep"));
    signal << sleeping;
    QVERIFY(bus.send(signal));
}
} // namespace

class SleepWatcherTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        m_daemon.setProgram(QStringLiteral("dbus-daemon"));
        m_daemon.setArguments({"--session", "--nofork", "--nopidfile", "--print-address=1"});
        m_daemon.start();
        QVERIFY2(m_daemon.waitForStarted(5000), "dbus-daemon is missing (tools/install-deps.sh)");
        QTRY_VERIFY(m_daemon.canReadLine());
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        QVERIFY(!m_address.isEmpty());
    }

    void cleanupTestCase() {
        QDBusConnection::disconnectFromBus(QStringLiteral("watcher"));
        QDBusConnection::disconnectFromBus(QStringLiteral("logind"));
        QDBusConnection::disconnectFromBus(QStringLiteral("stranger"));
        m_daemon.terminate();
        m_daemon.waitForFinished(5000);
    }

    void wakingUpIsReportedOnceAndOnlyFromLogind() {
        QDBusConnection watcherBus = QDBusConnection::connectToBus(m_address, QStringLiteral("watcher"));
        QDBusConnection logind = QDBusConnection::connectToBus(m_address, QStringLiteral("logind"));
        QDBusConnection stranger = QDBusConnection::connectToBus(m_address, QStringLiteral("stranger"));
        QVERIFY(watcherBus.isConnected() && logind.isConnected() && stranger.isConnected());
        QVERIFY(logind.registerService(QStringLiteral("org.freedesktop.login1")));

        SleepWatcher watcher;
        QVERIFY(watcher.start(watcherBus));
        QSignalSpy resumed(&watcher, &SleepWatcher::resumed);

        emitPrepareForSleep(logind, true);
        emitPrepareForSleep(stranger, false); // anybody else saying so is not listened to
        emitPrepareForSleep(logind, false);
        QTRY_COMPARE(resumed.count(), 1);
        QTest::qWait(100);
        QCOMPARE(resumed.count(), 1);
    }

    void noBusNoWatch() {
        SleepWatcher watcher;
        QVERIFY(!watcher.start(QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"),
                                                             QStringLiteral("nowhere"))));
    }

private:
    QProcess m_daemon;
    QString m_address;
};

QTEST_GUILESS_MAIN(SleepWatcherTest)
#include "tst_sleepwatcher.moc"
