#include "EffectTimers.h"

#include "ZynePlusCommandHelper.h"

#include <QLoggingCategory>
#include <QTimer>

#include <algorithm>

Q_DECLARE_LOGGING_CATEGORY(lcMain)

namespace zyne {

EffectTimers::EffectTimers(ZynePlusCommandHelper* engine, QObject* parent) : QObject(parent) {
    using Plus = ZynePlusCommandHelper;
    m_musicMode = makeTimer("musicModeTimer");
    connect(m_musicMode, &QTimer::timeout, this, &EffectTimers::runMusicModeTimer);
    connect(this, &EffectTimers::sendMusicMode, engine, &Plus::runMusicModeTimer);
    connect(engine, &Plus::sendStartMusicModeTimer, this, &EffectTimers::startModeTimer);
    connect(engine, &Plus::sendCloseMusicModeTimer, this, &EffectTimers::closeModeTimer);

    m_computTemp = makeTimer("computTempTimer");
    connect(m_computTemp, &QTimer::timeout, this, &EffectTimers::sendCommandCPUTemp);
    connect(this, &EffectTimers::sendComputTemp, engine, &Plus::sendCommandCPUTemp);
    connect(engine, &Plus::sendStartComputTempTimer, this, &EffectTimers::startComputTempTimer);
    connect(engine, &Plus::sendCloseComputTempTimer, this, &EffectTimers::closeComputTempTimer);

    m_cross = makeTimer("crossTimer");
    connect(m_cross, &QTimer::timeout, engine, &Plus::sendCross, Qt::DirectConnection);
    connect(engine, &Plus::sendStartCrossTimer, this, &EffectTimers::startCrossTimer);
    connect(engine, &Plus::sendCloseCrossTimer, this, &EffectTimers::closeCrossTimer);

    m_meteor = makeTimer("meteorTimer");
    connect(m_meteor, &QTimer::timeout, engine, &Plus::sendMeteor, Qt::DirectConnection);
    connect(engine, &Plus::sendStartMeteorTimer, this, &EffectTimers::startMeteorTimer);
    connect(engine, &Plus::sendCloseMeteorTimer, this, &EffectTimers::closeMeteorTimer);

    m_bigWave = makeTimer("bigWaveTimer");
    connect(m_bigWave, &QTimer::timeout, engine, &Plus::receiveBigWave, Qt::DirectConnection);
    connect(engine, &Plus::sendStartBigWaveTimer, this, &EffectTimers::startBigWaveTimer);
    connect(engine, &Plus::sendCloseBigWaveTimer, this, &EffectTimers::closeBigWaveTimer);

    m_script = makeTimer("scriptTimer");
    connect(m_script, &QTimer::timeout, engine, &Plus::runScript, Qt::DirectConnection);
    connect(engine, &Plus::scriptTimerStart, this, &EffectTimers::startScritpTimer);
    connect(engine, &Plus::scriptTimerStop, this, &EffectTimers::stopScritpTimer);

    m_effect = makeTimer("effectTimer");
    connect(m_effect, &QTimer::timeout, engine, &Plus::receiveEffect, Qt::DirectConnection);
    connect(engine, &Plus::sendEffectTimerStart, this, &EffectTimers::startEffectTimer);
    connect(engine, &Plus::sendEffectTimerStop, this, &EffectTimers::closeEffectTimer);
}

QTimer* EffectTimers::makeTimer(const char* name) {
    auto* timer = new QTimer(this);
    timer->setObjectName(QLatin1String(name));
    // Animations count on their rate: a coarse timer may drift by up to 5 % per tick.
    timer->setTimerType(Qt::PreciseTimer);
    return timer;
}

void EffectTimers::start(QTimer* timer, int intervalMs, const char* log) {
    // A running timer keeps its phase.
    if (timer->isActive())
        return;
    timer->start(intervalMs);
    qCDebug(lcMain) << log;
}

void EffectTimers::stop(QTimer* timer, const char* log) {
    if (!timer->isActive())
        return;
    timer->stop();
    qCDebug(lcMain) << log;
}

void EffectTimers::startBigWaveTimer() {
    start(m_bigWave, kBigWaveMs, "startBigWaveTimer");
}

void EffectTimers::closeBigWaveTimer() {
    stop(m_bigWave, "closeBigWaveTimer");
}

void EffectTimers::startMeteorTimer() {
    start(m_meteor, kMeteorMs, "startMeteorTimer");
}

void EffectTimers::closeMeteorTimer() {
    stop(m_meteor, "closeMeteorTimer");
}

void EffectTimers::startCrossTimer() {
    start(m_cross, kCrossMs, "startCrossTimer");
}

void EffectTimers::closeCrossTimer() {
    stop(m_cross, "closeCrossTimer");
}

void EffectTimers::startEffectTimer() {
    start(m_effect, kEffectMs, "startEffectTimer");
}

void EffectTimers::closeEffectTimer() {
    stop(m_effect, "closeEffectTimer");
}

void EffectTimers::startModeTimer() {
    start(m_musicMode, kMusicModeMs, "startModeTimer");
}

void EffectTimers::closeModeTimer() {
    stop(m_musicMode, "closeModeTimer");
}

void EffectTimers::startComputTempTimer() {
    start(m_computTemp, kComputTempMs, "startComputTempTimer");
}

void EffectTimers::closeComputTempTimer() {
    stop(m_computTemp, "closeComputTempTimer");
}

void EffectTimers::setScriptFrequency(int frequencyMs) {
    m_scriptInterval = std::max(frequencyMs, kScriptMinimumMs);
}

void EffectTimers::startScritpTimer() {
    start(m_script, m_scriptInterval, "startScritpTimer");
}

void EffectTimers::stopScritpTimer() {
    stop(m_script, "stopScritpTimer");
}

void EffectTimers::stopAllTimer() {
    closeCrossTimer();
    closeModeTimer();
    closeComputTempTimer();
}

void EffectTimers::runMusicModeTimer() {
    emit sendMusicMode();
}

void EffectTimers::sendCommandCPUTemp() {
    emit sendComputTemp();
}

} // namespace zyne
