// Renders the views as a user sees them, with the program's own catalogue, and keeps the PNGs under
// <build>/screenshots/, so a reviewer can look at them without a display. Run once at 1x and once
// with QT_SCALE_FACTOR=2; the 2x run also takes a German set ("-de").
#include "AlertView.h"
#include "CouplerPlusView.h"
#include "DeviceSettings.h"
#include "InSeries.h"
#include "InfoView.h"
#include "MainView.h"
#include "ProgramData.h"
#include "SettingsMenu.h"

#include <QAbstractButton>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QTranslator>
#include <QtTest>

using namespace zyne::ui;

namespace {
constexpr int kEnglish = 0;
constexpr int kGerman = 3;

QString shotFolder() {
    return QStringLiteral(ZYNE_SCREENSHOT_DIR);
}

// The language index of the set being taken.
int shownLanguage() {
    QFETCH_GLOBAL(int, language);
    return language;
}

void save(QWidget& widget, const QString& name) {
    QDir().mkpath(shotFolder());
    const qreal ratio = qApp->devicePixelRatio();
    QString suffix = shownLanguage() == kGerman ? QStringLiteral("-de") : QString();
    if (ratio > 1.0)
        suffix += QStringLiteral("@2x");
    const QImage image = widget.grab().toImage();
    QCOMPARE(image.width(), qRound(widget.width() * ratio));
    QVERIFY(image.save(shotFolder() + QLatin1Char('/') + name + suffix + QStringLiteral(".png")));
}

PortViewState portState(int lightMode, int colorMode, int fanType, const QString& name) {
    PortViewState state;
    state.lightMode = lightMode;
    state.colorMode = colorMode;
    state.lightSpeed = 2;
    state.fanType = fanType;
    state.fanName = name;
    state.bright.fill(1.0F);
    for (int i = 0; i < 13; ++i) {
        const QColor c = QColor::fromHsv((i * 30) % 360, 230, 255);
        state.red[static_cast<std::size_t>(i)] = c.red();
        state.green[static_cast<std::size_t>(i)] = c.green();
        state.blue[static_cast<std::size_t>(i)] = c.blue();
    }
    state.speedPer = 3;
    state.speedNum = 6;
    state.pwm = false;
    state.monitor = true;
    state.isTurnOffLed = false;
    return state;
}

void fillView(MainView& view, int boxKind) {
    view.resetLanguage(shownLanguage());
    view.setProgramVersion(QStringLiteral("1.1.5"));
    view.setFirmwareVersion(QStringLiteral("1.2.7"));
    view.setLocalAddress(QStringLiteral("workstation IP Address:192.168.1.20"));
    view.setTemperature(37);
    for (int box = 0; box < 16; ++box)
        view.setBoxPresent(box, box < 3 || box == 7);
    view.selectBoxButton(0);
    view.setBoxType(boxKind);
    const int kinds[] = {0, 1, 2, 5, 6};
    for (int port = 0; port < 5; ++port)
        view.plusView(port)->resetFanView(portState(
            port == 0 ? 5 : port + 2, port % 2, boxKind == kBoxKindAwt ? (port == 1 ? 7 : 0) : kinds[port],
            QStringLiteral("Fan %1").arg(port + 1)));
    view.plusView(2)->showFanSpeed(0, true);
    view.plusView(1)->showFanSpeed(1180, false);
}
} // namespace

class ScreenshotTest : public QObject {
    Q_OBJECT
    QTranslator m_catalogue;

private slots:
    void initTestCase_data();
    void init();
    void mainViewWithPlusBox();
    void mainViewWithAwtBox();
    void settingsMenuAndKeypad();
    void plusViewInEachColourMode();
    void errorLine();
    void mainViewWithClassicBox();
    void alertAndInformation();
    void seriesPanel();
    void mainViewWithCoupler();
};

void ScreenshotTest::initTestCase_data() {
    QTest::addColumn<int>("language");
    QTest::newRow("English") << kEnglish;
    if (qApp->devicePixelRatio() > 1.0)
        QTest::newRow("German") << kGerman;
}

void ScreenshotTest::init() {
    // The catalogue the program loads for the language; views built after this show its texts.
    QCoreApplication::removeTranslator(&m_catalogue);
    const QString catalogue = zyne::programDataPath(zyne::translationFileForLanguage(shownLanguage()));
    QVERIFY2(m_catalogue.load(catalogue), qPrintable(catalogue));
    QCoreApplication::installTranslator(&m_catalogue);
}

void ScreenshotTest::mainViewWithPlusBox() {
    MainView view;
    fillView(view, kBoxKindPlus);
    view.show();
    save(view, QStringLiteral("main-plus"));
}

void ScreenshotTest::mainViewWithAwtBox() {
    MainView view;
    fillView(view, kBoxKindAwt);
    view.show();
    save(view, QStringLiteral("main-awt"));
}

void ScreenshotTest::settingsMenuAndKeypad() {
    MainView view;
    fillView(view, kBoxKindPlus);
    view.setPassword(QStringLiteral("5173"));
    view.setAutoUpdate(true);
    view.show();
    view.mutiLanguageWidget();
    save(view, QStringLiteral("settings-menu"));
    view.mutiLanguageWidget();
    auto* passwordEntry = view.findChild<QAbstractButton*>(QStringLiteral("MutiLang9"));
    QVERIFY(passwordEntry);
    QTest::mouseClick(passwordEntry, Qt::LeftButton);
    QVERIFY(view.findChild<QLabel*>(QStringLiteral("passwordMask"))->isVisible());
    save(view, QStringLiteral("keypad"));
}

void ScreenshotTest::plusViewInEachColourMode() {
    const char* const names[] = {"rgb", "single", "off"};
    for (int mode = 0; mode < 3; ++mode) {
        RainbowFan fan(1);
        PortViewState state = portState(mode == 2 ? 0 : 3, mode, 0, QStringLiteral("Front intake"));
        fan.resetFanView(state);
        fan.setFanLocation(1);
        if (mode == 0)
            fan.pushShowColorWidget();
        fan.show();
        save(fan, QStringLiteral("plus-view-%1").arg(QLatin1String(names[mode])));
    }
}

void ScreenshotTest::errorLine() {
    MainView view;
    fillView(view, kBoxKindPlus);
    view.showBoxWarning(false, 0, 0);
    view.show();
    save(view, QStringLiteral("main-error-line"));
}

void ScreenshotTest::mainViewWithClassicBox() {
    MainView view;
    fillView(view, kBoxKindClassic);
    const ClassicViewState states[] = {
        {0, 255, 40, 120, 1.0F, 3, false, true, false},
        {1, 0, 160, 255, 1.0F, 5, false, true, true},
        {2, 40, 255, 90, 0.6F, 0, false, true, false},
    };
    for (int fan = 0; fan < MainView::kClassicViewCount; ++fan) {
        view.classicView(fan)->setState(states[fan]);
        view.classicView(fan)->showFanSpeed(fan == 2 ? 0 : 900 + 150 * fan, fan == 2);
    }
    view.show();
    save(view, QStringLiteral("main-classic"));
    ZyneRGBFanView off(1);
    off.setState({0, 255, 120, 0, 1.0F, 2, true, false, false});
    off.show();
    save(off, QStringLiteral("classic-view-off"));
}

void ScreenshotTest::alertAndInformation() {
    AlertView alert;
    alert.setBoxNumber(2);
    alert.show();
    save(alert, QStringLiteral("alert"));
    InfoView info;
    info.setVersions(QStringLiteral("V 1.1.5 , F 1.2.7"));
    info.setAddress(QStringLiteral("workstation IP Address:192.168.1.20"));
    info.show();
    save(info, QStringLiteral("info-empty"));
    info.setReadings({QStringLiteral("CPU Package: 41 \u00B0C"), QStringLiteral("Core #0: 39 \u00B0C"),
                      QStringLiteral("Core #1: 40 \u00B0C"), QStringLiteral("Core #2: 38 \u00B0C"),
                      QStringLiteral("Core #3: 41 \u00B0C"), QStringLiteral("Composite (nvme): 36 \u00B0C"),
                      QStringLiteral("fan1 (nct6798): 1180 RPM"), QStringLiteral("in0 (nct6798): 1.02 V")});
    save(info, QStringLiteral("info"));
}

void ScreenshotTest::seriesPanel() {
    MainView view;
    fillView(view, kBoxKindPlus);
    view.show();
    view.findChild<QAbstractButton*>(QStringLiteral("btn_series"))->click();
    view.seriesView()->lightModeRight();
    for (const char* led : {"1", "4", "7"})
        view.seriesView()->findChild<QAbstractButton*>(QLatin1String(led))->click();
    save(view, QStringLiteral("series"));
}

void ScreenshotTest::mainViewWithCoupler() {
    MainView view;
    fillView(view, kBoxKindCoupler);
    PortViewState state = portState(3, 1, 0, QStringLiteral("Desk strip"));
    state.red[12] = 255;
    state.green[12] = 60;
    state.blue[12] = 170;
    view.plusView(0)->resetFanView(state);
    view.show();
    save(view, QStringLiteral("main-coupler"));
    state.isTurnOffLed = true;
    view.plusView(0)->resetFanView(state);
    save(*view.couplerView(), QStringLiteral("coupler-view-off"));
}

QTEST_MAIN(ScreenshotTest)
#include "tst_screenshots.moc"
