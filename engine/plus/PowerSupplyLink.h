#pragma once

#include "BoxReplyWatch.h"
#include "HidBackend.h"
#include "PowerSupplyFrames.h"
#include "PowerSupplyModels.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace zyne {

// The maker's power supply (264a:2329) whose fan ring mirrors port 1 of the shown box: owns the
// open device and the mirrored colours. A supply that vanishes is closed once; while it is away,
// `ready()` looks for it again now and then, so it comes back without a restart.
class PowerSupplyLink {
public:
    // Opens the supply if it is not open and asks its model; true when the model is one we light.
    bool detect();
    // An open supply of an accepted model.
    bool isPresent() const { return m_device && m_supported; }
    // isPresent(), after looking for a vanished or never-found supply again if the last look was
    // long enough ago.
    bool ready();

    void mirror(const RainbowFanState& fan) { m_colours.copyFrom(fan); }
    const MirroredColours& colours() const { return m_colours; }

    // Writes one frame and reads its reply, waiting a bounded time; nothing happens while absent.
    void send(const PlusReport& report);

    // How often a missing supply is looked for while frames want to go out.
    static constexpr std::chrono::milliseconds kRetryInterval{2000};

private:
    void close(const char* why);

    std::unique_ptr<HidDevice> m_device;
    bool m_supported = false;
    PowerSupplyModelCheck m_models;
    // A supply that stops answering is not waited for, as a box would not be.
    BoxReplyWatch m_replies;
    MirroredColours m_colours;
    std::chrono::steady_clock::time_point m_lastLook{};
};

} // namespace zyne
