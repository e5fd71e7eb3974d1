// "Found, but not allowed": the program on hidraw nodes faked by umockdev, one of which its user
// may not open. Root opens anything, so as root the program runs as nobody (runuser).
#include "ProgramUnderTest.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <umockdev.h>
#include <unistd.h>

namespace {
// A USB HID device of the maker with its hidraw node, as hidapi finds it through sysfs.
QByteArray hidrawDevice(int number, std::uint16_t productId) {
    const QString product = QStringLiteral("%1").arg(productId, 4, 16, QLatin1Char('0')).toUpper();
    const QString usb = QStringLiteral("/devices/pci0000:00/usb1/1-%1").arg(number + 1);
    const QString usbInterface = usb + QStringLiteral("/1-%1:1.0").arg(number + 1);
    const QString hid = usbInterface + QStringLiteral("/0003:264A:%1.000%2").arg(product).arg(number + 1);
    return QStringLiteral(
               "P: %1/hidraw/hidraw%2\nN: hidraw%2\nE: DEVNAME=/dev/hidraw%2\nE: SUBSYSTEM=hidraw\n"
               "E: MAJOR=240\nE: MINOR=%2\nL: device=../../../%7\n\n"
               "P: %1\nE: SUBSYSTEM=hid\nE: HID_ID=0003:0000264A:0000%3\nE: HID_NAME=Zyne\n"
               "E: HID_UNIQ=000%2\nE: DRIVER=hid-generic\n\n"
               "P: %4\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_interface\nA: bInterfaceNumber=00\n\n"
               "P: %5\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nA: idVendor=264a\nA: idProduct=%6\n"
               "A: manufacturer=Vx\nA: product=Zyne\nA: serial=0001\n")
        .arg(hid)
        .arg(number)
        .arg(product, usbInterface, usb, product.toLower(), hid.section('/', -1))
        .toUtf8();
}

bool runs(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// A build tree in a folder closed to others (root's home, say): nobody runs a copy of the program,
// its pictures and catalogues and the chip library, made in the test's own folder.
void placeWhereNobodyReachesIt(ProgramUnderTest& program) {
    const QFileInfo built(program.program());
    const QString copy = program.rootFolder() + QStringLiteral("/program");
    QVERIFY(QDir().mkpath(copy));
    QStringList sources{built.absoluteFilePath()};
    for (const char* data : {"Images", "Language"})
        sources << built.dir().absoluteFilePath(QString::fromLatin1(data));
    const QDir chipLibrary(built.dir().absoluteFilePath(QStringLiteral("../xqcomm")));
    for (const QFileInfo& library : chipLibrary.entryInfoList({QStringLiteral("libxqcomm.so*")}, QDir::Files))
        sources << library.absoluteFilePath();
    QVERIFY(runs(QStringLiteral("cp"), QStringList{QStringLiteral("-rL")} << sources << copy));
    QVERIFY(runs(QStringLiteral("chmod"), {QStringLiteral("-R"), QStringLiteral("a+rX"), copy}));
    program.setProgram(copy + QLatin1Char('/') + built.fileName());
    program.setEnvironment("LD_LIBRARY_PATH", copy);
    QVERIFY2(
        runs(QStringLiteral("runuser"), {QStringLiteral("-u"), QStringLiteral("nobody"), QStringLiteral("--"),
                                         QStringLiteral("test"), QStringLiteral("-x"), program.program()}),
        "nobody can't reach the program's copy in the test's folder");
}
} // namespace

class AccessTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase() { g_clear_object(&m_testbed); }
    void refusedNodeIsNamedWithTheFix();
    void diagnoseSaysWhichNodeCantBeOpened();

private:
    // The program on the fake nodes, as a user whom the refused node's mode keeps out.
    void prepare(ProgramUnderTest& program) const;

    UMockdevTestbed* m_testbed = nullptr;
};

void AccessTest::initTestCase() {
    // Sets UMOCKDEV_DIR, which the program inherits.
    m_testbed = umockdev_testbed_new();
    GError* error = nullptr;
    // Plus box 1 without the udev rule (root's 0600), a hot-key keyboard the user may open.
    QVERIFY2(umockdev_testbed_add_from_string(m_testbed, hidrawDevice(0, 0x1FA5).constData(), &error),
             error ? error->message : "");
    QVERIFY2(umockdev_testbed_add_from_string(m_testbed, hidrawDevice(1, 0x3006).constData(), &error),
             error ? error->message : "");
    const QString root = QString::fromUtf8(umockdev_testbed_get_root_dir(m_testbed));
    // The user must read the fake sysfs; the nodes keep the modes set below.
    QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    QFile::setPermissions(root, QFile::Permissions(0x7755));
    while (it.hasNext()) {
        const QString path = it.next();
        // Sockets (umockdev's ioctl channels) need write access to connect.
        const bool socket = it.fileInfo().isFile() == false && !it.fileInfo().isDir();
        if (it.fileInfo().isSymLink())
            continue;
        QFile::setPermissions(path, it.fileInfo().isDir() ? QFile::Permissions(0x7755)
                                    : socket              ? QFile::Permissions(0x6666)
                                                          : QFile::Permissions(0x6644));
    }
    QVERIFY(QFile::setPermissions(root + "/dev/hidraw0", QFile::ReadOwner | QFile::WriteOwner));
    QVERIFY(QFile::setPermissions(root + "/dev/hidraw1", QFile::Permissions(0x6666)));
}

void AccessTest::prepare(ProgramUnderTest& program) const {
    QStringList launcher;
    if (geteuid() == 0) {
        // Root would open anything: nobody, with the home and run files made its own.
        QVERIFY(runs("chown", {"-R", "nobody", program.rootFolder()}));
        QVERIFY(QFile::setPermissions(program.rootFolder(), QFile::Permissions(0x7755)));
        if (!runs("runuser", {"-u", "nobody", "--", "test", "-x", program.program()}))
            placeWhereNobodyReachesIt(program);
        launcher << "runuser"
                 << "-u"
                 << "nobody"
                 << "-m"
                 << "--";
    }
    launcher << "env"
             << "LD_PRELOAD=libumockdev-preload.so.0";
    program.setLauncher(launcher);
    program.setEnvironment("ZYNE_HID_BACKEND", "hidapi");
    // LeakSanitizer stops the world with ptrace, which an unprivileged user may not.
    program.setEnvironment("ASAN_OPTIONS", "verify_asan_link_order=0:detect_leaks=0");
}

void AccessTest::refusedNodeIsNamedWithTheFix() {
    ProgramUnderTest program;
    QVERIFY(program.writeSettingsFile("Device.ini", "[Main]\nisAutoRun=0\nAutoUpdate=0\n"));
    prepare(program);
    QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));
    const QString warning =
        "Plus box 1 found at /dev/hidraw0, but access was refused (Permission denied): install "
        "the udev rule 60-vx-zyne-plus-rgb.rules (README, section \"The udev rule\")";
    QVERIFY2(program.waitForLog(warning), qPrintable(program.diagnostics()));
    // The error line says so, not "no controller found".
    QVERIFY2(program.waitForLog("warningType:0, warningIndex4"), qPrintable(program.diagnostics()));
    QVERIFY(program.logLines("hidraw1, but access").isEmpty());
    // Named once, however often the device list is looked at (every AWT pass).
    QVERIFY(program.waitUntil([&] { return program.logLines("checkAWTConnectSucess").size() >= 2; }));
    QCOMPARE(program.logLines(warning).size(), 1);
    // runuser hands SIGTERM on and then ends by the same signal, so only the program's own word
    // on its end counts.
    program.stop();
    QVERIFY2(program.waitForExit(), qPrintable(program.diagnostics()));
    QVERIFY2(program.standardError().contains("classic engine stopped"), qPrintable(program.diagnostics()));
}

void AccessTest::diagnoseSaysWhichNodeCantBeOpened() {
    ProgramUnderTest program;
    prepare(program);
    const auto run = program.runOnce({"--diagnose"});
    QVERIFY2(run.exitCode == 0, run.standardError.right(3000).constData());
    const QString report = QString::fromUtf8(run.standardOutput);
    QVERIFY2(report.contains("HID backend: hidapi\ndevices: 2\n"
                             "  Plus box 1: /dev/hidraw0, interface 0, ids 264a:1fa5, can be opened: no: "
                             "Permission denied\n"
                             "  keyboard: /dev/hidraw1, interface 0, ids 264a:3006, can be opened: yes\n"),
             qPrintable(report + run.standardError));
}

QTEST_GUILESS_MAIN(AccessTest)
#include "tst_access.moc"
