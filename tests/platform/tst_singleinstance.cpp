#include "MessageServer.h"
#include "RuntimeFolder.h"
#include "SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <vector>

using namespace zyne;

namespace {
constexpr char kTitle[] = "Zyne Plus RGB";
constexpr uid_t kOtherUser = 65534;

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

bool makeFolder(const QString& path, mode_t mode) {
    return QDir().mkpath(path) && ::chmod(encoded(path).constData(), mode) == 0;
}

mode_t modeOf(const QString& path) {
    struct stat info {};
    ::lstat(encoded(path).constData(), &info);
    return info.st_mode & 07777;
}

bool isRoot() {
    return ::geteuid() == 0;
}
} // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void runtimeFolderIsPrivate();
    void secondClaimHandsOverInTheRuntimeFolder();
    void socketOfAnotherUserIsRefused();
    void connectionsAreBoundedAndIdleOnesDropped();
    void listensAgainWhenTheServerIsClosed();
    void listensAgainWhenTheSocketFileVanishes();
    void fullBacklogMakesNoSecondInstance();
    void preparedTempFolderMakesNoSecondInstance();
    void garbageIsNotHandedOnNorFloodsTheLog();

private:
    // Waits until a fresh instance can hand a message to `running`.
    bool handsOverTo(SingleInstance& running, quint32 msg);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_runtime;
    QString m_settings;
};

void SingleInstanceTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_runtime = m_dir->filePath(QStringLiteral("runtime"));
    m_settings = m_dir->filePath(QStringLiteral("settings"));
    QVERIFY(makeFolder(m_runtime, 0700));
    QVERIFY(makeFolder(m_dir->filePath(QStringLiteral("tmp")), 01777));
    qputenv("XDG_RUNTIME_DIR", encoded(m_runtime));
    qputenv("TMPDIR", encoded(m_dir->filePath(QStringLiteral("tmp"))));
}

void SingleInstanceTest::cleanup() {
    qunsetenv("XDG_RUNTIME_DIR");
    qunsetenv("TMPDIR");
    m_dir.reset();
}

bool SingleInstanceTest::handsOverTo(SingleInstance& running, quint32 msg) {
    QSignalSpy received(&running, &SingleInstance::messageReceived);
    SingleInstance second(QString::fromLatin1(kTitle), m_settings);
    if (second.claim(msg, 1, 1) || !second.handedOver())
        return false;
    return received.wait(5000) && received.last().at(0).toUInt() == msg;
}

void SingleInstanceTest::runtimeFolderIsPrivate() {
    QString problem;
    QCOMPARE(privateRuntimeFolder(&problem), m_runtime);

    // Without XDG_RUNTIME_DIR, or with one others can enter, a private folder of our own is made.
    const QString own = m_dir->filePath(QStringLiteral("tmp/vx-zyne-plus-rgb-%1").arg(::getuid()));
    QVERIFY(::chmod(encoded(m_runtime).constData(), 0755) == 0);
    QCOMPARE(privateRuntimeFolder(&problem), own);
    QCOMPARE(modeOf(own), mode_t(0700));
    qunsetenv("XDG_RUNTIME_DIR");
    QCOMPARE(privateRuntimeFolder(&problem), own);

    // A folder someone else put there first, or opened up, is not used.
    QVERIFY(::chmod(encoded(own).constData(), 0777) == 0);
    QVERIFY(privateRuntimeFolder(&problem).isEmpty());
    QVERIFY2(problem.contains(QStringLiteral("open to other users")), qPrintable(problem));
    QVERIFY(QDir(own).removeRecursively());
    QVERIFY(QFile::link(m_runtime, own));
    QVERIFY(privateRuntimeFolder(&problem).isEmpty());
    QVERIFY2(problem.contains(QStringLiteral("not a folder")), qPrintable(problem));

    // Without a private folder the program still starts, on its own.
    SingleInstance alone(QString::fromLatin1(kTitle), m_settings);
    QVERIFY(alone.socketPath().isEmpty());
    QVERIFY(alone.claim(0x8101, 1, 1));
}

void SingleInstanceTest::secondClaimHandsOverInTheRuntimeFolder() {
    SingleInstance first(QString::fromLatin1(kTitle), m_settings);
    QVERIFY(first.claim(0x8101, 1, 1));
    QCOMPARE(QFileInfo(first.socketPath()).absolutePath(), m_runtime);
    QVERIFY(QFileInfo(first.socketPath()).exists());
    QVERIFY(handsOverTo(first, 0x8101));
    // Nothing of ours lands in the shared temporary folder.
    QVERIFY(QDir(m_dir->filePath(QStringLiteral("tmp"))).isEmpty());
}

void SingleInstanceTest::socketOfAnotherUserIsRefused() {
    if (!isRoot())
        QSKIP("needs root to hand a socket file to another user");
    // Someone else's listener on our socket's name must not be taken for the running instance.
    const QString path = SingleInstance(QString::fromLatin1(kTitle), m_settings).socketPath();
    QLocalServer impostor;
    QVERIFY(impostor.listen(path));
    QVERIFY(::chown(encoded(path).constData(), kOtherUser, kOtherUser) == 0);

    SingleInstance instance(QString::fromLatin1(kTitle), m_settings);
    QSignalSpy impostorHeard(&impostor, &QLocalServer::newConnection);
    QVERIFY(instance.claim(0x8101, 1, 1));
    QVERIFY(!impostorHeard.wait(200));
    QVERIFY(handsOverTo(instance, 0x8101));
}

void SingleInstanceTest::connectionsAreBoundedAndIdleOnesDropped() {
    SingleInstance running(QString::fromLatin1(kTitle), m_settings);
    QVERIFY(running.claim(0x8101, 1, 1));

    // Clients that connect and say nothing.
    std::vector<std::unique_ptr<QLocalSocket>> idle;
    for (int i = 0; i < 40; ++i) {
        idle.push_back(std::make_unique<QLocalSocket>());
        idle.back()->connectToServer(running.socketPath());
        QVERIFY(idle.back()->waitForConnected(1000));
    }
    const auto stillConnected = [&] {
        return std::count_if(idle.begin(), idle.end(), [](const auto& socket) {
            return socket->state() == QLocalSocket::ConnectedState;
        });
    };
    QTRY_VERIFY_WITH_TIMEOUT(stillConnected() <= MessageServer::kMaxConnections, 5000);
    // A real start still gets through.
    QVERIFY(handsOverTo(running, 0x8102));
    QTRY_COMPARE_WITH_TIMEOUT(stillConnected(), 0L, 3 * MessageServer::kIdleMs);
}

void SingleInstanceTest::listensAgainWhenTheServerIsClosed() {
    SingleInstance running(QString::fromLatin1(kTitle), m_settings);
    QVERIFY(running.claim(0x8101, 1, 1));

    // Pending connections the process has no descriptor left to accept: Qt gives up the server.
    std::vector<std::unique_ptr<QLocalSocket>> waiting;
    for (int i = 0; i < 4; ++i) {
        waiting.push_back(std::make_unique<QLocalSocket>());
        waiting.back()->connectToServer(running.socketPath());
        QVERIFY(waiting.back()->waitForConnected(1000));
    }
    rlimit saved{};
    QVERIFY(::getrlimit(RLIMIT_NOFILE, &saved) == 0);
    const int top = ::dup(0);
    QVERIFY(top >= 0);
    rlimit tight = saved;
    tight.rlim_cur = static_cast<rlim_t>(top) + 1;
    QVERIFY(::setrlimit(RLIMIT_NOFILE, &tight) == 0);
    std::vector<int> fillers{top};
    for (int fd; (fd = ::dup(0)) >= 0;)
        fillers.push_back(fd);
    QTest::qWait(200);
    for (int fd : fillers)
        ::close(fd);
    QVERIFY(::setrlimit(RLIMIT_NOFILE, &saved) == 0);
    waiting.clear();

    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(running.socketPath()), 5 * MessageServer::kWatchMs);
    QVERIFY(handsOverTo(running, 0x8103));
}

void SingleInstanceTest::listensAgainWhenTheSocketFileVanishes() {
    SingleInstance running(QString::fromLatin1(kTitle), m_settings);
    QVERIFY(running.claim(0x8101, 1, 1));
    QVERIFY(QFile::remove(running.socketPath()));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(running.socketPath()), 5 * MessageServer::kWatchMs);
    QVERIFY(handsOverTo(running, 0x8104));
}

void SingleInstanceTest::fullBacklogMakesNoSecondInstance() {
    SingleInstance running(QString::fromLatin1(kTitle), m_settings);
    QVERIFY(running.claim(0x8101, 1, 1));
    struct stat before {};
    QCOMPARE(::lstat(encoded(running.socketPath()).constData(), &before), 0);
    // Connections the busy instance hasn't accepted yet, until the kernel takes no more.
    std::vector<int> waiting;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, encoded(running.socketPath()).constData(), sizeof address.sun_path - 1);
    for (;;) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
        QVERIFY(fd >= 0);
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
            ::close(fd);
            break;
        }
        waiting.push_back(fd);
        QVERIFY(waiting.size() < 100000);
    }
    SingleInstance second(QString::fromLatin1(kTitle), m_settings);
    const bool secondRuns = second.claim(0x8101, 1, 1);
    for (const int fd : waiting)
        ::close(fd);
    QVERIFY(!secondRuns);
    // ...and it does not claim that the running one took the message.
    QVERIFY(!second.handedOver());
    // The running instance's socket is still the one it listens on.
    struct stat after {};
    QCOMPARE(::lstat(encoded(running.socketPath()).constData(), &after), 0);
    QCOMPARE(after.st_ino, before.st_ino);
    // Once it has caught up, it is reached again.
    QTest::qWait(MessageServer::kIdleMs);
    QVERIFY(handsOverTo(running, 0x8102));
}

void SingleInstanceTest::preparedTempFolderMakesNoSecondInstance() {
    // No runtime folder, and the fallback made by someone else and open to all.
    qunsetenv("XDG_RUNTIME_DIR");
    QVERIFY(makeFolder(m_dir->filePath(QStringLiteral("tmp/vx-zyne-plus-rgb-%1").arg(::getuid())), 0777));
    SingleInstance first(QString::fromLatin1(kTitle), m_settings);
    QVERIFY(first.socketPath().isEmpty());
    QVERIFY(first.claim(0x8101, 1, 1));
    SingleInstance second(QString::fromLatin1(kTitle), m_settings);
    QVERIFY(!second.claim(0x8101, 1, 1));
    QVERIFY(!second.handedOver());
}

void SingleInstanceTest::garbageIsNotHandedOnNorFloodsTheLog() {
    SingleInstance running(QString::fromLatin1(kTitle), m_settings);
    QVERIFY(running.claim(0x8101, 1, 1));
    QSignalSpy received(&running, &SingleInstance::messageReceived);
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
            if (type == QtWarningMsg)
                warnings << text;
        });
    // Programs writing anything but window messages, each in its own connection.
    QByteArray garbage;
    for (int i = 0; i < 40 * kWindowMessageBytes; ++i)
        garbage += char((i * 37 + 11) & 0xff);
    for (int i = 0; i < 300; ++i) {
        QLocalSocket writer;
        writer.connectToServer(running.socketPath());
        QVERIFY(writer.waitForConnected(1000));
        writer.write(garbage);
        QVERIFY(writer.waitForBytesWritten(1000));
        QTest::qWait(1);
    }
    QVERIFY(handsOverTo(running, 0x8107));
    qInstallMessageHandler(previous);
    QCOMPARE(received.count(), 1);
    QCOMPARE(received.first().at(0).toUInt(), 0x8107u);
    const int named = warnings.filter(QStringLiteral("unknown message 0x")).size();
    QVERIFY2(named >= 1 && named <= MessageServer::kUnknownLinesPerMinute, qPrintable(warnings.join('\n')));
}

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "tst_singleinstance.moc"
