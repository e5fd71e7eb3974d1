// Opening devices by name and number, the in-use rule, the storage slot tables, SCSI pass-through
// and the report descriptor parser.

#include "DeviceTest.h"

#include "ChipRig.h"
#include "ReportDescriptor.h"

#include <QtTest>

#include <cerrno>
#include <cstring>

using namespace xqcomm;
using namespace xqcomm::test;
using fake::Bytes;

Q_DECLARE_METATYPE(Bytes)

namespace {

// Which chip answered: each chip's reply carries its own marker.
int answeringChip(XQ_HANDLE handle) {
    unsigned char reply[XQ_MAX_REPLY_LEN];
    unsigned length = 0;
    const unsigned char command = 0x5D;
    if (XQ_Comm(handle, 1, &command, &length, reply, 100) != int(XQ_STATUS_OK) || length != 1)
        return -1;
    return reply[0];
}

void markChip(fake::FakeChip& chip, std::uint8_t marker) {
    chip.respond = [marker](const Bytes&) { return Bytes{marker, 0x00, 0x01}; };
}

// Slots live as long as the process, so every test uses the same devices: the chip's CD-ROM
// "sg-cd-1" and disks "sg-disk-1" and "sg-disk-2", which take slots in that order whichever
// test runs first.
StorageDevice storage(QByteArray id, StorageKind kind, const char* label) {
    return {id.toStdString(), ("/dev/" + id).toStdString(), label, kind};
}

} // namespace

void DeviceTest::openByName_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("chip");
    QTest::newRow("first chip") << QByteArray("xq_hid1") << 1;
    QTest::newRow("prefix in capitals") << QByteArray("XQ_HID1") << 1;
    QTest::newRow("mixed case, second chip") << QByteArray("Xq_Hid2") << 2;
    QTest::newRow("leading zero") << QByteArray("xq_hid02") << 2;
    QTest::newRow("number 0") << QByteArray("xq_hid0") << -1;
    QTest::newRow("past the last chip") << QByteArray("xq_hid3") << -1;
    QTest::newRow("no number") << QByteArray("xq_hid") << -1;
    QTest::newRow("trailing text") << QByteArray("xq_hid1x") << -1;
    QTest::newRow("negative") << QByteArray("xq_hid-1") << -1;
    QTest::newRow("huge number") << QByteArray("xq_hid99999999999") << -1;
    QTest::newRow("unknown prefix") << QByteArray("xq_usb1") << -1;
    QTest::newRow("empty") << QByteArray("") << -1;
}

void DeviceTest::openByName() {
    QFETCH(QByteArray, name);
    QFETCH(int, chip);
    ChipRig rig;
    markChip(rig.system.addChip("/dev/hidraw3"), 1);
    markChip(rig.system.addChip("/dev/hidraw1"), 2);
    OpenHandle handle(name.constData());
    QCOMPARE(handle.isOpen(), chip > 0);
    if (chip > 0)
        QCOMPARE(answeringChip(handle.get()), chip);
    QCOMPARE(XQ_Open(nullptr, 0, 0), XQ_INVALID_HANDLE);
}

void DeviceTest::chipsAreNumberedAndOpenedOnce() {
    ChipRig rig;
    rig.system.addOtherHid("/dev/hidraw0", 0x264A, 0x1FA5);
    markChip(rig.system.addChip("/dev/hidraw1", 0x0303, 0), 9); // the composite chip's other interface
    markChip(rig.system.addChip("/dev/hidraw2", 0x0102), 1);
    rig.system.addOtherHid("/dev/hidraw3", 0xC216, 0x0999);
    markChip(rig.system.addChip("/dev/hidraw4", 0x0303, 1), 2);

    OpenHandle second("xq_hid2");
    QVERIFY(second.isOpen());
    QCOMPARE(answeringChip(second.get()), 2);
    QCOMPARE(OpenHandle("xq_hid2").isOpen(), false);
    QCOMPARE(OpenHandle("xq_hid3").isOpen(), false);

    OpenHandle first("xq_hid1");
    QVERIFY(first.isOpen());
    QVERIFY(first.get() != second.get());
    QCOMPARE(answeringChip(first.get()), 1);
    QCOMPARE(rig.system.openChannels(), 2);

    QCOMPARE(second.close(), 0);
    QCOMPARE(rig.system.openChannels(), 1);
    OpenHandle again("xq_hid2");
    QVERIFY(again.isOpen());
    QCOMPARE(answeringChip(again.get()), 2);
}

void DeviceTest::storageSlotsByVendorText() {
    ChipRig rig;
    rig.system.addStorage(storage("sg-other-disk", StorageKind::Disk, "ATA      Samsung SSD"));
    rig.system.addStorage(storage("sg-cd-1", StorageKind::CdRom, "Generic  CD-ROM"));
    rig.system.addStorage(storage("sg-disk-1", StorageKind::Disk, "QuirkSys Flash"));

    OpenHandle disk("xq_udisk1");
    QVERIFY(disk.isOpen());
    OpenHandle cdrom("XQ_CDROM1");
    QVERIFY(cdrom.isOpen());
    QCOMPARE(OpenHandle("xq_udisk0").isOpen(), false);
    QCOMPARE(OpenHandle("xq_udisk2").isOpen(), false);
    QCOMPARE(OpenHandle("xq_cdrom10").isOpen(), false);
    QCOMPARE(rig.system.openChannels(), 2);

    QCOMPARE(disk.close(), 0);
    QCOMPARE(cdrom.close(), 0);
    QCOMPARE(rig.system.openChannels(), 0);
}

void DeviceTest::storageSlotKeepsItsNumber() {
    ChipRig rig;
    fake::FakeScsiTarget& cd = rig.system.addStorage(storage("sg-cd-1", StorageKind::CdRom, "GENUSION CD"));
    cd.execute = [](const ScsiRequest&) { return ScsiResult{}; };
    // No chip disk: xq_udisk falls back to the CD-ROM table.
    OpenHandle fallback("xq_udisk1");
    QVERIFY(fallback.isOpen());
    fallback.close();

    rig.system.addStorage(storage("sg-disk-1", StorageKind::Disk, "GENERIC A"));
    fake::FakeScsiTarget& b = rig.system.addStorage(storage("sg-disk-2", StorageKind::Disk, "GENERIC B"));
    b.execute = [](const ScsiRequest&) { return ScsiResult{}; };
    QVERIFY(OpenHandle("xq_udisk1").isOpen());

    // A leaves; B keeps slot 2, slot 1 stays A's and can't be opened while A is away.
    rig.system.removeStorage("sg-disk-1");
    QCOMPARE(OpenHandle("xq_udisk1").isOpen(), false);
    OpenHandle second("xq_udisk2");
    QVERIFY(second.isOpen());
    unsigned char sense = 0;
    unsigned length = 0;
    const unsigned char inquiry[6] = {0x12};
    QCOMPARE(BotUdiskTransmit(second.get(), 0, &sense, nullptr, 5, 6, inquiry, 1, &length, nullptr), 1);
    QCOMPARE(b.cdbs.size(), std::size_t(1));
}

void DeviceTest::scsiCommandPassesThrough_data() {
    QTest::addColumn<bool>("dataIn");
    QTest::addColumn<int>("cdbLength");
    QTest::addColumn<unsigned>("dataLength");
    QTest::addColumn<int>("senseRoom");
    QTest::addColumn<int>("deviceError");
    QTest::addColumn<int>("result");
    QTest::addColumn<unsigned>("lengthAfter");
    QTest::addColumn<int>("senseAfter");
    // The device moves at most 36 bytes and returns 18 bytes of sense.
    QTest::newRow("data in") << true << 6 << 96u << 32 << 0 << 1 << 36u << 18;
    QTest::newRow("data out") << false << 10 << 512u << 18 << 0 << 1 << 36u << 18;
    QTest::newRow("sense room capped at 32") << true << 6 << 8u << 255 << 0 << 1 << 8u << 18;
    QTest::newRow("little sense room") << true << 6 << 8u << 4 << 0 << 1 << 8u << 4;
    QTest::newRow("no data") << true << 6 << 0u << 18 << 0 << 1 << 0u << 18;
    QTest::newRow("device error") << true << 6 << 96u << 32 << EIO << 0 << unsigned(EIO) << 32;
    QTest::newRow("command block too long") << true << 17 << 96u << 32 << 0 << 0 << unsigned(EINVAL) << 32;
    QTest::newRow("empty command block") << true << 0 << 96u << 32 << 0 << 0 << unsigned(EINVAL) << 32;
    QTest::newRow("more than 64 KiB") << true << 6 << 65537u << 32 << 0 << 0 << unsigned(EINVAL) << 32;
}

void DeviceTest::scsiCommandPassesThrough() {
    QFETCH(bool, dataIn);
    QFETCH(int, cdbLength);
    QFETCH(unsigned, dataLength);
    QFETCH(int, senseRoom);
    QFETCH(int, deviceError);
    QFETCH(int, result);
    QFETCH(unsigned, lengthAfter);
    QFETCH(int, senseAfter);

    ChipRig rig;
    fake::FakeScsiTarget& target = rig.system.addStorage(storage("sg-cd-1", StorageKind::CdRom, "GENERIC"));
    Bytes written;
    ScsiRequest seen;
    target.execute = [&](const ScsiRequest& request) {
        seen = request;
        ScsiResult answer;
        answer.error = deviceError;
        answer.transferred = std::min(request.dataLength, 36u);
        if (request.direction == DataDirection::In)
            std::memset(request.data, 'Q', answer.transferred);
        else
            written.assign(request.data, request.data + request.dataLength);
        answer.senseLength = std::min<std::uint8_t>(18, request.senseCapacity);
        std::memset(request.sense, 0x70, answer.senseLength);
        return answer;
    };
    OpenHandle handle("xq_cdrom1");
    QVERIFY(handle.isOpen());

    Bytes cdb(17, 0);
    cdb[0] = dataIn ? 0x12 : 0x2A;
    Bytes data(dataLength + 16, 'o');
    Bytes sense(64, 0);
    unsigned char senseLength = std::uint8_t(senseRoom);
    unsigned length = dataLength;
    QCOMPARE(BotUdiskTransmit(handle.get(), 0, &senseLength, sense.data(), 30, cdbLength, cdb.data(), dataIn,
                              &length, data.data()),
             result);
    QCOMPARE(length, lengthAfter);
    QCOMPARE(int(senseLength), senseAfter);
    if (result == 0)
        return;
    QCOMPARE(seen.timeoutMs, 30000u);
    QCOMPARE(int(seen.cdbLength), cdbLength);
    QCOMPARE(std::count(sense.begin(), sense.end(), 0x70), long(senseAfter));
    if (dataIn)
        QCOMPARE(std::count(data.begin(), data.end(), 'Q'), long(lengthAfter));
    else
        QCOMPARE(written, Bytes(dataLength, 'o'));
    QCOMPARE(std::count(data.begin() + dataLength, data.end(), 'o'), 16L);
}

void DeviceTest::featureReportLengthFromDescriptor_data() {
    QTest::addColumn<Bytes>("descriptor");
    QTest::addColumn<int>("length");
    // Usage page, usage, collection; report size 8, report count 64; feature; end collection.
    const Bytes vendor64{0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75,
                         0x08, 0x95, 0x40, 0x09, 0x01, 0xB1, 0x02, 0xC0};
    QTest::newRow("64-byte feature report") << vendor64 << 65;
    QTest::newRow("input and output don't count")
        << Bytes{0x75, 0x08, 0x96, 0x00, 0x01, 0x81, 0x02, 0x91, 0x02, 0x95, 0x10, 0xB1, 0x02} << 17;
    QTest::newRow("longest of two report IDs")
        << Bytes{0x85, 0x01, 0x75, 0x08, 0x95, 0x08, 0xB1, 0x02, 0x85, 0x02, 0x95, 0x20, 0xB1, 0x02} << 33;
    QTest::newRow("bits round up") << Bytes{0x75, 0x01, 0x95, 0x09, 0xB1, 0x02} << 3;
    QTest::newRow("pop restores the report size")
        << Bytes{0x75, 0x08, 0xA4, 0x75, 0x10, 0xB4, 0x95, 0x04, 0xB1, 0x02} << 5;
    QTest::newRow("long item skipped")
        << Bytes{0xFE, 0x02, 0x10, 0xB1, 0x02, 0x75, 0x08, 0x95, 0x02, 0xB1, 0x02} << 3;
    QTest::newRow("no feature report") << Bytes{0x75, 0x08, 0x95, 0x40, 0x81, 0x02} << 0;
    QTest::newRow("empty") << Bytes{} << 0;
    QTest::newRow("truncated item") << Bytes{0x75, 0x08, 0x96, 0x40} << -1;
    QTest::newRow("truncated long item") << Bytes{0xFE, 0x05, 0x10, 0x00} << -1;
    QTest::newRow("push without pop") << Bytes{0xA4, 0x75, 0x08, 0x95, 0x02, 0xB1, 0x02} << -1;
    QTest::newRow("pop without push") << Bytes{0xB4} << -1;
    QTest::newRow("pushes too deep") << Bytes(17, 0xA4) << -1;
    QTest::newRow("report too long") << Bytes{0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97,
                                              0xFF, 0xFF, 0xFF, 0xFF, 0xB1, 0x02}
                                     << -1;
}

void DeviceTest::featureReportLengthFromDescriptor() {
    QFETCH(Bytes, descriptor);
    QFETCH(int, length);
    QCOMPARE(featureReportLength(descriptor.data(), descriptor.size()), long(length));
}
