#pragma once

#include "AwtChipEmulator.h"
#include "ChipLink.h"
#include "HidBackend.h"
#include "PlusControllerEmulator.h"
#include "SimRig.h"
#include "SimTrace.h"

#include <functional>
#include <memory>
#include <optional>

namespace zyne::sim {

struct RigState;
enum class DeviceKind;

// The simulated machine behind the HID seam. Thread-safe: devices may be used from several
// threads while the control commands plug and unplug them.
class SimBackend : public zyne::HidBackend {
public:
    explicit SimBackend(SimRig rig, const QString& traceFile = {}, EventMemory memory = EventMemory::Keep);
    ~SimBackend() override;
    SimBackend(const SimBackend&) = delete;
    SimBackend& operator=(const SimBackend&) = delete;

    std::unique_ptr<HidDevice> open(std::uint16_t vendorId, std::uint16_t productId) override;
    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId = 0, std::uint16_t productId = 0) override;

    // One control command ("plug plus 3", "rpm plus 0 2 0", ...); returns "ok" or "error: ...".
    QString control(const QString& commandLine);

    // What was opened and exchanged; empty unless the backend keeps its events.
    std::vector<TraceEvent> events() const;
    void clearEvents();
    // Empty unless the trace file asked for could not be opened.
    QString traceError() const;

    // What the Plus box at this index was last told; nothing when the rig never had that box.
    std::optional<PlusControllerRecord> plusRecord(int index) const;
    // What the AWT chip was last told for this box; nothing when the chip doesn't drive it.
    std::optional<AwtBoxRecord> awtRecord(int box) const;
    // The chip library's calls, answered by this rig's AWT chip.
    std::shared_ptr<ChipLink> chipLink();
    // The same for the classic box at this index (ports 0..2).
    std::optional<PlusControllerRecord> classicRecord(int index) const;

    // Called after each plug/unplug with the interface name in the Windows form
    // (\\?\HID#VID_264A&PID_1FA5#...), on the thread that ran the command.
    void setDeviceChangeListener(std::function<void(const QString& windowsStylePath, bool arrived)> listener);

private:
    std::optional<PlusControllerRecord> controllerRecord(DeviceKind kind, int index) const;

    std::shared_ptr<RigState> m_state;
};

} // namespace zyne::sim
