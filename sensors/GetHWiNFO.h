#pragma once

#include <QStringList>
#include <QThread>

#include <atomic>
#include <memory>
#include <mutex>
#include <set>

namespace zyne {
class SensorLibrary;
}

// Reads the CPU temperature. Each start() runs one reading on this thread and emits done() with the
// highest CPU temperature in whole degrees; scanComputer() lists every reading of every sensor.
// With no sensor library or no sensors nothing is emitted.
class GetHWiNFO : public QThread {
    Q_OBJECT
public:
    // Reads the kernel's hardware monitors.
    explicit GetHWiNFO(QObject* parent = nullptr);
    GetHWiNFO(std::unique_ptr<zyne::SensorLibrary> library, QObject* parent = nullptr);
    ~GetHWiNFO() override;

    // Lists every reading as text, keeps the list and emits doneScanComputer() with it.
    QStringList scanComputer();
    // The list of the last scan.
    QStringList readingTexts() const;

signals:
    void done(int temperature);
    void doneScanComputer(QStringList readings);

protected:
    void run() override;

private:
    // False (and the reason logged once) when there is nothing to read.
    bool canRead();
    // Called with libraryMutex_ held.
    void warnImplausibleOnce(const QString& name, double value);

    // The library keeps a selected sensor, so a reading and a scan take turns.
    std::mutex libraryMutex_;
    std::unique_ptr<zyne::SensorLibrary> library_;
    std::atomic<bool> reportedNothingToRead_{false};
    std::atomic<bool> reportedNoCpuReading_{false};
    std::set<QString> warnedImplausible_;
    mutable std::mutex textsMutex_;
    QStringList readingTexts_;
};
