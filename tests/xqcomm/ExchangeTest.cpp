// The command exchange against the chip model: chunk layout on the wire, reply assembly,
// status words, busy chips and replies that break the rules.

#include "ExchangeTest.h"

#include "ChipRig.h"

#include <QtTest>

#include <atomic>
#include <thread>

using namespace xqcomm;
using namespace xqcomm::test;
using fake::Bytes;

Q_DECLARE_METATYPE(Bytes)

namespace {

Bytes pattern(std::size_t length, std::uint8_t seed = 0) {
    Bytes bytes(length);
    for (std::size_t i = 0; i < length; ++i)
        bytes[i] = std::uint8_t(seed + i * 7);
    return bytes;
}

Bytes withStatus(Bytes payload, std::uint16_t status) {
    payload.push_back(std::uint8_t(status >> 8));
    payload.push_back(std::uint8_t(status));
    return payload;
}

// The receive buffer as callers size it, followed by guard bytes that must stay untouched.
struct ReplyBuffer {
    static constexpr std::size_t kGuard = 64;
    Bytes bytes = Bytes(XQ_MAX_REPLY_LEN + kGuard, 0xA5);
    unsigned length = 12345;
    bool guardIntact() const {
        return std::all_of(bytes.begin() + XQ_MAX_REPLY_LEN, bytes.end(),
                           [](std::uint8_t b) { return b == 0xA5; });
    }
};

int comm(XQ_HANDLE handle, const Bytes& command, ReplyBuffer& reply, int timeout = 100) {
    return XQ_Comm(handle, int(command.size()), command.data(), &reply.length, reply.bytes.data(), timeout);
}

Bytes report(std::initializer_list<std::uint8_t> head, std::size_t length = 65) {
    Bytes bytes(length, 0);
    std::copy(head.begin(), head.end(), bytes.begin());
    return bytes;
}

} // namespace

void ExchangeTest::commandGoesOutInChunks_data() {
    QTest::addColumn<int>("reportLength");
    QTest::addColumn<int>("commandLength");
    QTest::addColumn<Bytes>("controls");
    QTest::addColumn<Bytes>("lengths");

    QTest::newRow("54 bytes, one chunk") << 65 << 54 << Bytes{0x00} << Bytes{54};
    QTest::newRow("130 bytes, three chunks") << 65 << 130 << Bytes{0x20, 0x61, 0x02} << Bytes{60, 60, 10};
    QTest::newRow("exactly one chunk") << 65 << 60 << Bytes{0x00} << Bytes{60};
    QTest::newRow("empty block") << 65 << 0 << Bytes{0x00} << Bytes{0};
    QTest::newRow("short reports") << 9 << 9 << Bytes{0x20, 0x61, 0x02} << Bytes{4, 4, 1};
    QTest::newRow("length byte caps the chunk") << 300 << 300 << Bytes{0x20, 0x41} << Bytes{255, 45};
}

void ExchangeTest::commandGoesOutInChunks() {
    QFETCH(int, reportLength);
    QFETCH(int, commandLength);
    QFETCH(Bytes, controls);
    QFETCH(Bytes, lengths);

    ChipRig rig;
    fake::FakeChip& chip = rig.system.addChip("/dev/hidraw0", 0x0102, 0, std::size_t(reportLength));
    chip.respond = [](const Bytes&) { return Bytes{0x00, 0x01}; };
    OpenHandle handle("xq_hid1");
    QVERIFY(handle.isOpen());

    const Bytes command = pattern(std::size_t(commandLength));
    ReplyBuffer reply;
    QCOMPARE(comm(handle.get(), command, reply), int(XQ_STATUS_OK));

    QCOMPARE(chip.sentReports.size(), controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const Bytes& sent = chip.sentReports[i];
        QCOMPARE(sent.size(), std::size_t(reportLength));
        QCOMPARE(sent[0], std::uint8_t(0));
        QCOMPARE(sent[1], std::uint8_t(27));
        QCOMPARE(sent[2], controls[i]);
        QCOMPARE(sent[3], std::uint8_t(0));
        QCOMPARE(sent[4], lengths[i]);
    }
    QCOMPARE(chip.commands, std::vector<Bytes>{command});
}

void ExchangeTest::sequenceNumberStaysOutOfFlagBits() {
    ChipRig rig;
    fake::FakeChip& chip = rig.system.addChip("/dev/hidraw0", 0x0102, 0, 9);
    chip.respond = [](const Bytes&) { return Bytes{0x00, 0x01}; };
    OpenHandle handle("xq_hid1");
    ReplyBuffer reply;
    QCOMPARE(comm(handle.get(), pattern(4 * 40), reply), int(XQ_STATUS_OK));
    QCOMPARE(chip.sentReports.size(), std::size_t(40));
    QCOMPARE(chip.sentReports[32][2], std::uint8_t(0x20));
    QCOMPARE(chip.sentReports[33][2], std::uint8_t(0x61));
    QCOMPARE(chip.sentReports[39][2], std::uint8_t(0x47));
}

void ExchangeTest::waitByteFollowsTimeout_data() {
    QTest::addColumn<int>("timeout");
    QTest::addColumn<int>("waitByte");
    QTest::newRow("none") << 0 << 0;
    QTest::newRow("negative") << -50 << 0;
    QTest::newRow("1") << 1 << 1;
    QTest::newRow("100") << 100 << 27;
    QTest::newRow("25") << 25 << 7;
    QTest::newRow("600") << 600 << 157;
    QTest::newRow("more than 600") << 100000 << 157;
}

void ExchangeTest::waitByteFollowsTimeout() {
    QFETCH(int, timeout);
    QFETCH(int, waitByte);
    ChipRig rig;
    fake::FakeChip& chip = rig.system.addChip("/dev/hidraw0");
    chip.respond = [](const Bytes&) { return Bytes{0x00, 0x01}; };
    OpenHandle handle("xq_hid1");
    ReplyBuffer reply;
    QCOMPARE(comm(handle.get(), pattern(130), reply, timeout), int(XQ_STATUS_OK));
    for (const Bytes& sent : chip.sentReports)
        QCOMPARE(int(sent[1]), waitByte);
}

void ExchangeTest::replyEndsWithStatusWord_data() {
    QTest::addColumn<Bytes>("payload");
    QTest::addColumn<std::uint16_t>("status");
    QTest::addColumn<int>("busyAnswers");
    QTest::newRow("01 02 00 01") << Bytes{0x01, 0x02} << std::uint16_t(0x0001) << 0;
    QTest::newRow("status only") << Bytes{} << std::uint16_t(0x0001) << 0;
    QTest::newRow("chip's own status") << Bytes{0x10} << std::uint16_t(0x6A82) << 0;
    // A chip may answer with the very words the library uses for its own faults.
    QTest::newRow("chip answers a library code") << Bytes{0x10} << std::uint16_t(XQ_STATUS_BAD_CHUNK) << 0;
    QTest::newRow("chip answers 0xFFFF, no payload") << Bytes{} << std::uint16_t(XQ_STATUS_BAD_HANDLE) << 0;
    QTest::newRow("reply over three chunks") << pattern(150) << std::uint16_t(0x0001) << 0;
    QTest::newRow("after busy answers") << pattern(12) << std::uint16_t(0x0001) << 25;
    QTest::newRow("largest reply") << pattern(XQ_MAX_REPLY_LEN - 2) << std::uint16_t(0x0001) << 0;
}

void ExchangeTest::replyEndsWithStatusWord() {
    QFETCH(Bytes, payload);
    QFETCH(std::uint16_t, status);
    QFETCH(int, busyAnswers);
    ChipRig rig;
    fake::FakeChip& chip = rig.system.addChip("/dev/hidraw0");
    chip.respond = [&](const Bytes&) { return withStatus(payload, status); };
    chip.busyAnswersBeforeReply = busyAnswers;
    OpenHandle handle("xq_hid1");
    ReplyBuffer reply;
    QCOMPARE(comm(handle.get(), pattern(54), reply), int(status));
    QCOMPARE(reply.length, unsigned(payload.size()));
    QCOMPARE(Bytes(reply.bytes.begin(), reply.bytes.begin() + long(payload.size())), payload);
    QVERIFY(XQ_IsChipStatus(status, reply.length, reply.bytes.data()));
    QVERIFY(reply.guardIntact());
}

void ExchangeTest::failuresAnswerLibraryStatus_data() {
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("status");
    QTest::newRow("one reply byte") << "one byte" << int(XQ_STATUS_SHORT_REPLY);
    QTest::newRow("empty reply") << "empty" << int(XQ_STATUS_SHORT_REPLY);
    QTest::newRow("send fails") << "send fails" << int(XQ_STATUS_SEND_FAILED);
    QTest::newRow("read fails") << "read fails" << int(XQ_STATUS_READ_FAILED);
    QTest::newRow("stays busy") << "stays busy" << int(XQ_STATUS_TIMED_OUT);
    QTest::newRow("length byte past the chunk") << "length past chunk" << int(XQ_STATUS_BAD_CHUNK);
    QTest::newRow("length byte past the bytes read") << "length past read" << int(XQ_STATUS_BAD_CHUNK);
    QTest::newRow("report shorter than a header") << "short report" << int(XQ_STATUS_BAD_CHUNK);
    QTest::newRow("reply longer than the buffer") << "too long" << int(XQ_STATUS_REPLY_TOO_LONG);
    QTest::newRow("endless more-follows chunks") << "endless" << int(XQ_STATUS_REPLY_TOO_LONG);
    QTest::newRow("endless empty more-follows chunks") << "endless empty" << int(XQ_STATUS_TIMED_OUT);
    QTest::newRow("no usable report length") << "no report length" << int(XQ_STATUS_BAD_HANDLE);
}

void ExchangeTest::failuresAnswerLibraryStatus() {
    QFETCH(QString, fault);
    QFETCH(int, status);
    ChipRig rig;
    fake::FakeChip& chip = rig.system.addChip("/dev/hidraw0");
    chip.transferMs = 20;
    chip.respond = [](const Bytes&) { return Bytes{0x00, 0x01}; };
    if (fault == "one byte")
        chip.respond = [](const Bytes&) { return Bytes{0x01}; };
    else if (fault == "empty")
        chip.respond = [](const Bytes&) { return Bytes{}; };
    else if (fault == "send fails")
        chip.sendFails = true;
    else if (fault == "read fails")
        chip.readFails = true;
    else if (fault == "stays busy")
        chip.staysBusy = true;
    else if (fault == "length past chunk")
        chip.rawReplies.push_back(report({0, 0, 0x00, 0, 61}));
    else if (fault == "length past read")
        chip.rawReplies.push_back(Bytes{0, 0, 0x00, 0, 8, 1, 2, 3});
    else if (fault == "short report")
        chip.rawReplies.push_back(Bytes{0, 0, 0x00, 0});
    else if (fault == "too long")
        chip.respond = [](const Bytes&) { return withStatus(pattern(XQ_MAX_REPLY_LEN - 1), 1); };
    else if (fault == "endless")
        chip.rawReplies.assign(1000, report({0, 0, 0x20, 0, 60}));
    else if (fault == "endless empty")
        chip.rawReplies.assign(50000, report({0, 0, 0x20, 0, 0}));
    else if (fault == "no report length")
        chip.featureReportLength = 5;

    OpenHandle handle("xq_hid1");
    const std::uint64_t start = rig.system.fakeClock().now;
    ReplyBuffer reply;
    QCOMPARE(comm(handle.get(), pattern(54), reply), status);
    QCOMPARE(reply.length, 0u);
    QVERIFY(!XQ_IsChipStatus(status, reply.length, reply.bytes.data()));
    QVERIFY(reply.guardIntact());
    if (status == int(XQ_STATUS_TIMED_OUT)) {
        // Gave the chip its 900 s, and stopped within one transfer of the deadline.
        const std::uint64_t waited = rig.system.fakeClock().now - start;
        QVERIFY(waited > 900 * 1000);
        QVERIFY(waited < 900 * 1000 + 100);
    }
}

void ExchangeTest::serialNumber_data() {
    QTest::addColumn<Bytes>("reply");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("serial");
    QTest::newRow("serial") << withStatus({'C', '2', '1', '6', 'X'}, 1) << int(XQ_STATUS_OK)
                            << QByteArray("C216X");
    QTest::newRow("empty serial") << withStatus({}, 1) << int(XQ_STATUS_EMPTY_SERIAL) << QByteArray();
    QTest::newRow("chip refuses") << withStatus({'x'}, 0x6A82) << 0x6A82 << QByteArray("x");
    QTest::newRow("no status word") << Bytes{0x01} << int(XQ_STATUS_SHORT_REPLY) << QByteArray();
}

void ExchangeTest::serialNumber() {
    QFETCH(Bytes, reply);
    QFETCH(int, status);
    QFETCH(QByteArray, serial);
    ChipRig rig;
    fake::FakeChip& chip = rig.system.addChip("/dev/hidraw0");
    chip.respond = [&](const Bytes&) { return reply; };
    OpenHandle handle("xq_hid1");
    ReplyBuffer buffer;
    QCOMPARE(XQ_GetDevSn(handle.get(), &buffer.length, buffer.bytes.data()), status);
    QCOMPARE(chip.commands, std::vector<Bytes>{Bytes{0x55}});
    QCOMPARE(chip.sentReports.at(0)[1], std::uint8_t(255));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(buffer.bytes.data()), int(buffer.length)), serial);
}

void ExchangeTest::rawExchangeTakesWaitByte() {
    ChipRig rig;
    fake::FakeChip& chip = rig.system.addChip("/dev/hidraw0");
    chip.respond = [](const Bytes& command) { return withStatus(command, 1); };
    OpenHandle handle("xq_hid1");
    const Bytes command = pattern(70);
    ReplyBuffer reply;
    QCOMPARE(HID_Ctrl_Comm(handle.get(), command.data(), unsigned(command.size()), reply.bytes.data(),
                           &reply.length, 200),
             int(XQ_STATUS_OK));
    QCOMPARE(chip.sentReports.at(0)[1], std::uint8_t(200));
    QCOMPARE(Bytes(reply.bytes.begin(), reply.bytes.begin() + reply.length), command);
}

void ExchangeTest::badHandlesAndArgumentsTouchNothing() {
    ChipRig rig;
    fake::FakeChip& chip = rig.system.addChip("/dev/hidraw0");
    chip.respond = [](const Bytes&) { return Bytes{0x00, 0x01}; };
    OpenHandle handle("xq_hid1");
    QVERIFY(handle.isOpen());
    const Bytes command = pattern(8);
    ReplyBuffer reply;
    unsigned char sense = 0;
    unsigned dataLength = 0;

    for (XQ_HANDLE bad : {XQ_INVALID_HANDLE, XQ_HANDLE(0), XQ_HANDLE(handle.get() + 1000)}) {
        QCOMPARE(XQ_Close(bad), -1);
        std::fill(reply.bytes.begin(), reply.bytes.begin() + XQ_MAX_REPLY_LEN, 0xFF);
        QCOMPARE(comm(bad, command, reply), int(XQ_STATUS_BAD_HANDLE));
        QVERIFY(!XQ_IsChipStatus(XQ_STATUS_BAD_HANDLE, reply.length, reply.bytes.data()));
        QCOMPARE(XQ_GetDevSn(bad, &reply.length, reply.bytes.data()), int(XQ_STATUS_BAD_HANDLE));
        QCOMPARE(HID_Ctrl_Comm(bad, command.data(), 8, reply.bytes.data(), &reply.length, 0),
                 int(XQ_STATUS_BAD_HANDLE));
        QCOMPARE(BotUdiskTransmit(bad, 0, &sense, nullptr, 1, 1, command.data(), 1, &dataLength, nullptr), 0);
    }
    QCOMPARE(XQ_Comm(handle.get(), 8, nullptr, &reply.length, reply.bytes.data(), 0),
             int(XQ_STATUS_BAD_HANDLE));
    QCOMPARE(XQ_Comm(handle.get(), -1, command.data(), &reply.length, reply.bytes.data(), 0),
             int(XQ_STATUS_BAD_HANDLE));
    QCOMPARE(XQ_Comm(handle.get(), 8, command.data(), nullptr, reply.bytes.data(), 0),
             int(XQ_STATUS_BAD_HANDLE));
    QCOMPARE(XQ_Comm(handle.get(), 8, command.data(), &reply.length, nullptr, 0), int(XQ_STATUS_BAD_HANDLE));
    QCOMPARE(XQ_GetDevSn(handle.get(), nullptr, reply.bytes.data()), int(XQ_STATUS_BAD_HANDLE));
    QCOMPARE(
        BotUdiskTransmit(handle.get(), 0, &sense, nullptr, 1, 1, command.data(), 1, &dataLength, nullptr), 0);
    QVERIFY(chip.sentReports.empty());

    const XQ_HANDLE stale = handle.get();
    QCOMPARE(handle.close(), 0);
    QCOMPARE(comm(stale, command, reply), int(XQ_STATUS_BAD_HANDLE));
    QCOMPARE(XQ_Close(stale), -1);
    QVERIFY(chip.sentReports.empty());
}

void ExchangeTest::threadsSharingAHandleDoNotInterleave() {
    ChipRig rig;
    fake::FakeChip& chip = rig.system.addChip("/dev/hidraw0");
    chip.respond = [](const Bytes& command) {
        return withStatus(Bytes(command.begin(), command.begin() + 4), 1);
    };
    OpenHandle handle("xq_hid1");
    const Bytes first = pattern(130, 1);
    const Bytes second = pattern(130, 2);
    constexpr int kRounds = 100;
    std::atomic<int> failures{0};
    std::thread other([&] {
        ReplyBuffer reply;
        for (int i = 0; i < kRounds; ++i)
            failures += comm(handle.get(), second, reply) != int(XQ_STATUS_OK);
    });
    ReplyBuffer reply;
    for (int i = 0; i < kRounds; ++i)
        failures += comm(handle.get(), first, reply) != int(XQ_STATUS_OK);
    other.join();
    QCOMPARE(failures.load(), 0);
    QCOMPARE(chip.commands.size(), std::size_t(2 * kRounds));
    for (const Bytes& command : chip.commands)
        QVERIFY(command == first || command == second);
}
