// Stall notifications while the window is hidden, received by a stand-in for the desktop's
// notification service on a private session bus.
#include "ProgramUnderTest.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QJsonArray>
#include <QProcess>
#include <QTest>

namespace {
// The notification service as a desktop offers it: records every notification.
class NotificationStandIn : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Shown {
        uint id;
        QString summary;
        QString body;
    };
    QList<Shown> shown;

public slots:
    uint Notify(const QString&, uint, const QString&, const QString& summary, const QString& body,
                const QStringList&, const QVariantMap&, int) {
        shown.append({uint(shown.size() + 1), summary, body});
        return uint(shown.size());
    }
    QStringList GetCapabilities() { return {QStringLiteral("actions"), QStringLiteral("body")}; }
};

// A session bus of the test's own.
class PrivateBus {
public:
    PrivateBus() {
        m_daemon.start(
            QStringLiteral("dbus-daemon"),
            {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address")});
        if (m_daemon.waitForStarted() && m_daemon.waitForReadyRead(ProgramUnderTest::kWaitMs))
            m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    }
    ~PrivateBus() {
        QDBusConnection::disconnectFromBus(QStringLiteral("stand-in"));
        m_daemon.terminate();
        m_daemon.waitForFinished();
    }
    QString address() const { return m_address; }
    QDBusConnection connection() const {
        return QDBusConnection::connectToBus(m_address, QStringLiteral("stand-in"));
    }

private:
    QProcess m_daemon;
    QString m_address;
};
} // namespace

class NotificationsTest : public QObject {
    Q_OBJECT
private slots:
    void oneNotificationPerStallWhileHidden();
    void noSessionBusBreaksNothing();
};

void NotificationsTest::oneNotificationPerStallWhileHidden() {
    PrivateBus bus;
    QVERIFY2(!bus.address().isEmpty(), "dbus-daemon did not start");
    QDBusConnection connection = bus.connection();
    NotificationStandIn standIn;
    QVERIFY(connection.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &standIn,
                                      QDBusConnection::ExportAllSlots));
    QVERIFY(connection.registerService(QStringLiteral("org.freedesktop.Notifications")));

    ProgramUnderTest program;
    program.setRig(QJsonObject{{"plus", QJsonArray{QJsonObject{{"index", 0}}, QJsonObject{{"index", 2}}}}});
    program.setEnvironment(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
    QVERIFY(program.writeSettingsFile("Device.ini", "[Main]\nisAutoRun=0\n"));
    QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));

    // Shown: the stall dialog warns, no notification.
    QCOMPARE(program.control("rpm plus 0 1 0"), QString("ok"));
    QVERIFY(program.waitForLog(QStringLiteral("rpm:0")));
    QCOMPARE(program.control("rpm plus 0 1 1200"), QString("ok"));
    QVERIFY(program.waitForLog(QStringLiteral("fan:1, rpm:1200")));
    QVERIFY(standIn.shown.isEmpty());

    // Hidden: one notification however often the stopped fan is read.
    QCOMPARE(program.runBesideProgram(QStringLiteral("vx-zyne-msg"), {"0x8101", "0", "0"}), 0);
    QVERIFY(program.waitForLog(QStringLiteral("8101: 0")));
    QCOMPARE(program.control("rpm plus 0 3 0"), QString("ok"));
    QVERIFY2(program.waitUntil([&] { return standIn.shown.size() == 1; }), qPrintable(program.diagnostics()));
    QCOMPARE(standIn.shown.at(0).body, QString("Controller No. 1, fan 4 does not turn."));
    // Many more reads of the stopped fan (every 65 ms) bring no second one.
    const auto reads = [&] {
        QString error;
        int count = 0;
        for (const SimTraceEvent& event : program.trace(&error))
            count += event.dir == QLatin1String("out") ? 1 : 0;
        return count;
    };
    const int readsBefore = reads();
    QVERIFY(program.waitUntil([&] { return reads() > readsBefore + 50; }));
    QCOMPARE(standIn.shown.size(), 1);

    // It runs again, stops again: a second one.
    QCOMPARE(program.control("rpm plus 0 3 900"), QString("ok"));
    QVERIFY(program.waitForLog(QStringLiteral("fan:3, rpm:900")));
    QCOMPARE(program.control("rpm plus 0 3 0"), QString("ok"));
    QVERIFY2(program.waitUntil([&] { return standIn.shown.size() == 2; }), qPrintable(program.diagnostics()));

    // A click shows the window on the fan's box.
    QDBusMessage clicked = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/Notifications"),
                                                      QStringLiteral("org.freedesktop.Notifications"),
                                                      QStringLiteral("ActionInvoked"));
    clicked << standIn.shown.at(1).id << QStringLiteral("default");
    QVERIFY(connection.send(clicked));
    QVERIFY2(program.waitForLog(QStringLiteral("notification 2 clicked")), qPrintable(program.diagnostics()));
    QVERIFY(program.waitForLog(QStringLiteral("changeBox: 0")));
    QVERIFY2(program.stop(), qPrintable(program.diagnostics()));
}

void NotificationsTest::noSessionBusBreaksNothing() {
    ProgramUnderTest program;
    program.setEnvironment(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                           QStringLiteral("unix:path=/nonexistent/bus"));
    QVERIFY(program.writeSettingsFile("Device.ini", "[Main]\nisAutoRun=0\n"));
    QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));
    QCOMPARE(program.logLines(QStringLiteral("no session bus")).size(), 1);
    QCOMPARE(program.runBesideProgram(QStringLiteral("vx-zyne-msg"), {"0x8101", "0", "0"}), 0);
    QCOMPARE(program.control("rpm plus 0 0 0"), QString("ok"));
    QVERIFY2(program.waitForLog(QStringLiteral("stall notification: box 0, fan 0")),
             qPrintable(program.diagnostics()));
    QCOMPARE(program.control("rpm plus 0 1 0"), QString("ok"));
    QVERIFY(program.waitForLog(QStringLiteral("stall notification: box 0, fan 1")));
    QCOMPARE(program.logLines(QStringLiteral("no session bus")).size(), 1);
    QVERIFY2(program.stop(), qPrintable(program.diagnostics()));
}

QTEST_GUILESS_MAIN(NotificationsTest)
#include "tst_notifications.moc"
