// The server and the client over real sockets on the loopback interface.
#include "PowerSupplyApp.h"
#include "SocketClientHelper.h"
#include "SocketHelper.h"

#include <QHostInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <memory>

#include <sys/socket.h>

using namespace zyne;

namespace {
constexpr int kWaitMs = 10000;

QByteArray frame(const QByteArray& json) {
    return json.toBase64() + '&';
}

// A mobile app: connects and reads the greeting.
struct App {
    QTcpSocket socket;
    QByteArray greeting;

    bool connectTo(const SocketHelper& server) {
        socket.connectToHost(QHostAddress::LocalHost, server.serverPort());
        if (!socket.waitForConnected(kWaitMs))
            return false;
        return QTest::qWaitFor(
            [&] {
                greeting += socket.readAll();
                return greeting.endsWith('&');
            },
            kWaitMs);
    }
    // The same from a given local address (any of 127.0.0.0/8 reaches the loopback server).
    bool connectFrom(const QString& address, const SocketHelper& server) {
        if (!socket.bind(QHostAddress(address)))
            return false;
        return connectTo(server);
    }
    void send(const QByteArray& bytes) {
        socket.write(bytes);
        socket.flush();
    }
    // The next reply frame, decoded.
    QByteArray received;
    QJsonObject reply() {
        int end = -1;
        if (!QTest::qWaitFor(
                [&] {
                    received += socket.readAll();
                    end = received.indexOf('&');
                    return end >= 0;
                },
                kWaitMs))
            return {};
        const QByteArray frame = received.left(end);
        received.remove(0, end + 1);
        return QJsonDocument::fromJson(QByteArray::fromBase64(frame)).object();
    }
};

int commandOf(const QList<QVariant>& signal) {
    return signal.at(0).toMap().value("command").toInt();
}
} // namespace

class RemoteLinksTest : public QObject {
    Q_OBJECT
private slots:
    void greetsWithVersionHostAndLock();
    void framesInOneReadAndSplitFrames();
    void boxListKeepsTheFramesAfterIt();
    void badFramesLeaveTheConnectionWorking();
    void overlongFrameDropsOnlyThatConnection();
    void connectionsAreLimited();
    void oneHostCannotLockOthersOut();
    void boxListsToAClientThatNeverReads();
    void pushesGoToTheLatestOpenConnection();
    void repliesGoToTheAppThatAsked();
    void offListensNowhere();

    void clientLearnsThePowerType();
    void clientReconnectsOnSend();
};

void RemoteLinksTest::greetsWithVersionHostAndLock() {
    SocketHelper server(MobileServerExposure::LoopbackOnly, 0, [] { return QString(); });
    QVERIFY(server.isListening());
    App open;
    QVERIFY(open.connectTo(server));
    QCOMPARE(open.greeting, "VxRainbowFan#Ver.1.1.5!" + QHostInfo::localHostName().toUtf8() + "&");
    server.setLock(true, "4321");
    App locked;
    QVERIFY(locked.connectTo(server));
    QVERIFY(locked.greeting.endsWith("!4321&"));
    // Also over IPv6, when the machine has it.
    QTcpSocket v6;
    v6.connectToHost(QHostAddress::LocalHostIPv6, server.serverPort());
    if (v6.waitForConnected(kWaitMs)) {
        QByteArray text;
        QVERIFY(QTest::qWaitFor(
            [&] {
                text += v6.readAll();
                return text.endsWith('&');
            },
            kWaitMs));
        QVERIFY(text.startsWith("VxRainbowFan#"));
    }
}

void RemoteLinksTest::framesInOneReadAndSplitFrames() {
    SocketHelper server(MobileServerExposure::LoopbackOnly, 0, [] { return QString(); });
    QSignalSpy commands(&server, &SocketHelper::socketHelperSendData);
    App app;
    QVERIFY(app.connectTo(server));
    app.send(frame(R"({"command":1})") + frame(R"({"command":2})"));
    QTRY_COMPARE_WITH_TIMEOUT(commands.count(), 2, kWaitMs);
    QCOMPARE(commandOf(commands.at(0)), 1);
    QCOMPARE(commandOf(commands.at(1)), 2);

    // A frame cut in three pieces arrives whole.
    const QByteArray third = frame(R"({"command":3,"Data":{"BoxNum":"1000000000000000"}})");
    app.send(third.left(5));
    QTest::qWait(50);
    app.send(third.mid(5, 10));
    QTest::qWait(50);
    QCOMPARE(commands.count(), 2);
    app.send(third.mid(15) + frame(R"({"command":4})"));
    QTRY_COMPARE_WITH_TIMEOUT(commands.count(), 4, kWaitMs);
    QCOMPARE(commandOf(commands.at(2)), 3);
    QCOMPARE(commands.at(2).at(0).toMap().value("Data").toMap().value("BoxNum").toString(),
             QString("1000000000000000"));

    // More than one read's worth at once: every frame, in order.
    QByteArray many;
    for (int i = 0; i < 2000; ++i)
        many += frame(QByteArray(R"({"command":)") + QByteArray::number(100 + i) + "}");
    app.send(many);
    QTRY_COMPARE_WITH_TIMEOUT(commands.count(), 2004, kWaitMs);
    QCOMPARE(commandOf(commands.last()), 2099);
}

void RemoteLinksTest::boxListKeepsTheFramesAfterIt() {
    SocketHelper server(MobileServerExposure::LoopbackOnly, 0,
                        [] { return QStringLiteral("1000000000000001"); });
    QSignalSpy commands(&server, &SocketHelper::socketHelperSendData);
    App app;
    QVERIFY(app.connectTo(server));
    QByteArray read = frame(R"({"command":1})") + frame(R"({"command":"10"})");
    for (int i = 0; i < 5; ++i)
        read += frame(R"({"command":0})");
    app.send(read);
    const QJsonObject reply = app.reply();
    QCOMPARE(reply.value("ResType").toInt(), 10);
    QCOMPARE(reply.value("BoxNumStr").toString(), QString("1000000000000001"));
    QTRY_COMPARE_WITH_TIMEOUT(commands.count(), 6, kWaitMs);
    QCOMPARE(commandOf(commands.at(0)), 1);
    for (int i = 1; i < 6; ++i)
        QCOMPARE(commandOf(commands.at(i)), 0);
}

void RemoteLinksTest::badFramesLeaveTheConnectionWorking() {
    SocketHelper server(MobileServerExposure::LoopbackOnly, 0, [] { return QString(); });
    QSignalSpy commands(&server, &SocketHelper::socketHelperSendData);
    App app;
    QVERIFY(app.connectTo(server));
    app.send("@@not base64@@&" + frame("not json") + frame("[1]") + QByteArray("&&") +
             frame(R"({"command":6})"));
    QTRY_COMPARE_WITH_TIMEOUT(commands.count(), 1, kWaitMs);
    QCOMPARE(commandOf(commands.at(0)), 6);
    QCOMPARE(server.connectionCount(), 1);
}

void RemoteLinksTest::overlongFrameDropsOnlyThatConnection() {
    SocketHelper server(MobileServerExposure::LoopbackOnly, 0, [] { return QString(); });
    QSignalSpy commands(&server, &SocketHelper::socketHelperSendData);
    App flooder;
    App other;
    QVERIFY(flooder.connectTo(server));
    QVERIFY(other.connectTo(server));
    QTRY_COMPARE_WITH_TIMEOUT(server.connectionCount(), 2, kWaitMs);
    flooder.send(QByteArray(kMaxUnfinishedFrame + 4096, 'A'));
    QVERIFY(QTest::qWaitFor([&] { return flooder.socket.state() == QAbstractSocket::UnconnectedState; },
                            kWaitMs));
    QCOMPARE(server.connectionCount(), 1);
    other.send(frame(R"({"command":0})"));
    QTRY_COMPARE_WITH_TIMEOUT(commands.count(), 1, kWaitMs);
}

void RemoteLinksTest::connectionsAreLimited() {
    // Enough hosts (127.0.0.x, all loopback) to fill the server, each to its share.
    SocketHelper server(MobileServerExposure::LoopbackOnly, 0, [] { return QString(); });
    const int hosts = SocketHelper::kMaxConnections / SocketHelper::kMaxConnectionsPerAddress;
    std::vector<std::unique_ptr<App>> apps;
    for (int host = 1; host <= hosts; ++host) {
        for (int i = 0; i < SocketHelper::kMaxConnectionsPerAddress; ++i) {
            apps.push_back(std::make_unique<App>());
            QVERIFY(apps.back()->connectFrom(QStringLiteral("127.0.0.%1").arg(host), server));
        }
    }
    QCOMPARE(server.connectionCount(), SocketHelper::kMaxConnections);
    // Every one has spoken since, except the second: that one is silent longest.
    for (std::size_t i = 0; i < apps.size(); ++i) {
        if (i != 1)
            apps[i]->send(frame(R"({"command":6})"));
    }
    QSignalSpy commands(&server, &SocketHelper::socketHelperSendData);
    QTRY_COMPARE_WITH_TIMEOUT(commands.count(), int(apps.size()) - 1, kWaitMs);

    App newcomer;
    QVERIFY(newcomer.connectFrom(QStringLiteral("127.0.0.%1").arg(hosts + 1), server));
    QVERIFY(QTest::qWaitFor([&] { return apps[1]->socket.state() == QAbstractSocket::UnconnectedState; },
                            kWaitMs));
    QCOMPARE(server.connectionCount(), SocketHelper::kMaxConnections);
    for (std::size_t i = 0; i < apps.size(); ++i) {
        if (i != 1)
            QCOMPARE(apps[i]->socket.state(), QAbstractSocket::ConnectedState);
    }
    newcomer.send(frame(R"({"command":7})"));
    QTRY_COMPARE_WITH_TIMEOUT(commands.count(), int(apps.size()), kWaitMs);
    QCOMPARE(commandOf(commands.last()), 7);
}

void RemoteLinksTest::oneHostCannotLockOthersOut() {
    SocketHelper server(MobileServerExposure::LoopbackOnly, 0, [] { return QString(); });
    QSignalSpy commands(&server, &SocketHelper::socketHelperSendData);
    // One host opens as many connections as the server holds and keeps them idle.
    std::vector<std::unique_ptr<App>> idle;
    for (int i = 0; i < SocketHelper::kMaxConnections; ++i) {
        idle.push_back(std::make_unique<App>());
        QVERIFY(idle.back()->connectFrom(QStringLiteral("127.0.0.1"), server));
    }
    QCOMPARE(server.connectionCount(), SocketHelper::kMaxConnectionsPerAddress);
    // Its newest ones are the ones left, and the phone on another host is served.
    for (int i = 0; i < SocketHelper::kMaxConnections; ++i) {
        const bool kept = i >= SocketHelper::kMaxConnections - SocketHelper::kMaxConnectionsPerAddress;
        QTRY_COMPARE_WITH_TIMEOUT(idle[std::size_t(i)]->socket.state() == QAbstractSocket::ConnectedState,
                                  kept, kWaitMs);
    }
    App phone;
    QVERIFY(phone.connectFrom(QStringLiteral("127.0.0.2"), server));
    phone.send(frame(R"({"command":1})"));
    QTRY_COMPARE_WITH_TIMEOUT(commands.count(), 1, kWaitMs);
    QCOMPARE(server.connectionCount(), SocketHelper::kMaxConnectionsPerAddress + 1);
}

void RemoteLinksTest::boxListsToAClientThatNeverReads() {
    SocketHelper server(MobileServerExposure::LoopbackOnly, 0,
                        [] { return QStringLiteral("1000000000000001"); });
    App app;
    QVERIFY(app.connectTo(server));
    // Neither this process nor the kernel takes in much of what the server sends.
    app.socket.setReadBufferSize(1024);
    const int receiveBuffer = 4096;
    ::setsockopt(int(app.socket.socketDescriptor()), SOL_SOCKET, SO_RCVBUF, &receiveBuffer,
                 sizeof receiveBuffer);
    QByteArray requests;
    for (int i = 0; i < 1000; ++i)
        requests += frame(R"({"command":10})");
    // Each round asks for more box lists than the kernel's buffers hold; the server must give up on
    // the client long before its unsent replies pass what one round adds.
    for (int round = 0; round < 400 && app.socket.state() == QAbstractSocket::ConnectedState; ++round) {
        app.send(requests);
        QTest::qWait(5);
    }
    QTRY_COMPARE_WITH_TIMEOUT(app.socket.state(), QAbstractSocket::UnconnectedState, kWaitMs);
    QCOMPARE(server.connectionCount(), 0);
}

void RemoteLinksTest::pushesGoToTheLatestOpenConnection() {
    SocketHelper server(MobileServerExposure::LoopbackOnly, 0, [] { return QString(); });
    server.push(R"({"ResType":1})"); // nobody there: dropped
    App first;
    App second;
    QVERIFY(first.connectTo(server));
    QVERIFY(second.connectTo(server));
    QTRY_COMPARE_WITH_TIMEOUT(server.connectionCount(), 2, kWaitMs);
    server.push(R"({"ResType":2})");
    QCOMPARE(second.reply().value("ResType").toInt(), 2);
    second.socket.disconnectFromHost();
    QTRY_COMPARE_WITH_TIMEOUT(server.connectionCount(), 1, kWaitMs);
    server.push(R"({"ResType":3})");
    QCOMPARE(first.reply().value("ResType").toInt(), 3);
}

void RemoteLinksTest::repliesGoToTheAppThatAsked() {
    SocketHelper server(MobileServerExposure::LoopbackOnly, 0, [] { return QString(); });
    // Answers at once, and once more for the first command after its app has gone.
    SocketHelper::ReplyTarget firstAsker;
    QObject::connect(&server, &SocketHelper::socketHelperSendData, [&](const QVariantMap& command) {
        const int number = command.value("command").toInt();
        if (number == 1)
            firstAsker = server.replyTarget();
        server.push(QJsonDocument(QJsonObject{{"ResType", number}}).toJson(QJsonDocument::Compact));
    });
    App first;
    App second;
    QVERIFY(first.connectTo(server));
    QVERIFY(second.connectTo(server));
    QTRY_COMPARE_WITH_TIMEOUT(server.connectionCount(), 2, kWaitMs);
    first.send(frame(R"({"command":1})"));
    QCOMPARE(first.reply().value("ResType").toInt(), 1);
    second.send(frame(R"({"command":2})"));
    QCOMPARE(second.reply().value("ResType").toInt(), 2);
    QVERIFY(firstAsker);
    // A late reply to the first app still finds it; once it is gone, the latest open connection.
    server.push(R"({"ResType":4})", firstAsker);
    QCOMPARE(first.reply().value("ResType").toInt(), 4);
    first.socket.disconnectFromHost();
    QTRY_COMPARE_WITH_TIMEOUT(server.connectionCount(), 1, kWaitMs);
    server.push(R"({"ResType":5})", firstAsker);
    QCOMPARE(second.reply().value("ResType").toInt(), 5);
    QVERIFY(first.received.isEmpty() && first.socket.readAll().isEmpty());
}

void RemoteLinksTest::offListensNowhere() {
    SocketHelper server(MobileServerExposure::Off, 0, [] { return QString(); });
    QVERIFY(!server.isListening());
    QCOMPARE(server.serverPort(), quint16(0));
}

void RemoteLinksTest::clientLearnsThePowerType() {
    QTcpServer application;
    QVERIFY(application.listen(QHostAddress::LocalHost, 0));
    SocketClientHelper client(nullptr, application.serverPort());
    QSignalSpy types(&client, &SocketClientHelper::sendPowerType);
    QVERIFY(application.waitForNewConnection(kWaitMs));
    QTcpSocket* link = application.nextPendingConnection();
    QTRY_VERIFY_WITH_TIMEOUT(client.isConnected(), kWaitMs);
    link->write("VxPower_12LED!anything&");
    QTRY_COMPARE_WITH_TIMEOUT(types.count(), 1, kWaitMs);
    QCOMPARE(types.at(0).at(0).toInt(), 2);
    link->write("Nonsense&");
    link->flush();
    QTest::qWait(100);
    link->write("VxPower&");
    QTRY_COMPARE_WITH_TIMEOUT(types.count(), 2, kWaitMs);
    QCOMPARE(types.at(1).at(0).toInt(), 1);

    // Messages arrive as given, without a terminator of their own.
    client.testSendCommand(powerSupplyDefaultMessage());
    client.testSendCommand(powerSupplyLightMessage());
    QByteArray received;
    const QByteArray expected = (powerSupplyDefaultMessage() + powerSupplyLightMessage()).toLatin1();
    QVERIFY(QTest::qWaitFor(
        [&] {
            received += link->readAll();
            return received.size() >= expected.size();
        },
        kWaitMs));
    QCOMPARE(received, expected);
}

void RemoteLinksTest::clientReconnectsOnSend() {
    // The application is not running yet: the attempt at construction fails quietly.
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();
    SocketClientHelper client(nullptr, port);
    QTest::qWait(100);
    QVERIFY(!client.isConnected());

    // Now it is: the next send connects again and its text goes out once connected.
    QTcpServer application;
    QVERIFY(application.listen(QHostAddress::LocalHost, port));
    QTest::ignoreMessage(QtDebugMsg, "sendCommand:::::false");
    client.testSendCommand(powerSupplyLightMessage());
    QVERIFY(application.waitForNewConnection(kWaitMs));
    QTcpSocket* link = application.nextPendingConnection();
    QByteArray received;
    const QByteArray expected = powerSupplyLightMessage().toLatin1();
    QVERIFY(QTest::qWaitFor(
        [&] {
            received += link->readAll();
            return received.size() >= expected.size();
        },
        kWaitMs));
    QCOMPARE(received, expected);
}

QTEST_GUILESS_MAIN(RemoteLinksTest)
#include "tst_remotelinks.moc"
