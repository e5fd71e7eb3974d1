#include "IniDocument.h"
#include "IniHelper.h"
#include "SettingsFolder.h"
#include "SettingsText.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <csignal>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

using namespace zyne;

namespace {

QByteArray readRaw(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeRaw(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QList<bool> monitorsOf(const PlusPorts& ports) {
    QList<bool> flags;
    for (const auto& port : ports)
        flags << port.Monitor;
    return flags;
}

PlusPorts portsFrom(const DeviceRecord& record) {
    PlusPorts ports;
    AwtFans awt;
    applyDeviceRecord(record, ports, awt);
    return ports;
}

PlusPorts portsFrom(const PlusProfileTexts& profile) {
    PlusPorts ports;
    applyPlusProfile(profile, ports);
    return ports;
}

const QString kAllPresent = QString(kBoxCount, QLatin1Char('1'));

// Lowers the file size limit for the lifetime of the object, so the next write fails half-way as
// it would on a full disk or at a power cut.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = m_saved;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_configHome;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<IniHelper> m_ini;
    QString devicePath() const { return deviceIniPath(m_ini->folder()); }

private slots:
    void initTestCase() {
        // Before any settings store exists: the store fixes its user paths on first use.
        qputenv("XDG_CONFIG_HOME", m_configHome.path().toUtf8());
    }
    void init() {
        m_folder = std::make_unique<QTemporaryDir>();
        m_ini = std::make_unique<IniHelper>(m_folder->path() + QStringLiteral("/RGBZynePlus"));
    }

    void folderIsBesideTheApplicationSettings() {
        QCOMPARE(settingsFolder(), m_configHome.path() + QStringLiteral("/Vx/RGBZynePlus"));
        QCOMPARE(IniHelper().folder(), settingsFolder());
        QCOMPARE(plusProfilePath(QStringLiteral("/f"), 3), QStringLiteral("/f/ZynePlus/Profile3.ini"));
        QCOMPARE(classicProfilePath(QStringLiteral("/f"), 1), QStringLiteral("/f/Zyne/Zyne Profile1.ini"));
    }

    void missingDeviceIniGivesDefaults() {
        const DeviceSettings read = m_ini->readDeviceIni();
        QVERIFY(!QFileInfo::exists(devicePath()));
        for (const DeviceRecord& record : read.devices) {
            QCOMPARE(savedProfileFrom(record), 1);
            QCOMPARE(boxTypeFrom(record), 1);
            const PlusPorts ports = portsFrom(record);
            QCOMPARE(monitorsOf(ports), QList<bool>({true, true, true, true, true}));
            QCOMPARE(ports[4].FanName, QStringLiteral("Name"));
            QCOMPARE(ports[4].FanType, 0);
        }
        const ApplicationSettingsValues values = applicationSettingsFrom(read.main);
        QCOMPARE(values.password, QStringLiteral("5173"));
        QVERIFY(values.autoUpdate && values.isAutoRun && !values.openPassword && !values.isSyncPwrix);
    }

    void missingMainGroupReadsEmpty() {
        writeRaw(devicePath(), "[Device0]\nProfile=3\n");
        const DeviceSettings read = m_ini->readDeviceIni();
        QCOMPARE(savedProfileFrom(read.devices[0]), 3);
        QVERIFY(read.main.Password.isEmpty() && read.main.AutoUpdate.isEmpty());
        const ApplicationSettingsValues values = applicationSettingsFrom(read.main);
        QVERIFY(!values.autoUpdate && !values.isAutoRun && !values.openPassword && !values.isSyncPwrix);
        QCOMPARE(values.language, 0);
        QVERIFY(values.password.isEmpty());
    }

    void presentBoxesAndMainAreRewritten() {
        writeRaw(devicePath(), "[Device5]\nBoxType=2\nProfile=4\nMonitor=\"0,0,0,0,0\"\n");
        std::array<PlusPorts, kBoxCount> boxes{};
        boxes[0][1].Monitor = false;
        boxes[2][3].FanName = QStringLiteral("Pump, top");
        const QString plus = QStringLiteral("1000000000000000");
        const QString awt = QStringLiteral("0010000000000000");
        ApplicationSettingsValues values;
        values.language = 3;
        m_ini->writeDeviceIni(deviceGroupMap(
            {plus, awt}, [&](int box) { return plusDeviceGroup(boxes[box], 2, 1); }, values));

        const QByteArray raw = readRaw(devicePath());
        QVERIFY2(raw.contains("Monitor=\"1,0,1,1,1\""), raw); // lists quoted as the store writes them
        QVERIFY(!raw.contains("[Device1]"));
        const DeviceSettings read = m_ini->readDeviceIni();
        QCOMPARE(monitorsOf(portsFrom(read.devices[0])), QList<bool>({true, false, true, true, true}));
        QCOMPARE(savedProfileFrom(read.devices[2]), 2);
        // The comma must not shift the names of the later ports.
        QCOMPARE(portsFrom(read.devices[2])[3].FanName, QStringLiteral("Pump, top"));
        QCOMPARE(portsFrom(read.devices[2])[4].FanName, QString());
        QCOMPARE(savedProfileFrom(read.devices[5]), 4);
        QCOMPARE(monitorsOf(portsFrom(read.devices[5])), QList<bool>({false, false, false, false, false}));
        QCOMPARE(translationFileForLanguage(applicationSettingsFrom(read.main).language),
                 QStringLiteral("Language/de.qm"));
    }

    // A user whose classic fans show red and green swapped sets the order; writing the Main group
    // (any settings change) keeps it.
    void classicColourOrderRoundTrips_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("read");
        QTest::newRow("absent") << QByteArray() << "RGB";
        QTest::newRow("GRB") << QByteArray("ClassicColorOrder=GRB\n") << "GRB";
        QTest::newRow("lower case, blanks") << QByteArray("ClassicColorOrder= bgr \n") << "BGR";
        QTest::newRow("a letter twice") << QByteArray("ClassicColorOrder=RRB\n") << "RGB";
        QTest::newRow("too long") << QByteArray("ClassicColorOrder=RGBG\n") << "RGB";
    }
    void classicColourOrderRoundTrips() {
        QFETCH(QByteArray, stored);
        QFETCH(QString, read);
        writeRaw(devicePath(), "[Main]\nLanguage=3\n" + stored);
        const ApplicationSettingsValues values = applicationSettingsFrom(m_ini->readDeviceIni().main);
        QCOMPARE(colourOrderText(values.classicColorOrder), read);
        m_ini->writeDeviceIni(mainOnlyGroupMap(values));
        QCOMPARE(colourOrderText(applicationSettingsFrom(m_ini->readDeviceIni().main).classicColorOrder), read);
        QCOMPARE(inColourOrder(*colourOrderFromText(read), 1, 2, 3)[0], read == "RGB" ? 1 : read == "GRB" ? 2 : 3);
    }

    void fanNamesComeBackAsTyped_data() {
        QTest::addColumn<QStringList>("names");
        QTest::newRow("list and INI syntax")
            << QStringList{"a,b", ",", "\"quoted\"", "[Device3]", "x=y;z # not a comment"};
        QTest::newRow("escapes and percent")
            << QStringList{"back\\slash", "100%", "%2C", "%25%", "'single' (round) {curly} <angle>"};
        QTest::newRow("scripts") << QStringList{"\u0E1E\u0E31\u0E14\u0E25\u0E21", "\u524D\u98A8\u6247",
                                                "\u0645\u0631\u0648\u062D\u0629", "L\u00FCfter vorn",
                                                "\u30D5\u30A1\u30F3"};
        QTest::newRow("emoji") << QStringList{QString::fromUtf8("\xF0\x9F\x8C\x80 fan"),
                                              QString::fromUtf8("\xF0\x9F\x91\xA8\xE2\x80\x8D\xF0\x9F\x92\xBB"),
                                              QString::fromUtf8("\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA"),
                                              QString::fromUtf8("\xE2\x9D\xA4\xEF\xB8\x8F"), QString()};
    }

    void fanNamesComeBackAsTyped() {
        QFETCH(QStringList, names);
        std::array<PlusPorts, kBoxCount> boxes{};
        for (int port = 0; port < kPlusPortCount; ++port)
            boxes[1][static_cast<std::size_t>(port)].FanName = names.value(port);
        const QString present = QStringLiteral("0100000000000000");
        m_ini->writeDeviceIni(deviceGroupMap(
            {present, QString(kBoxCount, QLatin1Char('0'))},
            [&](int box) { return plusDeviceGroup(boxes[box], 1, 1); }, ApplicationSettingsValues{}));
        // Read by a fresh store, as the next start would.
        IniHelper reader(m_ini->folder());
        const PlusPorts read = portsFrom(reader.readDeviceIni().devices[1]);
        for (int port = 0; port < kPlusPortCount; ++port)
            QCOMPARE(read[static_cast<std::size_t>(port)].FanName, names.value(port));
    }

    void classicWriteLeavesPlusKeysToDefaults() {
        ClassicFans fans{};
        fans[1].Monitor = false;
        m_ini->writeDeviceIni(
            deviceGroupMap({QStringLiteral("01")}, [&](int) { return classicDeviceGroup(fans, 3, 0); }, {}));
        const DeviceRecord record = m_ini->readDeviceIni().devices[1];
        QCOMPARE(record.Monitor, kDefaultDeviceRecord.Monitor);
        QCOMPARE(record.FanName, kDefaultDeviceRecord.FanName);
        ClassicFans read{};
        applyDeviceRecord(record, read);
        QVERIFY(read[0].Monitor && !read[1].Monitor && read[2].Monitor);
        QCOMPARE(boxTypeFrom(record), 0);
    }

    void mapWithoutMainKeepsMain() {
        m_ini->writeDeviceIni(mainOnlyGroupMap({true, 2, QStringLiteral("99"), true, false, true}));
        m_ini->writeDeviceIni({{deviceGroupName(0), {{QStringLiteral("Profile"), QStringLiteral("2")}}}});
        const DeviceSettings read = m_ini->readDeviceIni();
        QCOMPARE(read.main.Password, QStringLiteral("99"));
        QCOMPARE(read.main.Language, QStringLiteral("2"));
        QCOMPARE(read.devices[0].BoxType, QStringLiteral("1")); // written empty, read as its default
    }

    void deviceListsFillPerPort_data() {
        QTest::addColumn<QByteArray>("group");
        QTest::addColumn<QList<bool>>("monitors");
        QTest::addColumn<QList<int>>("types");
        QTest::addColumn<QStringList>("names");
        const QStringList defaultNames{"Name", "Name", "Name", "Name", "Name"};
        QTest::newRow("empty values")
            << QByteArray("Monitor=\nFanType=\nFanName=\n") << QList<bool>{true, true, true, true, true}
            << QList<int>{0, 0, 0, 0, 0} << defaultNames;
        QTest::newRow("short lists") << QByteArray("Monitor=\"0,0\"\nFanType=3\nFanName=\"a,,b\"\n")
                                     << QList<bool>{false, false, true, true, true}
                                     << QList<int>{3, 0, 0, 0, 0}
                                     << QStringList{"a", "", "b", "Name", "Name"};
        QTest::newRow("surplus and garbage")
            << QByteArray("Monitor=\"x,1,0,1,0,0,0\"\nFanType=\"7,8,-1,2,5,6\"\n")
            << QList<bool>{false, true, false, true, false} << QList<int>{7, 0, 0, 2, 5} << defaultNames;
        QTest::newRow("unquoted lists") << QByteArray("Monitor=0,1,0,1,0\r\nFanName=a,b,c,d,e\r\n")
                                        << QList<bool>{false, true, false, true, false}
                                        << QList<int>{0, 0, 0, 0, 0} << QStringList{"a", "b", "c", "d", "e"};
        QTest::newRow("spaced lists")
            << QByteArray("Monitor=0, 1, 0, 1, 0\n") << QList<bool>{false, true, false, true, false}
            << QList<int>{0, 0, 0, 0, 0} << defaultNames;
    }
    void deviceListsFillPerPort() {
        QFETCH(QByteArray, group);
        writeRaw(devicePath(), "[Device7]\n" + group);
        const PlusPorts ports = portsFrom(m_ini->readDeviceIni().devices[7]);
        QFETCH(QList<bool>, monitors);
        QFETCH(QList<int>, types);
        QFETCH(QStringList, names);
        QCOMPARE(monitorsOf(ports), monitors);
        for (int port = 0; port < kPlusPortCount; ++port) {
            QCOMPARE(ports[port].FanType, types[port]);
            QCOMPARE(ports[port].FanName, names[port]);
        }
    }

    void languageFiles_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("file");
        QTest::newRow("English") << 0 << "Language/en.qm";
        QTest::newRow("German") << 3 << "Language/de.qm";
        QTest::newRow("Thai") << 6 << "Language/th.qm";
        QTest::newRow("unknown") << 7 << QString();
        QTest::newRow("negative") << -1 << QString();
    }
    void languageFiles() {
        QFETCH(int, language);
        QFETCH(QString, file);
        QCOMPARE(translationFileForLanguage(language), file);
    }

    void profileNeverSavedLoadsDefaults() {
        const PlusPorts ports = portsFrom(m_ini->readProfileIni(4));
        QVERIFY(!QFileInfo::exists(plusProfilePath(m_ini->folder(), 4)));
        const RainbowFanState fresh;
        for (const RainbowFanState& port : ports) {
            QCOMPARE(port.RColor, fresh.RColor);
            QCOMPARE(port.BColor, fresh.BColor);
            QCOMPARE(port.Bright[12], 1.0f);
            QCOMPARE(port.lightMode, 5);
            QCOMPARE(port.lightSpeed, 3);
            QVERIFY(port.Speed_Per == 5 && port.Speed_Num == 10 && port.SpeedMode == 2 && port.PWM);
            QVERIFY(!port.isTurnOffLed);
        }
    }

    void profileRoundTrip() {
        PlusPorts ports;
        for (int p = 0; p < kPlusPortCount; ++p) {
            ports[p].RColor[12] = 10 + p;
            ports[p].Bright.fill(0.5f);
            ports[p].Bright[0] = 1.0f;
            ports[p].lightMode = 3;
            ports[p].Speed_Num = p;
            ports[p].isTurnOffLed = p % 2;
        }
        m_ini->writeProfileIni(plusProfileGroupMap(ports), 2);
        QVERIFY(readRaw(plusProfilePath(m_ini->folder(), 2)).contains("Bright=\"1,0.5,0.5,"));
        const PlusPorts read = portsFrom(m_ini->readProfileIni(2));
        for (int p = 0; p < kPlusPortCount; ++p) {
            QCOMPARE(read[p].RColor, ports[p].RColor);
            QCOMPARE(read[p].Bright, ports[p].Bright);
            QCOMPARE(read[p].Speed_Num, p);
            QCOMPARE(read[p].isTurnOffLed, bool(p % 2));
        }
    }

    void brightnessNotation_data() {
        QTest::addColumn<float>("brightness");
        QTest::addColumn<QString>("text");
        QTest::newRow("half") << 0.5f << "0.5";
        QTest::newRow("full") << 1.0f << "1";
        QTest::newRow("off") << 0.0f << "0";
        QTest::newRow("third") << 1.0f / 3 << "0.333333";
    }
    void brightnessNotation() {
        QFETCH(float, brightness);
        QFETCH(QString, text);
        QCOMPARE(brightnessText(brightness), text);
    }

    // Out of range is clamped to the nearer end, however far out and however written.
    void brightnessClamps_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("brightness");
        QTest::newRow("2") << "2" << 1.0f;
        QTest::newRow("1e300") << "1e300" << 1.0f;
        QTest::newRow("1e999") << "1e999" << 1.0f;
        QTest::newRow("inf") << "inf" << 1.0f;
        QTest::newRow("-1e300") << "-1e300" << 0.0f;
        QTest::newRow("-1E999") << "-1E999" << 0.0f;
        QTest::newRow("1e-999") << "1e-999" << 0.0f;
        QTest::newRow("half") << "5e-1" << 0.5f;
        QTest::newRow("garbage") << "1e" << 0.0f;
    }
    void brightnessClamps() {
        QFETCH(QString, text);
        QFETCH(float, brightness);
        QCOMPARE(brightnessValue(text), brightness);
    }

    void copyModeTakesPortOne() {
        PlusProfileTexts profile;
        profile.fill(kDefaultPlusProfileGroup);
        profile[0].lightMode = QStringLiteral("3");
        profile[0].colorMode = QStringLiteral("1");
        profile[0].lightSpeed = QStringLiteral("2");
        profile[0].isTurnOffLed = QStringLiteral("1");
        profile[2].lightMode = QStringLiteral("7");
        profile[2].RColor = QStringLiteral("9");
        const PlusPorts ports = portsFrom(profile);
        QCOMPARE(ports[2].lightMode, 7);
        QCOMPARE(ports[2].copyLightMode, 3);
        QVERIFY(ports[2].colorMode == 1 && ports[2].lightSpeed == 2 && ports[2].isTurnOffLed);
        QCOMPARE(ports[2].RColor[0], 9); // colours stay the port's own until the engine copies them
        QCOMPARE(ports[1].lightSpeed, 3);
    }

    void outOfRangeProfileValues() {
        writeRaw(plusProfilePath(m_ini->folder(), 1),
                 "[Fan0]\nlightMode=999\ncolorMode=-1\nlightSpeed=9\nSpeedMode=4\n"
                 "RColor=\"70000,-5,abc,2147483648\"\nBright=\"nan,5.0,-1,inf,0.25\"\n"
                 "Speed_Per=2147483647\nSpeed_Num=-3\n"
                 "[Fan1]\nlightMode=6\n");
        const PlusPorts ports = portsFrom(m_ini->readProfileIni(1));
        QCOMPARE(ports[0].lightMode, 5);
        QCOMPARE(ports[0].colorMode, 0);
        QCOMPARE(ports[0].lightSpeed, 3);
        QCOMPARE(ports[0].SpeedMode, 2);
        QCOMPARE(ports[0].RColor[0], 255);
        QCOMPARE(ports[0].RColor[1], 0);
        QCOMPARE(ports[0].RColor[2], 0);
        QCOMPARE(ports[0].RColor[3], 0);
        QCOMPARE(ports[0].RColor[4], 127); // past the end of the list: the default entry
        const std::array<float, 5> bright{1.0f, 1.0f, 0.0f, 1.0f, 0.25f};
        for (int e = 0; e < 5; ++e)
            QCOMPARE(ports[0].Bright[e], bright[e]);
        QCOMPARE(ports[0].Bright[12], 1.0f);
        QCOMPARE(ports[0].Speed_Per, 100);
        QCOMPARE(ports[0].Speed_Num, 0);
        // Missing keys in an existing file read as 0.
        QCOMPARE(ports[1].lightMode, 6);
        QCOMPARE(ports[1].RColor, (std::array<int, kColourEntries>{}));
        QCOMPARE(ports[1].Bright[7], 0.0f);
        QVERIFY(!ports[1].PWM && ports[1].SpeedMode == 0);
        QCOMPARE(ports[4].lightMode, 0);
    }

    void classicProfileFile() {
        ClassicProfileTexts missing = m_ini->readClassicProfileIni(1);
        ClassicFans fans{};
        applyClassicProfile(missing, fans);
        QVERIFY(fans[2].RColor == 255 && fans[2].GColor == 255 && fans[2].BColor == 0 && fans[2].Speed == 5);

        fans[1].Bright = 0.5f;
        fans[1].lightMode = 2;
        fans[1].isTurnOff = true;
        m_ini->writeClassicProfileIni(classicProfileGroupMap(fans), 1);
        QVERIFY(QFileInfo::exists(m_ini->folder() + QStringLiteral("/Zyne/Zyne Profile1.ini")));
        ClassicFans read{};
        applyClassicProfile(m_ini->readClassicProfileIni(1), read);
        QVERIFY(read[1].Bright == 0.5f && read[1].lightMode == 2 && read[1].isTurnOff);

        writeRaw(classicProfilePath(m_ini->folder(), 2), "[Fan0]\nSpeed=70\nlightMode=12\n");
        applyClassicProfile(m_ini->readClassicProfileIni(2), read);
        QVERIFY(read[0].Speed == 5 && read[0].lightMode == 0 && read[0].Bright == 0.0f);
    }

    void profileNumbersOutsideOneToFiveAreRefused() {
        m_ini->writeProfileIni(plusProfileGroupMap(PlusPorts{}), 0);
        m_ini->writeClassicProfileIni(classicProfileGroupMap(ClassicFans{}), 6);
        QVERIFY(!QDir(m_ini->folder()).exists());
        QCOMPARE(m_ini->readProfileIni(-1)[0].lightMode, QStringLiteral("5"));
        writeRaw(devicePath(), "[Device0]\nProfile=9\n");
        QCOMPARE(savedProfileFrom(m_ini->readDeviceIni().devices[0]), 1);
    }

    void writeReplacesTheFileWhole() {
        m_ini->writeDeviceIni(mainOnlyGroupMap({}));
        const QByteArray before = readRaw(devicePath());
        const QString link = m_folder->path() + QStringLiteral("/old-link");
        QCOMPARE(::link(QFile::encodeName(devicePath()).constData(), QFile::encodeName(link).constData()), 0);
        ApplicationSettingsValues values;
        values.password = QStringLiteral("1234");
        m_ini->writeDeviceIni(mainOnlyGroupMap(values));
        // Written in place, the old name would see the new bytes too.
        QCOMPARE(readRaw(link), before);
        QVERIFY(readRaw(devicePath()).contains("Password=1234"));
    }

    void interruptedWriteKeepsTheOldFile() {
        std::array<PlusPorts, kBoxCount> boxes{};
        boxes[0][0].FanName = QStringLiteral("kept");
        m_ini->writeDeviceIni(
            deviceGroupMap({kAllPresent}, [&](int box) { return plusDeviceGroup(boxes[box], 2, 1); }, {}));
        m_ini->writeProfileIni(plusProfileGroupMap(boxes[0]), 1);
        const QByteArray device = readRaw(devicePath());
        const QByteArray profile = readRaw(plusProfilePath(m_ini->folder(), 1));

        boxes[0][0].FanName = QString(20000, QLatin1Char('x'));
        for (auto& port : boxes[0])
            port.Bright.fill(1.0f / 3);
        {
            const FileSizeLimit limit(device.size() + 512);
            m_ini->writeDeviceIni(deviceGroupMap(
                {kAllPresent}, [&](int box) { return plusDeviceGroup(boxes[box], 3, 1); }, {}));
        }
        {
            const FileSizeLimit limit(profile.size() + 16);
            m_ini->writeProfileIni(plusProfileGroupMap(boxes[0]), 1);
        }
        QCOMPARE(readRaw(devicePath()), device);
        QCOMPARE(readRaw(plusProfilePath(m_ini->folder(), 1)), profile);
        QCOMPARE(portsFrom(m_ini->readDeviceIni().devices[0])[0].FanName, QStringLiteral("kept"));
        // No temporary file or lock is left behind.
        QCOMPARE(QDir(m_ini->folder()).entryList(QDir::Files), QStringList{"Device.ini"});
        QCOMPARE(QDir(m_ini->folder() + QStringLiteral("/ZynePlus")).entryList(QDir::Files),
                 QStringList{"Profile1.ini"});
    }

    void lockInTheWayDelaysButDoesNotStopTheWrite() {
        QVERIFY(QDir().mkpath(devicePath() + QStringLiteral(".lock")));
        m_ini->writeDeviceIni(mainOnlyGroupMap({}));
        QCOMPARE(m_ini->readDeviceIni().main.Password, QStringLiteral("5173"));
    }

    // Files written by the Qt settings store (earlier versions, other platforms) and by this
    // program must read the same either way, byte for byte in the value text.
    void valuesMatchTheSettingsStore_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("list") << "1,0,1,1,1";
        QTest::newRow("plain") << "5173";
        QTest::newRow("empty") << "";
        QTest::newRow("separators") << "a;b=c";
        QTest::newRow("quotes and backslash") << "say \"hi\" \\ there";
        QTest::newRow("edge blanks") << " padded ";
        QTest::newRow("controls") << QString::fromLatin1("tab\there\nnew\x01\0"
                                                         "1");
        QTest::newRow("latin-1") << QString::fromUtf8("Näme");
        QTest::newRow("hex digit after escape") << QString::fromUtf8("中a文");
        QTest::newRow("emoji") << QString::fromUtf8("fan 🙂");
        QTest::newRow("at sign") << "@ByteArray(x)";
    }
    void valuesMatchTheSettingsStore() {
        QFETCH(QString, text);
        const QString path = m_folder->path() + QStringLiteral("/store.ini");
        {
            QSettings store(path, QSettings::IniFormat);
            store.setValue(QStringLiteral("Group/Key"), text);
        }
        const QByteArray raw = readRaw(path);
        QCOMPARE(IniDocument::parse(raw).value(QStringLiteral("Group"), QStringLiteral("Key")), text);
        QVERIFY2(raw.contains("\nKey=" + escapedIniValue(text) + "\n"), raw);

        IniDocument ours;
        ours.setValue(QStringLiteral("Group"), QStringLiteral("Key"), text);
        const QString ourPath = m_folder->path() + QStringLiteral("/ours.ini");
        writeRaw(ourPath, ours.serialized());
        QCOMPARE(QSettings(ourPath, QSettings::IniFormat).value(QStringLiteral("Group/Key")).toString(),
                 text);
    }

    void unwritableFolderIsSurvived() {
        writeRaw(m_folder->path() + QStringLiteral("/file"), "x");
        const IniHelper blocked(m_folder->path() + QStringLiteral("/file/RGBZynePlus"));
        blocked.writeDeviceIni(mainOnlyGroupMap({}));
        blocked.writeProfileIni(plusProfileGroupMap(PlusPorts{}), 1);
        QCOMPARE(blocked.readDeviceIni().main.Password, QStringLiteral("5173"));
    }

    void unreadableFileIsNotReplaced() {
        // Too large to be ours: reading ignores it, and no write may replace what it holds.
        const QByteArray oversized = "[Device3]\nProfile=4\n" + QByteArray(5 * 1024 * 1024, '#');
        writeRaw(devicePath(), oversized);
        QCOMPARE(savedProfileFrom(m_ini->readDeviceIni().devices[3]), 1);
        m_ini->writeDeviceIni(mainOnlyGroupMap({}));
        QCOMPARE(readRaw(devicePath()), oversized);
    }

    void garbageFiles_data() {
        QTest::addColumn<QByteArray>("garbage");
        QTest::newRow("truncated value") << QByteArray("[Device4]\nMonitor=\"0,1");
        QTest::newRow("truncated header") << QByteArray("[Devi");
        static const char binary[] = "\xff\xfe\0\x01[[\0]]=\n\x80\x81=\"\\x\n";
        QTest::newRow("binary") << QByteArray(binary, sizeof binary - 1);
        QTest::newRow("odd quoting") << QByteArray(
            "[Device4]\nMonitor=\"0\",\"1\"\"\nFanName=\"a\\\n[Main]\nPassword=\"");
        QTest::newRow("variant values")
            << QByteArray("[Device4]\nMonitor=@Rect(1 2 3 4)\nFanType=@Variant(\\0\\0\\0\\x7f)\n");
        QTest::newRow("huge value") << "[Device4]\nFanName=" + QByteArray(1 << 20, ',') +
                                           "\nFanType=" + QByteArray(1 << 16, '9') + "\n";
    }
    void garbageFiles() {
        QFETCH(QByteArray, garbage);
        writeRaw(devicePath(), "[Device3]\nProfile=4\nMonitor=\"0,0,0,0,0\"\n" + garbage);
        writeRaw(plusProfilePath(m_ini->folder(), 1), "[Fan1]\nlightMode=2\n" + garbage);
        const DeviceSettings read = m_ini->readDeviceIni();
        QCOMPARE(savedProfileFrom(read.devices[3]), 4);
        QCOMPARE(monitorsOf(portsFrom(read.devices[3])), QList<bool>({false, false, false, false, false}));
        const PlusPorts box4 = portsFrom(read.devices[4]);
        for (const auto& port : box4)
            QVERIFY(port.FanType >= 0 && port.FanType < kFanTypeCount);
        QCOMPARE(portsFrom(m_ini->readProfileIni(1))[1].lightMode, 2);

        PlusPorts ports;
        m_ini->writeDeviceIni(
            deviceGroupMap({QStringLiteral("00001")}, [&](int) { return plusDeviceGroup(ports, 2, 1); }, {}));
        // Lines the reader could not make sense of are still in the file.
        const QByteArray rewrittenRaw = readRaw(devicePath());
        for (const QByteArray& line : garbage.split('\n')) {
            const QByteArray trimmed = line.trimmed();
            const bool unread =
                std::any_of(trimmed.begin(), trimmed.end(), [](char c) { return uchar(c) < 0x20; });
            if (unread)
                QVERIFY2(rewrittenRaw.contains(trimmed), trimmed.toHex().constData());
        }
        QCOMPARE(
            QSettings(devicePath(), QSettings::IniFormat).value(QStringLiteral("Device3/Profile")).toString(),
            QStringLiteral("4"));
        const DeviceSettings rewritten = m_ini->readDeviceIni();
        QCOMPARE(savedProfileFrom(rewritten.devices[3]), 4);
        QCOMPARE(savedProfileFrom(rewritten.devices[4]), 2);
        QCOMPARE(portsFrom(rewritten.devices[4])[0].FanName, QString());
    }

    void writersOnTwoThreadsLoseNoGroup() {
        constexpr int rounds = 40;
        const auto writeRounds = [this](int box) {
            const IniHelper ini(m_ini->folder());
            for (int round = 1; round <= rounds; ++round)
                ini.writeDeviceIni({{deviceGroupName(box), {{"Profile", QString::number(round % 5 + 1)}}}});
        };
        std::thread first(writeRounds, 0);
        std::thread second(writeRounds, 9);
        first.join();
        second.join();
        const DeviceSettings read = m_ini->readDeviceIni();
        QCOMPARE(savedProfileFrom(read.devices[0]), rounds % 5 + 1);
        QCOMPARE(savedProfileFrom(read.devices[9]), rounds % 5 + 1);
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "tst_settings.moc"
