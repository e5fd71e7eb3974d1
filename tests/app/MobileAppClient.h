#pragma once

// The mobile app's side of a main window's server, for the window tests.
#include "SocketHelper.h"
#include "VxZyneRainbow.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QtTest>

namespace zyne::testing {

constexpr int kAppWaitMs = 10000;

inline QVariantMap command(const QByteArray& json) {
    return QJsonDocument::fromJson(json).object().toVariantMap();
}

struct MobileAppClient {
    QTcpSocket socket;
    QByteArray received;

    bool connectTo(VxZyneRainbow& window) {
        auto* server = window.findChild<SocketHelper*>();
        if (!server || !server->isListening())
            return false;
        socket.connectToHost(QHostAddress::LocalHost, server->serverPort());
        QByteArray greeting;
        return socket.waitForConnected(kAppWaitMs) && QTest::qWaitFor(
                                                          [&] {
                                                              greeting += socket.readAll();
                                                              return greeting.endsWith('&');
                                                          },
                                                          kAppWaitMs);
    }
    // Sends the text as one frame.
    void send(const QByteArray& text) {
        socket.write(text.toBase64() + '&');
        socket.flush();
    }
    // The next reply; an empty object when none came.
    QJsonObject reply() {
        int end = -1;
        if (!QTest::qWaitFor(
                [&] {
                    received += socket.readAll();
                    end = received.indexOf('&');
                    return end >= 0;
                },
                kAppWaitMs))
            return {};
        const QByteArray frame = received.left(end);
        received.remove(0, end + 1);
        return QJsonDocument::fromJson(QByteArray::fromBase64(frame)).object();
    }
};

} // namespace zyne::testing
