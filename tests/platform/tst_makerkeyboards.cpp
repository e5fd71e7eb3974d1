// The hot-key reader against evdev keyboards faked by umockdev (sysfs, udev events, the evdev
// ioctls libevdev asks and replayed key events): only the maker's keyboards are opened, their keys
// arrive, and a keyboard plugged back in is read again.
// glib names a struct member "signals": umockdev's header goes before Qt's.
#include <umockdev.h>

#include "MakerKeyboards.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <linux/input.h>

using namespace zyne;

namespace {
const char* const kEvent6 =
    "/sys/devices/pci0000:00/usb1/1-2/1-2:1.0/0003:264A:3006.0006/input/input6/event6";

// A keyboard's event node below its HID node, as the kernel lays them out.
QByteArray keyboardDescription(const char* ids, int event) {
    const QByteArray hid = QByteArray("/devices/pci0000:00/usb1/1-2/1-2:1.0/0003:") + ids + "." +
                           QByteArray::number(event).rightJustified(4, '0');
    const QByteArray input = hid + "/input/input" + QByteArray::number(event);
    const QByteArray node = "event" + QByteArray::number(event);
    return "P: " + input + "/" + node + "\nN: input/" + node + "\nE: DEVNAME=/dev/input/" + node +
           "\nE: SUBSYSTEM=input\nE: MAJOR=13\nE: MINOR=" + QByteArray::number(64 + event) +
           "\n\nP: " + input + "\nE: SUBSYSTEM=input\n\nP: " + hid + "\nE: SUBSYSTEM=hid\n";
}

QByteArray hex(const QByteArray& bytes) {
    return bytes.toHex().toUpper();
}

QByteArray bitmask(int bytes, std::initializer_list<int> bits) {
    QByteArray mask(bytes, '\0');
    for (int bit : bits)
        mask[bit / 8] = char(mask[bit / 8] | (1 << (bit % 8)));
    return mask;
}

// Answers to the ioctls libevdev asks when it opens a node: a keyboard with the number keys, and
// with or without the Alt keys the hot keys need.
QByteArray evdevIoctls(const char* node, bool altKeys) {
    QByteArray name("Keyboard");
    name.append('\0');
    std::initializer_list<int> withAlt{KEY_1, KEY_2, KEY_3, KEY_7, KEY_LEFTALT, KEY_RIGHTALT, KEY_PAGEUP};
    std::initializer_list<int> withoutAlt{KEY_1, KEY_2, KEY_3, KEY_7};
    QByteArray text = QByteArray("@DEV ") + node + " (evdev)\n";
    text += "EVIOCGVERSION 0 01000100\n";
    text += "EVIOCGID 0 03004A2606300101\n";
    text += "EVIOCGNAME " + QByteArray::number(name.size()) + " " +
            hex(name + QByteArray(255 - name.size(), '\0')) + "\n";
    text += "EVIOCGPROP 0 " + hex(QByteArray(8, '\0')) + "\n";
    text += "EVIOCGBIT(0) 8 " + hex(bitmask(8, {EV_SYN, EV_KEY})) + "\n";
    text += "EVIOCGBIT(1) 96 " + hex(bitmask(96, altKeys ? withAlt : withoutAlt)) + "\n";
    for (int type : {EV_REL, EV_ABS, EV_MSC, EV_SW, EV_LED, EV_SND})
        text += "EVIOCGBIT(" + QByteArray::number(type) + ") 8 " + hex(QByteArray(8, '\0')) + "\n";
    text += "EVIOCGBIT(21) 16 " + hex(QByteArray(16, '\0')) + "\n";
    text += "EVIOCGKEY 96 " + hex(QByteArray(96, '\0')) + "\n";
    text += "EVIOCGLED 8 " + hex(QByteArray(8, '\0')) + "\n";
    text += "EVIOCGSW 8 " + hex(QByteArray(8, '\0')) + "\n";
    return text;
}

// evemu lines: each key event followed by its report end.
QByteArray keyEvents(std::initializer_list<std::pair<int, int>> keys) {
    QByteArray text;
    double at = 0.01;
    for (const auto& [code, value] : keys) {
        text += QStringLiteral("E: %1 0001 %2 %3\nE: %1 0000 0000 0000\n")
                    .arg(at, 0, 'f', 6)
                    .arg(code, 4, 16, QLatin1Char('0'))
                    .arg(value, 4, 10, QLatin1Char('0'))
                    .toLatin1();
        at += 0.01;
    }
    return text;
}

QList<QVariant> key(unsigned code, int value) {
    return {code, value};
}
} // namespace

class MakerKeyboardsTest : public QObject {
    Q_OBJECT

    UMockdevTestbed* m_testbed = nullptr;
    QTemporaryDir m_files;

    bool write(const QString& name, const QByteArray& content) {
        QFile file(m_files.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
    }

    void plug(const char* ids, int event, bool altKeys) {
        GError* error = nullptr;
        QVERIFY2(
            umockdev_testbed_add_from_string(m_testbed, keyboardDescription(ids, event).constData(), &error),
            error ? error->message : "");
        const QByteArray node = "/dev/input/event" + QByteArray::number(event);
        const QString ioctls = QStringLiteral("event%1.ioctl").arg(event);
        QVERIFY(write(ioctls, evdevIoctls(node.constData(), altKeys)));
        QVERIFY2(umockdev_testbed_load_ioctl(m_testbed, node.constData(),
                                             m_files.filePath(ioctls).toLocal8Bit().constData(), &error),
                 error ? error->message : "");
    }

    void type(int event, std::initializer_list<std::pair<int, int>> keys) { replay(event, keyEvents(keys)); }

    void replay(int event, const QByteArray& evemu) {
        static int replays = 0;
        const QString name = QStringLiteral("keys%1.events").arg(++replays);
        QVERIFY(write(name, evemu));
        GError* error = nullptr;
        QVERIFY2(umockdev_testbed_load_evemu_events(
                     m_testbed, ("/dev/input/event" + QByteArray::number(event)).constData(),
                     m_files.filePath(name).toLocal8Bit().constData(), &error),
                 error ? error->message : "");
    }

private Q_SLOTS:
    void init() {
        const QByteArray preload = qgetenv("LD_PRELOAD");
        if (!preload.contains("umockdev-preload"))
            QSKIP("needs umockdev's preload library (ctest runs this through umockdev-wrapper)");
        m_testbed = umockdev_testbed_new();
    }

    void cleanup() {
        if (m_testbed)
            g_object_unref(m_testbed);
        m_testbed = nullptr;
    }

    void readsOnlyTheMakersKeyboards() {
        plug("264A:3006", 3, true);
        plug("046D:C31C", 4, true);  // someone else's keyboard: its keys are none of our business
        plug("264A:3009", 5, false); // the maker's, but a node without the Alt keys (media keys)
        MakerKeyboards keyboards;
        QVERIFY(keyboards.start());
        QCOMPARE(keyboards.openCount(), 1);

        QSignalSpy keys(&keyboards, &MakerKeyboards::keyEvent);
        type(3, {{KEY_LEFTALT, 1}, {KEY_7, 1}, {KEY_7, 0}, {KEY_LEFTALT, 0}});
        QTRY_COMPARE(keys.count(), 4);
        QCOMPARE(keys.at(0), key(KEY_LEFTALT, 1));
        QCOMPARE(keys.at(1), key(KEY_7, 1));
        QCOMPARE(keys.at(2), key(KEY_7, 0));
        QCOMPARE(keys.at(3), key(KEY_LEFTALT, 0));
    }

    void droppedEventsAreCaughtUp() {
        plug("264A:3006", 8, true);
        MakerKeyboards keyboards;
        QVERIFY(keyboards.start());
        QSignalSpy keys(&keyboards, &MakerKeyboards::keyEvent);
        // Alt goes down; its release is lost in an overflow (SYN_DROPPED); the keyboard now holds no
        // key (EVIOCGKEY).
        replay(8, "E: 0.010000 0001 0038 0001\nE: 0.010000 0000 0000 0000\nE: 0.020000 0000 0003 0000\n");
        QTRY_COMPARE(keys.count(), 2);
        QCOMPARE(keys.at(0), key(KEY_LEFTALT, 1));
        // The lost release, caught up from the keyboard's state: a 7 after it is a plain 7.
        QCOMPARE(keys.at(1), key(KEY_LEFTALT, 0));
    }

    void keyboardPluggedBackInIsReadAgain() {
        MakerKeyboards keyboards;
        QVERIFY(keyboards.start());
        QCOMPARE(keyboards.openCount(), 0);

        // Plugged in while the program runs: the udev monitor's "add" opens it.
        plug("264A:3006", 6, true);
        QTRY_COMPARE(keyboards.openCount(), 1);
        QSignalSpy keys(&keyboards, &MakerKeyboards::keyEvent);
        type(6, {{KEY_RIGHTALT, 1}, {KEY_PAGEUP, 1}});
        QTRY_COMPARE(keys.count(), 2);
        QCOMPARE(keys.at(1), key(KEY_PAGEUP, 1));

        // Unplugged: closed on udev's notice. Plugged back in: read again.
        umockdev_testbed_uevent(m_testbed, kEvent6, "remove");
        umockdev_testbed_remove_device(m_testbed, kEvent6);
        QTRY_COMPARE(keyboards.openCount(), 0);
        plug("264A:3006", 7, true);
        QTRY_COMPARE(keyboards.openCount(), 1);
        type(7, {{KEY_LEFTALT, 1}, {KEY_1, 1}});
        QTRY_COMPARE(keys.count(), 4);
        QCOMPARE(keys.at(3), key(KEY_1, 1));
    }
};

QTEST_GUILESS_MAIN(MakerKeyboardsTest)
#include "tst_makerkeyboards.moc"
