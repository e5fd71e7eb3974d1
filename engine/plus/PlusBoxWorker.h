#pragma once

#include "BoxReplyWatch.h"
#include "HidBackend.h"
#include "PlusReports.h"
#include "SerialWorker.h"

#include <deque>
#include <memory>
#include <vector>

namespace zyne {

// One report for a Plus box and what it is for, so its result can be told apart when it comes back.
struct BoxJob {
    enum class Kind {
        Frame,     // an effect tick's frame: a newer one for the port takes its place while it waits
        Lighting,  // a lighting mode the user chose
        TurnOff,   // a dark port
        Radar,     // the radar mode, whose reply is logged
        FanSpeed,  // a speed setting: piled-up ones for the port merge to the newest
        SpeedRead, // a speed poll
        Firmware,  // the user's firmware query
        Save,      // the box keeps its settings
        Probe,     // the first report to a box just opened: whether it takes reports at all
        Other,
    } kind = Kind::Other;
    int port = -1; // port index 0..4; -1 for reports about the whole box
    PlusReport report{};
    BoxReplyWatch::Wait wait = BoxReplyWatch::Wait::UnlessMuted;
};

struct BoxJobResult {
    BoxJob job;
    ExchangeResult exchange;
    PlusReply reply{};
    // How the box has answered, this exchange included.
    BoxReplyWatch replies;
};

// Puts a job among the jobs still waiting for a box: an effect frame takes the place of its port's
// frame that still waits unless another lighting report for the port came after it; a speed setting
// the place of its port's waiting speed setting unless another report for the port (other than a
// frame) came after it; a speed poll adds nothing while the port's last poll still waits.
// Everything else goes to the end, in order.
void placeBoxJob(std::deque<BoxJob>& waiting, BoxJob job);

// Owns the open device of one box and runs its exchanges on a thread of its own: drains stale replies,
// writes, reads with a bounded wait. The box's reply watch lives with the exchanges, so the mute rule
// applies to the very next report; each result carries a copy of it for the engine's record.
class PlusBoxWorker {
public:
    PlusBoxWorker(std::unique_ptr<HidDevice> device, const QString& label);

    void post(BoxJob job);
    // Moves the results finished so far, in order, to the end of `results`.
    void collect(std::vector<BoxJobResult>& results) { m_worker.collect(results); }
    std::size_t outstanding() const { return m_worker.outstanding(); }
    bool waitUntilIdle(std::chrono::milliseconds limit) { return m_worker.waitUntilIdle(limit); }

private:
    SerialWorker<BoxJob, BoxJobResult> m_worker;
};

} // namespace zyne
