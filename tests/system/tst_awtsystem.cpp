#include "ProgramUnderTest.h"

#include <QJsonArray>
#include <QtTest>

#include <algorithm>
#include <set>

namespace {
// Frames the program sent the AWT chip whose command byte (frame byte 4) is `command`.
int framesWithCommand(const QVector<SimTraceEvent>& events, unsigned char command, int box = 0) {
    int count = 0;
    for (const auto& event : events) {
        if (event.dev == QLatin1String("c216:0102") && event.dir == QLatin1String("feature_out") &&
            event.bytes.size() >= 5 && static_cast<unsigned char>(event.bytes.at(3)) == 9 + box &&
            static_cast<unsigned char>(event.bytes.at(4)) == command)
            ++count;
    }
    return count;
}

// A profile group for one port: LED k in (10k + 10, 100, 200) at full brightness.
QByteArray fanGroup(int fan, int lightMode) {
    QByteArrayList reds;
    for (int k = 0; k < 13; ++k)
        reds << QByteArray::number(10 * k + 10);
    return "[Fan" + QByteArray::number(fan) + "]\nRColor=\"" + reds.join(',') +
           "\"\nGColor=\"100,100,100,100,100,100,100,100,100,100,100,100,100\"\n"
           "BColor=\"200,200,200,200,200,200,200,200,200,200,200,200,200\"\n"
           "Bright=\"1,1,1,1,1,1,1,1,1,1,1,1,1\"\ncolorMode=0\nlightMode=" +
           QByteArray::number(lightMode) + "\nlightSpeed=0\nisTurnOffLed=0\n";
}

struct AwtFrame {
    qint64 tMs = 0;
    QByteArray bytes;
    // LEDs whose colour is not black.
    std::set<int> lit() const {
        std::set<int> on;
        for (int k = 0; k < 12; ++k) {
            if (bytes.mid(6 + 4 * k, 3) != QByteArray(3, '\0'))
                on.insert(k);
        }
        return on;
    }
};

// 12-LED lighting frames the program computed (effect byte 0x40) for one port of a box.
QVector<AwtFrame> effectFrames(const QVector<SimTraceEvent>& events, int box, int port) {
    QVector<AwtFrame> frames;
    for (const auto& event : events) {
        if (event.dev == QLatin1String("c216:0102") && event.dir == QLatin1String("feature_out") &&
            event.bytes.size() == 54 && static_cast<unsigned char>(event.bytes.at(3)) == 9 + box &&
            static_cast<unsigned char>(event.bytes.at(4)) == (0x20 | (1 << port)) &&
            static_cast<unsigned char>(event.bytes.at(5)) == 0x40)
            frames.push_back({event.tMs, event.bytes});
    }
    return frames;
}
} // namespace

class AwtSystemTest : public QObject {
    Q_OBJECT
private slots:
    void onlyAwtControllerIsFoundLitAndPolled();
    void awtBoxZeroAloneIsShownAndPolled();
    void effectFramesReachAwtBox();
};

void AwtSystemTest::onlyAwtControllerIsFoundLitAndPolled() {
    ProgramUnderTest program;
    program.setRig(QJsonObject{
        {QStringLiteral("awt"), QJsonObject{{QStringLiteral("boxes"), QJsonArray{1}},
                                            {QStringLiteral("rpm"), QJsonArray{1200, 900, 850}}}}});
    QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));

    // Found at start-up, lit (a fresh port is switched off: the dark 12-LED frame for ports 0..2),
    // selected because nothing else is plugged in, and polled.
    QString error;
    QVERIFY2(program.waitUntil([&] { return framesWithCommand(program.trace(&error), 0x5A, 1) >= 20; }),
             qPrintable(program.diagnostics()));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const auto events = program.trace(&error);
    QVERIFY(framesWithCommand(events, 0x21, 1) >= 1);
    QVERIFY(framesWithCommand(events, 0x22, 1) >= 1);
    QVERIFY(framesWithCommand(events, 0x24, 1) >= 1);
    QVERIFY(!program.logLines(QStringLiteral("selected box 1 after the AWT check")).isEmpty());
    QVERIFY2(program.waitForLog(QStringLiteral("receiveFanSpeed box:1, fan:1, rpm:900,")),
             qPrintable(program.diagnostics()));

    // A fan that stops is reported; the chip leaving closes its handle and the polling ends.
    QCOMPARE(program.control(QStringLiteral("rpm awt 1 2 0")), QStringLiteral("ok"));
    QVERIFY2(program.waitForLog(QStringLiteral("receiveFanSpeed box:1, fan:2, rpm:0,")),
             qPrintable(program.diagnostics()));
    QCOMPARE(program.control(QStringLiteral("unplug awt")), QStringLiteral("ok"));
    QVERIFY2(program.waitForLog(QStringLiteral("AWT box 1 is gone")), qPrintable(program.diagnostics()));
    const int pollsWhenGone = framesWithCommand(program.trace(&error), 0x5A, 1);
    QTest::qWait(500);
    QCOMPARE(framesWithCommand(program.trace(&error), 0x5A, 1), pollsWhenGone);
    QCOMPARE(program.logLines(QStringLiteral("AWT chip handle 0 closed")).size(), 1);

    // Plugged in again, it is found and polled again.
    QCOMPARE(program.control(QStringLiteral("plug awt")), QStringLiteral("ok"));
    QVERIFY2(program.waitUntil(
                 [&] { return program.logLines(QStringLiteral("AWT box 1 found on handle 0")).size() == 2; }),
             qPrintable(program.diagnostics()));
    QVERIFY2(program.waitUntil(
                 [&] { return framesWithCommand(program.trace(&error), 0x5A, 1) > pollsWhenGone + 5; }),
             qPrintable(program.diagnostics()));
    QVERIFY2(program.stop(), qPrintable(program.diagnostics()));
}

void AwtSystemTest::awtBoxZeroAloneIsShownAndPolled() {
    // Box 0 is where the selection rests while nothing is there yet.
    ProgramUnderTest program;
    program.setRig(QJsonObject{{QStringLiteral("awt"), QJsonObject{{QStringLiteral("boxes"), QJsonArray{0}},
                                                                   {QStringLiteral("firmware"), "104"}}}});
    QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));
    QString error;
    QVERIFY2(program.waitUntil([&] { return framesWithCommand(program.trace(&error), 0x5A, 0) >= 20; }),
             qPrintable(program.diagnostics()));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const auto events = program.trace(&error);
    QCOMPARE(framesWithCommand(events, 0x5D, 0), 1);
    QVERIFY(!program.logLines(QStringLiteral("selected box 0 after the AWT check")).isEmpty());
    QVERIFY2(program.waitForLog(QStringLiteral("firmware: \"1.0.4\"")), qPrintable(program.diagnostics()));
    // Commands go out with a wait of 100.
    for (const auto& event : events) {
        if (event.dir == QLatin1String("feature_out"))
            QCOMPARE(event.wait, 100);
    }
    QVERIFY2(program.stop(), qPrintable(program.diagnostics()));
}

void AwtSystemTest::effectFramesReachAwtBox() {
    // Port 1 of AWT box 2 in the cross, port 2 in the meteor, port 3 blinking (run by the controller);
    // the speed poll runs too.
    ProgramUnderTest program;
    program.setRig(
        QJsonObject{{QStringLiteral("awt"), QJsonObject{{QStringLiteral("boxes"), QJsonArray{1}}}}});
    QVERIFY(program.writeSettingsFile(QStringLiteral("Device.ini"),
                                      "[Device1]\nProfile=2\n[Main]\nisAutoRun=0\nLanguage=0\n"));
    QVERIFY(program.writeSettingsFile(QStringLiteral("ZynePlus/Profile2.ini"),
                                      fanGroup(0, 15) + fanGroup(1, 17) + fanGroup(2, 3) + fanGroup(3, 6) +
                                          fanGroup(4, 6)));
    QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));
    QString error;
    QVector<AwtFrame> cross;
    QVERIFY2(program.waitUntil([&] {
        cross = effectFrames(program.trace(&error), 1, 0);
        return cross.size() >= 60;
    }),
             qPrintable(program.diagnostics()));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    cross = cross.mid(cross.size() - 40);

    // Every frame is the cross at some position; a frame that waited for the chip was replaced by a
    // newer one, so positions go on by one or skip ahead, never back.
    // Position c lights LED c in colour c (red 10c + 10) and LED 12 - c in colour 11 - c.
    auto positionOf = [](const AwtFrame& frame) {
        for (int c = 0; c < 12; ++c) {
            if (frame.lit() == (c == 0 || c == 6 ? std::set<int>{c} : std::set<int>{c, 12 - c}) &&
                static_cast<unsigned char>(frame.bytes.at(6 + 4 * c)) == 10 * c + 10)
                return c;
        }
        return -1;
    };
    std::set<int> seen;
    for (int i = 0; i < cross.size(); ++i) {
        const int c = positionOf(cross[i]);
        QVERIFY2(c >= 0, cross[i].bytes.toHex().constData());
        seen.insert(c);
        if (i > 0) {
            const int step = (c - positionOf(cross[i - 1]) + 12) % 12;
            QVERIFY2(step >= 1 && step <= 3, qPrintable(QString::number(step)));
        }
    }
    QVERIFY(seen.size() >= 8);
    // LED c in colour c at full brightness: red 10c + 10, then green, blue, brightness.
    const AwtFrame& last = cross.last();
    const int c = positionOf(last);
    QCOMPARE(last.bytes.mid(6 + 4 * c, 4),
             QByteArray(1, char(10 * c + 10)) + char(100) + char(200) + char(100));
    std::vector<qint64> gaps;
    for (int i = 1; i < cross.size(); ++i)
        gaps.push_back(cross[i].tMs - cross[i - 1].tMs);
    std::sort(gaps.begin(), gaps.end());
    const qint64 median = gaps[gaps.size() / 2];
    QVERIFY2(median >= 35 && median <= 150, qPrintable(QString::number(median)));

    // The meteor walks port 2: three LEDs in a row at most, its head one LED on per frame.
    const QVector<AwtFrame> meteor = effectFrames(program.trace(&error), 1, 1);
    QVERIFY2(meteor.size() >= 20, qPrintable(QString::number(meteor.size())));
    for (const AwtFrame& frame : meteor.mid(meteor.size() - 20))
        QVERIFY2(frame.lit().size() <= 3, frame.bytes.toHex().constData());
    QCOMPARE(effectFrames(program.trace(&error), 1, 2).size(), 0);
    QVERIFY2(program.stop(), qPrintable(program.diagnostics()));
}

QTEST_MAIN(AwtSystemTest)
#include "tst_awtsystem.moc"
