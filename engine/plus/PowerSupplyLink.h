#pragma once

#include "BoxReplyWatch.h"
#include "HidBackend.h"
#include "PowerSupplyFrames.h"
#include "PowerSupplyModels.h"
#include "SerialWorker.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zyne {

// The maker's power supply (264a:2329) whose fan ring mirrors port 1 of the shown box: the mirrored
// colours, and a worker that owns the device and runs its exchanges (looking for the supply, its
// frames) off the GUI thread. A supply that vanishes is closed once; while it is away, `ready()`
// has the worker look for it again now and then, so it comes back without a restart.
class PowerSupplyLink {
public:
    PowerSupplyLink();

    // Has the worker open the supply if it is not open and ask its model (unless a look is out
    // already); the verdict is taken in on a later tick, and `whenPresent` runs then if the supply
    // is one we light. Never waits on the device.
    void detect(std::function<void()> whenPresent);
    // An open supply of an accepted model.
    bool isPresent() const { return m_open && m_supported; }
    // isPresent(); a vanished or never-found supply is looked for again on the worker if the last
    // look was long enough ago, and is there from a later tick on.
    bool ready();

    void mirror(const RainbowFanState& fan) { m_colours.copyFrom(fan); }
    const MirroredColours& colours() const { return m_colours; }

    // Hands one frame to the worker, which writes it and reads its reply with a bounded wait;
    // nothing happens while the supply is absent.
    void send(const PlusReport& report);

    // Takes in what the worker has done since the last call (the owner's tick).
    void takeResults();
    // Exchanges waiting or running, and results not taken in yet.
    std::size_t outstanding() const { return m_worker.outstanding(); }
    // Called after each exchange is handed to the worker, so the owner ticks until it is taken in.
    void setPostedListener(std::function<void()> listener) { m_posted = std::move(listener); }

    // How often a missing supply is looked for while frames want to go out.
    static constexpr std::chrono::milliseconds kRetryInterval{2000};

    struct Job {
        enum class Kind { Look, Frame } kind = Kind::Frame;
        PlusReport report{};
    };
    struct Result {
        enum class Verdict { NotFound, TakesNoReports, NoModelAnswer, Silent, Model, Sent, Gone };
        Job::Kind kind = Job::Kind::Frame;
        Verdict verdict = Verdict::Sent;
        std::string model;
    };

private:
    void post(Job job);
    void take(const Result& result);
    void takeVerdict(const Result& result);
    void closed(const char* why);

    bool m_open = false;
    bool m_supported = false;
    bool m_looking = false;
    PowerSupplyModelCheck m_models;
    MirroredColours m_colours;
    std::chrono::steady_clock::time_point m_lastLook{};
    std::function<void()> m_posted;
    std::function<void()> m_whenPresent; // what the caller of detect() wants once the verdict is in
    std::vector<Result> m_results;       // reused by every tick
    SerialWorker<Job, Result> m_worker;
};

} // namespace zyne
