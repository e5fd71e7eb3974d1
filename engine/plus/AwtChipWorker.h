#pragma once

#include "AwtCommand.h"
#include "ChipLink.h"
#include "SerialWorker.h"

#include <memory>
#include <string>
#include <vector>

namespace zyne {

// One exchange with the chip, the open or the close of a handle, and what it is for.
struct AwtJob {
    enum class Kind { Command, Firmware, Open, Close } kind = Kind::Command;
    int tableIndex = 0;                // AWT handle table entry
    ChipHandle handle = kNoChipHandle; // Open: in the result, the handle the library gave
    std::string deviceName;            // Open: "xq_hid<n>"
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

    void post(AwtJob job) { m_worker.post(std::move(job)); }
    // Moves the results finished so far, in order, to the end of `results`.
    void collect(std::vector<AwtJobResult>& results) { m_worker.collect(results); }

private:
    // Waits briefly for a running exchange at exit; one the chip still holds is left to finish alone.
    SerialWorker<AwtJob, AwtJobResult> m_worker;
};

} // namespace zyne
