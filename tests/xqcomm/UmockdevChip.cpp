#include "UmockdevChip.h"

#include <umockdev.h>

#include <linux/hidraw.h>
#include <scsi/sg.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace xqcomm::test {

namespace {

constexpr unsigned kGetFeature = 0x07; // _IOC_NR of HIDIOCGFEATURE
constexpr unsigned kSetFeature = 0x06; // _IOC_NR of HIDIOCSFEATURE

gboolean onIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer host) {
    static_cast<UmockdevHost*>(host)->handleIoctl(client);
    return TRUE;
}

std::string hex(const fake::Bytes& bytes) {
    std::string text;
    char digits[3];
    for (std::uint8_t byte : bytes) {
        std::snprintf(digits, sizeof digits, "%02X", byte);
        text += digits;
    }
    return text;
}

// Vendor usage page, one collection holding one feature report of `length` bytes with its ID byte.
fake::Bytes vendorDescriptor(std::size_t length) {
    const std::size_t count = length - 1;
    return {0x06,
            0x00,
            0xFF,
            0x09,
            0x01,
            0xA1,
            0x01,
            0x75,
            0x08,
            0x96,
            std::uint8_t(count),
            std::uint8_t(count >> 8),
            0x09,
            0x01,
            0xB1,
            0x02,
            0xC0};
}

// The bytes the client's pointer at `offset` of `data` points to; null when it can't be read.
UMockdevIoctlData* resolve(UMockdevIoctlData* data, std::size_t offset, std::size_t length) {
    GError* error = nullptr;
    UMockdevIoctlData* child = umockdev_ioctl_data_resolve(data, offset, length, &error);
    if (error)
        g_error_free(error);
    return child;
}

void handleFeature(fake::FakeChip& chip, UMockdevIoctlClient* client, unsigned long request) {
    const std::size_t length = _IOC_SIZE(request);
    UMockdevIoctlData* report = resolve(umockdev_ioctl_client_get_arg(client), 0, length);
    if (!report) {
        umockdev_ioctl_client_complete(client, -1, EFAULT);
        return;
    }
    long result;
    if (_IOC_NR(request) == kSetFeature) {
        result = chip.receiveReport(report->data, length) ? long(length) : -1;
    } else {
        std::vector<std::uint8_t> answer(report->data, report->data + length);
        result = chip.answerReport(answer.data(), length);
        if (result > 0)
            umockdev_ioctl_data_update(report, 0, answer.data(), gint(result));
    }
    umockdev_ioctl_client_complete(client, result, result < 0 ? EPIPE : 0);
    g_object_unref(report);
}

void handleScsi(fake::FakeScsiTarget& target, UMockdevIoctlClient* client) {
    UMockdevIoctlData* header = resolve(umockdev_ioctl_client_get_arg(client), 0, sizeof(sg_io_hdr_t));
    if (!header) {
        umockdev_ioctl_client_complete(client, -1, EFAULT);
        return;
    }
    sg_io_hdr_t io;
    std::memcpy(&io, header->data, sizeof io);
    UMockdevIoctlData* cdb = resolve(header, offsetof(sg_io_hdr_t, cmdp), io.cmd_len);
    UMockdevIoctlData* data =
        io.dxfer_len ? resolve(header, offsetof(sg_io_hdr_t, dxferp), io.dxfer_len) : nullptr;
    UMockdevIoctlData* sense =
        io.mx_sb_len ? resolve(header, offsetof(sg_io_hdr_t, sbp), io.mx_sb_len) : nullptr;
    if (io.interface_id != 'S' || !cdb || (io.dxfer_len && !data) || (io.mx_sb_len && !sense)) {
        umockdev_ioctl_client_complete(client, -1, EINVAL);
        return;
    }
    std::vector<std::uint8_t> buffer(data ? data->data : nullptr, data ? data->data + io.dxfer_len : nullptr);
    std::vector<std::uint8_t> senseBytes(io.mx_sb_len);
    ScsiRequest request;
    request.cdb = cdb->data;
    request.cdbLength = io.cmd_len;
    request.direction = io.dxfer_direction == SG_DXFER_FROM_DEV ? DataDirection::In
                        : io.dxfer_direction == SG_DXFER_TO_DEV ? DataDirection::Out
                                                                : DataDirection::None;
    request.data = buffer.data();
    request.dataLength = io.dxfer_len;
    request.sense = senseBytes.data();
    request.senseCapacity = io.mx_sb_len;
    request.timeoutMs = io.timeout;
    const ScsiResult result = target.execute(request);

    if (result.error == ETIMEDOUT) {
        io.host_status = 0x03;
    } else {
        if (data && request.direction == DataDirection::In && result.transferred)
            umockdev_ioctl_data_update(data, 0, buffer.data(), gint(result.transferred));
        if (sense && result.senseLength)
            umockdev_ioctl_data_update(sense, 0, senseBytes.data(), result.senseLength);
        io.resid = int(io.dxfer_len - result.transferred);
        io.sb_len_wr = result.senseLength;
        io.status = result.senseLength ? 0x02 : 0x00;
    }
    // Only the fields the kernel writes back; the pointers stay the client's.
    umockdev_ioctl_data_update(header, offsetof(sg_io_hdr_t, status), &io.status,
                               gint(sizeof io - offsetof(sg_io_hdr_t, status)));
    umockdev_ioctl_client_complete(client, result.error && result.error != ETIMEDOUT ? -1 : 0,
                                   result.error == ETIMEDOUT ? 0 : result.error);
    for (UMockdevIoctlData* child : {cdb, data, sense, header})
        if (child)
            g_object_unref(child);
}

} // namespace

UmockdevHost::UmockdevHost() {
    const char* preload = std::getenv("LD_PRELOAD");
    if (!preload || !std::strstr(preload, "umockdev-preload")) {
        error_ = "not running under umockdev-wrapper";
        return;
    }
    testbed_ = umockdev_testbed_new();
    handler_ = umockdev_ioctl_base_new();
    g_signal_connect(handler_, "handle-ioctl", G_CALLBACK(onIoctl), this);
}

UmockdevHost::~UmockdevHost() {
    if (testbed_)
        g_object_unref(testbed_);
    if (handler_)
        g_object_unref(handler_);
}

void UmockdevHost::addDevices(const std::string& description, const std::string& node) {
    GError* error = nullptr;
    if (!testbed_ || !umockdev_testbed_add_from_string(testbed_, description.c_str(), &error) ||
        !umockdev_testbed_attach_ioctl(testbed_, node.c_str(), handler_, &error)) {
        error_ = error ? error->message : "no testbed";
        if (error)
            g_error_free(error);
    }
}

fake::FakeChip& UmockdevHost::addHid(const HidSpec& spec) {
    char ids[64];
    std::snprintf(ids, sizeof ids, "%04X:%04X.%04X", spec.vendorId, spec.productId, spec.number + 1);
    char hidId[64];
    std::snprintf(hidId, sizeof hidId, "0003:%08X:%08X", spec.vendorId, spec.productId);
    const std::string name = "hidraw" + std::to_string(spec.number);
    const std::string usbInterface = "/devices/pci0000:00/usb1/" + spec.port + "/" + spec.port + ":1." +
                                     std::to_string(spec.interfaceNumber);
    const std::string hidDevice = usbInterface + "/0003:" + ids;
    const std::string description =
        "P: " + hidDevice + "/hidraw/" + name + "\nN: " + name + "\nL: device=../../../0003:" + ids +
        "\nE: DEVNAME=/dev/" + name +
        "\nE: SUBSYSTEM=hidraw\nE: MAJOR=240\nE: MINOR=" + std::to_string(spec.number) +
        "\n\nP: " + hidDevice + "\nE: SUBSYSTEM=hid\nE: HID_ID=" + hidId + "\nH: report_descriptor=" +
        hex(spec.descriptor.empty() ? vendorDescriptor(spec.featureReportLength) : spec.descriptor) +
        "\n\nP: " + usbInterface + "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_interface\nA: bInterfaceNumber=0" +
        std::to_string(spec.interfaceNumber) + "\n\n";
    const std::string node = "/dev/" + name;
    auto& chip = chips_[node];
    chip = std::make_unique<fake::FakeChip>(clock_, spec.featureReportLength);
    addDevices(description, node);
    return *chip;
}

fake::FakeScsiTarget& UmockdevHost::addSg(int number, int host, const std::string& vendor,
                                          const std::string& model, int type) {
    const std::string name = "sg" + std::to_string(number);
    const std::string address = std::to_string(host) + ":0:0:0";
    const std::string scsiDevice = "/devices/pci0000:00/usb2/2-1/host" + std::to_string(host) + "/target" +
                                   std::to_string(host) + ":0:0/" + address;
    const std::string description =
        "P: " + scsiDevice + "/scsi_generic/" + name + "\nN: " + name + "\nL: device=../../../" + address +
        "\nE: DEVNAME=/dev/" + name +
        "\nE: SUBSYSTEM=scsi_generic\nE: MAJOR=21\nE: MINOR=" + std::to_string(number) +
        "\n\nP: " + scsiDevice + "\nE: SUBSYSTEM=scsi\nE: DEVTYPE=scsi_device\nA: vendor=" + vendor +
        "\nA: model=" + model + "\nA: type=" + std::to_string(type) + "\n\n";
    const std::string node = "/dev/" + name;
    auto& target = targets_[node];
    target = std::make_unique<fake::FakeScsiTarget>();
    addDevices(description, node);
    return *target;
}

void UmockdevHost::handleIoctl(void* opaque) {
    auto* client = static_cast<UMockdevIoctlClient*>(opaque);
    const std::string node = umockdev_ioctl_client_get_devnode(client);
    const unsigned long request = umockdev_ioctl_client_get_request(client);
    const auto chip = chips_.find(node);
    if (chip != chips_.end() && _IOC_TYPE(request) == 'H' &&
        (_IOC_NR(request) == kGetFeature || _IOC_NR(request) == kSetFeature)) {
        handleFeature(*chip->second, client, request);
        return;
    }
    const auto target = targets_.find(node);
    if (target != targets_.end() && request == SG_IO) {
        handleScsi(*target->second, client);
        return;
    }
    umockdev_ioctl_client_complete(client, -1, ENOTTY);
}

} // namespace xqcomm::test
