#pragma once

#include "AwtChipWorker.h"
#include "AwtCommandQueue.h"
#include "ControllerBox.h"

#include <QObject>
#include <QTimer>

#include <array>
#include <memory>

namespace zyne {

// The AWT controller behind its USB chip: the handle table, the command queue drained one command
// per 20 ms tick, the presence pass, firmware queries and status handling. Exchanges run on one
// worker thread per handle; their results come back queued, so the GUI thread never waits on the
// chip. Commands of one handle go out in queue order, one at a time.
class AwtController : public QObject {
    Q_OBJECT
public:
    static constexpr int kHandleCount = 16;
    static constexpr int kTickMs = 20;

    explicit AwtController(std::array<ControllerBox, kBoxCount>& boxes, QObject* parent = nullptr);
    ~AwtController() override;

    // The queuing operation: appends a copy of the command.
    void queue(const AwtCommand& command);
    // One tick: takes in the answers that have arrived, then sends the first command whose handle
    // is free, if any. The timer ticks while commands wait or exchanges are out.
    void runNextCommand();
    // Queues a presence pass on handle `tableIndex` ("xq_hid" + index + 1), once the handle's worker
    // has opened it if it is not open; a slot without a chip still ends its pass.
    void checkConnect(int tableIndex);
    // Asks a box for its firmware at once, outside the queue; `firmwareRead` answers.
    void requestFirmware(int box);
    // Closes every open handle (the chip arrived or left); its boxes become absent. A handle an
    // open still out returns later is closed on its worker.
    void closeAllHandles();

    std::size_t queuedCommands() const { return m_queue.size(); }
    bool hasSpeedReadQueued(int box) const { return m_queue.hasSpeedRead(box); }
    int exchangesInFlight() const;
    ChipHandle handle(int tableIndex) const { return m_handles[static_cast<std::size_t>(tableIndex)]; }

signals:
    void passFinished();
    void boxFound(int box);
    void boxLost(int box);
    void speedRead(int box, int port, int rpm);
    void firmwareRead(int box, const QString& version);

private:
    int tableIndexOf(const AwtCommand& command) const;
    AwtCommandQueue::Verdict judge(const AwtCommand& command) const;
    void dropped(const AwtCommand& command);
    awt::Frame frameFor(const AwtCommand& command);
    void post(AwtJob job);
    void collectResults();
    void onFinished(const AwtJobResult& result);
    void postOpen(int tableIndex);
    void finishOpen(const AwtJobResult& result);
    // `count` presence passes on a slot; on a slot without a handle, only their ends.
    void queuePasses(int tableIndex, int count, bool opened);
    void finishPresence(const AwtJobResult& result);
    void finishFirmware(const AwtJobResult& result);
    void finishSpeeds(const AwtJobResult& result);
    // Acts on a failed status; true when the handle was closed.
    bool handleFailure(const AwtJobResult& result, awt::StatusAction action);
    void closeHandle(int tableIndex, ChipHandle handle);
    void closeOnWorker(int tableIndex, ChipHandle handle);
    void noteUnopened(int tableIndex);
    void setAnswered(int box, int tableIndex, bool answered);
    void loseBox(int box);
    ControllerBox& boxAt(int box) { return m_boxes[static_cast<std::size_t>(box)]; }

    std::array<ControllerBox, kBoxCount>& m_boxes;
    std::shared_ptr<ChipLink> m_link;
    AwtCommandQueue m_queue;
    QTimer m_timer;
    std::array<ChipHandle, kHandleCount> m_handles;
    std::array<int, kHandleCount> m_inFlight{};
    // At most one open is out per slot; handles closed meanwhile make what it returns stale.
    enum class OpenState { None, Out, Stale };
    std::array<OpenState, kHandleCount> m_opens{};
    // Pass requests waiting for the slot's open.
    std::array<int, kHandleCount> m_passesAwaitingOpen{};
    std::array<std::unique_ptr<AwtChipWorker>, kHandleCount> m_workers;
    std::vector<AwtJobResult> m_results; // reused by every tick
    // Bit n set: the box answered the presence check on handle n.
    std::array<std::uint16_t, kBoxCount> m_answeredOn{};
    // Commands for a box without a chip handle are dropped; logged once until it has one again.
    std::array<bool, kBoxCount> m_dropLogged{};
    std::array<bool, kBoxCount> m_badSpeedsLogged{};
    bool m_refusedLogged = false;
    // Bit n set: opening handle n found no chip since a handle last opened. One warning when no
    // slot has a chip, instead of one line per slot at every start.
    std::uint16_t m_unopened = 0;
    bool m_noChipWarned = false;
};

} // namespace zyne
