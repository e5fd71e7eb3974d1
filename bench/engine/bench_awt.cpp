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

#include <chrono>
#include <ctime>
#include <thread>

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

// A chip library that takes its time listing the HID devices on every open; one chip, as xq_hid1.
class SlowListingChip : public InstantChip {
public:
    explicit SlowListingChip(std::chrono::milliseconds listing) : m_listing(listing) {}
    ChipHandle open(const std::string& deviceName) override {
        std::this_thread::sleep_for(m_listing);
        return deviceName == "xq_hid1" ? 1 : kNoChipHandle;
    }

private:
    const std::chrono::milliseconds m_listing;
};

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

void drain(AwtController& awt) {
    while (awt.queuedCommands() > 0 || awt.exchangesInFlight() > 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// An AWT controller that has found box 0 on the instant chip.
void findBox(AwtController& awt) {
    awt.checkConnect(0);
    drain(awt);
}

AwtCommand benchCommand(int type) {
    AwtCommand command;
    command.box = 0;
    command.port = 1;
    command.type = type;
    command.values[0] = 60;
    return command;
}

const char* label(int type) {
    return type == AwtLighting ? "lighting frame" : type == AwtCross ? "effect frame" : "fan speed";
}

// GUI-thread CPU time of one command: queuing it and the tick that takes in the previous answer
// and hands this frame to the handle's worker. The exchange runs on the worker and is not counted.
void BM_AwtCommandGuiThreadCost(benchmark::State& state) {
    installChipLink(std::make_shared<InstantChip>());
    {
        std::array<ControllerBox, kBoxCount> boxes;
        AwtController awt(boxes);
        findBox(awt);
        const AwtCommand command = benchCommand(static_cast<int>(state.range(0)));
        for (auto _ : state) {
            const double start = threadCpuSeconds();
            awt.queue(command);
            awt.runNextCommand();
            state.SetIterationTime(threadCpuSeconds() - start);
            // Time for the worker to answer; sleeping costs the GUI thread nothing.
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        }
        state.SetLabel(label(command.type));
    }
    installChipLink(nullptr);
}
BENCHMARK(BM_AwtCommandGuiThreadCost)->Arg(AwtFanSpeed)->Arg(AwtLighting)->Arg(AwtCross)->UseManualTime();

// What the measuring itself adds to each figure above: an empty span timed the same way.
void BM_MeasuredSpanOverhead(benchmark::State& state) {
    for (auto _ : state) {
        const double start = threadCpuSeconds();
        state.SetIterationTime(threadCpuSeconds() - start);
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
}
BENCHMARK(BM_MeasuredSpanOverhead)->UseManualTime();

// The same through the event loop, as the program runs it: 100 commands queued at once, drained by
// the controller's own 20 ms timer. Counts every GUI-thread cycle from queuing to the last answer,
// the timer's wake-ups included.
void BM_AwtCommandThroughEventLoop(benchmark::State& state) {
    constexpr int kCommands = 100;
    installChipLink(std::make_shared<InstantChip>());
    {
        std::array<ControllerBox, kBoxCount> boxes;
        AwtController awt(boxes);
        findBox(awt);
        const AwtCommand command = benchCommand(static_cast<int>(state.range(0)));
        for (auto _ : state) {
            const double start = threadCpuSeconds();
            for (int i = 0; i < kCommands; ++i)
                awt.queue(command);
            while (awt.queuedCommands() > 0 || awt.exchangesInFlight() > 0)
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            const double perCommand = (threadCpuSeconds() - start) / kCommands;
            state.SetIterationTime(perCommand);
            state.counters["gui_us_per_command"] = perCommand * 1e6;
        }
        state.SetLabel(label(command.type));
    }
    installChipLink(nullptr);
}
BENCHMARK(BM_AwtCommandThroughEventLoop)->Arg(AwtFanSpeed)->Arg(AwtLighting)->Iterations(3)->UseManualTime();

// How long the GUI thread is held when every handle slot is checked (start-up, each chip arrival)
// with a library that takes range(0) ms to list the devices per open. Wall time of the 16 requests
// alone; the passes that follow run on the controller's timer.
void BM_AwtSlotSweepHoldsGuiThread(benchmark::State& state) {
    installChipLink(std::make_shared<SlowListingChip>(std::chrono::milliseconds(state.range(0))));
    {
        std::array<ControllerBox, kBoxCount> boxes;
        AwtController awt(boxes);
        for (auto _ : state) {
            const auto start = std::chrono::steady_clock::now();
            for (int slot = 0; slot < AwtController::kHandleCount; ++slot)
                awt.checkConnect(slot);
            state.SetIterationTime(
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
            drain(awt);
            awt.closeAllHandles();
            drain(awt);
        }
    }
    installChipLink(nullptr);
}
BENCHMARK(BM_AwtSlotSweepHoldsGuiThread)
    ->Arg(0)
    ->Arg(2)
    ->Iterations(10)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();

// What any 20 ms timer tick costs the GUI thread on this machine, doing nothing: subtract it from
// the figure above to get the queue's own cost.
void BM_EmptyTimerTick(benchmark::State& state) {
    constexpr int kTicks = 100;
    for (auto _ : state) {
        int ticks = 0;
        QTimer timer;
        timer.setInterval(AwtController::kTickMs);
        QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        const double start = threadCpuSeconds();
        timer.start();
        while (ticks < kTicks)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        const double perTick = (threadCpuSeconds() - start) / kTicks;
        state.SetIterationTime(perTick);
        state.counters["gui_us_per_tick"] = perTick * 1e6;
    }
}
BENCHMARK(BM_EmptyTimerTick)->Iterations(3)->UseManualTime();

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
