#include "MobileAppClient.h"

#include "ProgramUnderTest.h"

#include <QHostAddress>
#include <QJsonDocument>
#include <QTest>

bool MobileAppClient::connectTo(quint16 port) {
    socket.connectToHost(QHostAddress::LocalHost, port);
    return socket.waitForConnected(ProgramUnderTest::kWaitMs) &&
           nextFrame().startsWith("VxRainbowFan#Ver.1.1.5!");
}

QByteArray MobileAppClient::nextFrame() {
    int end = -1;
    const bool complete = QTest::qWaitFor(
        [&] {
            received += socket.readAll();
            end = received.indexOf('&');
            return end >= 0;
        },
        ProgramUnderTest::kWaitMs);
    if (!complete)
        return {};
    const QByteArray text = received.left(end);
    received.remove(0, end + 1);
    return text;
}

QJsonObject MobileAppClient::reply() {
    return QJsonDocument::fromJson(QByteArray::fromBase64(nextFrame())).object();
}

void MobileAppClient::send(const QByteArray& bytes) {
    socket.write(bytes);
    socket.flush();
}
