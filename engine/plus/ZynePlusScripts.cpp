// User lighting scripts: the frames the main window hands over, played by the script timer.
#include "ZynePlusCommandHelper.h"

namespace zyne {

void ZynePlusCommandHelper::setScript(QStringList texts) {
    qCDebug(lcPlus) << "setScript";
    qCDebug(lcPlus) << "First===userScriptList.count():" << m_script.count();
    std::vector<UserScriptFrame> frames;
    frames.reserve(std::size_t(texts.size()));
    for (const QString& text : std::as_const(texts)) {
        // Whole frames are long: their size says enough.
        qCDebug(lcPlus) << "dataStr:" << text.size() << "characters";
        ParsedScriptFrame parsed = parseScriptFrame(text);
        if (parsed.status == ParsedScriptFrame::ParseError)
            qCDebug(lcPlus) << "parse Error";
        else if (parsed.status == ParsedScriptFrame::NotAnObject)
            qCDebug(lcPlus) << "fffffffffffffffffffffffffffff11111111111111111111";
        if (parsed.skippedControllers > 0)
            qCWarning(lcPlus) << "script frame" << frames.size() << ":" << parsed.skippedControllers
                              << "controller entries without a box number 0..15 skipped";
        // A frame that can't be read stays in the list, empty: the LEDs keep the frame before.
        frames.push_back(std::move(parsed.frame));
    }
    m_script.load(std::move(frames));
    qCDebug(lcPlus) << "End===userScriptList.count():" << m_script.count();
    if (m_script.isEmpty())
        emit scriptTimerStop();
    else
        emit scriptTimerStart();
}

void ZynePlusCommandHelper::runScript() {
    qCDebug(lcPlus) << "runScript===userScriptList.count():" << m_script.count()
                    << "frame:" << m_script.nextIndex();
    PortFrames frames;
    if (!m_script.tick(boxArray, frames))
        return;
    writeFrames(frames);
    qCDebug(lcPlus) << "Send Stop";
}

} // namespace zyne
