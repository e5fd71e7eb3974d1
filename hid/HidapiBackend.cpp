#include "HidapiBackend.h"

#include <QLoggingCategory>

#include <hidapi.h>

#include <mutex>

Q_LOGGING_CATEGORY(lcHid, "zyne.hid")

namespace zyne {

namespace {

QString errorText(hid_device* device) {
    const wchar_t* text = hid_error(device);
    return text ? QString::fromWCharArray(text) : QStringLiteral("unknown error");
}

// hidapi keeps global state that hid_init sets up; it must run exactly once, before any other call.
bool initialiseHidapi() {
    static std::once_flag once;
    static bool ok = false;
    std::call_once(once, [] {
        ok = hid_init() == 0;
        if (!ok)
            qCWarning(lcHid) << "hid_init failed:" << errorText(nullptr);
    });
    return ok;
}

// hid_open, hid_enumerate and hid_error(nullptr) share process-wide state in hidapi.
std::mutex& globalCallMutex() {
    static std::mutex mutex;
    return mutex;
}

class HidapiDevice : public HidDevice {
public:
    HidapiDevice(hid_device* device, QString name) : m_device(device), m_name(std::move(name)) {}
    ~HidapiDevice() override { hid_close(m_device); }
    HidapiDevice(const HidapiDevice&) = delete;
    HidapiDevice& operator=(const HidapiDevice&) = delete;

    int write(const unsigned char* data, std::size_t length) override {
        return checked("hid_write", hid_write(m_device, data, length));
    }
    int read(unsigned char* data, std::size_t length, int timeoutMs) override {
        return checked("hid_read_timeout", hid_read_timeout(m_device, data, length, timeoutMs));
    }
    int sendFeatureReport(const unsigned char* data, std::size_t length) override {
        return checked("hid_send_feature_report", hid_send_feature_report(m_device, data, length));
    }
    int getFeatureReport(unsigned char* data, std::size_t length) override {
        return checked("hid_get_feature_report", hid_get_feature_report(m_device, data, length));
    }

private:
    // A device that is gone fails every call: say so once, and again only after it worked.
    int checked(const char* call, int result) {
        if (result < 0 && !m_failing)
            qCWarning(lcHid) << call << "failed on" << m_name << ':' << errorText(m_device);
        m_failing = result < 0;
        return result;
    }

    hid_device* m_device;
    QString m_name;
    bool m_failing = false;
};

} // namespace

HidapiBackend::HidapiBackend() {
    initialiseHidapi();
}

std::unique_ptr<HidDevice> HidapiBackend::open(std::uint16_t vendorId, std::uint16_t productId) {
    if (!initialiseHidapi())
        return nullptr;
    std::lock_guard lock(globalCallMutex());
    const Listed* interface = listed(vendorId, productId);
    if (!interface) {
        // Absent devices are the common case while probing; keep this at debug level.
        qCDebug(lcHid) << "hid_open" << deviceIdText(vendorId, productId) << "failed: not listed";
        return nullptr;
    }
    hid_device* device = hid_open_path(interface->path.c_str());
    if (!device) {
        qCDebug(lcHid) << "hid_open" << deviceIdText(vendorId, productId) << "failed:" << errorText(nullptr);
        return nullptr;
    }
    return std::make_unique<HidapiDevice>(device, deviceIdText(vendorId, productId));
}

void HidapiBackend::listAfresh() {
    m_generation.fetch_add(1);
}

const HidapiBackend::Listed* HidapiBackend::listed(std::uint16_t vendorId, std::uint16_t productId) {
    if (const unsigned generation = m_generation.load(); generation != m_listedGeneration) {
        m_listings.clear();
        m_listedGeneration = generation;
    }
    auto listing = m_listings.find(vendorId);
    if (listing == m_listings.end()) {
        std::vector<Listed> interfaces;
        hid_device_info* list = hid_enumerate(vendorId, 0);
        for (const hid_device_info* it = list; it; it = it->next)
            interfaces.push_back({it->product_id, it->path ? std::string(it->path) : std::string()});
        hid_free_enumeration(list);
        listing = m_listings.emplace(vendorId, std::move(interfaces)).first;
    }
    // hid_open takes the first interface hidapi lists with the ids: so does this.
    for (const Listed& interface : listing->second) {
        if (interface.productId == productId && !interface.path.empty())
            return &interface;
    }
    return nullptr;
}

std::vector<HidDeviceInfo> HidapiBackend::enumerate(std::uint16_t vendorId, std::uint16_t productId) {
    std::vector<HidDeviceInfo> found;
    if (!initialiseHidapi())
        return found;
    std::lock_guard lock(globalCallMutex());
    hid_device_info* list = hid_enumerate(vendorId, productId);
    for (const hid_device_info* it = list; it; it = it->next) {
        HidDeviceInfo info;
        info.path = QString::fromLocal8Bit(it->path);
        info.vendorId = it->vendor_id;
        info.productId = it->product_id;
        info.interfaceNumber = it->interface_number;
        found.push_back(std::move(info));
    }
    hid_free_enumeration(list);
    return found;
}

} // namespace zyne
