#pragma once

#include "ChipLink.h"

#include <map>
#include <memory>

namespace zyne::sim {

struct OpenHandle;
struct RigState;

// The chip library's calls answered by the simulated rig's AWT chip. Every frame goes into the
// trace as feature_out, every reply (status word last) as feature_in. A chip behaving "silent"
// stays busy: the exchange waits until it answers again, is unplugged, or 900 s pass, as the
// library would.
class SimChipLink : public ChipLink {
public:
    explicit SimChipLink(std::shared_ptr<RigState> state);

    ChipHandle open(const std::string& deviceName) override;
    int close(ChipHandle handle) override;
    int comm(ChipHandle handle, const unsigned char* frame, int length, unsigned int* replyLength,
             unsigned char* reply, int timeout) override;

private:
    std::shared_ptr<RigState> m_state;
    // Guarded by the rig's mutex.
    std::map<ChipHandle, std::shared_ptr<OpenHandle>> m_open;
    ChipHandle m_nextHandle = 1;
};

} // namespace zyne::sim
