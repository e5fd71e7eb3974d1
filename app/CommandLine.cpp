#include "CommandLine.h"

#include <QCoreApplication>

namespace zyne {

namespace {
QString tr(const char* text) {
    return QCoreApplication::translate("CommandLine", text);
}
} // namespace

CommandLine::CommandLine()
    // Not addHelpOption(): its --help-all lists Qt's own options, which are not taken here.
    : m_help(QStringList{QStringLiteral("h"), QStringLiteral("help")}, tr("Displays this help.")),
      m_version(m_parser.addVersionOption()),
      m_hidden(QStringLiteral("hidden"), tr("Start in the system tray without showing the window "
                                            "(the window shows anyway when the desktop has no tray).")),
      m_diagnose(QStringLiteral("diagnose"), tr("Print what the program finds (devices and their access, "
                                                "settings, sound and sensors) and exit; a running "
                                                "instance is left alone.")) {
    m_parser.setApplicationDescription(tr("Lighting and fan control for VX Zyne Plus RGB controllers."));
    m_parser.addOption(m_help);
    m_parser.addOption(m_hidden);
    m_parser.addOption(m_diagnose);
}

StartRequest CommandLine::parse(const QStringList& arguments) {
    StartRequest request;
    if (!m_parser.parse(arguments)) {
        m_error = m_parser.errorText();
        request.action = StartRequest::Action::Refuse;
        return request;
    }
    if (!m_parser.positionalArguments().isEmpty()) {
        m_error = tr("Unexpected argument '%1'.").arg(m_parser.positionalArguments().first());
        request.action = StartRequest::Action::Refuse;
        return request;
    }
    if (m_parser.isSet(m_help))
        request.action = StartRequest::Action::ShowHelp;
    else if (m_parser.isSet(m_version))
        request.action = StartRequest::Action::ShowVersion;
    else if (m_parser.isSet(m_diagnose))
        request.action = StartRequest::Action::Diagnose;
    request.hidden = m_parser.isSet(m_hidden);
    return request;
}

QString CommandLine::text(const StartRequest& request) const {
    switch (request.action) {
    case StartRequest::Action::ShowHelp:
        return m_parser.helpText();
    case StartRequest::Action::ShowVersion:
        return QCoreApplication::applicationName() + QLatin1Char(' ') +
               QCoreApplication::applicationVersion() + QLatin1Char('\n');
    case StartRequest::Action::Refuse:
        return m_error + QLatin1Char('\n') + m_parser.helpText();
    default:
        return {};
    }
}

} // namespace zyne
