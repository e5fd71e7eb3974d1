#pragma once

#include "ControllerBox.h"
#include "PlusReports.h"

#include <QLoggingCategory>
#include <QObject>
#include <QString>

#include <array>

Q_DECLARE_LOGGING_CATEGORY(lcPlus)

namespace zyne {

struct ExchangeResult {
    int written = -1;
    int read = -1;
};
// Drains replies left over from earlier requests, writes one report and reads its reply with a
// bounded wait.
ExchangeResult exchangeReport(HidDevice& device, const PlusReport& report, PlusReply& reply);

// The Plus engine: owns the 16 box records and writes every report to the Plus controllers.
// Lives on the GUI thread; its slots are called directly by the main window.
class ZynePlusCommandHelper : public QObject {
    Q_OBJECT
public:
    explicit ZynePlusCommandHelper(QObject* parent = nullptr);
    ~ZynePlusCommandHelper() override;

    const ControllerBox& box(int boxNum) const { return boxArray[static_cast<std::size_t>(boxNum)]; }
    // The firmware version of a box as "major.minor.patch", "0" when absent.
    QString firmwareVersion(int boxNum);

public slots:
    void getZynePlus();
    void getZynePlusByOne(int boxNum);
    void getAWTZynePlus();
    void receivePlusFirmware(int boxNum);
    void isPwrixConnect(bool connected);

signals:
    void sendCanControl(int boxNum, bool canControl);
    void sendPlusFirmware(QString version);

private:
    enum class Precondition { Connected, PlusConnected };
    // Sends one report when the box meets the precondition. Returns the read result, or -1 when
    // nothing was written.
    int exchange(int boxNum, const PlusReport& report, Precondition precondition, PlusReply* reply = nullptr);
    bool discoverBox(int boxNum, const char* openLog, const char* afterLog);

    std::array<ControllerBox, kBoxCount> boxArray;
};

} // namespace zyne
