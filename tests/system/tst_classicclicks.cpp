// The classic fan view in the running program, on a real (virtual) X display: the user's clicks on
// a classic fan reach the controller. Xvfb gives the display, xdotool the mouse.
#include "ProgramUnderTest.h"

#include <QDir>
#include <QJsonArray>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <unistd.h>

namespace {
constexpr std::uint16_t kVendor = 0x264A;
// Inside the main view: the classic view of fan f sits at (20 + 329 f, 105).
QPoint classicViewOrigin(int fan) {
    return {20 + 329 * fan, 105};
}

// A private X display for one test.
class VirtualDisplay {
public:
    bool start() {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            return false;
        // Display numbers from the process id, so parallel runs don't meet.
        for (int attempt = 0; attempt < 20; ++attempt) {
            const int number = 100 + (getpid() + attempt * 7) % 800;
            if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
                continue;
            m_name = QStringLiteral(":%1").arg(number);
            m_server.start(xvfb, {m_name, QStringLiteral("-screen"), QStringLiteral("0"),
                                  QStringLiteral("1280x800x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
            if (!m_server.waitForStarted(5000))
                return false;
            for (int wait = 0; wait < 100; ++wait) {
                if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
                    return true;
                if (m_server.state() == QProcess::NotRunning)
                    break;
                QTest::qWait(50);
            }
            m_server.kill();
            m_server.waitForFinished(2000);
        }
        return false;
    }
    ~VirtualDisplay() {
        if (m_server.state() != QProcess::NotRunning) {
            m_server.terminate();
            if (!m_server.waitForFinished(3000)) {
                m_server.kill();
                m_server.waitForFinished(3000);
            }
        }
    }
    QString name() const { return m_name; }

    // Runs xdotool on this display; its standard output.
    QString xdotool(const QStringList& arguments) const {
        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), m_name);
        tool.setProcessEnvironment(env);
        tool.start(QStringLiteral("xdotool"), arguments);
        if (!tool.waitForFinished(10000))
            tool.kill();
        return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
    }

    // The main view's position on the screen, once it is mapped.
    bool findMainView(QPoint* position) const {
        for (int wait = 0; wait < 200; ++wait) {
            const QString ids = xdotool({"search", "--onlyvisible", "--name", "^Zyne Plus RGB$"});
            for (const QString& id : ids.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
                const QString geometry = xdotool({"getwindowgeometry", id});
                const auto at = QRegularExpression(QStringLiteral("Position: (\\d+),(\\d+)")).match(geometry);
                if (geometry.contains(QLatin1String("999x606")) && at.hasMatch()) {
                    *position = QPoint(at.captured(1).toInt(), at.captured(2).toInt());
                    return true;
                }
            }
            QTest::qWait(100);
        }
        return false;
    }

    void click(QPoint at) const {
        xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
    }

private:
    QString m_name;
    QProcess m_server;
};

// r[0..6] of the output reports to the device, as hex.
QStringList outHeads(const QVector<SimTraceEvent>& events, const QString& device) {
    QStringList heads;
    for (const auto& event : events) {
        if (event.dev == device && event.dir == QLatin1String("out"))
            heads << QString::fromLatin1(event.bytes.mid(1, 7).toHex());
    }
    return heads;
}
} // namespace

class ClassicViewSystemTest : public QObject {
    Q_OBJECT
private slots:
    void clicksOnAClassicFanReachTheController();
};

void ClassicViewSystemTest::clicksOnAClassicFanReachTheController() {
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        QSKIP("xdotool is not installed (tools/install-deps.sh installs it)");
    VirtualDisplay display;
    if (!display.start())
        QSKIP("no virtual X display (Xvfb is installed by tools/install-deps.sh)");

    ProgramUnderTest program;
    program.setRig(QJsonObject{{"classic", QJsonArray{QJsonObject{{"index", 1}}}}});
    QVERIFY(program.writeSettingsFile("Device.ini", "[Main]\nisAutoRun=0\n"));
    program.setEnvironment(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    program.setEnvironment(QStringLiteral("DISPLAY"), display.name());
    // The program draws nothing with OpenGL. Without this Qt probes GLX, which loads Mesa's
    // software driver; on some machines that driver leaves an allocation behind when it is unloaded
    // at exit, and the leak check would blame the program.
    program.setEnvironment(QStringLiteral("QT_XCB_GL_INTEGRATION"), QStringLiteral("none"));
    QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));
    // The classic box is shown and its fans carry the engine's state.
    QVERIFY2(program.waitForLog(QStringLiteral("set bright:1, BOX:1, Fan:2")), qPrintable(program.diagnostics()));
    QPoint window;
    QVERIFY2(display.findMainView(&window), "the main view never appeared on the display");
    const QString device = simDeviceName(kVendor, 0x1F42);
    QString error;
    const int before = outHeads(program.trace(&error), device).size();

    // Fan 2: the turn-off switch, then the Performance preset (PWM off first: a fresh box follows the
    // temperature curve).
    const QPoint fan2 = window + classicViewOrigin(1);
    display.click(fan2 + QPoint(270, 22));
    QVERIFY2(program.waitUntil([&] {
        return outHeads(program.trace(&error), device).mid(before).contains(QStringLiteral("32520200000000"));
    }),
             qPrintable(program.diagnostics()));
    display.click(fan2 + QPoint(268, 61));
    display.click(fan2 + QPoint(261, 96));
    QVERIFY2(program.waitUntil([&] {
        return outHeads(program.trace(&error), device).mid(before).contains(QStringLiteral("32510203640000"));
    }),
             qPrintable(program.diagnostics()));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(!program.logLines(QStringLiteral("receiveZyneMainData: (\"btn_turnoff\", \"1\", \"1\")")).isEmpty());
    // Fans 1 and 3 were left alone (only their speed polls went out).
    const QStringList after = outHeads(program.trace(&error), device).mid(before);
    for (const QString& head : after) {
        if (head.startsWith(QLatin1String("32")))
            QVERIFY2(head.mid(4, 2) == QLatin1String("02"), qPrintable(head));
    }
    QVERIFY2(program.stop(), qPrintable(program.diagnostics()));
}

QTEST_GUILESS_MAIN(ClassicViewSystemTest)
#include "tst_classicclicks.moc"
