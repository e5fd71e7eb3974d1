#include "HidBackend.h"
#include "SimEnvironment.h"
#include "SimRig.h"

#include <QTemporaryDir>
#include <QTest>

using namespace zyne::sim;

class TestSimRig : public QObject {
    Q_OBJECT

private slots:
    void readsEveryKey() {
        const QByteArray json = R"({
            "plus": [{"index": 0, "firmware": [1, 2, 7], "rpm": [1200, 1200, 1200, 0, 1200], "behaviour": "ok"},
                     {"index": 15, "behaviour": "silent"}],
            "classic": [{"index": 2, "firmware": [1, 0, 3], "rpm": [900, 900, 900], "behaviour": "probe_fails"}],
            "power_supply": {"model": "MODEL-TEXT"},
            "awt": {"boxes": [0, 4], "firmware": "104", "rpm": [1200, 0, 850]},
            "keyboards": ["264a:3006", "264A:3009"]
        })";
        QString error;
        const auto rig = SimRig::fromJson(json, &error);
        QVERIFY2(rig, qPrintable(error));
        QCOMPARE(rig->plus.size(), std::size_t(2));
        QCOMPARE(rig->plus[0].rpm, (std::vector<int>{1200, 1200, 1200, 0, 1200}));
        QCOMPARE(rig->plus[1].index, 15);
        QCOMPARE(rig->plus[1].behaviour, Behaviour::Silent);
        QCOMPARE(rig->plus[1].rpm, SimRig::defaultPlus(15).rpm);
        QCOMPARE(rig->classic.at(0).behaviour, Behaviour::ProbeFails);
        QCOMPARE(int(rig->classic.at(0).firmware[2]), 3);
        QCOMPARE(rig->powerSupply->model, QStringLiteral("MODEL-TEXT"));
        QCOMPARE(rig->awt->boxes, (std::vector<int>{0, 4}));
        QCOMPARE(rig->awt->rpm, (std::vector<int>{1200, 0, 850}));
        QCOMPARE(rig->keyboards.size(), std::size_t(2));
        QCOMPARE(int(rig->keyboards[1].productId), 0x3009);
    }

    void emptyRigHasNothingPlugged() {
        const auto rig = SimRig::fromJson("{}", nullptr);
        QVERIFY(rig);
        QVERIFY(rig->plus.empty() && rig->classic.empty() && rig->keyboards.empty());
        QVERIFY(!rig->powerSupply && !rig->awt);
    }

    void refusesImpossibleRigs_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("problem");
        QTest::newRow("not json") << QByteArray("{\"plus\": [") << "invalid JSON";
        QTest::newRow("not an object") << QByteArray("[]") << "JSON object";
        QTest::newRow("unknown key") << QByteArray(R"({"plsu": []})") << "unknown key \"plsu\"";
        QTest::newRow("index 16") << QByteArray(R"({"plus": [{"index": 16}]})")
                                  << "plus[0].index: 16 is outside 0..15";
        QTest::newRow("negative index")
            << QByteArray(R"({"classic": [{"index": -1}]})") << "classic[0].index";
        QTest::newRow("fractional index") << QByteArray(R"({"plus": [{"index": 1.5}]})") << "whole number";
        QTest::newRow("duplicate index")
            << QByteArray(R"({"plus": [{"index": 3}, {"index": 3}]})") << "plus[1]: duplicate index 3";
        QTest::newRow("4 plus fans") << QByteArray(R"({"plus": [{"rpm": [1, 2, 3, 4]}]})")
                                     << "plus[0].rpm: expected 5 numbers, got 4";
        QTest::newRow("5 classic fans")
            << QByteArray(R"({"classic": [{"rpm": [1, 2, 3, 4, 5]}]})") << "expected 3 numbers";
        QTest::newRow("negative rpm")
            << QByteArray(R"({"plus": [{"rpm": [0, 0, -5, 0, 0]}]})") << "plus[0].rpm[2]";
        QTest::newRow("rpm over 16 bits")
            << QByteArray(R"({"plus": [{"rpm": [0, 0, 70000, 0, 0]}]})") << "outside 0..65535";
        QTest::newRow("firmware of 2") << QByteArray(R"({"plus": [{"firmware": [1, 2]}]})") << "firmware";
        QTest::newRow("firmware byte")
            << QByteArray(R"({"plus": [{"firmware": [1, 2, 256]}]})") << "firmware[2]";
        QTest::newRow("behaviour") << QByteArray(R"({"plus": [{"behaviour": "sleepy"}]})")
                                   << "unknown behaviour";
        QTest::newRow("keyboard") << QByteArray(R"({"keyboards": ["264a-3006"]})") << "keyboards[0]";
        QTest::newRow("awt firmware") << QByteArray(R"({"awt": {"firmware": "1.4"}})") << "awt.firmware";
        QTest::newRow("awt box") << QByteArray(R"({"awt": {"boxes": [0, 0]}})") << "duplicate";
        QTest::newRow("psu model") << QByteArray(R"({"power_supply": {"model": 5}})") << "power_supply.model";
    }

    void refusesImpossibleRigs() {
        QFETCH(QByteArray, json);
        QFETCH(QString, problem);
        QString error;
        QVERIFY(!SimRig::fromJson(json, &error));
        QVERIFY2(error.contains(problem), qPrintable(error));
    }

    void fileErrorsNameTheFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("rig.json");
        QString error;
        QVERIFY(!SimRig::fromFile(path, &error));
        QVERIFY2(error.contains(path), qPrintable(error));

        writeFile(path, R"({"plus": [{"index": 99}]})");
        QVERIFY(!SimRig::fromFile(path, &error));
        QVERIFY2(error.contains(path) && error.contains("plus[0].index"), qPrintable(error));
    }

    void environmentChoosesTheBackend_data() {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QByteArray>("rig");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("problem");
        QTest::newRow("default rig") << "sim" << QByteArray() << true << "";
        QTest::newRow("rig file") << "sim" << QByteArray(R"({"plus": [{"index": 3}]})") << true << "";
        QTest::newRow("bad rig") << "sim" << QByteArray(R"({"plus": [{"index": 3, "rpm": []}]})") << false
                                 << "rig.json: plus[0].rpm";
        QTest::newRow("unknown backend") << "usb" << QByteArray() << false << "ZYNE_HID_BACKEND";
    }

    void environmentChoosesTheBackend() {
        QFETCH(QString, backend);
        QFETCH(QByteArray, rig);
        QFETCH(bool, installed);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        qputenv("ZYNE_HID_BACKEND", backend.toUtf8());
        qputenv("ZYNE_SIM_TRACE", dir.filePath("trace.jsonl").toUtf8());
        qunsetenv("ZYNE_SIM_RIG");
        if (!rig.isEmpty()) {
            writeFile(dir.filePath("rig.json"), rig);
            qputenv("ZYNE_SIM_RIG", dir.filePath("rig.json").toUtf8());
        }
        QObject parent;
        QString error;
        QCOMPARE(installBackendFromEnvironment(&error, &parent), installed);
        QVERIFY2(error.contains(problem), qPrintable(error));
        if (installed) {
            const auto boxes = zyne::hidBackend().enumerate(0x264A, 0);
            QCOMPARE(boxes.size(), std::size_t(1));
            QCOMPARE(int(boxes[0].productId), rig.isEmpty() ? 0x1FA5 : 0x1FA8);
        }
    }

    void environmentRefusesAnUnusableTraceOrSocket() {
        QTemporaryDir dir;
        qputenv("ZYNE_HID_BACKEND", "sim");
        qunsetenv("ZYNE_SIM_RIG");
        qputenv("ZYNE_SIM_TRACE", dir.filePath("missing/trace.jsonl").toUtf8());
        QObject parent;
        QString error;
        QVERIFY(!installBackendFromEnvironment(&error, &parent));
        QVERIFY2(error.startsWith("ZYNE_SIM_TRACE"), qPrintable(error));

        qunsetenv("ZYNE_SIM_TRACE");
        qputenv("ZYNE_SIM_CONTROL", dir.filePath("missing/control.sock").toUtf8());
        QVERIFY(!installBackendFromEnvironment(&error, &parent));
        QVERIFY2(error.startsWith("ZYNE_SIM_CONTROL"), qPrintable(error));
        qunsetenv("ZYNE_SIM_CONTROL");
    }

private:
    static void writeFile(const QString& path, const QByteArray& content) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
};

QTEST_GUILESS_MAIN(TestSimRig)
#include "tst_simrig.moc"
