// The program animates ports that its saved profile puts in a software mode, at each timer's rate.
#include "ProgramUnderTest.h"

#include <QJsonArray>
#include <QtTest>

#include <algorithm>
#include <set>

namespace {
QByteArray fanGroup(int fan, int lightMode, int lightSpeed = 0) {
    // LED k is (10k + 10, 100, 200) at full brightness.
    QByteArrayList reds;
    for (int k = 0; k < 13; ++k)
        reds << QByteArray::number(10 * k + 10);
    return "[Fan" + QByteArray::number(fan) + "]\nRColor=\"" + reds.join(',') +
           "\"\nGColor=\"100,100,100,100,100,100,100,100,100,100,100,100,100\"\n"
           "BColor=\"200,200,200,200,200,200,200,200,200,200,200,200,200\"\n"
           "Bright=\"1,1,1,1,1,1,1,1,1,1,1,1,1\"\nSpeed_Per=5\nSpeed_Num=6\nSpeedMode=0\nPWM=0\n"
           "colorMode=0\nlightMode=" +
           QByteArray::number(lightMode) + "\nlightSpeed=" + QByteArray::number(lightSpeed) +
           "\nisTurnOffLed=0\n";
}

QByteArray grb(int green, int red, int blue) {
    return QByteArray(1, char(green)) + char(red) + char(blue);
}

struct Frame {
    qint64 tMs = 0;
    QByteArray leds; // 36 bytes, green red blue per LED
    std::set<int> lit() const {
        std::set<int> on;
        for (int k = 0; k < 12; ++k) {
            if (leds.mid(3 * k, 3) != QByteArray(3, '\0'))
                on.insert(k);
        }
        return on;
    }
};

// Lighting reports with the static-frame mode byte that one port of box 0 got.
QVector<Frame> framesTo(const QVector<SimTraceEvent>& events, const QString& dev, const QByteArray& head) {
    QVector<Frame> frames;
    for (const auto& event : events) {
        if (event.dev == dev && event.dir == QLatin1String("out") && event.bytes.startsWith(head))
            frames.push_back({event.tMs, event.bytes.mid(head.size(), 36)});
    }
    return frames;
}

QVector<Frame> portFrames(const QVector<SimTraceEvent>& events, int wirePort) {
    return framesTo(events, QStringLiteral("264a:1fa5"),
                    QByteArray("\x00\x32\x52", 3) + char(wirePort) + '\x18');
}

// The typical time between frames, robust against a slow start or a busy machine.
qint64 medianGap(const QVector<Frame>& frames) {
    QVector<qint64> gaps;
    for (int i = 1; i < frames.size(); ++i)
        gaps << frames[i].tMs - frames[i - 1].tMs;
    std::sort(gaps.begin(), gaps.end());
    return gaps.isEmpty() ? -1 : gaps[gaps.size() / 2];
}

std::set<int> ledsAround(int head, std::initializer_list<int> back) {
    std::set<int> on;
    for (int b : back)
        on.insert(((head - b) % 12 + 12) % 12);
    return on;
}

class Run {
public:
    explicit Run(const QByteArray& profile, const QByteArray& main = "isAutoRun=0\nLanguage=0\n",
                 bool withSupply = false) {
        QJsonObject rig{{QStringLiteral("plus"), QJsonArray{QJsonObject{{QStringLiteral("index"), 0}}}}};
        if (withSupply)
            rig.insert(QStringLiteral("power_supply"), QJsonObject{{QStringLiteral("model"), "VXG-0850-GD"}});
        program.setRig(rig);
        ok = program.writeSettingsFile(QStringLiteral("Device.ini"),
                                       "[Device0]\nBoxType=1\nProfile=2\n[Main]\n" + main) &&
             program.writeSettingsFile(QStringLiteral("ZynePlus/Profile2.ini"), profile);
    }
    // Lets the animation run until the port has `count` frames.
    QVector<Frame> frames(int wirePort, int count) {
        QString error;
        QVector<Frame> got;
        program.waitUntil([&] {
            got = portFrames(program.trace(&error), wirePort);
            return got.size() >= count;
        });
        return got;
    }
    ProgramUnderTest program;
    bool ok = false;
};

QByteArray allStatic(int except, int mode, int speed = 0) {
    QByteArray profile;
    for (int fan = 0; fan < 5; ++fan)
        profile += fan == except ? fanGroup(fan, mode, speed) : fanGroup(fan, 6);
    return profile;
}
} // namespace

class EffectsSystemTest : public QObject {
    Q_OBJECT
private slots:
    void meteorWalksOneLedPerTick();
    void crossTurnsOneStepPerTick();
    void bigWaveStartsFromRed();
    void mobileMusicAndPowerSupply();
};

void EffectsSystemTest::meteorWalksOneLedPerTick() {
    Run run(allStatic(0, 17));
    QVERIFY(run.ok);
    QVERIFY2(run.program.startAndWaitUntilRunning(), qPrintable(run.program.diagnostics()));
    QVector<Frame> frames = run.frames(1, 60);
    QVERIFY2(frames.size() >= 60, qPrintable(run.program.diagnostics()));
    frames = frames.mid(frames.size() - 40); // past the start-up refreshes
    // The only meteor port: the meteor goes round it, the head one LED further on every frame.
    int head = -1;
    for (int h = 0; h < 12; ++h) {
        if (frames[0].lit() == ledsAround(h, {0, 1, 2}))
            head = h;
    }
    QVERIFY2(head >= 0, frames[0].leds.toHex().constData());
    for (const Frame& frame : frames) {
        QCOMPARE(frame.lit(), ledsAround(head, {0, 1, 2}));
        head = (head + 1) % 12;
    }
    // LED k in colour k: (10k + 10, 100, 200), green first.
    const int k = *ledsAround(head, {1}).begin();
    QCOMPARE(frames.last().leds.mid(3 * k, 3), grb(100, 10 * k + 10, 200));
    const qint64 gap = medianGap(frames);
    QVERIFY2(gap >= 35 && gap <= 75, qPrintable(QString::number(gap)));
    QVERIFY2(run.program.stop(), qPrintable(run.program.diagnostics()));
}

void EffectsSystemTest::crossTurnsOneStepPerTick() {
    Run run(allStatic(1, 15));
    QVERIFY(run.ok);
    QVERIFY2(run.program.startAndWaitUntilRunning(), qPrintable(run.program.diagnostics()));
    QVector<Frame> frames = run.frames(2, 60);
    QVERIFY2(frames.size() >= 60, qPrintable(run.program.diagnostics()));
    frames = frames.mid(frames.size() - 40);
    auto crossAt = [](int c) { return c == 0 || c == 6 ? std::set<int>{c} : std::set<int>{c, 12 - c}; };
    int position = -1;
    for (int c = 0; c < 12; ++c) {
        if (frames[0].lit() == crossAt(c) && frames[1].lit() == crossAt((c + 1) % 12))
            position = c;
    }
    QVERIFY(position >= 0);
    for (const Frame& frame : frames) {
        QCOMPARE(frame.lit(), crossAt(position));
        position = (position + 1) % 12;
    }
    const qint64 gap = medianGap(frames);
    QVERIFY2(gap >= 35 && gap <= 75, qPrintable(QString::number(gap)));
    QVERIFY2(run.program.stop(), qPrintable(run.program.diagnostics()));
}

void EffectsSystemTest::bigWaveStartsFromRed() {
    Run run(allStatic(2, 19));
    QVERIFY(run.ok);
    QVERIFY2(run.program.startAndWaitUntilRunning(), qPrintable(run.program.diagnostics()));
    const QVector<Frame> frames = run.frames(3, 30);
    QVERIFY2(frames.size() >= 30, qPrintable(run.program.diagnostics()));
    // The Light refreshes of start-up come first; the wave's first frame follows them.
    int first = 0;
    while (first < frames.size() && frames[first].leds.at(1) != char(255))
        ++first;
    QVERIFY(first + 20 <= frames.size());
    const int green[12] = {145, 174, 203, 174, 145, 116, 87, 58, 29, 58, 87, 116};
    for (int k = 0; k < 12; ++k)
        QCOMPARE(static_cast<unsigned char>(frames[first].leds.at(3 * k)), green[k]);
    const qint64 gap = medianGap(frames.mid(first));
    QVERIFY2(gap >= 70 && gap <= 150, qPrintable(QString::number(gap)));
    QVERIFY2(run.program.stop(), qPrintable(run.program.diagnostics()));
}

void EffectsSystemTest::mobileMusicAndPowerSupply() {
    // Port 1 and port 4 in the mobile rotating pair; the supply mirrors port 1.
    QByteArray profile = fanGroup(0, 13) + fanGroup(1, 6) + fanGroup(2, 6) + fanGroup(3, 13) + fanGroup(4, 6);
    Run run(profile, "isAutoRun=0\nLanguage=0\nisSyncPwrix=1\n", true);
    QVERIFY(run.ok);
    QVERIFY2(run.program.startAndWaitUntilRunning(), qPrintable(run.program.diagnostics()));
    QVector<Frame> frames = run.frames(4, 60);
    QVERIFY2(frames.size() >= 60, qPrintable(run.program.diagnostics()));
    frames = frames.mid(frames.size() - 40);
    // No level from the app: LEDs 0 and 6 full over a tenth-bright ring.
    const Frame& frame = frames.last();
    QCOMPARE(frame.leds.mid(0, 3), grb(100, 10, 200));
    QCOMPARE(frame.leds.mid(3 * 6, 3), grb(100, 70, 200));
    QCOMPARE(frame.leds.mid(3 * 3, 3), grb(10, 4, 20));
    const qint64 gap = medianGap(frames);
    QVERIFY2(gap >= 35 && gap <= 75, qPrintable(QString::number(gap)));

    QString error;
    const auto events = run.program.trace(&error);
    const QVector<Frame> supply =
        framesTo(events, QStringLiteral("264a:2329"), QByteArray("\x00\x30\x42\x18", 4));
    QVERIFY2(supply.size() >= 20, qPrintable(QString::number(supply.size())));
    // The mobile pair has no pattern on the supply: dark frames at the music rate.
    QCOMPARE(supply.last().leds, QByteArray(36, '\0'));
    const qint64 supplyGap = medianGap(supply.mid(supply.size() - 20));
    QVERIFY2(supplyGap >= 35 && supplyGap <= 75, qPrintable(QString::number(supplyGap)));
    QVERIFY2(run.program.stop(), qPrintable(run.program.diagnostics()));
}

QTEST_MAIN(EffectsSystemTest)
#include "tst_effects.moc"
