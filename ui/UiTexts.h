#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// Translation contexts carry the bare class names the catalogues use (no namespace prefix).
namespace zyne::ui {

struct MainViewText {
    Q_DECLARE_TR_FUNCTIONS(MainView)
};
struct RainbowFanText {
    Q_DECLARE_TR_FUNCTIONS(RainbowFan)
};
struct ZyneRGBFanViewText {
    Q_DECLARE_TR_FUNCTIONS(ZyneRGBFanView)
};
struct AlertViewText {
    Q_DECLARE_TR_FUNCTIONS(AlertView)
};
struct InfoViewText {
    Q_DECLARE_TR_FUNCTIONS(InfoView)
};
struct CouplerPlusViewText {
    Q_DECLARE_TR_FUNCTIONS(CouplerPlusView)
};
struct InSeriesText {
    Q_DECLARE_TR_FUNCTIONS(InSeries)
};
struct VxZyneRainbowText {
    Q_DECLARE_TR_FUNCTIONS(VxZyneRainbow)
};

constexpr int kLanguageCount = 7;

// Translated names, looked up each time so a language switch shows at once.
QStringList languageNames();
QString lightModeName(int lightMode);
QString colorModeName(int colorMode);
QString lightSpeedName(int lightSpeed);

// The error line: message, then " (Error Code:" code ")". Types: 0 hardware, 1 software.
bool isKnownError(int type, int index);
QString errorLineText(int type, int index);

} // namespace zyne::ui
