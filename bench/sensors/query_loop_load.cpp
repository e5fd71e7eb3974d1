// CPU use of the music modes' 50 ms level query while a tone plays: starts a private PulseAudio
// server, plays into its output, queries every 50 ms and reports this process's CPU time (the
// capture thread included) and the longest single query.
#include "ComputerVolume.h"
#include "PrivatePulseServer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

double processCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 20.0;

    PrivatePulseServer server;
    if (!server.start()) {
        std::fprintf(stderr, "cannot start a private PulseAudio server\n");
        return 1;
    }
    qputenv("PULSE_SERVER", server.address().toLocal8Bit());
    ComputerVolume meter;
    const auto player = server.playTone(220.0, 0.5, seconds + 2.0);
    if (!player) {
        std::fprintf(stderr, "cannot play a tone\n");
        return 1;
    }
    int queries = 0;
    int failures = 0;
    int loudest = -1;
    qint64 longestQueryNs = 0;
    const double cpuStart = processCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        QElapsedTimer one;
        one.start();
        const int level = meter.getVolumeLevel();
        longestQueryNs = std::max(longestQueryNs, one.nsecsElapsed());
        ++queries;
        failures += level < 0 ? 1 : 0;
        loudest = std::max(loudest, level);
        if (wall.elapsed() >= static_cast<qint64>(seconds * 1000)) {
            app.quit();
        }
    });
    tick.start(50);
    app.exec();
    const double cpu = processCpuSeconds() - cpuStart;
    const double elapsed = static_cast<double>(wall.elapsed()) / 1000.0;
    std::printf("queries %d, failed %d, loudest %d\n", queries, failures, loudest);
    std::printf("process CPU %.3f s over %.1f s wall: %.2f %% of one core\n", cpu, elapsed,
                100.0 * cpu / elapsed);
    std::printf("longest query %.1f us\n", static_cast<double>(longestQueryNs) / 1000.0);
    player->kill();
    player->waitForFinished();
    return 0;
}
