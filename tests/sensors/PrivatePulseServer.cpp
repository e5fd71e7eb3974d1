#include "PrivatePulseServer.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <cmath>
#include <vector>

namespace {

constexpr int kStartTimeoutMs = 10000;
constexpr int kRate = 48000;

} // namespace

PrivatePulseServer::PrivatePulseServer() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), folder_.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder_.path());
    environment.insert(QStringLiteral("PULSE_RUNTIME_PATH"), folder_.path());
    environment.remove(QStringLiteral("PULSE_SERVER"));
    server_.setProcessEnvironment(environment);
    server_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

PrivatePulseServer::~PrivatePulseServer() {
    stop();
}

QString PrivatePulseServer::address() const {
    return QStringLiteral("unix:") + folder_.filePath(QStringLiteral("native"));
}

bool PrivatePulseServer::start() {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    if (program.isEmpty() || !folder_.isValid()) {
        return false;
    }
    QFile script(folder_.filePath(QStringLiteral("server.pa")));
    if (!script.open(QIODevice::WriteOnly)) {
        return false;
    }
    script.write("load-module module-null-sink sink_name=zyne_null\n"
                 "load-module module-native-protocol-unix auth-anonymous=1 socket=" +
                 folder_.filePath(QStringLiteral("native")).toLocal8Bit() +
                 "\n"
                 "set-default-sink zyne_null\n");
    script.close();
    // -n: none of the desktop's modules; CI runs as root, so the per-user server is started on purpose.
    server_.start(program, {"--system=false", "--daemonize=no", "-n", "--exit-idle-time=-1",
                            "--use-pid-file=no", "--log-level=error", "-F", script.fileName()});
    if (!server_.waitForStarted()) {
        return false;
    }
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!deadline.hasExpired() && server_.state() == QProcess::Running) {
        if (control({"info"})) {
            return true;
        }
        QThread::msleep(50);
    }
    stop();
    return false;
}

void PrivatePulseServer::stop() {
    if (server_.state() == QProcess::NotRunning) {
        return;
    }
    server_.terminate();
    if (!server_.waitForFinished(5000)) {
        server_.kill();
        server_.waitForFinished();
    }
}

bool PrivatePulseServer::control(const QStringList& arguments) const {
    QProcess pactl;
    QProcessEnvironment environment = server_.processEnvironment();
    environment.insert(QStringLiteral("PULSE_SERVER"), address());
    pactl.setProcessEnvironment(environment);
    pactl.start(QStringLiteral("pactl"), arguments);
    if (!pactl.waitForFinished(5000)) {
        pactl.kill();
        pactl.waitForFinished();
        return false;
    }
    return pactl.exitStatus() == QProcess::NormalExit && pactl.exitCode() == 0;
}

std::unique_ptr<QProcess> PrivatePulseServer::playTone(double hertz, double amplitude, double seconds,
                                                       const QString& sink) const {
    const double pi = std::acos(-1.0);
    const auto frames = static_cast<std::size_t>(seconds * kRate);
    std::vector<float> samples(2 * frames);
    for (std::size_t i = 0; i < frames; ++i) {
        const auto value =
            static_cast<float>(amplitude * std::sin(2.0 * pi * hertz * static_cast<double>(i) / kRate));
        samples[2 * i] = value;
        samples[2 * i + 1] = value;
    }
    // From a file, so the player needs nothing from this process while it plays.
    QFile tone(folder_.filePath(QStringLiteral("tone-%1.raw").arg(++tones_)));
    if (!tone.open(QIODevice::WriteOnly) ||
        tone.write(reinterpret_cast<const char*>(samples.data()),
                   static_cast<qint64>(samples.size() * sizeof(float))) < 0) {
        return nullptr;
    }
    tone.close();

    auto player = std::make_unique<QProcess>();
    QProcessEnvironment environment = server_.processEnvironment();
    environment.insert(QStringLiteral("PULSE_SERVER"), address());
    player->setProcessEnvironment(environment);
    QStringList arguments{"--playback", "--raw", "--format=float32le", QStringLiteral("--rate=%1").arg(kRate),
                          "--channels=2"};
    if (!sink.isEmpty()) {
        arguments << QStringLiteral("--device=") + sink;
    }
    player->start(QStringLiteral("pacat"), arguments << tone.fileName());
    if (!player->waitForStarted()) {
        return nullptr;
    }
    return player;
}
