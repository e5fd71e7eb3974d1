#include "WindowMessageNames.h"

#include <QCoreApplication>

#include <array>

namespace zyne {

namespace {
// How a name's words become wParam and lParam.
enum class Form {
    Fixed,         // no words: wParam and lParam as given
    Switch,        // on|off -> wParam 1|0
    Number,        // N -> wParam N (checked against first..last)
    CountedFrom1,  // N (first..last) -> wParam N - 1
    PortAndNumber, // PORT N -> wParam N, lParam PORT - 1
    PortAndStep,   // PORT left|right -> wParam 0|1, lParam PORT - 1
};

struct NamedMessage {
    const char* name;
    quint32 msg;
    Form form;
    quint32 wParam; // Fixed only
    quint32 lParam; // Fixed only
    quint32 first;
    quint32 last;
    const char* arguments;
    const char* help;
};

constexpr quint32 kAny = 0xFFFFFFFFu;
constexpr quint32 kPorts = 5;

constexpr std::array<NamedMessage, 15> kNames{{
    {"show", 0x8101, Form::Fixed, 1, 1, 0, 0, "", "show the window"},
    {"hide", 0x8101, Form::Fixed, 0, 0, 0, 0, "", "hide the window (the tray stays)"},
    {"auto-update", 0x8102, Form::Switch, 0, 0, 0, 1, "on|off", "switch the update check"},
    {"lock", 0x8103, Form::Switch, 0, 0, 0, 1, "on|off", "switch the password lock"},
    {"password", 0x8104, Form::Number, 0, 0, 0, 9999, "N", "set the four-digit password (0: lock off)"},
    {"close", 0x8105, Form::Fixed, 1, 0, 0, 0, "", "close the (invisible) main window"},
    {"box", 0x8106, Form::CountedFrom1, 0, 0, 1, 16, "N", "show controller box N (1-16)"},
    {"profile", 0x8107, Form::CountedFrom1, 0, 0, 1, 5, "N", "make profile N (1-5) the current one"},
    {"performance", 0x8109, Form::Fixed, 0, 0, 0, 0, "", "performance preset (logged only)"},
    {"silent", 0x8110, Form::Fixed, 0, 0, 0, 0, "", "silent preset (logged only)"},
    {"brightness", 0x8117, Form::PortAndNumber, 0, 0, 0, 10, "PORT N",
     "brightness step N (0-10) of port PORT"},
    {"leds", 0x8120, Form::PortAndNumber, 0, 0, 0, 0xFFF, "PORT BITS", "select the LEDs in BITS (12 bits)"},
    {"light-mode", 0x8122, Form::PortAndNumber, 0, 0, 0, kAny, "PORT N", "light mode N of port PORT"},
    {"colour-mode", 0x8124, Form::PortAndNumber, 0, 0, 0, 2, "PORT N",
     "colour mode N (0 RGB, 1 single, 2 off)"},
    {"light-speed", 0x8126, Form::PortAndNumber, 0, 0, 0, 3, "PORT N", "light speed N (0-3) of port PORT"},
}};
// The one name whose second word is a direction.
constexpr NamedMessage kSpeedStep{"light-speed-step",
                                  0x8125,
                                  Form::PortAndStep,
                                  0,
                                  0,
                                  0,
                                  0,
                                  "PORT left|right",
                                  "step the light speed of port PORT"};

QString tr(const char* text) {
    return QCoreApplication::translate("vx-zyne-msg", text);
}

// Decimal, or hex after "0x": a leading zero is not octal ("password 0042" is 42).
std::optional<quint32> number(const QString& word) {
    const QString text = word.trimmed();
    const bool hex = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive);
    bool ok = false;
    const quint32 value = hex ? text.mid(2).toUInt(&ok, 16) : text.toUInt(&ok, 10);
    return ok ? std::optional<quint32>(value) : std::nullopt;
}

const NamedMessage* find(const QString& name) {
    if (name == QLatin1String(kSpeedStep.name))
        return &kSpeedStep;
    for (const NamedMessage& named : kNames) {
        if (name == QLatin1String(named.name))
            return &named;
    }
    return nullptr;
}

std::optional<WindowMessage> fromName(const NamedMessage& named, const QStringList& words, QString* error) {
    const auto refuse = [&](const QString& why) -> std::optional<WindowMessage> {
        *error = QStringLiteral("%1: %2 (%1 %3)")
                     .arg(QLatin1String(named.name), why, QLatin1String(named.arguments));
        return std::nullopt;
    };
    const int wanted = named.form == Form::Fixed                                              ? 0
                       : named.form == Form::PortAndNumber || named.form == Form::PortAndStep ? 2
                                                                                              : 1;
    if (words.size() != wanted)
        return refuse(QCoreApplication::translate("vx-zyne-msg", "takes %n word(s)", nullptr, wanted));
    WindowMessage message{named.msg, named.wParam, named.lParam};
    if (named.form == Form::Fixed)
        return message;
    if (named.form == Form::Switch) {
        if (words[0] != QLatin1String("on") && words[0] != QLatin1String("off"))
            return refuse(tr("on or off"));
        message.wParam = words[0] == QLatin1String("on") ? 1 : 0;
        return message;
    }
    QString value = words.last();
    if (named.form == Form::PortAndNumber || named.form == Form::PortAndStep) {
        const auto port = number(words[0]);
        if (!port || *port < 1 || *port > kPorts)
            return refuse(tr("PORT is 1-5"));
        message.lParam = *port - 1;
    }
    if (named.form == Form::PortAndStep) {
        if (value != QLatin1String("left") && value != QLatin1String("right"))
            return refuse(tr("left or right"));
        message.wParam = value == QLatin1String("right") ? 1 : 0;
        return message;
    }
    const auto n = number(value);
    if (!n || *n < named.first || (named.last != kAny && *n > named.last))
        return refuse(tr("%1 is out of range").arg(value));
    message.wParam = named.form == Form::CountedFrom1 ? *n - 1 : *n;
    return message;
}
} // namespace

std::optional<WindowMessage> windowMessageFromWords(const QStringList& words, QString* error) {
    if (words.isEmpty()) {
        *error = tr("no message given");
        return std::nullopt;
    }
    if (const NamedMessage* named = find(words.first()))
        return fromName(*named, words.mid(1), error);
    const auto msg = number(words.first());
    if (!msg) {
        *error = tr("unknown message \"%1\"").arg(words.first());
        return std::nullopt;
    }
    std::optional<quint32> wParam, lParam;
    if (words.size() == 3) {
        wParam = number(words[1]);
        lParam = number(words[2]);
    }
    if (!wParam || !lParam) {
        *error = tr("a message by number takes MSG WPARAM LPARAM, each a 32-bit number");
        return std::nullopt;
    }
    return WindowMessage{*msg, *wParam, *lParam};
}

QString windowMessageNamesHelp() {
    QString help;
    const auto line = [&](const NamedMessage& named) {
        const QString call = QLatin1String(named.name) + QLatin1Char(' ') + QLatin1String(named.arguments);
        help += QStringLiteral("  %1 %2 (0x%3)\n")
                    .arg(call.trimmed(), -22)
                    .arg(tr(named.help))
                    .arg(named.msg, 0, 16);
    };
    for (const NamedMessage& named : kNames)
        line(named);
    line(kSpeedStep);
    return help;
}

} // namespace zyne
