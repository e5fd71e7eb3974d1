// The whole program under animation: builds the real main window against a simulated rig, puts
// ports in software modes through the engine's own entry, and reports over a measured span the
// lighting frames each port got per second, the longest stall of the event loop and the CPU time
// of the whole process (every thread).
//
//   effects_load [seconds=60] [pattern=cross|mix|meteor|music] [boxes=16] [latency_ms=0] [noprobe]
//
// The stall probe wakes the event loop every millisecond, which costs CPU of its own: measure the
// process CPU with "noprobe".
//
// cross: every port of every box in the cross (nominal 20 frames per port per second);
// mix: ports 1..5 in cross, meteor, big wave, mobile bar, PC pair (PC music gets no audio server);
// meteor: port 1 of box 1 alone in the meteor (20 frames per second);
// music: ports 1..5 of one box in the PC music modes, following a tone on a private PulseAudio server.
#include "PrivatePulseServer.h"
#include "SimBackend.h"
#include "VxZyneRainbow.h"
#include "ZynePlusCommandHelper.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <numeric>

using namespace zyne;

namespace {
double processCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

QByteArray rigJson(int boxes, int latencyMs) {
    QByteArray json = "{\"plus\": [";
    for (int i = 0; i < boxes; ++i)
        json += (i ? ", " : "") + QByteArray("{\"index\": ") + QByteArray::number(i) +
                ", \"latency_ms\": " + QByteArray::number(latencyMs) + "}";
    return json + "]}";
}

int modeFor(const QByteArray& pattern, int box, int port) {
    if (pattern == "cross")
        return 15;
    if (pattern == "meteor")
        return box == 0 && port == 0 ? 17 : 6;
    if (pattern == "music")
        return 8 + port % 3;
    const int mix[5] = {15, 17, 19, 12, 10};
    return mix[port];
}

long totalFrames(sim::SimBackend& sim, int boxes, std::vector<long>& perPort) {
    perPort.assign(static_cast<std::size_t>(boxes * kPlusPortCount), 0);
    long total = 0;
    for (int b = 0; b < boxes; ++b) {
        const auto record = sim.plusRecord(b);
        for (int p = 0; p < kPlusPortCount; ++p) {
            perPort[static_cast<std::size_t>(b * kPlusPortCount + p)] = record->lightingCount[p];
            total += record->lightingCount[p];
        }
    }
    return total;
}
} // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 60.0;
    const QByteArray pattern = argc > 2 ? QByteArray(argv[2]) : QByteArray("cross");
    const int boxes = std::clamp(argc > 3 ? std::atoi(argv[3]) : 16, 1, kBoxCount);
    const int latencyMs = argc > 4 ? std::atoi(argv[4]) : 0;
    const bool probing = !(argc > 5 && QByteArray(argv[5]) == "noprobe");

    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLoggingCategory::setFilterRules(QStringLiteral("zyne.*.debug=false\nzyne.*.info=false"));
    QApplication app(argc, argv);

    std::unique_ptr<PrivatePulseServer> pulse;
    std::unique_ptr<QProcess> tone;
    if (pattern == "music") {
        pulse = std::make_unique<PrivatePulseServer>();
        if (!pulse->start()) {
            std::fprintf(stderr, "cannot start a private PulseAudio server\n");
            return 1;
        }
        qputenv("PULSE_SERVER", pulse->address().toLocal8Bit());
        tone = pulse->playTone(220.0, 0.5, seconds + 10.0);
    }

    QString error;
    auto rig = sim::SimRig::fromJson(
        rigJson(pattern == "meteor" || pattern == "music" ? 1 : boxes, latencyMs), &error);
    if (!rig) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const int used = static_cast<int>(rig->plus.size());
    auto backend = std::make_unique<sim::SimBackend>(*rig, QString(), sim::EventMemory::None);
    sim::SimBackend& sim = *backend;
    installHidBackend(std::move(backend));

    {
        VxZyneRainbow window;
        ZynePlusCommandHelper& engine = *window.plusEngine();
        const int animatedPorts = pattern == "meteor" ? 1 : used * kPlusPortCount;
        for (int b = 0; b < used; ++b) {
            for (int p = 0; p < kPlusPortCount; ++p) {
                engine.fanRecord(b, p).Bright.fill(1.0f);
                engine.changeLightMode(b, p, modeFor(pattern, b, p), 0, 0, false);
            }
        }

        // A 1 ms probe: any gap well past it is time the event loop spent in one piece of work.
        QElapsedTimer sinceProbe;
        qint64 longestGapMs = 0;
        bool measuring = false;
        QTimer probe;
        probe.setTimerType(Qt::PreciseTimer);
        QObject::connect(&probe, &QTimer::timeout, [&] {
            if (measuring)
                longestGapMs = std::max(longestGapMs, sinceProbe.elapsed());
            sinceProbe.restart();
        });
        if (probing)
            probe.start(1);

        std::vector<long> startCounts;
        std::vector<long> endCounts;
        double cpuStart = 0;
        QElapsedTimer span;
        // Two seconds to settle, then the measured span.
        QTimer::singleShot(2000, [&] {
            totalFrames(sim, used, startCounts);
            cpuStart = processCpuSeconds();
            span.start();
            sinceProbe.restart();
            measuring = true;
        });
        QTimer::singleShot(2000 + static_cast<int>(seconds * 1000), [&] {
            const double elapsed = span.elapsed() / 1000.0;
            const double cpu = processCpuSeconds() - cpuStart;
            const long frames = totalFrames(sim, used, endCounts) -
                                std::accumulate(startCounts.begin(), startCounts.end(), 0L);
            long slowest = -1;
            std::size_t slowestAt = 0;
            for (std::size_t i = 0; i < endCounts.size(); ++i) {
                const long got = endCounts[i] - startCounts[i];
                if (got > 0 && (slowest < 0 || got < slowest)) {
                    slowest = got;
                    slowestAt = i;
                }
            }
            std::printf("pattern %s, %d box(es), reply latency %d ms, %.1f s measured\n", pattern.constData(),
                        used, latencyMs, elapsed);
            std::printf("frames per animated port per second: %.2f on average, %.2f on the slowest port "
                        "(box %zu, port %zu)\n",
                        frames / elapsed / animatedPorts, slowest / elapsed, slowestAt / kPlusPortCount + 1,
                        slowestAt % kPlusPortCount + 1);
            if (probing)
                std::printf("longest event-loop stall: %lld ms\n", static_cast<long long>(longestGapMs));
            else
                std::printf("longest event-loop stall: not measured\n");
            std::printf("process CPU: %.2f %% of one core\n", 100.0 * cpu / elapsed);
            app.quit();
        });
        app.exec();
    }
    installHidBackend(nullptr);
    return 0;
}
