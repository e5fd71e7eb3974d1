// The Linux layer through real system calls: sysfs enumeration, open, HIDIOCSFEATURE and
// HIDIOCGFEATURE on hidraw nodes and SG_IO on sg nodes, all answered by umockdev's testbed.

#include "UmockdevChip.h"
#include "linux/LinuxSystem.h"
#include "xqcomm.h"

#include <QtTest>

#include <cerrno>
#include <cstring>

using namespace xqcomm;
using namespace xqcomm::test;
using fake::Bytes;

namespace {

Bytes withStatus(Bytes payload, std::uint16_t status) {
    payload.push_back(std::uint8_t(status >> 8));
    payload.push_back(std::uint8_t(status));
    return payload;
}

void markChip(fake::FakeChip& chip, std::uint8_t marker) {
    chip.respond = [marker](const Bytes&) { return withStatus({marker}, 1); };
}

int answeringChip(XQ_HANDLE handle) {
    unsigned char reply[XQ_MAX_REPLY_LEN];
    unsigned length = 0;
    const unsigned char command = 0x5A;
    if (XQ_Comm(handle, 1, &command, &length, reply, 100) != int(XQ_STATUS_OK) || length != 1)
        return -1;
    return reply[0];
}

struct Handle {
    XQ_HANDLE value;
    explicit Handle(const char* name) : value(XQ_Open(name, 0, 0)) {}
    ~Handle() {
        if (value != XQ_INVALID_HANDLE)
            XQ_Close(value);
    }
};

} // namespace

class LinuxLayerTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<UmockdevHost> host;

private slots:
    void init() {
        host = std::make_unique<UmockdevHost>();
        if (!host->usable())
            QFAIL(host->error().c_str());
    }
    void cleanup() { host.reset(); }

    void chipsAreFoundAndOrderedByPort() {
        markChip(host->addHid({0, "1-10", 0xC216, 0x0102, 0, 65, {}}), 3);
        host->addHid({1, "1-4", 0x264A, 0x1FA5, 0, 65, {}});
        markChip(host->addHid({2, "1-2", 0xC216, 0x0303, 0, 65, {}}), 9);
        markChip(host->addHid({3, "1-2", 0xC216, 0x0303, 1, 65, {}}), 1);
        markChip(host->addHid({4, "1-3", 0xC216, 0x0102, 0, 65, {}}), 2);
        QVERIFY(host->usable());

        const std::vector<HidInterface> found = LinuxSystem().hidInterfaces();
        QStringList paths;
        for (const HidInterface& interface : found)
            paths << QString::fromStdString(interface.path);
        // Port 1-2 (both interfaces), 1-3, 1-4, 1-10: the bus order, not the hidraw numbers.
        QCOMPARE(paths, QStringList({"/dev/hidraw2", "/dev/hidraw3", "/dev/hidraw4", "/dev/hidraw1",
                                     "/dev/hidraw0"}));
        QCOMPARE(found[1].productId, std::uint16_t(0x0303));
        QCOMPARE(found[1].interfaceNumber, 1);

        for (int number = 1; number <= 3; ++number) {
            const QByteArray name = "xq_hid" + QByteArray::number(number);
            Handle handle(name.constData());
            QVERIFY2(handle.value != XQ_INVALID_HANDLE, name.constData());
            QCOMPARE(answeringChip(handle.value), number);
        }
        QCOMPARE(Handle("xq_hid4").value, XQ_INVALID_HANDLE);
    }

    void exchangeThroughFeatureReports() {
        fake::FakeChip& chip = host->addHid({0, "1-1", 0xC216, 0x0102, 0, 65, {}});
        Bytes reply(150);
        for (std::size_t i = 0; i < reply.size(); ++i)
            reply[i] = std::uint8_t(i * 3);
        chip.respond = [&](const Bytes& command) {
            return withStatus(command[0] == 0x55 ? Bytes{'S', 'N'} : reply, 1);
        };
        chip.busyAnswersBeforeReply = 3;
        Handle handle("XQ_HID1");
        QVERIFY(handle.value != XQ_INVALID_HANDLE);

        Bytes command(130, 0x11);
        unsigned char buffer[XQ_MAX_REPLY_LEN];
        unsigned length = 0;
        QCOMPARE(XQ_Comm(handle.value, 130, command.data(), &length, buffer, 100), int(XQ_STATUS_OK));
        QCOMPARE(Bytes(buffer, buffer + length), reply);
        QCOMPARE(chip.commands, std::vector<Bytes>{command});
        QCOMPARE(chip.sentReports.size(), std::size_t(3));
        const Bytes controls{chip.sentReports[0][2], chip.sentReports[1][2], chip.sentReports[2][2]};
        QCOMPARE(controls, (Bytes{0x20, 0x61, 0x02}));
        QCOMPARE(chip.sentReports[0][1], std::uint8_t(27));

        QCOMPARE(XQ_GetDevSn(handle.value, &length, buffer), int(XQ_STATUS_OK));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(buffer), int(length)), QByteArray("SN"));
    }

    void reportLengthComesFromDescriptor() {
        fake::FakeChip& chip = host->addHid({0, "1-1", 0xC216, 0x0102, 0, 33, {}});
        chip.respond = [](const Bytes&) { return withStatus({}, 1); };
        // Push without Pop: the descriptor can't be trusted, so no exchange starts.
        host->addHid({1, "1-2", 0xC216, 0x0102, 0, 65, {0xA4, 0x75, 0x08, 0x95, 0x40, 0xB1, 0x02}});
        Handle good("xq_hid1");
        Handle bad("xq_hid2");
        QVERIFY(good.value != XQ_INVALID_HANDLE && bad.value != XQ_INVALID_HANDLE);

        Bytes command(60, 1);
        unsigned char buffer[XQ_MAX_REPLY_LEN];
        unsigned length = 0;
        QCOMPARE(XQ_Comm(good.value, 60, command.data(), &length, buffer, 0), int(XQ_STATUS_OK));
        QCOMPARE(chip.sentReports.size(), std::size_t(3));
        QCOMPARE(chip.sentReports[0].size(), std::size_t(33));
        QCOMPARE(chip.sentReports[0][4], std::uint8_t(28));
        QCOMPARE(XQ_Comm(bad.value, 60, command.data(), &length, buffer, 0), int(XQ_STATUS_BAD_HANDLE));
    }

    void failedTransfersEndTheExchange() {
        fake::FakeChip& chip = host->addHid({0, "1-1", 0xC216, 0x0102, 0, 65, {}});
        chip.respond = [](const Bytes&) { return withStatus({}, 1); };
        Handle handle("xq_hid1");
        unsigned char buffer[XQ_MAX_REPLY_LEN];
        unsigned length = 0;
        const unsigned char command = 0x5A;
        chip.readFails = true;
        QCOMPARE(XQ_Comm(handle.value, 1, &command, &length, buffer, 0), int(XQ_STATUS_READ_FAILED));
        chip.sendFails = true;
        QCOMPARE(XQ_Comm(handle.value, 1, &command, &length, buffer, 0), int(XQ_STATUS_SEND_FAILED));
    }

    void chipOpensOnceUntilClosed() {
        host->addHid({0, "1-1", 0xC216, 0x0102, 0, 65, {}});
        const XQ_HANDLE first = XQ_Open("xq_hid1", 0, 0);
        QVERIFY(first != XQ_INVALID_HANDLE);
        QCOMPARE(XQ_Open("xq_hid1", 0, 0), XQ_INVALID_HANDLE);
        QCOMPARE(XQ_Close(first), 0);
        QCOMPARE(XQ_Close(first), -1);
        Handle again("xq_hid1");
        QVERIFY(again.value != XQ_INVALID_HANDLE);
    }

    void scsiCommandsThroughSg() {
        fake::FakeScsiTarget& cdrom = host->addSg(0, 3, "GENERIC ", "CD-ROM", 5);
        host->addSg(1, 4, "ATA", "SSD", 0);
        fake::FakeScsiTarget& disk = host->addSg(2, 5, "QuirkSys", "Flash Disk", 0);
        Bytes written;
        disk.execute = [&](const ScsiRequest& request) {
            ScsiResult result;
            if (request.direction == DataDirection::Out) {
                written.assign(request.data, request.data + request.dataLength);
                result.transferred = request.dataLength;
            } else {
                std::memset(request.sense, 0x70, 18);
                result.senseLength = 18;
            }
            return result;
        };
        cdrom.execute = [](const ScsiRequest& request) {
            ScsiResult result;
            if (request.timeoutMs < 5000) {
                result.error = ETIMEDOUT;
                return result;
            }
            result.transferred = std::min(request.dataLength, 36u);
            std::memset(request.data, 'I', result.transferred);
            return result;
        };
        QVERIFY(host->usable());

        Handle udisk("xq_udisk1");
        QVERIFY(udisk.value != XQ_INVALID_HANDLE);
        const unsigned char write[10] = {0x2A};
        Bytes data(512, 0x5C);
        unsigned char senseLength = 32;
        unsigned char sense[32] = {};
        unsigned length = unsigned(data.size());
        QCOMPARE(
            BotUdiskTransmit(udisk.value, 0, &senseLength, sense, 10, 10, write, 0, &length, data.data()), 1);
        QCOMPARE(written, data);
        QCOMPARE(length, 512u);
        QCOMPARE(senseLength, std::uint8_t(0));

        const unsigned char requestSense[6] = {0x03};
        length = 0;
        senseLength = 32;
        QCOMPARE(
            BotUdiskTransmit(udisk.value, 0, &senseLength, sense, 10, 6, requestSense, 1, &length, nullptr),
            1);
        QCOMPARE(senseLength, std::uint8_t(18));
        QCOMPARE(sense[17], std::uint8_t(0x70));

        Handle cd("xq_cdrom1");
        QVERIFY(cd.value != XQ_INVALID_HANDLE);
        const unsigned char inquiry[6] = {0x12, 0, 0, 0, 96, 0};
        Bytes answer(96, 0);
        length = 96;
        senseLength = 32;
        QCOMPARE(
            BotUdiskTransmit(cd.value, 0, &senseLength, sense, 10, 6, inquiry, 1, &length, answer.data()), 1);
        QCOMPARE(length, 36u);
        QCOMPARE(std::count(answer.begin(), answer.end(), 'I'), 36L);
        length = 96;
        QCOMPARE(BotUdiskTransmit(cd.value, 0, &senseLength, sense, 1, 6, inquiry, 1, &length, answer.data()),
                 0);
        QCOMPARE(length, unsigned(ETIMEDOUT));
    }
};

QTEST_GUILESS_MAIN(LinuxLayerTest)
#include "LinuxLayerTest.moc"
