#pragma once

#include <QObject>

class QTimer;

namespace zyne {

class ZynePlusCommandHelper;

// The main window's effect timers: each runs only while a port is in its mode. The engine starts
// them through its start signals and stops them from its own ticks when nothing is left to animate.
class EffectTimers : public QObject {
    Q_OBJECT
public:
    static constexpr int kBigWaveMs = 100;
    static constexpr int kMeteorMs = 50;
    static constexpr int kCrossMs = 50;
    static constexpr int kEffectMs = 70;
    static constexpr int kMusicModeMs = 50;
    static constexpr int kComputTempMs = 200;
    // A script may ask for any frequency; it never plays faster than this.
    static constexpr int kScriptMinimumMs = 50;

    EffectTimers(ZynePlusCommandHelper* engine, QObject* parent);

    // The interval of the script timer's next start: the script's frequency, at least the minimum.
    void setScriptFrequency(int frequencyMs);
    int scriptInterval() const { return m_scriptInterval; }

signals:
    void sendMusicMode();
    void sendComputTemp();

public slots:
    void startBigWaveTimer();
    void closeBigWaveTimer();
    void startMeteorTimer();
    void closeMeteorTimer();
    void startCrossTimer();
    void closeCrossTimer();
    void startEffectTimer();
    void closeEffectTimer();
    void startModeTimer();
    void closeModeTimer();
    void startComputTempTimer();
    void closeComputTempTimer();
    void startScritpTimer();
    void stopScritpTimer();
    // The cross, music mode and CPU temperature timers (the PC volume timer is the window's).
    void stopAllTimer();

    void runMusicModeTimer();
    void sendCommandCPUTemp();

private:
    QTimer* makeTimer(const char* name);
    static void start(QTimer* timer, int intervalMs, const char* log);
    static void stop(QTimer* timer, const char* log);

    QTimer* m_bigWave = nullptr;
    QTimer* m_meteor = nullptr;
    QTimer* m_cross = nullptr;
    QTimer* m_effect = nullptr;
    QTimer* m_musicMode = nullptr;
    QTimer* m_computTemp = nullptr;
    QTimer* m_script = nullptr;
    int m_scriptInterval = kScriptMinimumMs;
};

} // namespace zyne
