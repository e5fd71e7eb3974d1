// The simulated power supply and reply latency.
#include "SimBackend.h"
#include "SimExchange.h"

#include <QTest>

using namespace zyne::sim;
using namespace zyne::testing;

namespace {
SimRig rigOf(const QByteArray& json) {
    QString error;
    auto rig = SimRig::fromJson(json, &error);
    if (!rig)
        qFatal("bad test rig: %s", qPrintable(error));
    return *rig;
}
} // namespace

class TestSimPowerSupply : public QObject {
    Q_OBJECT
private slots:
    void answersTheModelQuery() {
        SimBackend sim(rigOf(R"({"power_supply": {"model": "VXG-1050-GD"}})"));
        auto psu = sim.open(0x264A, 0x2329);
        QVERIFY(psu);
        QCOMPARE(exchange(*psu, QByteArray::fromHex("fe31")).left(4), QByteArray::fromHex("fe310000"));
        const QByteArray reply = exchange(*psu, QByteArray::fromHex("313d"));
        QCOMPARE(reply.size(), 64);
        QCOMPARE(reply.left(13), QByteArray("\x31\x3dVXG-1050-GD"));
        QCOMPARE(reply.mid(13), QByteArray(51, '\0'));
    }

    void frameAnswersAreEchoes() {
        SimBackend sim(rigOf(R"({"power_supply": {}})"));
        auto psu = sim.open(0x264A, 0x2329);
        QCOMPARE(exchange(*psu, QByteArray::fromHex("304218ff")).left(4), QByteArray::fromHex("304218ff"));
        // An empty model answers with no text.
        QCOMPARE(exchange(*psu, QByteArray::fromHex("313d")),
                 QByteArray::fromHex("313d").leftJustified(64, '\0'));
    }

    void unplugAndPlug() {
        SimBackend sim(rigOf(R"({"power_supply": {"model": "A"}})"));
        auto psu = sim.open(0x264A, 0x2329);
        QCOMPARE(sim.control("unplug psu"), QString("ok"));
        QCOMPARE(writeReport(*psu, QByteArray::fromHex("3042")), -1);
        QVERIFY(!sim.open(0x264A, 0x2329));
        QCOMPARE(sim.control("plug psu"), QString("ok"));
        auto again = sim.open(0x264A, 0x2329);
        QVERIFY(again);
        QCOMPARE(exchange(*again, QByteArray::fromHex("313d")).mid(2, 1), QByteArray("A"));
    }

    void answersWaitForTheLatency() {
        SimBackend sim(rigOf(R"({"plus": [{"index": 0, "latency_ms": 40}]})"));
        auto box = sim.open(0x264A, 0x1FA5);
        QCOMPARE(writeReport(*box, QByteArray::fromHex("fe33")), 65);
        // Not there yet for a reader that only looks; there for one that waits long enough.
        int result = -2;
        QVERIFY(readReport(*box, 0, &result).isEmpty());
        QCOMPARE(result, 0);
        QCOMPARE(readReport(*box, 1000).left(2), QByteArray::fromHex("fe33"));
    }

    void latencyIsChecked_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("negative") << QByteArray(R"({"plus": [{"latency_ms": -1}]})");
        QTest::newRow("too long") << QByteArray(R"({"power_supply": {"latency_ms": 5000}})");
        QTest::newRow("not a number") << QByteArray(R"({"awt": {"latency_ms": "2"}})");
    }

    void latencyIsChecked() {
        QFETCH(QByteArray, json);
        QString error;
        QVERIFY(!SimRig::fromJson(json, &error));
        QVERIFY2(error.contains("latency_ms"), qPrintable(error));
    }
};

QTEST_APPLESS_MAIN(TestSimPowerSupply)
#include "tst_simpowersupply.moc"
