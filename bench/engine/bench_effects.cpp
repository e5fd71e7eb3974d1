// CPU time of one effect tick with 16 boxes × 5 ports all in that effect, engine and simulated
// controllers together (each tick writes one report and reads its reply per drawn port).
#include "SimBackend.h"
#include "ZynePlusCommandHelper.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace zyne;

namespace {
void installSixteenSimulatedBoxes() {
    QByteArray json = "{\"plus\": [";
    for (int i = 0; i < kBoxCount; ++i)
        json += (i ? ", " : "") + QByteArray("{\"index\": ") + QByteArray::number(i) + "}";
    QString error;
    installHidBackend(std::make_unique<sim::SimBackend>(*sim::SimRig::fromJson(json + "]}", &error),
                                                        QString(), sim::EventMemory::None));
}

enum Effect { Cross, Meteor, BigWave, Music, Script };

// A user script frame naming every port of every box: 80 fan entries.
QString everyPortScriptFrame() {
    QStringList controllers;
    for (int b = 0; b < kBoxCount; ++b) {
        QStringList fans;
        for (int p = 0; p < kPlusPortCount; ++p)
            fans
                << QStringLiteral(
                       R"("Fan%1":{"R":[255,0,0,0,0,0,0,0,0,0,0,9],"G":[0,255,0,0,0,0,0,0,0,0,0,9],)"
                       R"("B":[0,0,255,0,0,0,0,0,0,0,0,9],"Br":[100,100,100,100,100,100,100,100,100,100,100,100]})")
                       .arg(p);
        controllers << QStringLiteral(R"({"ControllerNum":%1,%2})").arg(b).arg(fans.join(QLatin1Char(',')));
    }
    return QStringLiteral(R"({"Controller":[%1]})").arg(controllers.join(QLatin1Char(',')));
}

void BM_EffectTick(benchmark::State& state) {
    installSixteenSimulatedBoxes();
    {
        ZynePlusCommandHelper engine;
        const auto effect = static_cast<Effect>(state.range(0));
        const int modes[] = {15, 17, 19, 11, 0};
        if (effect == Script)
            engine.setScript({everyPortScriptFrame(), everyPortScriptFrame()});
        for (int b = 0; effect != Script && b < kBoxCount; ++b) {
            for (int p = 0; p < kPlusPortCount; ++p) {
                engine.fanRecord(b, p).Bright.fill(1.0f);
                engine.changeLightMode(b, p, modes[effect], 0, 0, false);
            }
        }
        engine.receiveMobileVolume(60);
        for (auto _ : state) {
            switch (effect) {
            case Cross:
                engine.sendCross();
                break;
            case Meteor:
                engine.sendMeteor();
                break;
            case BigWave:
                engine.receiveBigWave();
                break;
            case Music:
                engine.runMusicModeTimer();
                break;
            case Script:
                engine.runScript();
                break;
            }
        }
        const char* names[] = {"cross, 80 frames", "meteor, 1-2 frames", "big wave, 80 frames",
                               "mobile music, 80 frames", "user script, 80 frames"};
        state.SetLabel(names[effect]);
    }
    installHidBackend(nullptr);
}
BENCHMARK(BM_EffectTick)->DenseRange(Cross, Script)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char** argv) {
    // The engine reads its settings and profiles: give it an empty folder, not the user's.
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("zyne.*.debug=false"));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
