#pragma once

#include "AwtCommand.h"
#include "ChipLink.h"

#include <QObject>

#include <memory>

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
// a chip that stays busy never holds up the GUI thread. Each result comes back through
// `finished`, queued to the thread the worker lives in.
class AwtChipWorker : public QObject {
    Q_OBJECT
public:
    AwtChipWorker(std::shared_ptr<ChipLink> link, QObject* parent = nullptr);
    // Waits briefly for a running exchange; one the chip still holds is left to finish alone.
    ~AwtChipWorker() override;

    void post(AwtJob job);

signals:
    void finished(const zyne::AwtJobResult& result);

private:
    struct Shared;
    static void loop(std::shared_ptr<Shared> shared);
    std::shared_ptr<Shared> m_shared;
};

} // namespace zyne

Q_DECLARE_METATYPE(zyne::AwtJobResult)
