#include "HidapiBackend.h"

#include <QTemporaryDir>
#include <QTest>

#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <umockdev.h>

#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

using zyne::HidapiBackend;

namespace {

// A Plus controller box (0003:264A:product) on a USB port, with its hidraw node.
QByteArray plusBoxDescription(int hidrawNumber, std::uint16_t productId) {
    const QString product = QStringLiteral("%1").arg(productId, 4, 16, QLatin1Char('0')).toUpper();
    const QString usb = QStringLiteral("/devices/pci0000:00/usb1/1-%1").arg(hidrawNumber + 1);
    const QString usbInterface = usb + QStringLiteral("/1-%1:1.0").arg(hidrawNumber + 1);
    const QString hid =
        usbInterface + QStringLiteral("/0003:264A:%1.000%2").arg(product).arg(hidrawNumber + 1);
    return QStringLiteral("P: %1/hidraw/hidraw%2\n"
                          "N: hidraw%2\n"
                          "E: DEVNAME=/dev/hidraw%2\n"
                          "E: SUBSYSTEM=hidraw\n"
                          "E: MAJOR=240\n"
                          "E: MINOR=%2\n"
                          "L: device=../../../%7\n" // hidapi reads the HID ids through this link
                          "\n"
                          "P: %1\n"
                          "E: SUBSYSTEM=hid\n"
                          "E: HID_ID=0003:0000264A:0000%3\n"
                          "E: HID_NAME=Zyne Plus Controller\n"
                          "E: HID_UNIQ=000%2\n" // hidapi skips HID devices without one
                          "E: DRIVER=hid-generic\n"
                          "\n"
                          "P: %4\n"
                          "E: SUBSYSTEM=usb\n"
                          "E: DEVTYPE=usb_interface\n"
                          "A: bInterfaceNumber=00\n"
                          "\n"
                          "P: %5\n"
                          "E: SUBSYSTEM=usb\n"
                          "E: DEVTYPE=usb_device\n"
                          "A: idVendor=264a\n"
                          "A: idProduct=%6\n"
                          "A: manufacturer=Vx\n"
                          "A: product=Zyne Plus Controller\n"
                          "A: serial=0001\n")
        .arg(hid)
        .arg(hidrawNumber)
        .arg(product, usbInterface, usb, product.toLower(), hid.section('/', -1))
        .toUtf8();
}

// The replay format writes control bytes as '^' + (byte + 64) and '^' itself as "^`".
QByteArray scriptData(const QByteArray& bytes) {
    QByteArray escaped;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 32)
            escaped += '^' + QByteArray(1, static_cast<char>(byte + 64));
        else if (byte == '^')
            escaped += "^`";
        else
            escaped += c;
    }
    return escaped;
}

QByteArray report(const QByteArray& leading, int size) {
    return leading.leftJustified(size, '\0');
}

// hidapi asks a hidraw node for its report descriptor size when it opens it; the replay scripts
// only carry reads and writes, so this answers that question in code.
gboolean answerDescriptorSize(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer) {
    if (umockdev_ioctl_client_get_request(client) != HIDIOCGRDESCSIZE)
        return FALSE;
    GError* error = nullptr;
    UMockdevIoctlData* size =
        umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, sizeof(int), &error);
    if (!size) {
        g_clear_error(&error);
        return FALSE;
    }
    const int descriptorSize = 0;
    std::memcpy(size->data, &descriptorSize, sizeof descriptorSize);
    umockdev_ioctl_client_complete(client, 0, 0);
    g_object_unref(size);
    return TRUE;
}

} // namespace

class TestHidapiBackend : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Needs umockdev's preload library (ctest runs this through umockdev-wrapper).
    void initTestCase() {
        m_testbed = umockdev_testbed_new();
        addBox(0, 0x1FA5);
        addBox(1, 0x1FA6);

        // Box 0 answers the probe; box 1 takes it and stays silent.
        const QByteArray probe = report(QByteArray::fromHex("00fe33"), 65);
        loadScript("/dev/hidraw0", "w 0 " + scriptData(probe) + "\nr 0 " +
                                       scriptData(report(QByteArray::fromHex("fe3301"), 64)) + "\n");
        loadScript("/dev/hidraw1", "w 0 " + scriptData(probe) + "\n");
        for (const char* node : {"/dev/hidraw0", "/dev/hidraw1"})
            attachDescriptorSizeAnswer(node);
    }

    void cleanupTestCase() { g_clear_object(&m_testbed); }

    void enumeratesByIds_data() {
        QTest::addColumn<int>("productId");
        QTest::addColumn<QStringList>("paths");
        QTest::newRow("any") << 0 << QStringList{"/dev/hidraw0", "/dev/hidraw1"};
        QTest::newRow("box 0") << 0x1FA5 << QStringList{"/dev/hidraw0"};
        QTest::newRow("absent") << 0x1FA7 << QStringList{};
    }

    void enumeratesByIds() {
        QFETCH(int, productId);
        QFETCH(QStringList, paths);
        QStringList listed;
        for (const auto& info : HidapiBackend().enumerate(0x264A, static_cast<std::uint16_t>(productId))) {
            QCOMPARE(int(info.vendorId), 0x264A);
            listed << info.path;
        }
        listed.sort();
        QCOMPARE(listed, paths);
    }

    void probesABox() {
        HidapiBackend backend;
        QVERIFY(!backend.open(0x264A, 0x1FA7));
        auto box = backend.open(0x264A, 0x1FA5);
        QVERIFY(box);
        const QByteArray probe = report(QByteArray::fromHex("00fe33"), 65);
        QCOMPARE(box->write(reinterpret_cast<const unsigned char*>(probe.constData()), probe.size()), 65);
        unsigned char reply[64] = {};
        QCOMPARE(box->read(reply, sizeof reply, 5000), 64);
        QCOMPARE(QByteArray(reinterpret_cast<char*>(reply), 64), report(QByteArray::fromHex("fe3301"), 64));
    }

    void silentBoxTimesOut() {
        auto box = HidapiBackend().open(0x264A, 0x1FA6);
        QVERIFY(box);
        const QByteArray probe = report(QByteArray::fromHex("00fe33"), 65);
        QCOMPARE(box->write(reinterpret_cast<const unsigned char*>(probe.constData()), probe.size()), 65);
        unsigned char reply[64] = {};
        QCOMPARE(box->read(reply, sizeof reply, 20), 0);
    }

    // A discovery's opens share one listing of the system's devices: a box plugged in after it is
    // only found once the next discovery lists them again.
    void opensGoThroughOneListingUntilListedAfresh() {
        HidapiBackend backend;
        QVERIFY(backend.open(0x264A, 0x1FA5));
        addBox(2, 0x1FA7);
        attachDescriptorSizeAnswer("/dev/hidraw2");
        QVERIFY(!backend.open(0x264A, 0x1FA7));
        QVERIFY(backend.open(0x264A, 0x1FA6)); // still from the same listing
        backend.listAfresh();
        QVERIFY(backend.open(0x264A, 0x1FA7));
        // Unplugged again for the tests after this one: its hidraw node is the description's first.
        const QByteArray described = plusBoxDescription(2, 0x1FA7);
        const QByteArray hidrawNode = "/sys" + described.mid(3, described.indexOf('\n') - 3);
        umockdev_testbed_remove_device(m_testbed, hidrawNode.constData());
    }

    // The classic engine's thread and the GUI thread may both be first to ask: one backend for all.
    void backendIsMadeOnceAcrossThreads() {
        constexpr int kRounds = 100;
        constexpr int kThreads = 6;
        for (int round = 0; round < kRounds; ++round) {
            zyne::installHidBackend(nullptr);
            std::atomic<bool> go{false};
            std::vector<zyne::HidBackend*> seen(kThreads, nullptr);
            std::vector<std::thread> threads;
            for (int t = 0; t < kThreads; ++t)
                threads.emplace_back([&, t] {
                    while (!go.load())
                        std::this_thread::yield();
                    seen[static_cast<std::size_t>(t)] = &zyne::hidBackend();
                });
            go = true;
            for (auto& thread : threads)
                thread.join();
            for (zyne::HidBackend* backend : seen)
                QCOMPARE(backend, &zyne::hidBackend());
        }
        zyne::installHidBackend(nullptr);
    }

private:
    void addBox(int hidrawNumber, std::uint16_t productId) {
        GError* error = nullptr;
        const QByteArray description = plusBoxDescription(hidrawNumber, productId);
        QVERIFY2(umockdev_testbed_add_from_string(m_testbed, description.constData(), &error),
                 error ? error->message : "");
    }

    void attachDescriptorSizeAnswer(const char* node) {
        UMockdevIoctlBase* handler = umockdev_ioctl_base_new();
        g_signal_connect(handler, "handle-ioctl", G_CALLBACK(answerDescriptorSize), nullptr);
        GError* error = nullptr;
        QVERIFY2(umockdev_testbed_attach_ioctl(m_testbed, node, handler, &error), error ? error->message : "");
        g_object_unref(handler);
    }

    void loadScript(const char* node, const QByteArray& script) {
        const QString path = m_dir.filePath(QString::fromLatin1(node).section('/', -1) + ".script");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(script);
        file.close();
        GError* error = nullptr;
        QVERIFY2(umockdev_testbed_load_script(m_testbed, node, path.toLocal8Bit().constData(), &error),
                 error ? error->message : "");
    }

    QTemporaryDir m_dir;
    UMockdevTestbed* m_testbed = nullptr;
};

QTEST_GUILESS_MAIN(TestHidapiBackend)
#include "tst_hidapi.moc"
