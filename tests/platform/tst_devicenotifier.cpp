// Arrival and removal of hidraw nodes, named the way the main window's box mapping expects.
#include "HidrawInterfaceName.h"
#include "UdevDeviceNotifier.h"

#include <umockdev.h>

#include <QSignalSpy>
#include <QtTest>

using namespace zyne;

namespace {
const char* const kHidraw0 = "/sys/devices/pci0000:00/usb1/1-1/1-1:1.0/0003:264A:1FA7.0001/hidraw/hidraw0";
const QString kGuid = QStringLiteral("#{4d1e55b2-f16f-11cf-88cb-001111000030}");
} // namespace

class DeviceNotifierTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void namesFromDevicePaths_data() {
        QTest::addColumn<QString>("devpath");
        QTest::addColumn<QString>("name");
        QTest::newRow("Plus box 3")
            << "/devices/pci0000:00/usb1/1-1/1-1:1.0/0003:264A:1FA8.0004/hidraw/hidraw2"
            << "\\\\?\\HID#VID_264A&PID_1FA8#hidraw2" + kGuid;
        // The kernel writes the ids in upper case; the mapping compares them exactly.
        QTest::newRow("lower-case ids") << "/devices/x/0003:c216:0102.000A/hidraw/hidraw7"
                                        << "\\\\?\\HID#VID_C216&PID_0102#hidraw7" + kGuid;
        QTest::newRow("bluetooth bus") << "/devices/virtual/misc/uhid/0005:264A:3006.0009/hidraw/hidraw1"
                                       << "\\\\?\\HID#VID_264A&PID_3006#hidraw1" + kGuid;
        QTest::newRow("no HID node") << "/devices/virtual/misc/hidraw0" << QString();
        QTest::newRow("short ids") << "/devices/003:264A:1FA5.0001/hidraw/hidraw0" << QString();
        QTest::newRow("empty") << QString() << QString();
    }

    void namesFromDevicePaths() {
        QFETCH(QString, devpath);
        QFETCH(QString, name);
        QCOMPARE(hidrawInterfaceName(devpath), name);
    }

    // Needs umockdev's preload library (ctest runs this through umockdev-wrapper).
    void noticesArrivalAndRemoval() {
        UMockdevTestbed* testbed = umockdev_testbed_new();
        UdevDeviceNotifier notifier;
        QVERIFY(notifier.start());
        QSignalSpy changes(&notifier, &DeviceNotifier::deviceChanged);

        GError* error = nullptr;
        // Adding devices to the testbed raises their "add" uevents. The keyboard's input node
        // sits below a HID node too, but it is not a hidraw node.
        const char* description =
            "P: /devices/pci0000:00/usb1/1-2/1-2:1.0/0003:264A:3006.0002\n"
            "E: SUBSYSTEM=hid\n"
            "\n"
            "P: /devices/pci0000:00/usb1/1-2/1-2:1.0/0003:264A:3006.0002/input/event3\n"
            "N: input/event3\n"
            "E: SUBSYSTEM=input\n"
            "\n"
            "P: /devices/pci0000:00/usb1/1-1/1-1:1.0/0003:264A:1FA7.0001\n"
            "E: SUBSYSTEM=hid\n"
            "E: HID_ID=0003:0000264A:00001FA7\n"
            "\n"
            "P: /devices/pci0000:00/usb1/1-1/1-1:1.0/0003:264A:1FA7.0001/hidraw/hidraw0\n"
            "N: hidraw0\n"
            "E: DEVNAME=/dev/hidraw0\n"
            "E: SUBSYSTEM=hidraw\n"
            "E: MAJOR=240\n"
            "E: MINOR=0\n";
        QVERIFY2(umockdev_testbed_add_from_string(testbed, description, &error), error ? error->message : "");
        const QString name = QStringLiteral("\\\\?\\HID#VID_264A&PID_1FA7#hidraw0") + kGuid;
        QTRY_COMPARE(changes.count(), 1);
        QCOMPARE(changes.at(0), (QList<QVariant>{name, true}));

        // Other actions are not arrivals or removals.
        umockdev_testbed_uevent(testbed, kHidraw0, "change");
        // By the time a removal is read the node is gone; the name still comes from its path.
        umockdev_testbed_uevent(testbed, kHidraw0, "remove");
        umockdev_testbed_remove_device(testbed, kHidraw0);
        QTRY_COMPARE(changes.count(), 2);
        QCOMPARE(changes.at(1), (QList<QVariant>{name, false}));
        g_object_unref(testbed);
    }
};

QTEST_GUILESS_MAIN(DeviceNotifierTest)
#include "tst_devicenotifier.moc"
