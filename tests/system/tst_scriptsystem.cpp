// The real program plays a user script and a demo show that the mobile app names, on the simulated
// rig; the trace holds the frames.
#include "MobileAppClient.h"
#include "ProgramUnderTest.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// A script of three frames lighting port 3 of box 0 with LED 1 red 10, 20, 30.
QByteArray threeFrameScript() {
    QByteArray ini = "[Config]\nCount=3\nFrequency=60\n[Data]\n";
    for (int i = 0; i < 3; ++i) {
        const QByteArray json = R"({"Controller":[{"ControllerNum":0,"Fan2":{"R":[)" +
                                QByteArray::number(10 * (i + 1)) + R"(],"G":[0],"B":[0],"Br":[0]}}]})";
        ini += QByteArray::number(i) + "=" + json.toBase64() + "\n";
    }
    return ini;
}

// Per-LED colour reports to one port of Plus box 0: the 36 LED bytes, green red blue per LED.
QVector<QByteArray> ledFrames(const ProgramUnderTest& program, int wirePort) {
    QString error;
    QVector<QByteArray> frames;
    const QByteArray head = QByteArray("\x00\x32\x52", 3) + char(wirePort) + '\x18';
    for (const SimTraceEvent& event : program.trace(&error)) {
        if (event.dev == QLatin1String("264a:1fa5") && event.dir == QLatin1String("out") &&
            event.bytes.startsWith(head))
            frames << event.bytes.mid(head.size(), 36);
    }
    return frames;
}

QByteArray voice(const QString& text) {
    return MobileAppClient::frame(R"({"command":18,"Data":{"Voice":")" + text.toUtf8() + R"("}})");
}
} // namespace

class ScriptsSystemTest : public QObject {
    Q_OBJECT
private slots:
    void appPlaysAScriptAndADemoShow();
};

void ScriptsSystemTest::appPlaysAScriptAndADemoShow() {
    QTemporaryDir dataHome;
    const QString scripts = dataHome.filePath(QStringLiteral("vx-zyne-plus-rgb/Scripts"));
    QVERIFY(QDir().mkpath(scripts));
    QFile file(scripts + QStringLiteral("/Three Steps.ini"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(threeFrameScript());
    file.close();

    ProgramUnderTest program;
    program.setRig(
        QJsonObject{{QStringLiteral("plus"), QJsonArray{QJsonObject{{QStringLiteral("index"), 0}}}}});
    program.setEnvironment(QStringLiteral("XDG_DATA_HOME"), dataHome.path());
    QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));
    QVERIFY2(program.waitForLog("Listening: true"), qPrintable(program.diagnostics()));
    MobileAppClient app;
    QVERIFY2(app.connectTo(program.mobilePort()), qPrintable(program.diagnostics()));

    // A name that could leave the scripts folder is refused.
    app.send(voice(QStringLiteral("../Three Steps")));
    QCOMPARE(app.reply(), (QJsonObject{{"ResType", 18}, {"isSuccess", 0}}));
    QVERIFY(!program.logLines("script name refused").isEmpty());

    app.send(voice(QStringLiteral("Three Steps")));
    QCOMPARE(app.reply(), (QJsonObject{{"ResType", 18}, {"isSuccess", 1}}));
    // The script's frames on port 3, in order and round again: red of LED 1 is byte 1.
    QVector<int> reds;
    QVERIFY2(program.waitUntil([&] {
        reds.clear();
        for (const QByteArray& leds : ledFrames(program, 3)) {
            const int red = quint8(leds.at(1));
            if (red == 10 || red == 20 || red == 30)
                reds << red;
        }
        return reds.size() >= 7;
    }),
             qPrintable(program.diagnostics()));
    QCOMPARE(reds.first(), 10);
    for (int i = 1; i < reds.size(); ++i)
        QCOMPARE(reds[i], reds[i - 1] == 30 ? 10 : reds[i - 1] + 10);

    // HelloIntel on every port: its first frame lights LED 1 in (127, 127, 255), the next is dark.
    app.send(voice(QStringLiteral("Hello Intel")));
    QCOMPARE(app.reply(), (QJsonObject{{"ResType", 18}, {"isSuccess", 1}}));
    const QByteArray first = QByteArray::fromHex("7f7fff") + QByteArray(33, '\0');
    for (int port = 1; port <= 5; ++port) {
        QVERIFY2(program.waitUntil([&] {
            const QVector<QByteArray> frames = ledFrames(program, port);
            const int at = frames.indexOf(first);
            return at >= 0 && at + 1 < frames.size();
        }),
                 qPrintable(QStringLiteral("port %1: %2").arg(port).arg(program.diagnostics())));
        const QVector<QByteArray> frames = ledFrames(program, port);
        const int at = frames.indexOf(first);
        // Port 3 also gets the script's frames in between; the others the show alone.
        if (port != 3)
            QCOMPARE(frames[at + 1], QByteArray(36, '\0'));
    }

    // The example scripts beside the program are found by name too.
    app.send(voice(QStringLiteral("Police")));
    QCOMPARE(app.reply(), (QJsonObject{{"ResType", 18}, {"isSuccess", 1}}));
    const QByteArray redAndBlue =
        QByteArray::fromHex("00ff00").repeated(6) + QByteArray::fromHex("0000ff").repeated(6);
    QVERIFY2(program.waitUntil([&] { return ledFrames(program, 1).contains(redAndBlue); }),
             qPrintable(program.diagnostics()));
    QVERIFY2(program.stop(), qPrintable(program.diagnostics()));
}

QTEST_GUILESS_MAIN(ScriptsSystemTest)
#include "tst_scriptsystem.moc"
