#include "ComputerVolume.h"
#include "FakeAudioCapture.h"
#include "LevelAnalyser.h"
#include "SensorsTests.h"

#include <QtTest>

#include <cmath>
#include <limits>

namespace {

constexpr std::size_t kValuesPerWindow = zyne::SampleWindow::kSize * 4;

// A packet filling the whole window with a sine that completes `cycles` periods across it.
std::vector<float> tone(double cycles, double amplitude) {
    std::vector<float> values(kValuesPerWindow);
    const double pi = std::acos(-1.0);
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = static_cast<float>(amplitude * std::sin(2.0 * pi * cycles * static_cast<double>(i) /
                                                            static_cast<double>(kValuesPerWindow)));
    }
    return values;
}

std::vector<float> silence() {
    return std::vector<float>(kValuesPerWindow, 0.0f);
}

int levelOf(zyne::LevelAnalyser& analyser, const std::vector<float>& packet) {
    zyne::SampleWindow window;
    window.addPacket(packet.data(), packet.size());
    return analyser.read(window);
}

} // namespace

class LevelMeterTest : public QObject {
    Q_OBJECT
private slots:
    void fullScaleBassRisesToTopInOneReading() {
        zyne::LevelAnalyser analyser;
        QCOMPARE(levelOf(analyser, silence()), 0);
        QCOMPARE(levelOf(analyser, tone(2.5, 1.0)), 100);
    }

    void silenceDecaysByAFifthPerReading() {
        zyne::LevelAnalyser analyser;
        QCOMPARE(levelOf(analyser, tone(2.5, 1.0)), 100);
        double held = 1.0;
        for (int reading = 1; reading <= 21; ++reading) {
            held *= 0.8;
            const int level = levelOf(analyser, silence());
            QVERIFY2(std::abs(level - static_cast<int>(held * 100.0)) <= 1,
                     qPrintable(QStringLiteral("reading %1 gave %2").arg(reading).arg(level)));
        }
        // 0.8^21 is below 0.01: the held mean no longer shows.
        QCOMPARE(levelOf(analyser, silence()), 0);
    }

    void levelFollowsLoudnessAndPitch_data() {
        QTest::addColumn<double>("cycles");
        QTest::addColumn<double>("amplitude");
        QTest::addColumn<int>("lowest");
        QTest::addColumn<int>("highest");
        QTest::newRow("bass, full scale") << 2.5 << 1.0 << 100 << 100;
        QTest::newRow("bass, very quiet") << 2.5 << 0.0003 << 1 << 99;
        QTest::newRow("bass, below hearing") << 2.5 << 0.0001 << 0 << 0;
        QTest::newRow("treble, full scale") << 100.0 << 1.0 << 0 << 0;
    }

    void levelFollowsLoudnessAndPitch() {
        QFETCH(double, cycles);
        QFETCH(double, amplitude);
        QFETCH(int, lowest);
        QFETCH(int, highest);
        zyne::LevelAnalyser analyser;
        const int level = levelOf(analyser, tone(cycles, amplitude));
        QVERIFY2(level >= lowest && level <= highest, qPrintable(QString::number(level)));
    }

    void windowTakesEveryFourthOfTheFirstFrameCountValues() {
        // Stereo packet of 1024 frames: only values 0, 4, ... 1020 are taken.
        std::vector<float> packet(2 * kValuesPerWindow, 0.0f);
        const std::vector<float> bass = tone(2.5, 1.0);
        for (std::size_t i = 0; i < kValuesPerWindow; ++i) {
            if (i % 4 != 0) {
                packet[i] = 1.0f; // skipped values
            }
            packet[kValuesPerWindow + i] = bass[i]; // beyond the frame count
        }
        zyne::SampleWindow window;
        window.addPacket(packet.data(), kValuesPerWindow);
        for (float sample : window.inOrder()) {
            QCOMPARE(sample, 0.0f);
        }
        window.addPacket(bass.data(), 8);
        const auto ordered = window.inOrder();
        QCOMPARE(ordered[254], bass[0] * 200.0f);
        QCOMPARE(ordered[255], bass[4] * 200.0f);
    }

    void nonFiniteSamplesCountAsSilence() {
        std::vector<float> packet = tone(2.5, 1.0);
        packet[0] = std::numeric_limits<float>::quiet_NaN();
        packet[4] = std::numeric_limits<float>::infinity();
        packet[8] = 3e38f;
        zyne::SampleWindow window;
        QCOMPARE(window.addPacket(packet.data(), packet.size()), std::size_t(2));
        zyne::LevelAnalyser analyser;
        QCOMPARE(analyser.read(window), 100);
        QCOMPARE(levelOf(analyser, silence()), 80);
    }

    void captureProblemsAnswerMinusOneAndKeepTheHeldLevel() {
        using Status = zyne::CaptureStatus;
        std::deque<FakeAudioCapture::Step> steps{
            {Status::Capturing, tone(2.5, 1.0)}, {Status::Unavailable, {}},   {Status::Unavailable, {}},
            {Status::Capturing, silence()},      {Status::OutputChanged, {}}, {Status::Capturing, {}},
        };
        ComputerVolume meter(std::make_unique<FakeAudioCapture>(&steps));
        QCOMPARE(meter.getVolumeLevel(), 100);
        QCOMPARE(meter.getVolumeLevel(), -1);
        QCOMPARE(meter.getVolumeLevel(), -1);
        // Failed queries don't decay the held spectrum.
        QCOMPARE(meter.getVolumeLevel(), 80);
        QCOMPARE(meter.getVolumeLevel(), -1);
        QCOMPARE(meter.getVolumeLevel(), 64);
    }
};

int runLevelMeterTest(int argc, char** argv) {
    LevelMeterTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_levelmeter.moc"
