#include "ComputerVolume.h"
#include "PrivatePulseServer.h"
#include "SensorsTests.h"

#include <QtTest>

#include <algorithm>
#include <functional>

namespace {

constexpr int kQueryIntervalMs = 50;
// Generous: the server and a sanitized build may be slow on a busy machine.
constexpr int kPatienceQueries = 200;

// Queries as the engine does, every 50 ms, until `wanted` holds for a level; returns every level seen.
QVector<int> queryUntil(ComputerVolume& meter, const std::function<bool(int)>& wanted) {
    QVector<int> levels;
    for (int i = 0; i < kPatienceQueries; ++i) {
        levels << meter.getVolumeLevel();
        if (wanted(levels.last())) {
            return levels;
        }
        QTest::qWait(kQueryIntervalMs);
    }
    return levels;
}

QVector<int> queryTimes(ComputerVolume& meter, int count) {
    QVector<int> levels;
    for (int i = 0; i < count; ++i) {
        QTest::qWait(kQueryIntervalMs);
        levels << meter.getVolumeLevel();
    }
    return levels;
}

QString show(const QVector<int>& levels) {
    QStringList texts;
    for (int level : levels) {
        texts << QString::number(level);
    }
    return texts.join(' ');
}

// Long enough to outlast a capture that is slow to connect on a busy machine; stopped once heard.
constexpr double kToneSeconds = 30.0;

// Ends the tone now, as a track that stops playing.
void stopTone(QProcess& player) {
    player.kill();
    player.waitForFinished();
}

bool isLevel(int level) {
    return level >= 0;
}

bool isLoud(int level) {
    return level > 0;
}

bool isSilent(int level) {
    return level == 0;
}

bool isFailure(int level) {
    return level == -1;
}

} // namespace

#define QVERIFY_LEVELS(levels, what) QVERIFY2(what(levels.last()), qPrintable(show(levels)))

class PulseMeterTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (!server_.start()) {
            QSKIP("cannot start a private PulseAudio server (pulseaudio from tools/install-deps.sh)");
        }
        qputenv("PULSE_SERVER", server_.address().toLocal8Bit());
    }

    void cleanupTestCase() { qunsetenv("PULSE_SERVER"); }

    void noServerAnswersMinusOne() {
        qputenv("PULSE_SERVER", "unix:/nonexistent/zyne-no-server");
        ComputerVolume meter;
        // Long enough for a reconnect attempt. Until the first attempt has failed the meter hears
        // silence; from then on every query fails.
        const QVector<int> levels = queryTimes(meter, 30);
        qputenv("PULSE_SERVER", server_.address().toLocal8Bit());
        const int firstFailure = levels.indexOf(-1);
        QVERIFY2(firstFailure >= 0 && firstFailure < 5, qPrintable(show(levels)));
        QVERIFY2(levels.mid(firstFailure).count(-1) == levels.size() - firstFailure, qPrintable(show(levels)));
        QVERIFY2(levels.mid(0, firstFailure).count(0) == firstFailure, qPrintable(show(levels)));
    }

    void levelRisesWithToneAndFallsAfterIt() {
        ComputerVolume meter;
        // A capture that works is never reported as failed, not even while it connects.
        QVERIFY2(meter.getVolumeLevel() == 0, "first query of a working capture");
        QVector<int> levels = queryUntil(meter, isLevel);
        QVERIFY_LEVELS(levels, isLevel);
        // The meter reads 0 while it may still be connecting, so the tone plays until it is heard
        // rather than for a fixed second.
        const auto player = server_.playTone(220.0, 0.5, kToneSeconds);
        QVERIFY(player);
        levels = queryUntil(meter, isLoud);
        QVERIFY_LEVELS(levels, isLoud);
        stopTone(*player);
        levels = queryUntil(meter, isSilent);
        QVERIFY_LEVELS(levels, isSilent);
        // Once the tone has stopped the level only falls.
        QVERIFY2(std::is_sorted(levels.rbegin(), levels.rend()), qPrintable(show(levels)));
    }

    void followsTheDefaultOutput() {
        ComputerVolume meter;
        QVERIFY_LEVELS(queryUntil(meter, isLevel), isLevel);

        // Another output appearing rebuilds the capture: one failed query.
        QVERIFY(server_.control({"load-module", "module-null-sink", "sink_name=zyne_second"}));
        QVector<int> levels = queryUntil(meter, isFailure);
        QVERIFY_LEVELS(levels, isFailure);

        // A tone on the output that is not the default is not heard.
        const auto player = server_.playTone(220.0, 0.5, kToneSeconds, QStringLiteral("zyne_second"));
        QVERIFY(player);
        levels = queryTimes(meter, 10);
        QVERIFY2(levels.count(0) == levels.size(), qPrintable(show(levels)));

        // Making it the default moves the capture there: one failed query, then its level.
        QVERIFY(server_.control({"set-default-sink", "zyne_second"}));
        levels = queryUntil(meter, isFailure);
        QVERIFY_LEVELS(levels, isFailure);
        levels = queryUntil(meter, isLoud);
        QVERIFY_LEVELS(levels, isLoud);
        QVERIFY2(levels.count(-1) == 0, qPrintable(show(levels)));
        QVERIFY(server_.control({"set-default-sink", "zyne_null"}));
        stopTone(*player);
    }

    void serverGoingAwayAndComingBack() {
        ComputerVolume meter;
        QVERIFY_LEVELS(queryUntil(meter, isLevel), isLevel);
        server_.stop();
        QVERIFY_LEVELS(queryUntil(meter, isFailure), isFailure);
        QVERIFY2(queryTimes(meter, 5).count(-1) == 5, "levels while the server is away");
        QVERIFY(server_.start());
        QVERIFY_LEVELS(queryUntil(meter, isLevel), isLevel);
        const auto player = server_.playTone(220.0, 0.5, kToneSeconds);
        QVERIFY(player);
        QVERIFY_LEVELS(queryUntil(meter, isLoud), isLoud);
        stopTone(*player);
    }

    // Loud when the server went away; back with the output suspended, so nothing arrives to
    // overwrite what the meter last heard: the level must still fall to silence.
    void restartOntoASuspendedOutputFallsSilent() {
        ComputerVolume meter;
        const auto player = server_.playTone(220.0, 0.5, kToneSeconds);
        QVERIFY(player);
        QVERIFY_LEVELS(queryUntil(meter, isLoud), isLoud);
        server_.stop();
        player->waitForFinished(5000);
        QVERIFY(server_.start());
        QVERIFY(server_.control({"suspend-sink", "zyne_null", "1"}));
        QVector<int> levels = queryUntil(meter, isFailure);
        levels += queryUntil(meter, isSilent);
        QVERIFY(server_.control({"suspend-sink", "zyne_null", "0"}));
        QVERIFY_LEVELS(levels, isSilent);
    }

private:
    PrivatePulseServer server_;
};

int runPulseMeterTest(int argc, char** argv) {
    PulseMeterTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_pulsemeter.moc"
