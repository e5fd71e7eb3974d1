// Cost of the Plus engine per report, per full refresh and per app colour command, against the
// simulated rig and against a device that takes every report at once (the engine's own share).
#include "ApplicationSettings.h"
#include "PlusReports.h"
#include "SimBackend.h"
#include "ZynePlusCommandHelper.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>

using namespace zyne;

namespace {
// Answers every report at once, so only the engine's work is measured.
class InstantDevice : public HidDevice {
public:
    int write(const unsigned char*, std::size_t length) override {
        m_pending = true;
        return static_cast<int>(length);
    }
    int read(unsigned char* data, std::size_t length, int) override {
        if (!m_pending)
            return 0;
        m_pending = false;
        std::fill(data, data + length, 0);
        return static_cast<int>(length);
    }
    int sendFeatureReport(const unsigned char*, std::size_t length) override {
        return static_cast<int>(length);
    }
    int getFeatureReport(unsigned char*, std::size_t length) override { return static_cast<int>(length); }

private:
    bool m_pending = false;
};

class InstantBackend : public HidBackend {
public:
    std::unique_ptr<HidDevice> open(std::uint16_t, std::uint16_t) override {
        return std::make_unique<InstantDevice>();
    }
    std::vector<HidDeviceInfo> enumerate(std::uint16_t, std::uint16_t) override { return {}; }
};

void installSixteenSimulatedBoxes() {
    QString json = QStringLiteral("{\"plus\": [");
    for (int i = 0; i < kBoxCount; ++i)
        json += QStringLiteral("%1{\"index\": %2}").arg(i ? QStringLiteral(",") : QString()).arg(i);
    json += QStringLiteral("]}");
    QString error;
    installHidBackend(std::make_unique<sim::SimBackend>(*sim::SimRig::fromJson(json.toUtf8(), &error)));
}

void installBackend(bool simulated) {
    if (simulated)
        installSixteenSimulatedBoxes();
    else
        installHidBackend(std::make_unique<InstantBackend>());
}

// One static frame on one port: one report written and its reply read.
void BM_LightingReport(benchmark::State& state) {
    installBackend(state.range(0) != 0);
    {
        ZynePlusCommandHelper engine;
        for (auto _ : state)
            engine.refreshFanLed(0, 1);
        state.SetLabel(state.range(0) ? "simulated controller" : "instant device");
    }
    installHidBackend(nullptr);
}
BENCHMARK(BM_LightingReport)->Arg(0)->Arg(1);

// Every port of 16 boxes: its lighting and its fixed speed (80 + 80 reports).
void BM_FullRefresh(benchmark::State& state) {
    installBackend(state.range(0) != 0);
    {
        ZynePlusCommandHelper engine;
        for (int b = 0; b < kBoxCount; ++b) {
            for (int p = 0; p < kPlusPortCount; ++p) {
                engine.changeLightMode(b, p, 6, 0, 0, false);
                engine.receiveChangeFanSpeedNum(b, p, 5);
            }
        }
        for (auto _ : state) {
            for (int b = 0; b < kBoxCount; ++b) {
                for (int p = 0; p < kPlusPortCount; ++p) {
                    engine.refreshFanLed(b, p);
                    engine.sendCommand_FanSpeed(b, p);
                }
            }
        }
        state.SetLabel(state.range(0) ? "simulated controllers" : "instant devices");
    }
    installHidBackend(nullptr);
}
BENCHMARK(BM_FullRefresh)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The mobile app's colour command for every port of 16 boxes, all LEDs selected: one
// receiveAPPRGBData per port, each writing the port's static frame (80 reports).
void BM_AppColourAllPorts(benchmark::State& state) {
    installBackend(state.range(0) != 0);
    {
        ZynePlusCommandHelper engine;
        for (int b = 0; b < kBoxCount; ++b) {
            for (int p = 0; p < kPlusPortCount; ++p)
                engine.changeLightMode(b, p, 6, 0, 0, false);
        }
        const QString allLeds = QStringLiteral("111111111111");
        int red = 0;
        for (auto _ : state) {
            red = (red + 1) & 0xFF;
            for (int b = 0; b < kBoxCount; ++b) {
                for (int p = 0; p < kPlusPortCount; ++p)
                    engine.receiveAPPRGBData(b, red, 128, 64, 1.0f, p, allLeds);
            }
        }
        state.SetLabel(state.range(0) ? "simulated controllers" : "instant devices");
    }
    installHidBackend(nullptr);
}
BENCHMARK(BM_AppColourAllPorts)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
// How long switching power-supply synchronisation on holds the GUI thread while the supply, not
// found yet, takes range(0) ms per answer (the look is two exchanges). Wall time of the switch alone.
void BM_SyncSwitchHoldsGuiThread(benchmark::State& state) {
    const QByteArray rig =
        QStringLiteral(
            R"({"plus": [{"index": 0}], "power_supply": {"model": "VXD-1250-PT", "latency_ms": %1}})")
            .arg(state.range(0))
            .toUtf8();
    QString error;
    installHidBackend(std::make_unique<sim::SimBackend>(*sim::SimRig::fromJson(rig, &error)));
    for (auto _ : state) {
        ZynePlusCommandHelper engine;
        ApplicationSettingsValues values = ApplicationSettings::get();
        values.isSyncPwrix = true;
        ApplicationSettings::set(values);
        const auto start = std::chrono::steady_clock::now();
        engine.receiveStartSyncPwrix();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        while (engine.boxExchangesOutstanding() > 0)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        values.isSyncPwrix = false;
        ApplicationSettings::set(values);
    }
    installHidBackend(nullptr);
}
BENCHMARK(BM_SyncSwitchHoldsGuiThread)
    ->Arg(0)
    ->Arg(2)
    ->Arg(10)
    ->Iterations(10)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();
} // namespace

int main(int argc, char** argv) {
    // The engine reads its settings and profiles: give it an empty folder, not the user's.
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    QCoreApplication app(argc, argv);
    // The program logs every report; measure the engine with and without that cost.
    if (qEnvironmentVariableIsEmpty("BENCH_WITH_LOGGING")) {
        QLoggingCategory::setFilterRules(QStringLiteral("zyne.*.debug=false"));
    } else {
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
