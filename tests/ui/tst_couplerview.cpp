// The coupler's view inside the main view: every click leaves through port 0's view as the lists the
// main window applies, and the view shows what the main window writes into that port.
#include "CouplerPlusView.h"
#include "FanNameLineEdit.h"
#include "MainView.h"
#include "Pictures.h"

#include <QAbstractButton>
#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

using namespace zyne::ui;

namespace {
struct CouplerShown {
    CouplerShown() {
        view.setBoxType(kBoxKindCoupler);
        view.show();
    }
    QAbstractButton* button(const char* name) const {
        return coupler()->findChild<QAbstractButton*>(QLatin1String(name));
    }
    CouplerPlusView* coupler() const { return view.couplerView(); }
    MainView view;
};

QStringList lastList(const QSignalSpy& spy) {
    return spy.isEmpty() ? QStringList() : spy.last().at(0).toStringList();
}

QStringList lighting(const char* word, int lightMode, int colorMode) {
    return {QLatin1String(word), QStringLiteral("0"), QString::number(lightMode), QStringLiteral("2"),
            QString::number(colorMode)};
}
} // namespace

class CouplerViewTest : public QObject {
    Q_OBJECT
private slots:
    void onlyTheCouplerKindShowsIt();
    void modeButtonsExcludeEachOther();
    void paletteLightsTheWholeDevice();
    void brightnessTurnOffMonitorAndName();
    void followsThePortStateSilently();
};

void CouplerViewTest::onlyTheCouplerKindShowsIt() {
    CouplerShown shown;
    QVERIFY(shown.coupler()->isVisible());
    QVERIFY(!shown.view.plusView(0)->isVisible());
    QVERIFY(!shown.view.classicView(0)->isVisible());
    QCOMPARE(shown.button("btn_fanNum")->text(), QStringLiteral("Coupler Plus"));
    for (int kind : {kBoxKindClassic, kBoxKindPlus, kBoxKindAwt}) {
        shown.view.setBoxType(kind);
        QVERIFY(!shown.coupler()->isVisible());
    }
}

void CouplerViewTest::modeButtonsExcludeEachOther() {
    CouplerShown shown;
    QSignalSpy sent(&shown.view, &MainView::sendData);
    QTest::mouseClick(shown.button("btn_Blink"), Qt::LeftButton);
    // One list per click, with the whole device in one colour.
    QCOMPARE(sent.size(), 1);
    QCOMPARE(lastList(sent), lighting("btn_done", 3, 1));
    QTest::mouseClick(shown.button("btn_RGB"), Qt::LeftButton);
    QCOMPARE(lastList(sent), lighting("btn_done", 1, 1));
    QVERIFY(shown.button("btn_RGB")->isChecked());
    QVERIFY(!shown.button("btn_Blink")->isChecked());
    QTest::mouseClick(shown.button("btn_Flash"), Qt::LeftButton);
    QCOMPARE(lastList(sent), lighting("btn_done", 4, 1));
    // Unchecking the checked mode leaves the colour lit steadily.
    QTest::mouseClick(shown.button("btn_Flash"), Qt::LeftButton);
    QCOMPARE(lastList(sent), lighting("btn_done", 6, 1));
    QVERIFY(!shown.button("btn_Flash")->isChecked());
    QCOMPARE(shown.view.plusView(0)->lightMode(), 6);
}

void CouplerViewTest::paletteLightsTheWholeDevice() {
    CouplerShown shown;
    QSignalSpy colours(&shown.view, &MainView::sendRGBData);
    QSignalSpy sent(&shown.view, &MainView::sendData);
    const QPoint offset(50, -20);
    const QPoint at = shown.coupler()->paletteCentre() + offset;
    const QColor expected = paletteColourAt(pictureImage(QStringLiteral("palette.png")),
                                            CouplerPlusView::kPaletteSize, offset, 72);
    QVERIFY(expected.isValid());
    QTest::mouseClick(shown.coupler(), Qt::LeftButton, {}, at);
    QCOMPARE(colours.size(), 1);
    const QList<QVariant> data = colours.last();
    QCOMPARE(data.at(0).toStringList().at(12), QString::number(expected.red()));
    QCOMPARE(data.at(1).toStringList().at(12), QString::number(expected.green()));
    QCOMPARE(data.at(2).toStringList().at(12), QString::number(expected.blue()));
    QCOMPARE(data.at(4).toInt(), 0);
    QCOMPARE(data.at(5).toString(), QStringLiteral("111111111111"));
    QCOMPARE(lastList(sent).at(4), QStringLiteral("1"));

    // Outside the wheel nothing is picked; in the colour cycle the wheel waits.
    QTest::mouseClick(shown.coupler(), Qt::LeftButton, {}, shown.coupler()->paletteCentre() + QPoint(0, 90));
    QCOMPARE(colours.size(), 1);
    QTest::mouseClick(shown.button("btn_RGB"), Qt::LeftButton);
    QTest::mouseClick(shown.coupler(), Qt::LeftButton, {}, at);
    QCOMPARE(colours.size(), 1);
}

void CouplerViewTest::brightnessTurnOffMonitorAndName() {
    CouplerShown shown;
    QSignalSpy sent(&shown.view, &MainView::sendData);
    // The port starts in per-LED colours with none selected: the coupler first makes it one colour,
    // so the brightness always reaches the device.
    shown.coupler()->findChild<QSlider*>(QStringLiteral("slider_Light"))->setValue(4);
    QCOMPARE(sent.size(), 2);
    QCOMPARE(sent.at(0).at(0).toStringList().at(4), QStringLiteral("1"));
    const QStringList brightness = lastList(sent);
    QCOMPARE(brightness.at(0), QStringLiteral("slider_Light"));
    QCOMPARE(brightness.at(5).split(QLatin1Char(',')).at(12), QStringLiteral("0.4"));

    QTest::mouseClick(shown.button("btn_turnoff"), Qt::LeftButton);
    QCOMPARE(lastList(sent).first(), QStringLiteral("btn_turnoff"));
    QVERIFY(shown.view.plusView(0)->isTurnedOff());
    QTest::mouseClick(shown.button("btn_turnoff"), Qt::LeftButton);
    QCOMPARE(lastList(sent).first(), QStringLiteral("btn_turnon"));

    QTest::mouseClick(shown.button("btn_monitor"), Qt::LeftButton);
    QCOMPARE(lastList(sent), (QStringList{QStringLiteral("pushMonitor"), QStringLiteral("0"), QStringLiteral("0")}));
    QVERIFY(!shown.button("btn_monitor")->isChecked());

    shown.view.activateWindow();
    QTest::mouseClick(shown.button("btn_editFanName"), Qt::LeftButton);
    auto* edit = shown.coupler()->findChild<FanNameLineEdit*>();
    QVERIFY(edit->isVisible());
    edit->setText(QStringLiteral("Desk strip, \u5DE6 \"A\""));
    emit edit->focussed(false);
    QCOMPARE(lastList(sent),
             (QStringList{QStringLiteral("finishEdit"), QStringLiteral("0"), QStringLiteral("Desk strip, \u5DE6 \"A\"")}));
    QVERIFY(!edit->isVisible());
    QCOMPARE(shown.coupler()->findChild<QLabel*>(QStringLiteral("label_editFanNameLine"))->text(),
             QStringLiteral("Desk strip, \u5DE6 \"A\""));
}

void CouplerViewTest::followsThePortStateSilently() {
    CouplerShown shown;
    QSignalSpy sent(&shown.view, &MainView::sendData);
    PortViewState state;
    state.lightMode = 4;
    state.colorMode = 1;
    state.bright.fill(1.0F);
    state.bright[12] = 0.3F;
    state.isTurnOffLed = true;
    state.monitor = false;
    state.fanName = QStringLiteral("Case");
    shown.view.plusView(0)->resetFanView(state);
    QVERIFY(shown.button("btn_Flash")->isChecked());
    QVERIFY(!shown.button("btn_RGB")->isChecked() && !shown.button("btn_Blink")->isChecked());
    QVERIFY(shown.button("btn_turnoff")->isChecked());
    QVERIFY(!shown.button("btn_monitor")->isChecked());
    QCOMPARE(shown.coupler()->findChild<QSlider*>(QStringLiteral("slider_Light"))->value(), 3);
    QCOMPARE(shown.coupler()->findChild<QLabel*>(QStringLiteral("label_editFanNameLine"))->text(),
             QStringLiteral("Case"));
    QVERIFY(sent.isEmpty());
}

QTEST_MAIN(CouplerViewTest)
#include "tst_couplerview.moc"
