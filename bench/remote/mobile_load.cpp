// Drives the real program over the mobile app link against the simulated rig and measures it.
//
//   mobile_load throughput [commands]        one app, command 0 on one port, as fast as it goes
//   mobile_load load [clients] [frames] [rounds]   rounds of many apps at once, 10 % of frames
//                                                  malformed or split
//   mobile_load idle [connections]           one host holds idle connections, another host's app
//                                            connects: how long until it is greeted and answered
//   mobile_load neverread [seconds]          a client asks for the box list again and again and
//                                            never reads: the program's memory over time
//
// Prints commands per second, the program's CPU time per command (from /proc), and for the load
// run whether every well-formed command reached the controller and the program's memory before,
// at the peak and after the apps left. Hosts are loopback addresses (127.0.0.x): the load's apps
// are spread over several, as apps on several phones would be.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <memory>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

QByteArray frame(const QByteArray& json) {
    return json.toBase64() + '&';
}

QByteArray blink(int port, int speed) {
    QByteArray fans(5, '0');
    fans[port] = '1';
    return frame(R"({"command":0,"Data":{"BoxNum":"1000000000000000","FanNum":")" + fans +
                 R"(","LightMode":3,"ColorMode":0,"Speed":)" + QByteArray::number(speed) + "}}");
}

// The loopback address standing for host n (1, 2, ...).
QHostAddress host(int n) {
    return QHostAddress(QStringLiteral("127.0.0.%1").arg(n));
}

// A socket connecting from the given host.
std::unique_ptr<QTcpSocket> connectFrom(int hostNumber, quint16 port) {
    auto socket = std::make_unique<QTcpSocket>();
    socket->bind(host(hostNumber));
    socket->connectToHost(QHostAddress::LocalHost, port);
    return socket;
}

quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// CPU seconds (user + system) and resident KiB of a process.
double cpuSeconds(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = stat.readAll().split(')').last().trimmed().split(' ');
    return (fields.value(11).toDouble() + fields.value(12).toDouble()) / double(sysconf(_SC_CLK_TCK));
}

long residentKiB(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return 0;
}

struct Program {
    QTemporaryDir home;
    QProcess process;
    quint16 port = freePort();

    bool start(const QString& path, bool trace) {
        for (const char* folder : {"config", "runtime"})
            QDir().mkpath(home.path() + QLatin1Char('/') + QLatin1String(folder));
        QFile::setPermissions(home.path() + QStringLiteral("/runtime"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path() + QStringLiteral("/config"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path() + QStringLiteral("/runtime"));
        env.insert(QStringLiteral("USER"), QStringLiteral("zyne-mobile-load"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("ZYNE_HID_BACKEND"), QStringLiteral("sim"));
        env.insert(QStringLiteral("ZYNE_MOBILE_PORT"), QString::number(port));
        env.insert(QStringLiteral("ZYNE_PSU_APP_PORT"), QString::number(freePort()));
        if (trace)
            env.insert(QStringLiteral("ZYNE_SIM_TRACE"), tracePath());
        process.setProcessEnvironment(env);
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(home.path() + QStringLiteral("/stderr.log"));
        process.start(path, QStringList());
        if (!process.waitForStarted())
            return false;
        // Up once the app can connect and is greeted.
        for (int attempt = 0; attempt < 300; ++attempt) {
            QTcpSocket probe;
            probe.connectToHost(QHostAddress::LocalHost, port);
            if (probe.waitForConnected(100) && probe.waitForReadyRead(2000))
                return true;
            QThread::msleep(100);
        }
        return false;
    }
    QString tracePath() const { return home.path() + QStringLiteral("/trace.jsonl"); }
    // Lighting reports written to Plus box 0.
    int lightingReports() const {
        QFile trace(tracePath());
        if (!trace.open(QIODevice::ReadOnly))
            return 0;
        int count = 0;
        while (!trace.atEnd()) {
            const QByteArray line = trace.readLine();
            count += line.contains(R"("dir":"out")") && line.contains(R"("hex":"003252)");
        }
        return count;
    }
    ~Program() {
        process.terminate();
        process.waitForFinished(10000);
    }
};

// Reads until a reply with this ResType arrives.
bool waitForReply(QTcpSocket& socket, int resType, int timeoutMs) {
    QByteArray buffer;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        socket.waitForReadyRead(50);
        buffer += socket.readAll();
        int end;
        while ((end = buffer.indexOf('&')) >= 0) {
            const QJsonObject reply =
                QJsonDocument::fromJson(QByteArray::fromBase64(buffer.left(end))).object();
            buffer.remove(0, end + 1);
            if (reply.value(QStringLiteral("ResType")).toInt() == resType)
                return true;
        }
    }
    return false;
}

int throughput(const QString& path, int commands) {
    Program program;
    if (!program.start(path, false)) {
        std::fprintf(stderr, "the program did not start\n");
        return 1;
    }
    QTcpSocket app;
    app.connectToHost(QHostAddress::LocalHost, program.port);
    app.waitForConnected(5000);
    app.waitForReadyRead(5000);
    app.readAll();
    QByteArray stream;
    for (int i = 0; i < commands; ++i)
        stream += blink(0, i % 4);
    stream += frame(R"({"command":9})"); // answered once everything before it ran
    const double cpuBefore = cpuSeconds(program.process.processId());
    QElapsedTimer timer;
    timer.start();
    app.write(stream);
    if (!waitForReply(app, 9, 600000)) {
        std::fprintf(stderr, "no reply after the commands\n");
        return 1;
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    const double cpu = cpuSeconds(program.process.processId()) - cpuBefore;
    std::printf("throughput: %d commands in %.3f s = %.0f commands/s; program CPU %.1f us per command\n",
                commands, seconds, commands / seconds, cpu * 1e6 / commands);
    return 0;
}

struct RoundResult {
    int good = 0, malformed = 0, split = 0, answered = 0;
    double seconds = 0;
    long rssPeak = 0;
};

// One round: the apps connect, send their frames (some malformed, some split across writes) and
// a device-list request, wait for its answer and leave.
RoundResult loadRound(const Program& program, int clients, int frames) {
    RoundResult result;
    const qint64 pid = program.process.processId();
    auto* random = QRandomGenerator::global();
    std::vector<std::unique_ptr<QTcpSocket>> apps;
    std::vector<std::vector<QByteArray>> chunks(static_cast<std::size_t>(clients));
    for (int c = 0; c < clients; ++c) {
        QByteArray pending;
        for (int f = 0; f < frames; ++f) {
            const QByteArray whole = blink(int(random->bounded(5)), int(random->bounded(4)));
            const int dice = int(random->bounded(20));
            if (dice == 0) { // malformed: garbage, bad JSON or a value out of range
                ++result.malformed;
                const QByteArray bad[] = {"%%%%&", frame("{\"command\":"),
                                          frame(R"({"command":0,"Data":{"BoxNum":"1000000000000000",
                                                "FanNum":"10000","LightMode":3,"ColorMode":0,"Speed":9}})")};
                pending += bad[random->bounded(3)];
                continue;
            }
            ++result.good;
            if (dice == 1) { // split: the rest goes out in a later write
                ++result.split;
                const int cut = 1 + int(random->bounded(whole.size() - 1));
                chunks[std::size_t(c)].push_back(pending + whole.left(cut));
                pending = whole.mid(cut);
                continue;
            }
            pending += whole;
        }
        pending += frame(R"({"command":9})");
        chunks[std::size_t(c)].push_back(pending);
        // Eight hosts: each within what the server grants one address.
        apps.push_back(connectFrom(1 + c % 8, program.port));
    }
    for (auto& app : apps)
        app->waitForConnected(5000);
    QElapsedTimer timer;
    timer.start();
    result.rssPeak = residentKiB(pid);
    // Round robin: every app's next chunk, then a pause, so split frames really arrive in pieces.
    for (std::size_t round = 0;; ++round) {
        bool any = false;
        for (int c = 0; c < clients; ++c) {
            if (round < chunks[std::size_t(c)].size()) {
                apps[std::size_t(c)]->write(chunks[std::size_t(c)][round]);
                apps[std::size_t(c)]->flush();
                any = true;
            }
        }
        QCoreApplication::processEvents();
        result.rssPeak = qMax(result.rssPeak, residentKiB(pid));
        if (!any)
            break;
        QThread::msleep(2);
    }
    for (auto& app : apps)
        result.answered += waitForReply(*app, 9, 600000);
    result.seconds = timer.nsecsElapsed() / 1e9;
    result.rssPeak = qMax(result.rssPeak, residentKiB(pid));
    return result;
}

int load(const QString& path, int clients, int frames, int rounds) {
    Program program;
    if (!program.start(path, true)) {
        std::fprintf(stderr, "the program did not start\n");
        return 1;
    }
    const qint64 pid = program.process.processId();
    std::printf("load: %d rounds of %d apps x %d frames; resident memory before: %ld KiB\n", rounds, clients,
                frames, residentKiB(pid));
    bool allGood = true;
    for (int r = 1; r <= rounds; ++r) {
        const int baseline = program.lightingReports();
        const RoundResult result = loadRound(program, clients, frames);
        QThread::msleep(2000);
        const int applied = program.lightingReports() - baseline;
        const bool alive = program.process.state() == QProcess::Running;
        std::printf("round %d: %d well-formed, %d malformed, %d split, in %.2f s; %d of %d apps answered; "
                    "%d of %d well-formed commands reached the controller; program %s; "
                    "resident memory peak %ld KiB, after %ld KiB\n",
                    r, result.good, result.malformed, result.split, result.seconds, result.answered, clients,
                    applied, result.good, alive ? "running" : "GONE", result.rssPeak, residentKiB(pid));
        std::fflush(stdout);
        allGood = allGood && alive && applied == result.good && result.answered == clients;
        if (!alive)
            break;
    }
    return allGood ? 0 : 1;
}

// Milliseconds until the greeting and until the answer to a device-list request.
bool servedWithin(quint16 port, int hostNumber, double* greetedMs, double* answeredMs) {
    QElapsedTimer timer;
    timer.start();
    const auto app = connectFrom(hostNumber, port);
    if (!app->waitForConnected(5000) || !app->waitForReadyRead(5000))
        return false;
    *greetedMs = timer.nsecsElapsed() / 1e6;
    app->readAll();
    app->write(frame(R"({"command":9})"));
    if (!waitForReply(*app, 9, 5000))
        return false;
    *answeredMs = timer.nsecsElapsed() / 1e6;
    return true;
}

int idle(const QString& path, int connections) {
    Program program;
    if (!program.start(path, false)) {
        std::fprintf(stderr, "the program did not start\n");
        return 1;
    }
    std::vector<std::unique_ptr<QTcpSocket>> held;
    for (int i = 0; i < connections; ++i) {
        held.push_back(connectFrom(1, program.port));
        held.back()->waitForConnected(5000);
    }
    // Those the program closed learn so on their next wait for data.
    QThread::msleep(1000);
    int open = 0;
    for (auto& socket : held) {
        while (socket->waitForReadyRead(50))
            socket->readAll();
        open += socket->state() == QAbstractSocket::ConnectedState;
    }
    double greeted = 0, answered = 0;
    const bool served = servedWithin(program.port, 2, &greeted, &answered);
    std::printf("idle: host 1 opened %d idle connections, %d still open; host 2's app %s", connections, open,
                served ? "served: " : "NOT served\n");
    if (served)
        std::printf("greeted after %.1f ms, device list after %.1f ms\n", greeted, answered);
    return served ? 0 : 1;
}

int neverRead(const QString& path, int seconds) {
    Program program;
    if (!program.start(path, false)) {
        std::fprintf(stderr, "the program did not start\n");
        return 1;
    }
    const qint64 pid = program.process.processId();
    QByteArray requests;
    for (int i = 0; i < 200; ++i)
        requests += frame(R"({"command":10})");
    std::unique_ptr<QTcpSocket> client;
    int connectionsClosed = 0;
    qint64 sent = 0;
    const long before = residentKiB(pid);
    long peak = before;
    std::printf("neverread: %d s of box-list requests from a client that never reads; resident memory "
                "before: %ld KiB\n",
                seconds, before);
    QElapsedTimer timer;
    timer.start();
    qint64 nextReport = 10000;
    while (timer.elapsed() < seconds * 1000LL) {
        if (!client || client->state() != QAbstractSocket::ConnectedState) {
            connectionsClosed += client != nullptr;
            client = connectFrom(1, program.port);
            // Neither this process nor its kernel buffer takes in much of what comes back.
            client->setReadBufferSize(1024);
            client->waitForConnected(5000);
            const int small = 4096;
            ::setsockopt(int(client->socketDescriptor()), SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
        }
        client->write(requests);
        client->waitForBytesWritten(100);
        sent += 200;
        QThread::msleep(20);
        peak = qMax(peak, residentKiB(pid));
        if (timer.elapsed() >= nextReport) {
            std::printf(
                "  %3lld s: %lld requests sent, resident %ld KiB, connections closed by the program: %d\n",
                timer.elapsed() / 1000, sent, residentKiB(pid), connectionsClosed);
            std::fflush(stdout);
            nextReport += 10000;
        }
    }
    const long after = residentKiB(pid);
    std::printf(
        "neverread: resident before %ld KiB, peak %ld KiB, after %ld KiB: growth %ld KiB; the program "
        "closed the connection %d times\n",
        before, peak, after, after - before, connectionsClosed);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString mode = args.value(1, QStringLiteral("throughput"));
    const QString program = QStringLiteral(ZYNE_PROGRAM_PATH);
    if (mode == QLatin1String("load"))
        return load(program, args.value(2, QStringLiteral("100")).toInt(),
                    args.value(3, QStringLiteral("1000")).toInt(),
                    args.value(4, QStringLiteral("3")).toInt());
    if (mode == QLatin1String("idle"))
        return idle(program, args.value(2, QStringLiteral("128")).toInt());
    if (mode == QLatin1String("neverread"))
        return neverRead(program, args.value(2, QStringLiteral("180")).toInt());
    return throughput(program, args.value(2, QStringLiteral("20000")).toInt());
}
