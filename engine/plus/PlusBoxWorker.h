#pragma once

#include "BoxReplyWatch.h"
#include "HidBackend.h"
#include "PlusReports.h"
#include "SerialWorker.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

namespace zyne {

// Lets the probes of one discovery open their boxes in box order, each on its own worker: a box is
// opened once the one before it has been (or was waited for long enough); the probes themselves
// then run side by side.
class OpenOrder {
public:
    static constexpr std::chrono::milliseconds kLongestWait{2 * kReplyTimeoutMs};

    void waitForTurn(int box);
    void opened(int box);

private:
    std::mutex m_mutex;
    std::condition_variable m_turn;
    int m_opened = 0; // boxes before this one have been opened
};

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
        Probe,     // opens the box afresh and asks whether it takes reports at all
        Other,
    } kind = Kind::Other;
    int port = -1; // port index 0..4; -1 for reports about the whole box
    PlusReport report{};
    BoxReplyWatch::Wait wait = BoxReplyWatch::Wait::UnlessMuted;
    // A discovery's probe: the box opens in its turn.
    std::shared_ptr<OpenOrder> openOrder;
    // When the engine handed it over (set by the worker).
    std::chrono::steady_clock::time_point posted{};
};

struct BoxJobResult {
    BoxJob job;
    // A probe found the box's device and opened it.
    bool opened = true;
    ExchangeResult exchange;
    PlusReply reply{};
    // How the box has answered, this exchange included.
    BoxReplyWatch replies;
};

// How long speed polls let newer effect frames go first. On a busy bus a box's frames fill its wire
// time; without this the shown box's polls would take half of it and halve its frame rate. Its
// speeds are then read about once a second instead of every 65 ms.
constexpr std::chrono::milliseconds kPollsYieldFor{1000};

// Puts a job among the jobs still waiting for a box: an effect frame takes the place of its port's
// frame that still waits unless another lighting report for the port came after it, and otherwise
// goes ahead of the speed polls at the end of the queue that were posted less than kPollsYieldFor
// before it; a speed setting takes the place of its port's waiting speed setting unless another
// report for the port (other than a frame) came after it; a speed poll adds nothing while the port's
// last poll still waits. Everything else goes to the end, in order.
void placeBoxJob(std::deque<BoxJob>& waiting, BoxJob job);

// Owns the device of one box slot and runs its exchanges on a thread of its own: drains stale replies,
// writes, reads with a bounded wait. A probe (re)opens the device there, so looking a box up never
// holds the GUI thread either. The box's reply watch lives with the exchanges, so the mute rule
// applies to the very next report; each result carries a copy of it for the engine's record.
class PlusBoxWorker {
public:
    PlusBoxWorker(int boxNum, const QString& label);

    void post(BoxJob job);
    // Several at once, in order: one hand-over and one wake-up for all of them.
    void post(std::vector<BoxJob> jobs);
    // Moves the results finished so far, in order, to the end of `results`.
    void collect(std::vector<BoxJobResult>& results) { m_worker.collect(results); }
    std::size_t outstanding() const { return m_worker.outstanding(); }

private:
    SerialWorker<BoxJob, BoxJobResult> m_worker;
};

} // namespace zyne
