#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// A PulseAudio server of our own with a null output, in a private runtime folder, so a test can
// play into it and listen to its monitor without touching the desktop's sound.
class PrivatePulseServer {
public:
    PrivatePulseServer();
    ~PrivatePulseServer();

    // Starts the server and waits (bounded) until it answers. False when it could not be started.
    bool start();
    void stop();
    // The address for PULSE_SERVER.
    QString address() const;
    // Runs pactl against this server; true when it succeeded.
    bool control(const QStringList& arguments) const;
    // Plays a stereo sine into `sink` (the default output when empty); the process ends when played out.
    std::unique_ptr<QProcess> playTone(double hertz, double amplitude, double seconds,
                                       const QString& sink = {}) const;

private:
    QTemporaryDir folder_;
    QProcess server_;
    mutable int tones_ = 0;
};
