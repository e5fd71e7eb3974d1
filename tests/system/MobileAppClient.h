#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QTcpSocket>

// The mobile app's side of the program's server: reads the greeting on connecting and one reply
// frame per reply(). Every wait is bounded by ProgramUnderTest::kWaitMs.
struct MobileAppClient {
    QTcpSocket socket;
    QByteArray received;

    // A JSON text framed as the app sends it: Base64, then "&".
    static QByteArray frame(const QByteArray& json) { return json.toBase64() + '&'; }

    bool connectTo(quint16 port);
    // The next frame's text (still Base64), or empty when none came.
    QByteArray nextFrame();
    QJsonObject reply();
    void send(const QByteArray& bytes);
};
