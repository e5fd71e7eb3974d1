// What reaches the settings files from outside: shapes of INI text other writers leave, files
// that can't be read, and what killed writers leave behind.
#include "IniDocument.h"
#include "IniHelper.h"
#include "SettingsFolder.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

using namespace zyne;

namespace {

QByteArray readRaw(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeRaw(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// Collects the warnings of the settings area while it lives.
class SettingsWarnings {
public:
    SettingsWarnings() {
        s_lines.clear();
        m_previous = qInstallMessageHandler(&SettingsWarnings::handle);
    }
    ~SettingsWarnings() { qInstallMessageHandler(m_previous); }
    QStringList lines() const { return s_lines; }
    int count(const QString& text) const { return s_lines.filter(text).size(); }

private:
    static void handle(QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type != QtDebugMsg)
            s_lines << message;
    }
    static inline QStringList s_lines;
    QtMessageHandler m_previous = nullptr;
};

} // namespace

class SettingsFilesTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<IniHelper> m_ini;
    QString devicePath() const { return deviceIniPath(m_ini->folder()); }
    QString profilePath() const { return plusProfilePath(m_ini->folder(), 1); }

private slots:
    void init() {
        m_folder = std::make_unique<QTemporaryDir>();
        m_ini = std::make_unique<IniHelper>(m_folder->path() + QStringLiteral("/RGBZynePlus"));
    }

    // Every shape the Qt settings store reads, read the same way.
    void shapesTheStoreReads_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("byte-order mark")
            << QByteArray("\xEF\xBB\xBF[Device0]\nProfile=3\n[Main]\nPassword=42\n");
        QTest::newRow("comment after header")
            << QByteArray("[Device0] ; note\nProfile=3\n[Main]\nPassword=42\n");
        QTest::newRow("junk after header") << QByteArray("[Device0] junk\nProfile=3\n");
        QTest::newRow("CR only") << QByteArray("[Device0]\rProfile=3\r[Main]\rPassword=42\r");
        QTest::newRow("CRLF and LFCR") << QByteArray("[Device0]\r\nProfile=3\n\r[Main]\r\nPassword=42");
        QTest::newRow("joined line") << QByteArray("[Device0]\nProfile=3\\\n4\nFanName=a\\\r\nb\n");
        QTest::newRow("header without bracket") << QByteArray("[Device0\nProfile=3\n");
        QTest::newRow("key without value") << QByteArray("[Device0]\nProfile\nFanName=y\n");
        QTest::newRow("repeated key and group")
            << QByteArray("[Device0]\nProfile=1\n[Device1]\nProfile=2\n[Device0]\nProfile=3\n");
        QTest::newRow("keys before any header") << QByteArray("Password=1\n[Device0]\nProfile=3\n");
        // The last blank escaped: written back without it, the backslash would swallow the next line.
        QTest::newRow("escaped blank at the end")
            << QByteArray("[Device0]\nFanName=ab\\\t\nProfile=3\n[Device1]\nFanName=c\\ \nProfile=2\n");
    }
    void shapesTheStoreReads() {
        QFETCH(QByteArray, text);
        QVERIFY(writeRaw(devicePath(), text));
        const IniDocument ours = IniDocument::parse(text);
        QSettings store(devicePath(), QSettings::IniFormat);
        const QStringList keys = store.allKeys();
        QVERIFY(!keys.isEmpty());
        for (const QString& key : keys) {
            const QString group = key.contains(QLatin1Char('/')) ? key.section(QLatin1Char('/'), 0, 0)
                                                                 : QStringLiteral("General");
            QCOMPARE(ours.value(group, key.section(QLatin1Char('/'), -1)), store.value(key).toString());
        }

        // A write keeps what was read.
        m_ini->writeDeviceIni({{deviceGroupName(9), {{"Profile", "5"}}}});
        const IniDocument rewritten = IniDocument::parse(readRaw(devicePath()));
        for (const QString& key : keys) {
            const QString group = key.contains(QLatin1Char('/')) ? key.section(QLatin1Char('/'), 0, 0)
                                                                 : QStringLiteral("General");
            QCOMPARE(rewritten.value(group, key.section(QLatin1Char('/'), -1)), store.value(key).toString());
        }
        QCOMPARE(rewritten.value(deviceGroupName(9), QStringLiteral("Profile")), QStringLiteral("5"));
    }

    // Writing what was read and reading it again changes nothing, however odd the lines kept.
    void rewritingIsStable_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("mark on a later line") << QByteArray("\n\xEF\xBB\xBF");
        QTest::newRow("backslash at the end") << QByteArray("[G]\nk=v\\");
        QTest::newRow("control character") << QByteArray("[G]\nk\x01=v\n");
        QTest::newRow("escaped control character at the end") << QByteArrayLiteral("k=v\\\x0b\n\0\\\n\n\0");
        QTest::newRow("blank before an escaped blank") << QByteArray("k=\"\"\" \\\t\n\n\\\t\n\\");
    }
    void rewritingIsStable() {
        QFETCH(QByteArray, text);
        const QByteArray once = IniDocument::parse(text).serialized();
        QCOMPARE(IniDocument::parse(once).serialized(), once);
    }

    void linesThatCantBeReadSurviveAWrite() {
        const QByteArray unreadable[] = {
            "; the user's note", "just words", QByteArray("Bad\x01Line=1"), "=no key", "[]", "Placeless=1",
        };
        QByteArray text = "[Device0]\nProfile=3\n";
        for (const QByteArray& line : unreadable)
            text += line + '\n';
        text += "[Device1]\nProfile=2\n";
        QVERIFY(writeRaw(devicePath(), text));
        QCOMPARE(m_ini->readDeviceIni().devices[0].Profile, QStringLiteral("3"));

        m_ini->writeDeviceIni({{deviceGroupName(0), {{"Profile", "4"}}}});
        const QByteArray written = readRaw(devicePath());
        for (const QByteArray& line : unreadable)
            QVERIFY2(written.contains(line + '\n'), line.constData());
        const DeviceSettings read = m_ini->readDeviceIni();
        QCOMPARE(read.devices[0].Profile, QStringLiteral("4"));
        QCOMPARE(read.devices[1].Profile, QStringLiteral("2"));
    }

    // Files that exist but can't be read give the defaults, say so once, and are never written over.
    void unreadableFilesGiveDefaults_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("too large") << "large";
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("link to /dev/zero") << "zero";
        QTest::newRow("folder") << "folder";
        QTest::newRow("no permission") << "denied";
    }
    void unreadableFilesGiveDefaults() {
        QFETCH(QString, kind);
        if (kind == QLatin1String("denied") && ::geteuid() == 0)
            QSKIP("root reads every file");
        for (const QString& path : {devicePath(), profilePath()}) {
            QDir().mkpath(QFileInfo(path).absolutePath());
            const QByteArray name = QFile::encodeName(path);
            if (kind == QLatin1String("large"))
                QVERIFY(writeRaw(path, "[Fan1]\nlightMode=2\n" + QByteArray(5 * 1024 * 1024, '#')));
            else if (kind == QLatin1String("fifo"))
                QCOMPARE(::mkfifo(name.constData(), 0600), 0);
            else if (kind == QLatin1String("zero"))
                QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
            else if (kind == QLatin1String("folder"))
                QVERIFY(QDir().mkpath(path));
            else
                QVERIFY(writeRaw(path, "[Fan1]\nlightMode=2\n") && ::chmod(name.constData(), 0) == 0);
        }
        const auto before = [](const QString& path) {
            const QFileInfo info(path);
            return QStringList{info.isSymLink() ? info.symLinkTarget() : QString(),
                               QString::number(info.size()), QString::number(info.isDir())};
        };
        const QStringList deviceBefore = before(devicePath());
        const QStringList profileBefore = before(profilePath());

        SettingsWarnings warnings;
        for (int read = 0; read < 3; ++read) {
            const DeviceSettings device = m_ini->readDeviceIni();
            QCOMPARE(device.main.Password, QStringLiteral("5173"));
            QCOMPARE(device.devices[2].Profile, QStringLiteral("1"));
            const PlusProfileTexts profile = m_ini->readProfileIni(1);
            PlusPorts ports;
            applyPlusProfile(profile, ports);
            // The defaults of a profile never saved, not an empty one (PWM off, LEDs black).
            QCOMPARE(ports[0].lightMode, 5);
            QVERIFY(ports[0].PWM);
            QCOMPARE(ports[0].Bright[12], 1.0f);
        }
        QCOMPARE(warnings.count(QFileInfo(devicePath()).fileName() + QStringLiteral(" can't be read")), 1);
        QCOMPARE(warnings.count(QStringLiteral("Profile1.ini can't be read")), 1);

        m_ini->writeDeviceIni(mainOnlyGroupMap({}));
        m_ini->writeProfileIni(plusProfileGroupMap(PlusPorts{}), 1);
        QCOMPARE(before(devicePath()), deviceBefore);
        QCOMPARE(before(profilePath()), profileBefore);
    }

    // What a writer killed at the wrong moment leaves behind costs the next write nothing.
    void leftoversOfKilledWritersAreCleared_data() {
        QTest::addColumn<QByteArray>("lock");
        QTest::addColumn<bool>("old");
        QTest::newRow("empty lock") << QByteArray() << true;
        QTest::newRow("lock of a process that is gone")
            << QByteArray("2147483646\nvx-zyne-plus-rgb\n\n") << false;
        QTest::newRow("garbled lock") << QByteArray("\0\0\0", 3) << true;
    }
    void leftoversOfKilledWritersAreCleared() {
        QFETCH(QByteArray, lock);
        QFETCH(bool, old);
        m_ini->writeDeviceIni(mainOnlyGroupMap({}));
        const QString lockPath = devicePath() + QStringLiteral(".lock");
        QVERIFY(writeRaw(lockPath, lock));
        if (old) {
            const timeval times[2] = {{1, 0}, {1, 0}};
            QCOMPARE(::utimes(QFile::encodeName(lockPath).constData(), times), 0);
        }
        const QString orphan = devicePath() + QStringLiteral(".zyne-Ab12Cd");
        QVERIFY(writeRaw(orphan, "[Main]\nPass"));

        SettingsWarnings warnings;
        ApplicationSettingsValues values;
        values.password = QStringLiteral("2468");
        m_ini->writeDeviceIni(mainOnlyGroupMap(values));
        QVERIFY2(warnings.count(QStringLiteral("without its lock")) == 0,
                 qPrintable(warnings.lines().join('\n')));
        QCOMPARE(m_ini->readDeviceIni().main.Password, QStringLiteral("2468"));
        QCOMPARE(QDir(m_ini->folder()).entryList(QDir::Files | QDir::Hidden), QStringList{"Device.ini"});
    }

    // A settings file that is a link is replaced by a regular file, never written through; said once.
    void linkedFileIsReplacedNotFollowed() {
        const QString target = m_folder->filePath(QStringLiteral("elsewhere.ini"));
        QVERIFY(writeRaw(target, "[Main]\nPassword=1111\n"));
        QDir().mkpath(m_ini->folder());
        QVERIFY(QFile::link(target, devicePath()));
        SettingsWarnings warnings;
        ApplicationSettingsValues values;
        values.password = QStringLiteral("2468");
        m_ini->writeDeviceIni(mainOnlyGroupMap(values));
        m_ini->writeDeviceIni(mainOnlyGroupMap(values));
        QCOMPARE(readRaw(target), QByteArray("[Main]\nPassword=1111\n"));
        QVERIFY(!QFileInfo(devicePath()).isSymLink());
        QCOMPARE(m_ini->readDeviceIni().main.Password, QStringLiteral("2468"));
        QCOMPARE(warnings.count(QStringLiteral("Device.ini was a symbolic link")), 1);
    }

    void passwordMaskSaysNothingOfThePassword() {
        QStringList masks;
        for (const char* password : {"1", "123456789", ""}) {
            ApplicationSettingsValues values;
            values.password = QString::fromLatin1(password);
            m_ini->writeDeviceIni(mainOnlyGroupMap(values));
            static QStringList lines;
            lines.clear();
            const QtMessageHandler previous = qInstallMessageHandler(
                [](QtMsgType, const QMessageLogContext&, const QString& message) { lines << message; });
            m_ini->readDeviceIni();
            qInstallMessageHandler(previous);
            masks << lines.filter(QStringLiteral("Password:::"));
        }
        QCOMPARE(masks.size(), 3);
        QCOMPARE(masks.count(masks.first()), 3);
    }
};

QTEST_GUILESS_MAIN(SettingsFilesTest)
#include "tst_settingsfiles.moc"
