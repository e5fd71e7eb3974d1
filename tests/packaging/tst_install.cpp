// `cmake --install` into a throw-away root: every file lands where a Linux desktop looks for it,
// and the installed program runs from there (its chip library, pictures and catalogues included).
#include "ProgramUnderTest.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString kPrefix = QStringLiteral("/usr");
const QString kDataDir = QStringLiteral("usr/share/vx-zyne-plus-rgb");
const QString kLibDir = QStringLiteral("usr/" ZYNE_INSTALL_LIBDIR);
} // namespace

class InstallTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_root{QDir::tempPath() + QStringLiteral("/zyne-install-XXXXXX")};

    QString installed(const QString& relative) const { return m_root.filePath(relative); }

private slots:
    void initTestCase() {
        QVERIFY(m_root.isValid());
        QProcess install;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DESTDIR"), m_root.path());
        install.setProcessEnvironment(environment);
        install.setProcessChannelMode(QProcess::MergedChannels);
        install.start(QStringLiteral(ZYNE_CMAKE_COMMAND),
                      {QStringLiteral("--install"), QStringLiteral(ZYNE_BUILD_DIR),
                       QStringLiteral("--prefix"), kPrefix});
        QVERIFY(install.waitForFinished(120000));
        QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0,
                 install.readAll().constData());
    }

    void filesAreInTheirPlaces_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("program") << "usr/bin/vx-zyne-plus-rgb";
        QTest::newRow("message tool") << "usr/bin/vx-zyne-msg";
        QTest::newRow("chip library") << kLibDir + "/libxqcomm.so.1";
        QTest::newRow("chip library header") << "usr/include/xqcomm.h";
        QTest::newRow("picture") << kDataDir + "/Images/background.png";
        QTest::newRow("sharp picture") << kDataDir + "/Images/background@2x.png";
        QTest::newRow("picture in a folder") << kDataDir + "/Images/keyboard/LINE.png";
        QTest::newRow("window icon") << kDataDir + "/Images/logo.ico";
        for (const char* language : {"en", "tc", "cn", "de", "fr", "jp", "th"})
            QTest::newRow(language) << kDataDir +
                                           QStringLiteral("/Language/%1.qm").arg(QLatin1String(language));
        QTest::newRow("udev rule") << "usr/lib/udev/rules.d/60-vx-zyne-plus-rgb.rules";
        QTest::newRow("menu entry") << "usr/share/applications/vx-zyne-plus-rgb.desktop";
        QTest::newRow("icon") << "usr/share/icons/hicolor/64x64/apps/vx-zyne-plus-rgb.png";
        QTest::newRow("sharp icon") << "usr/share/icons/hicolor/128x128/apps/vx-zyne-plus-rgb.png";
    }

    void filesAreInTheirPlaces() {
        QFETCH(QString, path);
        const QFileInfo file(installed(path));
        QVERIFY2(file.exists() && file.size() > 0, qPrintable(path));
    }

    void binHoldsOnlyThePrograms() {
        // The program's own files live in share/, not beside the programs in a system folder.
        QCOMPARE(
            QDir(installed(QStringLiteral("usr/bin"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            QStringList({QStringLiteral("vx-zyne-msg"), QStringLiteral("vx-zyne-plus-rgb")}));
    }

    void chipLibraryHasItsSonameLink() {
        const QFileInfo soname(installed(kLibDir + QStringLiteral("/libxqcomm.so.1")));
        QVERIFY(soname.isSymLink());
        QVERIFY(QFileInfo(soname.symLinkTarget()).isFile());
        QVERIFY(QFileInfo(soname.symLinkTarget()).fileName().startsWith(QLatin1String("libxqcomm.so.1.")));
    }

    void menuEntryNamesTheInstalledProgramAndIcon() {
        QSettings entry(installed(QStringLiteral("usr/share/applications/vx-zyne-plus-rgb.desktop")),
                        QSettings::IniFormat);
        entry.beginGroup(QStringLiteral("Desktop Entry"));
        QVERIFY(
            QFileInfo(installed(QStringLiteral("usr/bin/") + entry.value(QStringLiteral("Exec")).toString()))
                .isExecutable());
        QVERIFY(QFileInfo::exists(installed(QStringLiteral("usr/share/icons/hicolor/64x64/apps/") +
                                            entry.value(QStringLiteral("Icon")).toString() +
                                            QStringLiteral(".png"))));
    }

    void programFindsTheInstalledChipLibrary() {
        // Through its run path, relative to itself: not the build folder, not a system copy.
        QProcess ldd;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("LD_LIBRARY_PATH"));
        ldd.setProcessEnvironment(environment);
        ldd.start(QStringLiteral("ldd"), {installed(QStringLiteral("usr/bin/vx-zyne-plus-rgb"))});
        QVERIFY(ldd.waitForFinished(30000));
        const QString output = QString::fromLocal8Bit(ldd.readAllStandardOutput());
        // "\tlibxqcomm.so.1 => /path/libxqcomm.so.1 (0x...)"
        const QString line =
            output.split(QLatin1Char('\n')).filter(QStringLiteral("libxqcomm.so.1 =>")).value(0);
        const QString found = line.section(QStringLiteral("=> "), 1).section(QStringLiteral(" ("), 0, 0);
        QVERIFY2(
            !found.isEmpty() &&
                QFileInfo(found).canonicalFilePath() ==
                    QFileInfo(installed(kLibDir + QStringLiteral("/libxqcomm.so.1"))).canonicalFilePath(),
            qPrintable(output));
    }

    void installedProgramRunsFromItsFiles() {
        ProgramUnderTest program;
        program.setProgram(installed(QStringLiteral("usr/bin/vx-zyne-plus-rgb")));
        program.setEnvironment(QStringLiteral("LD_LIBRARY_PATH"), QString());
        QJsonArray boxes;
        for (int index : {0, 1})
            boxes.append(QJsonObject{{QStringLiteral("index"), index}});
        program.setRig(QJsonObject{{QStringLiteral("plus"), boxes}});
        QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));

        // The catalogue and the pictures come from share/, nothing is missing.
        const QString language =
            QFileInfo(installed(kDataDir)).canonicalFilePath() + QStringLiteral("/Language/");
        QVERIFY2(!program.logLines(QStringLiteral("translation ")).filter(language).isEmpty(),
                 qPrintable(program.diagnostics()));
        QVERIFY2(program.logLines(QStringLiteral("can't be loaded")).isEmpty(),
                 qPrintable(program.diagnostics()));

        // The message tool installed beside it reaches it.
        QCOMPARE(program.runBesideProgram(QStringLiteral("vx-zyne-msg"), {"0x8106", "1", "0"}), 0);
        QVERIFY(program.waitUntil([&] {
            const QStringList changes = program.logLines(QStringLiteral("SelectBoxIndex:"));
            return !changes.isEmpty() && changes.last().endsWith(QLatin1String(" 1"));
        }));
        QVERIFY2(program.stop(), qPrintable(program.diagnostics()));
    }
};

QTEST_GUILESS_MAIN(InstallTest)
#include "tst_install.moc"
