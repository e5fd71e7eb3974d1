#pragma once

#include "AwtCommand.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>

namespace zyne {

// The FIFO of AWT commands. Pure bookkeeping: the controller decides when a command may go.
class AwtCommandQueue {
public:
    // While a chip is busy the queue grows; past this many commands new effect frames are
    // refused (the effect sends a fresher one on its next tick), user commands never.
    static constexpr std::size_t kMaxCommands = 4096;

    // False when the command was refused. An effect frame or one-colour command takes the place of
    // its port's frame that still waits, unless another command for the port came after it: an
    // animation never runs behind the chip, and a port gets at most one waiting frame.
    bool push(const AwtCommand& command);
    bool empty() const { return m_commands.empty(); }
    std::size_t size() const { return m_commands.size(); }
    // Whether a speed read of this box waits in the queue.
    bool hasSpeedRead(int box) const;

    enum class Verdict { Run, Wait, Drop };
    // Removes and returns the first command judged Run, keeping the order of those left behind;
    // commands judged Drop on the way are removed and handed to `dropped`.
    std::optional<AwtCommand> takeNext(const std::function<Verdict(const AwtCommand&)>& judge,
                                       const std::function<void(const AwtCommand&)>& dropped);

private:
    void forget(const AwtCommand& command);

    std::deque<AwtCommand> m_commands;
    std::array<int, kBoxCount> m_speedReads{};
};

} // namespace zyne
