#include "DeviceList.h"

#include <QLoggingCategory>

#include <algorithm>

Q_DECLARE_LOGGING_CATEGORY(lcMain)

namespace zyne {

DeviceList::DeviceList(QObject* parent) : QObject(parent) {
    m_thread.setObjectName(QStringLiteral("device list"));
    m_reader = new QObject;
    m_reader->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_reader, &QObject::deleteLater);
    m_thread.start();
}

DeviceList::~DeviceList() {
    m_thread.quit();
    m_thread.wait();
}

void DeviceList::refresh() {
    if (m_reading) {
        m_readAgain = true;
        return;
    }
    startReading();
}

void DeviceList::whenCurrent(const std::string& job, Use use) {
    if (isCurrent()) {
        use(m_current);
        return;
    }
    const auto same = std::find_if(m_waiting.begin(), m_waiting.end(),
                                   [&job](const auto& waiting) { return waiting.first == job; });
    if (same != m_waiting.end())
        same->second = std::move(use);
    else
        m_waiting.emplace_back(job, std::move(use));
    if (!m_reading) // nothing read yet
        startReading();
}

void DeviceList::startReading() {
    m_reading = true;
    QMetaObject::invokeMethod(m_reader, [this] {
        std::vector<MakerDevice> devices = listMakerDevices();
        {
            std::lock_guard lock(m_handOverMutex);
            m_handOver = std::move(devices);
        }
        // Queued to this object on the GUI thread; Qt drops it if the list is gone.
        QMetaObject::invokeMethod(this, &DeviceList::takeReading, Qt::QueuedConnection);
    });
}

void DeviceList::takeReading() {
    std::vector<MakerDevice> devices;
    {
        std::lock_guard lock(m_handOverMutex);
        devices.swap(m_handOver);
    }
    receive(std::move(devices));
}

void DeviceList::receive(std::vector<MakerDevice> devices) {
    m_reading = false;
    if (m_readAgain) {
        // Read before the last change: only the reading after it counts.
        m_readAgain = false;
        startReading();
        return;
    }
    m_current = std::move(devices);
    m_haveCurrent = true;
    qCDebug(lcMain) << "device list read:" << m_current.size() << "devices";
    std::vector<std::pair<std::string, Use>> waiting;
    waiting.swap(m_waiting);
    for (auto& job : waiting)
        job.second(m_current);
    emit listed();
}

} // namespace zyne
