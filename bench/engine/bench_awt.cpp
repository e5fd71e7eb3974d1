// The AWT command queue: what one command costs the GUI thread beside the exchange itself, and the
// event loop's longest stall while the chip stays busy for 10 s.
#include "AwtController.h"
#include "ChipLink.h"
#include "SimBackend.h"
#include "ZynePlusCommandHelper.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <ctime>

using namespace zyne;

namespace {
// A chip that answers every frame at once with success and nothing else.
class InstantChip : public ChipLink {
public:
    ChipHandle open(const std::string&) override { return 1; }
    int close(ChipHandle) override { return 0; }
    int comm(ChipHandle, const unsigned char*, int, unsigned int* replyLength, unsigned char*, int) override {
        *replyLength = 0;
        return chipstatus::kOk;
    }
};

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

void waitForExchanges(AwtController& awt) {
    while (awt.exchangesInFlight() > 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// GUI-thread CPU time of one command: queuing, the tick that builds and hands over its frame,
// and taking the answer back. The exchange itself runs on the worker and is not counted.
void BM_AwtCommandGuiThreadCost(benchmark::State& state) {
    installChipLink(std::make_shared<InstantChip>());
    {
        std::array<ControllerBox, kBoxCount> boxes;
        AwtController awt(boxes);
        awt.checkConnect(0);
        while (awt.queuedCommands() > 0) {
            awt.runNextCommand();
            waitForExchanges(awt);
        }
        AwtCommand command;
        command.box = 0;
        command.port = 1;
        command.type = static_cast<int>(state.range(0));
        command.values[0] = 60;
        for (auto _ : state) {
            const double start = threadCpuSeconds();
            awt.queue(command);
            awt.runNextCommand();
            waitForExchanges(awt);
            state.SetIterationTime(threadCpuSeconds() - start);
        }
        state.SetLabel(command.type == AwtLighting ? "lighting frame" : "fan speed");
    }
    installChipLink(nullptr);
}
BENCHMARK(BM_AwtCommandGuiThreadCost)->Arg(AwtFanSpeed)->Arg(AwtLighting)->UseManualTime();

// The chip stays busy for 10 s while the user changes a fan speed every 50 ms and the speed poll
// runs every 65 ms; a 1 ms timer measures the longest gap between its ticks on the GUI thread.
void BM_AwtBusyChipEventLoopStall(benchmark::State& state) {
    QString error;
    auto sim = std::make_unique<sim::SimBackend>(
        *sim::SimRig::fromJson(R"({"awt": {"boxes": [0], "rpm": [1200, 0, 850]}})", &error));
    sim::SimBackend& rig = *sim;
    installChipLink(rig.chipLink());
    installHidBackend(std::move(sim));
    {
        ZynePlusCommandHelper engine;
        QEventLoop loop;
        QObject::connect(&engine, &ZynePlusCommandHelper::sendCheckAWTBoxSuccess, &loop, &QEventLoop::quit);
        engine.checkAWTConnect(0);
        loop.exec();
        for (auto _ : state) {
            rig.control(QStringLiteral("behave awt silent"));
            qint64 longestGapNs = 0;
            QElapsedTimer sinceTick;
            sinceTick.start();
            QTimer probe;
            probe.setTimerType(Qt::PreciseTimer);
            QObject::connect(&probe, &QTimer::timeout, [&] {
                longestGapNs = std::max(longestGapNs, sinceTick.nsecsElapsed());
                sinceTick.restart();
            });
            int level = 0;
            QTimer user;
            QObject::connect(&user, &QTimer::timeout,
                             [&] { engine.receiveChangeFanSpeedNum(0, 1, level++ % 11); });
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, [&] { engine.sendCommandReadFanSpeed(0); });
            probe.start(1);
            user.start(50);
            poll.start(65);
            QTimer::singleShot(10000, &loop, &QEventLoop::quit);
            loop.exec();
            state.counters["longest_gap_ms"] = double(longestGapNs) / 1e6;
            state.counters["queued_after_10s"] = double(engine.awtController().queuedCommands());
            rig.control(QStringLiteral("behave awt ok"));
        }
        while (engine.awtController().queuedCommands() > 0 || engine.awtController().exchangesInFlight() > 0)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    installHidBackend(nullptr);
    installChipLink(nullptr);
}
BENCHMARK(BM_AwtBusyChipEventLoopStall)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
} // namespace

int main(int argc, char** argv) {
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("zyne.*.debug=false\nzyne.*.info=false"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
