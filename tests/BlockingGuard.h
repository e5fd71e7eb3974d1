#pragma once

// Runs a call that must not block on a FIFO. Should it block anyway, the FIFO's other ends are
// opened so the call comes back and the test can fail instead of hanging.
#include <QFile>
#include <QString>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <future>
#include <unistd.h>

namespace zyne::testing {

inline bool returnsWithoutBlocking(const std::function<void()>& call, const QString& fifo) {
    auto running = std::async(std::launch::async, call);
    if (running.wait_for(std::chrono::seconds(10)) == std::future_status::ready)
        return true;
    // The call may open, read and write the FIFO in turn: the other end comes and goes until it is
    // done. A write to a FIFO nobody reads then fails instead of ending the test.
    ::signal(SIGPIPE, SIG_IGN);
    const QByteArray path = QFile::encodeName(fifo);
    do {
        for (const int flags : {O_RDONLY, O_WRONLY}) {
            const int fd = ::open(path.constData(), flags | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
        }
    } while (running.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready);
    return false;
}

} // namespace zyne::testing
