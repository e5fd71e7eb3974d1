#pragma once

#include "AwtCommand.h"
#include "ChipLink.h"

#include <memory>
#include <vector>

namespace zyne {

// One exchange with the chip, or the close of a handle, and what it is for.
struct AwtJob {
    enum class Kind { Command, Firmware, Close } kind = Kind::Command;
    int tableIndex = 0; // AWT handle table entry
    ChipHandle handle = kNoChipHandle;
    awt::Frame frame;
    int timeout = awt::kDefaultTimeout;
    AwtCommand command; // Command: the queued command; Firmware: its box
};

struct AwtJobResult {
    AwtJob job;
    int status = 0; // the status word; Close: the close result
    std::vector<std::uint8_t> payload;
};

// Runs the exchanges of one AWT handle on a thread of its own, in the order they were posted, so
// a chip that stays busy never holds up the GUI thread. Results wait in the worker until the
// owner collects them on its next tick: no event per exchange, no wake-up of the GUI thread.
class AwtChipWorker {
public:
    explicit AwtChipWorker(std::shared_ptr<ChipLink> link);
    // Waits briefly for a running exchange; one the chip still holds is left to finish alone.
    ~AwtChipWorker();
    AwtChipWorker(const AwtChipWorker&) = delete;
    AwtChipWorker& operator=(const AwtChipWorker&) = delete;

    void post(AwtJob job);
    // Moves the results finished so far, in order, to the end of `results`.
    void collect(std::vector<AwtJobResult>& results);

private:
    struct Shared;
    static void loop(std::shared_ptr<Shared> shared);
    std::shared_ptr<Shared> m_shared;
};

} // namespace zyne
