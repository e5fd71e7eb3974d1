// The main window's side of user scripts and demo shows: the script timer's interval, scripts by
// name for the mobile app, and the demo shows it asks for.
#include "VxZyneRainbow.h"

#include "EffectTimers.h"
#include "ScriptFiles.h"
#include "ZynePlusCommandHelper.h"

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcMain)

namespace zyne {

void VxZyneRainbow::testReceiveFileData(QStringList texts, int frequency) {
    m_effectTimers->stopScritpTimer();
    qCDebug(lcMain) << "testReceiveFileData" << texts.size() << "frames," << frequency << "ms";
    m_effectTimers->setScriptFrequency(frequency);
    m_plus->setScript(texts);
}

bool VxZyneRainbow::openScriptByName(const QString& name) {
    const QString path = findScriptByName(name);
    if (path.isEmpty())
        return false;
    const std::optional<ScriptText> script = readScriptFile(path);
    if (!script || script->frames.isEmpty()) {
        // As when the view opens such a file: the running script plays on.
        qCWarning(lcMain) << "script" << name << "holds no frames";
        return false;
    }
    testReceiveFileData(script->frames, script->frequency);
    return true;
}

void VxZyneRainbow::startDemoEffect(int effect) {
    m_plus->setupEffectMode(effect);
    m_effectTimers->startEffectTimer();
}

} // namespace zyne
