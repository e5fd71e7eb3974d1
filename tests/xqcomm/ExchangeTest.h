#pragma once

#include <QObject>

class ExchangeTest : public QObject {
    Q_OBJECT

private slots:
    void commandGoesOutInChunks_data();
    void commandGoesOutInChunks();
    void sequenceNumberStaysOutOfFlagBits();
    void waitByteFollowsTimeout_data();
    void waitByteFollowsTimeout();
    void replyEndsWithStatusWord_data();
    void replyEndsWithStatusWord();
    void failuresAnswerLibraryStatus_data();
    void failuresAnswerLibraryStatus();
    void serialNumber_data();
    void serialNumber();
    void rawExchangeTakesWaitByte();
    void badHandlesAndArgumentsTouchNothing();
    void threadsSharingAHandleDoNotInterleave();
};
