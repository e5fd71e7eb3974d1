// The Plus engine's side of the AWT controller: what it queues, and what it does with the answers.
#include "AwtController.h"
#include "SelectedBox.h"
#include "ZynePlusCommandHelper.h"

namespace zyne {

void ZynePlusCommandHelper::connectAwtController() {
    connect(m_awt, &AwtController::passFinished, this, &ZynePlusCommandHelper::sendCheckAWTBoxSuccess);
    connect(m_awt, &AwtController::boxFound, this, &ZynePlusCommandHelper::awtBoxFound);
    connect(m_awt, &AwtController::speedRead, this, &ZynePlusCommandHelper::reportPolledSpeed);
    connect(m_awt, &AwtController::firmwareRead, this,
            [this](int, const QString& version) { emit sendPlusFirmware(version); });
}

void ZynePlusCommandHelper::sendAWTCommand() {
    m_awt->runNextCommand();
}

void ZynePlusCommandHelper::checkAWTConnect(int handleIndex) {
    m_awt->checkConnect(handleIndex);
}

void ZynePlusCommandHelper::queueAWTCommand(const AwtCommand& command) {
    m_awt->queue(command);
}

void ZynePlusCommandHelper::queueAwt(int boxNum, int fanNum, int type, int value) {
    AwtCommand command;
    command.box = boxNum;
    command.port = fanNum;
    command.type = type;
    command.values[0] = value;
    m_awt->queue(command);
}

void ZynePlusCommandHelper::awtBoxFound(int boxNum) {
    // The stored fan types stay: the controller's rules tell Vela fans (9 LEDs) and radiators
    // (no minimum duty) from plain fans.
    const ControllerBox& found = boxArray[static_cast<std::size_t>(boxNum)];
    applyProfile(boxNum, m_ini.readProfileIni(found.Profile));
    for (int p = 0; p < kAwtFanCount; ++p) {
        refreshFanLed(boxNum, p);
        sendCommand_FanSpeed(boxNum, p);
    }
    if (boxNum == selectedBox())
        reportShownBoxToViews();
}

} // namespace zyne
