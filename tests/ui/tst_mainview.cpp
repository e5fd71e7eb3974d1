// The main view driven by mouse clicks: what it emits, what it ignores, what it shows.
#include "MainView.h"
#include "PlusCarousel.h"

#include <QAbstractButton>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTranslator>
#include <QtTest>

using namespace zyne::ui;

namespace {
template <typename T = QAbstractButton> T* child(QWidget& view, const QString& name) {
    T* found = view.findChild<T*>(name);
    if (!found)
        qWarning() << "no child" << name;
    return found;
}

QAbstractButton* boxButton(MainView& view, int box) {
    return child<QScrollArea>(view, QStringLiteral("boxBar"))
        ->widget()
        ->findChild<QAbstractButton*>(QString::number(box));
}

QAbstractButton* key(MainView& view, int number) {
    return child(view, QStringLiteral("Keyboard%1").arg(number));
}

QStringList lastList(const QSignalSpy& spy) {
    return spy.isEmpty() ? QStringList() : spy.last().at(0).toStringList();
}
} // namespace

class MainViewTest : public QObject {
    Q_OBJECT
private slots:
    void boxButtons();
    void boxBarArrows();
    void profilesAndSave();
    void keypadNeedsFourDigits();
    void settingsMenuSwitches();
    void errorLineKeepsTextForUnknownTypes();
    void backViewClickRotatesAndIsNotForwarded();
    void plusViewListsPassUnchanged();
    void temperatureLabel();
    void languageSwitchReappliesEveryText();
    void errorLineShowsItsWholeText();
    void everyCatalogueCarriesEveryKey();
};

void MainViewTest::boxButtons() {
    MainView view;
    view.setBoxPresent(0, true);
    view.setBoxPresent(3, true);
    view.selectBoxButton(0);
    view.show();
    QSignalSpy sent(&view, &MainView::sendData);

    QTest::mouseClick(boxButton(view, 3), Qt::LeftButton);
    QCOMPARE(lastList(sent), QStringList({"changeControllerBox", "3"}));
    QCOMPARE(view.selectedBox(), 3);
    // The same box again still asks for it.
    QTest::mouseClick(boxButton(view, 3), Qt::LeftButton);
    QCOMPARE(sent.count(), 2);
    QCOMPARE(lastList(sent), QStringList({"changeControllerBox", "3"}));
    // A grey box does nothing, and stays unchecked.
    QTest::mouseClick(boxButton(view, 5), Qt::LeftButton);
    QCOMPARE(sent.count(), 2);
    QVERIFY(!boxButton(view, 5)->isChecked());
    // A box that leaves while selected loses its check.
    view.setBoxPresent(3, false);
    QVERIFY(!boxButton(view, 3)->isChecked());
    QVERIFY(!boxButton(view, 3)->isCheckable());
}

void MainViewTest::boxBarArrows() {
    MainView view;
    view.show();
    QScrollBar* bar = child<QScrollArea>(view, QStringLiteral("boxBar"))->horizontalScrollBar();
    QCOMPARE(bar->maximum(), 495);
    for (int i = 0; i < 12; ++i)
        QTest::mouseClick(child(view, QStringLiteral("ArrowRight")), Qt::LeftButton);
    QCOMPARE(bar->value(), 495);
    bar->setValue(30);
    QTest::mouseClick(child(view, QStringLiteral("ArrowLeft")), Qt::LeftButton);
    QCOMPARE(bar->value(), 0);
}

void MainViewTest::profilesAndSave() {
    MainView view;
    view.show();
    QSignalSpy sent(&view, &MainView::sendData);
    QTest::mouseClick(child(view, QStringLiteral("3")), Qt::LeftButton);
    QCOMPARE(lastList(sent), QStringList({"selectProfile", "4"}));
    QCOMPARE(view.selectedProfile(), 4);
    QTest::mouseClick(child(view, QStringLiteral("btn_save")), Qt::LeftButton);
    QCOMPARE(lastList(sent), QStringList({"saveProfile", "4"}));
    view.setSelectedProfile(2);
    QVERIFY(child(view, QStringLiteral("1"))->isChecked());
    view.setSelectedProfile(9); // out of range: nothing changes
    QVERIFY(child(view, QStringLiteral("1"))->isChecked());
}

void MainViewTest::keypadNeedsFourDigits() {
    MainView view;
    view.setPassword(QStringLiteral("5173"));
    view.show();
    QSignalSpy sent(&view, &MainView::sendData);
    QTest::mouseClick(child(view, QStringLiteral("MutiLang9")), Qt::LeftButton);
    auto* mask = child<QLabel>(view, QStringLiteral("passwordMask"));
    QVERIFY(mask->isVisible());
    // The keypad shows the stored password; clear empties all four places.
    QCOMPARE(child<QLabel>(view, QStringLiteral("passwordDigit3"))->text(), QStringLiteral("3"));
    QTest::mouseClick(key(view, 11), Qt::LeftButton);
    for (int i = 0; i < 4; ++i)
        QVERIFY(child<QLabel>(view, QStringLiteral("passwordDigit%1").arg(i))->text().isEmpty());

    for (int k : {2, 0, 9})
        QTest::mouseClick(key(view, k), Qt::LeftButton);
    QTest::mouseClick(key(view, 10), Qt::LeftButton);
    QVERIFY(sent.isEmpty());
    QVERIFY(mask->isVisible());

    QTest::mouseClick(key(view, 4), Qt::LeftButton);
    QTest::mouseClick(key(view, 7), Qt::LeftButton); // a fifth digit has no place
    QTest::mouseClick(key(view, 10), Qt::LeftButton);
    QCOMPARE(lastList(sent), QStringList({"saveDevice", "0", "2094"}));
    QVERIFY(!mask->isVisible());
    QCOMPARE(child(view, QStringLiteral("MutiLang9"))->text(), QStringLiteral("Password:2094"));
}

void MainViewTest::settingsMenuSwitches() {
    MainView view;
    view.show();
    QSignalSpy sent(&view, &MainView::sendData);
    auto* menu = child<QLabel>(view, QStringLiteral("menu_Language"));
    QVERIFY(!menu->isVisible());
    view.mutiLanguageWidget();
    QVERIFY(menu->isVisible());
    QTest::mouseClick(child(view, QStringLiteral("MutiLang3")), Qt::LeftButton);
    QCOMPARE(lastList(sent), QStringList({"changeLanguage", "3"}));
    QVERIFY(!menu->isVisible());

    QTest::mouseClick(child(view, QStringLiteral("MutiLang7")), Qt::LeftButton);
    QCOMPARE(lastList(sent), QStringList({"AutoUpdate", "1"}));
    QCOMPARE(child(view, QStringLiteral("MutiLang7"))->text(), QStringLiteral("Auto Update On"));
    QTest::mouseClick(child(view, QStringLiteral("MutiLang8")), Qt::LeftButton);
    QCOMPARE(lastList(sent), QStringList({"Password", "1"}));
    QTest::mouseClick(child(view, QStringLiteral("MutiLang8")), Qt::LeftButton);
    QCOMPARE(lastList(sent), QStringList({"Password", "0"}));
    QCOMPARE(child(view, QStringLiteral("MutiLang8"))->text(), QStringLiteral("Password Off"));
    QTest::mouseClick(child(view, QStringLiteral("btnSyncPwrix")), Qt::LeftButton);
    QCOMPARE(lastList(sent), QStringList({"btnSyncPwrix", "1"}));
    QCOMPARE(child(view, QStringLiteral("btnSyncPwrix"))->text(), QStringLiteral("Sync Pwrix On"));

    // A press anywhere else closes an open menu.
    view.mutiLanguageWidget();
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(500, 20));
    QVERIFY(!menu->isVisible());
}

void MainViewTest::errorLineKeepsTextForUnknownTypes() {
    MainView view;
    view.show();
    auto* line = child<QLabel>(view, QStringLiteral("label_error"));
    view.showBoxWarning(false, 0, 2);
    QCOMPARE(line->text(), QStringLiteral("Error_Code_H_0x0003 (Error Code:H_0x0003)"));
    QVERIFY(line->isVisible());
    view.showBoxWarning(false, 5, 0);
    QCOMPARE(line->text(), QStringLiteral("Error_Code_H_0x0003 (Error Code:H_0x0003)"));
    view.showBoxWarning(true, 0, 9);
    QVERIFY(!line->isVisible());
    QCOMPARE(line->text(), QStringLiteral("Error_Code_H_0x0003 (Error Code:H_0x0003)"));
}

void MainViewTest::backViewClickRotatesAndIsNotForwarded() {
    MainView view;
    view.show();
    QSignalSpy sent(&view, &MainView::sendData);
    RainbowFan* back = view.plusView(3);
    QCOMPARE(back->fanLocation(), 3);
    QTest::mouseClick(back, Qt::LeftButton, {}, QPoint(160, 200));
    QVERIFY(sent.isEmpty());
    QTRY_VERIFY(!view.carousel()->isRotating());
    // Clockwise: every view one slot down, 0 to 4.
    QCOMPARE(view.plusView(0)->fanLocation(), 4);
    QCOMPARE(view.plusView(1)->fanLocation(), 0);
    QCOMPARE(view.plusView(3)->fanLocation(), 2);
    QCOMPARE(view.plusView(3)->geometry(), carouselSlotRect(2));
    // Now view 1 sits in slot 0 and view 0 in the back-left slot: counter-clockwise from there.
    QTest::mouseClick(view.plusView(0), Qt::LeftButton, {}, QPoint(160, 200));
    QTRY_VERIFY(!view.carousel()->isRotating());
    for (int port = 0; port < 5; ++port)
        QCOMPARE(view.plusView(port)->fanLocation(), port);
}

void MainViewTest::plusViewListsPassUnchanged() {
    MainView view;
    view.show();
    QSignalSpy sent(&view, &MainView::sendData);
    QSignalSpy colours(&view, &MainView::sendRGBData);
    RainbowFan* front = view.plusView(1);
    QTest::mouseClick(child(*front, QStringLiteral("btn_silent")), Qt::LeftButton);
    QCOMPARE(sent.first().at(0).toStringList(), QStringList({"btn_silent", "1"}));
    QTest::mouseClick(child(*front, QStringLiteral("btn_default")), Qt::LeftButton);
    QCOMPARE(colours.count(), 1);
    QCOMPARE(colours.last().at(4).toInt(), 1);
}

void MainViewTest::temperatureLabel() {
    MainView view;
    auto* label = child<QLabel>(view, QStringLiteral("label_temperature"));
    QCOMPARE(label->text(), QStringLiteral("TEMP"));
    view.setTemperature(37);
    QCOMPARE(label->text(), QStringLiteral("TEMP:37\u00B0C / 98\u00B0F"));
    view.resetLanguage(3);
    QCOMPARE(label->text(), QStringLiteral("TEMP:37\u00B0C / 98\u00B0F"));
}

void MainViewTest::languageSwitchReappliesEveryText() {
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/Language/");
    QTranslator translator;
    QVERIFY(translator.load(folder + QStringLiteral("en.qm")));
    QCoreApplication::installTranslator(&translator);
    MainView view;
    view.show();
    view.showBoxWarning(false, 0, 0);
    auto* line = child<QLabel>(view, QStringLiteral("label_error"));
    QCOMPARE(line->text(), QStringLiteral("Could not find Fan Controller, please check the Fan Controller is "
                                          "connected. (Error Code:H_0x0001)"));
    QCOMPARE(child(view, QStringLiteral("MutiLang1"))->text(), QStringLiteral("正體中文"));
    QCOMPARE(child(view, QStringLiteral("MutiLang0"))->text(), QStringLiteral("English"));
    RainbowFan* fan = view.plusView(1);
    PortViewState state;
    state.lightMode = 0;
    state.bright.fill(1.0F);
    fan->resetFanView(state);
    QCOMPARE(fan->findChild<QLabel*>(QStringLiteral("label_lightModeName"))->text(), QStringLiteral("Flow"));
    QCOMPARE(fan->findChild<QAbstractButton*>(QStringLiteral("btn_performance"))->text(),
             QStringLiteral("Perfor-\nmance"));

    QVERIFY(translator.load(folder + QStringLiteral("de.qm")));
    view.resetLanguage(3);
    QCOMPARE(child(view, QStringLiteral("btn_save"))->text(), QStringLiteral("SPEICHERN"));
    QCOMPARE(child(view, QStringLiteral("0"))->text(), QStringLiteral("PROFIL1"));
    QVERIFY(child(view, QStringLiteral("MutiLang3"))->isChecked());
    QVERIFY(line->text().startsWith(QStringLiteral("Kein Lüftersteuergerät gefunden.")));
    QVERIFY(line->text().endsWith(QStringLiteral(" (Error Code:H_0x0001)")));
    QCOMPARE(fan->findChild<QLabel*>(QStringLiteral("label_lightModeName"))->text(),
             QStringLiteral("Fließen"));
    QCOMPARE(fan->findChild<QAbstractButton*>(QStringLiteral("btn_silent"))->text(), QStringLiteral("Leise"));
    QCOMPARE(view.classicView(2)->findChild<QAbstractButton*>(QStringLiteral("Performance"))->text(),
             QStringLiteral("Leis-\ntung"));
    QCOMPARE(view.classicView(2)->findChild<QLabel*>(QStringLiteral("RPM"))->text(), QStringLiteral("60 %"));
    QCoreApplication::removeTranslator(&translator);
}

void MainViewTest::errorLineShowsItsWholeText() {
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/Language/");
    MainView view;
    view.show();
    auto* line = child<QLabel>(view, QStringLiteral("label_error"));
    QTranslator translator;
    QCoreApplication::installTranslator(&translator);
    for (const char* language : {"en", "tc", "cn", "de", "fr", "jp", "th"}) {
        QVERIFY(translator.load(folder + QLatin1String(language) + QStringLiteral(".qm")));
        view.resetLanguage(0);
        for (const auto& [type, index] : {std::pair{0, 0}, {0, 1}, {0, 2}, {0, 3}, {1, 0}}) {
            view.showBoxWarning(false, type, index);
            // Every word of it inside the red line, none cut off at its ends.
            const QRect room = line->contentsRect();
            const QRect needed =
                line->fontMetrics().boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, line->text());
            QVERIFY2(room.contains(needed),
                     qPrintable(QLatin1String(language) + QLatin1Char(' ') + line->text()));
        }
    }
    QCoreApplication::removeTranslator(&translator);
}

void MainViewTest::everyCatalogueCarriesEveryKey() {
    // Keys shown as themselves in every language.
    const QStringList untranslated = {"Error_Code_S_0x0002", "Error Code", "Cross",  "V.X",
                                      "Shooting Start",      "Black Hole", "Aurora", "N3 RGB Sync"};
    const QStringList mainKeys = {"Error_Code_H_0x0001",
                                  "Error_Code_H_0x0002",
                                  "Error_Code_H_0x0003",
                                  "Error_Code_H_0x0004",
                                  "Error_Code_S_0x0010",
                                  "Error_Code_S_0x0011",
                                  "IP Address",
                                  "PROFILE",
                                  "Password",
                                  "SAVE",
                                  "TEMP",
                                  "en",
                                  "tc",
                                  "cn",
                                  "de",
                                  "fr",
                                  "jp",
                                  "th"};
    const QStringList fanKeys = {"RGB",
                                 "Single",
                                 "OFF",
                                 "Snake",
                                 "Cycle",
                                 "Radar",
                                 "Blink",
                                 "Breath",
                                 "Whirl",
                                 "Light",
                                 "Copy",
                                 "Music_1",
                                 "Music_2",
                                 "Music_3",
                                 "Mobile_1",
                                 "Mobile_2",
                                 "Mobile_3",
                                 "Temperature",
                                 "So Fast",
                                 "Fast",
                                 "Normal",
                                 "Slow",
                                 "Perfor-mance",
                                 "Silent",
                                 "PWM",
                                 "Performance",
                                 "Color Mode",
                                 "Light Mode",
                                 "Light Speed",
                                 "Done",
                                 "Default",
                                 "Color",
                                 "LED BRIGHTNESS",
                                 "FAN",
                                 "OK",
                                 "Cancel",
                                 "Error_Code_S_0x0010"};
    const QStringList windowKeys = {"Launch Zyne Plus RGB", " Run Zyne Plus RGB Program when Windows starts",
                                    "Exit", "IP Address"};
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/Language/");
    for (const char* language : {"en", "tc", "cn", "de", "fr", "jp", "th"}) {
        QTranslator translator;
        QVERIFY2(translator.load(folder + QLatin1String(language) + QStringLiteral(".qm")), language);
        auto check = [&](const char* context, const QStringList& keys) {
            for (const QString& key : keys) {
                const QString text = translator.translate(context, key.toUtf8().constData());
                QVERIFY2(!text.isEmpty(), qPrintable(QStringLiteral("%1 %2 %3").arg(language, context, key)));
            }
        };
        check("MainView", mainKeys);
        check("RainbowFan", fanKeys);
        check("VxZyneRainbow", windowKeys);
        check("ZyneRGBFanView",
              {"Blink", "FAN", "FAN MODE", "LED BRIGHTNESS", "Perfor-mance", "Performance", "Silent", "PWM"});
        check("AlertView", {"Warning", "Controller No. ", "OK",
                            "A monitored fan on this controller has stopped. Please check that it is connected "
                            "and that nothing blocks its blades."});
        check("InSeries", {"All Fans", "Each Fan", "Color Mode", "Light Mode", "Light Speed"});
        check("InfoView", {"Information", "SENSOR READINGS",
                           "No sensor readings. The hardware monitors of this PC could not be read."});
        for (const QString& key : untranslated) {
            QVERIFY(translator.translate("MainView", key.toUtf8().constData()).isEmpty());
            QVERIFY(translator.translate("RainbowFan", key.toUtf8().constData()).isEmpty());
        }
        // Only English may give a key its own words.
        if (QLatin1String(language) != QLatin1String("en"))
            QVERIFY(translator.translate("MainView", "SAVE") != QStringLiteral("SAVE"));
    }
}

QTEST_MAIN(MainViewTest)
#include "tst_mainview.moc"
