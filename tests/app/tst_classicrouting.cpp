// The real main window on the simulated rig: the classic boxes are found without holding the window,
// clicks in a classic fan view reach the controller through the engine's own thread, the engine's
// state comes back into the view, a stalled fan raises the warning, and the series panel relights
// the Plus fans.
#include "AlertView.h"
#include "ChipLink.h"
#include "EngineRig.h"
#include "InSeries.h"
#include "MainView.h"
#include "PresenceString.h"
#include "SimBackend.h"
#include "StallAlert.h"
#include "VxZyneRainbow.h"
#include "WindowSettle.h"
#include "ZyneCommandHelper.h"
#include "ZynePlusCommandHelper.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QSlider>
#include <QTimer>
#include <QtTest>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>

using namespace zyne;
using zyne::testing::EngineRig;
using zyne::testing::reportByte;

namespace {
// Output reports of one kind (r[1] = 0x51 speed, 0x52 lighting) to a classic port (1..3), as hex.
QStringList reportsTo(const EngineRig& rig, int box, int kind, int wirePort) {
    QStringList heads;
    for (const QByteArray& report : rig.classicReportsTo(box)) {
        if (reportByte(report, 0) == 0x32 && reportByte(report, 1) == kind && reportByte(report, 2) == wirePort)
            heads << QString::fromLatin1(report.mid(1, 7).toHex());
    }
    return heads;
}

void writeClassicProfile(const EngineRig& rig, const char* fan = "Fan1") {
    QDir().mkpath(rig.settingsFolder() + QStringLiteral("/Zyne"));
    QFile profile(rig.settingsFolder() + QStringLiteral("/Zyne/Zyne Profile1.ini"));
    QVERIFY(profile.open(QIODevice::WriteOnly));
    profile.write(QByteArray("[") + fan +
                  "]\nRColor=10\nGColor=20\nBColor=30\nBright=0.5\nSpeed=4\nPWM=0\nlightMode=2\n"
                  "isTurnOffLed=0\n");
}

QAbstractButton* button(QWidget* parent, const char* name) {
    return parent->findChild<QAbstractButton*>(QLatin1String(name));
}

// The simulated rig, with the opening of one product held until released (or for three seconds),
// as a system slow to list its devices would hold it.
class HeldOpenSim : public sim::SimBackend {
public:
    HeldOpenSim(sim::SimRig rig, std::uint16_t heldProduct) : SimBackend(std::move(rig)), m_held(heldProduct) {}

    std::unique_ptr<HidDevice> open(std::uint16_t vendorId, std::uint16_t productId) override {
        if (productId == m_held) {
            std::unique_lock lock(m_mutex);
            m_holding = true;
            m_release.wait_for(lock, std::chrono::seconds(3), [this] { return m_released; });
            m_holding = false;
        }
        return SimBackend::open(vendorId, productId);
    }
    bool holding() {
        std::lock_guard lock(m_mutex);
        return m_holding;
    }
    void release() {
        {
            std::lock_guard lock(m_mutex);
            m_released = true;
        }
        m_release.notify_all();
    }

private:
    const std::uint16_t m_held;
    std::mutex m_mutex;
    std::condition_variable m_release;
    bool m_holding = false;
    bool m_released = false;
};
} // namespace

class ClassicRoutingTest : public QObject {
    Q_OBJECT
private slots:
    void classicBoxSlowToOpenLeavesTheWindowFree();
    void classicBoxShowsItsFans();
    void clicksReachTheController();
    void engineReportsDoNotUndoNewerClicks();
    void badListsChangeNothing();
    void stalledFanRaisesTheWarning();
    void seriesPanelRelightsPlusFans();
};

void ClassicRoutingTest::classicBoxSlowToOpenLeavesTheWindowFree() {
    constexpr char kRig[] = R"({"classic": [{"index": 3}]})";
    EngineRig rig(kRig);
    QString error;
    auto backend = std::make_unique<HeldOpenSim>(*sim::SimRig::fromJson(kRig, &error), classicProductId(3));
    HeldOpenSim& held = *backend;
    installChipLink(backend->chipLink());
    installHidBackend(std::move(backend));

    VxZyneRainbow window;
    // The window goes on answering while the classic engine waits for the box.
    QTRY_VERIFY(held.holding());
    bool answered = false;
    QTimer::singleShot(0, &window, [&answered] { answered = true; });
    QTRY_VERIFY(answered);
    QVERIFY(held.holding());
    QVERIFY(!window.boxesFound());

    held.release();
    QVERIFY(zyne::testing::settleWindow(window));
    QVERIFY(classicPresenceStr().isPresent(3));
    QCOMPARE(window.mainView()->boxType(), ui::kBoxKindClassic);
    QTRY_VERIFY(held.classicRecord(3)->lightingCount[0] > 0);
}

void ClassicRoutingTest::classicBoxShowsItsFans() {
    EngineRig rig(R"({"classic": [{"index": 3}]})");
    writeClassicProfile(rig);
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    ui::MainView* view = window.mainView();
    QCOMPARE(view->boxType(), ui::kBoxKindClassic);
    QVERIFY(view->classicView(1)->isVisible());
    QVERIFY(!view->plusView(1)->isVisible());
    // The engine's record of fan 2 arrives from its thread.
    ui::ZyneRGBFanView* fan = view->classicView(1);
    QTRY_COMPARE(fan->lightMode(), 2);
    QCOMPARE(fan->colour(), QColor(10, 20, 30));
    QCOMPARE(fan->bright(), 0.5F);
    QCOMPARE(fan->findChild<QSlider*>(QStringLiteral("slider_RPM_Fan"))->value(), 4);
}

void ClassicRoutingTest::clicksReachTheController() {
    EngineRig rig(R"({"classic": [{"index": 3}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    ui::ZyneRGBFanView* fan = window.mainView()->classicView(2);
    QTRY_VERIFY(!reportsTo(rig, 3, 0x52, 3).isEmpty());
    // A fresh box follows the temperature curve; the level is sent once PWM is off.
    QTRY_VERIFY(fan->isPwm());
    zyne::testing::settle(*window.plusEngine());
    rig.forget();
    QTest::mouseClick(button(fan, "PWM"), Qt::LeftButton);
    fan->findChild<QSlider*>(QStringLiteral("slider_RPM_Fan"))->setValue(1);
    QTRY_COMPARE(reportsTo(rig, 3, 0x51, 3).value(-1 + reportsTo(rig, 3, 0x51, 3).size()),
                 QStringLiteral("32510303140000"));
    QTest::mouseClick(button(fan, "Performance"), Qt::LeftButton);
    QTRY_COMPARE(reportsTo(rig, 3, 0x51, 3).value(-1 + reportsTo(rig, 3, 0x51, 3).size()),
                 QStringLiteral("32510303640000"));

    // A colour from the wheel, then the brightness halved: the controller shows the colour at half.
    QTest::mouseClick(fan, Qt::LeftButton, {}, fan->paletteRect().center() + QPoint(60, 0));
    const QColor picked = fan->colour();
    fan->findChild<QSlider*>(QStringLiteral("slider_Light_Fan"))->setValue(50);
    const QString half = QStringLiteral("32520300%1%2%3")
                             .arg(picked.red() / 2, 2, 16, QLatin1Char('0'))
                             .arg(picked.green() / 2, 2, 16, QLatin1Char('0'))
                             .arg(picked.blue() / 2, 2, 16, QLatin1Char('0'));
    QTRY_VERIFY(reportsTo(rig, 3, 0x52, 3).contains(half));

    QTest::mouseClick(button(fan, "RGB"), Qt::LeftButton);
    QTRY_COMPARE(reportsTo(rig, 3, 0x52, 3).last(), QStringLiteral("32520301000000"));
    QTest::mouseClick(button(fan, "Off"), Qt::LeftButton);
    QTRY_COMPARE(reportsTo(rig, 3, 0x52, 3).last(), QStringLiteral("32520300000000"));
    // Other fans were left alone.
    zyne::testing::settle(*window.plusEngine());
    QVERIFY(reportsTo(rig, 3, 0x52, 1).isEmpty());
    zyne::testing::settle(*window.plusEngine());
    QVERIFY(reportsTo(rig, 3, 0x51, 2).isEmpty());
}

// The engine answers on its own thread: a report it made before it had the user's click must not
// undo the click in the view, and what the engine itself changes still reaches the view.
void ClassicRoutingTest::engineReportsDoNotUndoNewerClicks() {
    EngineRig rig(R"({"classic": [{"index": 3}]})");
    writeClassicProfile(rig, "Fan0");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    ui::ZyneRGBFanView* fan = window.mainView()->classicView(2);
    const bool pwm = fan->isPwm();

    // The engine's thread is held, as by a box slow to answer, while the view is asked for and the
    // user switches PWM: the engine reports the fan as it was before the click.
    // Shared, so a test that fails before the release leaves the engine's thread nothing dangling.
    struct Gate {
        std::mutex mutex;
        std::condition_variable wake;
        bool released = false;
    };
    const auto gate = std::make_shared<Gate>();
    QMetaObject::invokeMethod(
        window.classic()->engine(),
        [gate] {
            std::unique_lock lock(gate->mutex);
            gate->wake.wait_for(lock, std::chrono::seconds(5), [&] { return gate->released; });
        },
        Qt::QueuedConnection);
    emit window.sendResetViewRequest();
    QTest::mouseClick(button(fan, "PWM"), Qt::LeftButton);
    QCOMPARE(fan->isPwm(), !pwm);
    // What the view shows once the engine's old reports are in, before anything asked afresh.
    std::optional<bool> shownOnceHandled;
    window.classic()->whenHandled([&] { shownOnceHandled = fan->isPwm(); });
    {
        std::lock_guard lock(gate->mutex);
        gate->released = true;
    }
    gate->wake.notify_all();
    QTRY_VERIFY(shownOnceHandled.has_value());
    QCOMPARE(*shownOnceHandled, !pwm);
    // Twice: a report held back is asked for again once the click is handled.
    QVERIFY(zyne::testing::settleWindow(window));
    QVERIFY(zyne::testing::settleWindow(window));
    QCOMPARE(fan->isPwm(), !pwm);

    // A copy of fan 1's lighting is known to the view only from the engine's report.
    QVERIFY(fan->colour() != QColor(10, 20, 30));
    QTest::mouseClick(button(fan, "btn_Copy"), Qt::LeftButton);
    QVERIFY(zyne::testing::settleWindow(window));
    QVERIFY(zyne::testing::settleWindow(window));
    QCOMPARE(fan->colour(), QColor(10, 20, 30));
    QCOMPARE(fan->lightMode(), 2);
    QCOMPARE(fan->isPwm(), !pwm);
}

void ClassicRoutingTest::badListsChangeNothing() {
    EngineRig rig(R"({"classic": [{"index": 0}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    QTRY_VERIFY(!reportsTo(rig, 0, 0x52, 1).isEmpty());
    QTest::qWait(200);
    zyne::testing::settle(*window.plusEngine());
    rig.forget();
    window.receiveZyneMainData({"btn_done", "3", "1"});
    window.receiveZyneMainData({"btn_done", "-1", "1"});
    window.receiveZyneMainData({"btn_done", "1"});
    window.receiveZyneMainData({"changeSliderFanSpeed", "1", "6"});
    window.receiveZyneMainData({"changeSliderLight", "1", "nan"});
    window.receiveZyneMainData({"changeSliderLight", "1", "1.5"});
    window.receiveZyneMainData({});
    window.receiveZyneRGBData(1, 2, 3, 1.0F, 3);
    // A good list after the bad ones is still taken, so the engine has seen everything before it.
    window.receiveZyneMainData({"btn_done", "0", "1"});
    QTRY_COMPARE(reportsTo(rig, 0, 0x52, 1), QStringList{"32520101000000"});
    int writes = 0;
    for (const QByteArray& report : rig.classicReportsTo(0))
        writes += reportByte(report, 0) == 0x32;
    QCOMPARE(writes, 1);
}

void ClassicRoutingTest::stalledFanRaisesTheWarning() {
    EngineRig rig(R"({"classic": [{"index": 4, "rpm": [900, 0, 900]}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    ui::AlertView* alert = window.stallAlert()->view();
    // The speed poll finds fan 2 standing: one warning naming box 5, the main view held until OK.
    QTRY_VERIFY(alert->isVisible());
    QCOMPARE(alert->controllerText(), QStringLiteral("Controller No. 5"));
    QVERIFY(!window.mainView()->isEnabled());
    QTRY_VERIFY(window.mainView()->classicView(1)->findChild<QWidget*>(QStringLiteral("stallIndicator"))->isVisible());
    QTest::mouseClick(button(alert, "btn_fanAlertOK"), Qt::LeftButton);
    QVERIFY(alert->isHidden());
    QVERIFY(window.mainView()->isEnabled());
    // The same stall is not warned about again.
    QTest::qWait(500);
    QVERIFY(alert->isHidden());
}

void ClassicRoutingTest::seriesPanelRelightsPlusFans() {
    EngineRig rig(R"({"plus": [{"index": 0}]})");
    VxZyneRainbow window;
    QVERIFY(zyne::testing::settleWindow(window));
    ui::InSeries* series = window.mainView()->seriesView();
    zyne::testing::settle(*window.plusEngine());
    rig.forget();
    // Series mode 1 darkens every watched fan before the meteor runs across them.
    QTest::mouseClick(button(series, "btn_seriesLightModeRight"), Qt::LeftButton);
    int lighting = 0;
    zyne::testing::settle(*window.plusEngine());
    for (const QByteArray& report : rig.reportsTo(0))
        lighting += reportByte(report, 0) == 0x32 && reportByte(report, 1) == 0x52;
    QVERIFY2(lighting >= 5, qPrintable(QString::number(lighting)));
    auto* meteor = window.findChild<QTimer*>(QStringLiteral("meteorTimer"));
    QVERIFY(meteor && meteor->isActive());
    // Back to each fan's own lighting.
    zyne::testing::settle(*window.plusEngine());
    rig.forget();
    QTest::mouseClick(button(series, "btn_closeSeries"), Qt::LeftButton);
    zyne::testing::settle(*window.plusEngine());
    QVERIFY(rig.reportsTo(0).size() >= 5);
    QCOMPARE(window.plusEngine()->box(0).rainbowFan[2].isTurnOffLed, false);
}

QTEST_MAIN(ClassicRoutingTest)
#include "tst_classicrouting.moc"
