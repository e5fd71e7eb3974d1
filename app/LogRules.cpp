#include "LogRules.h"

#include <QFile>
#include <QStandardPaths>
#include <QStringList>

namespace zyne {

namespace {
// A rules file is a few lines; anything longer is not one.
constexpr qint64 kRulesFileLimit = 64 * 1024;

int levelFromName(const QString& name) {
    if (name == QLatin1String("debug"))
        return QtDebugMsg;
    if (name == QLatin1String("info"))
        return QtInfoMsg;
    if (name == QLatin1String("warning"))
        return QtWarningMsg;
    if (name == QLatin1String("critical"))
        return QtCriticalMsg;
    return -2;
}

QString readRulesFile(const QString& path) {
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return QString();
    return QString::fromUtf8(file.read(kRulesFileLimit));
}
} // namespace

void LogRules::addRules(const QString& text, Form form) {
    const bool file = form == Form::File;
    QString section = file ? QString() : QStringLiteral("Rules");
    const QStringList lines = text.split(QLatin1Char(file ? '\n' : ';'));
    for (QString line : lines) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            section = line.mid(1, line.indexOf(QLatin1Char(']')) - 1).trimmed();
            continue;
        }
        const int equals = line.indexOf(QLatin1Char('='));
        if (section != QLatin1String("Rules") || line.startsWith(QLatin1Char(';')) || equals <= 0)
            continue;
        const QString value = line.mid(equals + 1).trimmed();
        if (value != QLatin1String("true") && value != QLatin1String("false"))
            continue;
        Rule rule;
        rule.pattern = line.left(equals).trimmed();
        rule.enabled = value == QLatin1String("true");
        const int dot = rule.pattern.lastIndexOf(QLatin1Char('.'));
        const int level = dot < 0 ? -2 : levelFromName(rule.pattern.mid(dot + 1));
        if (level >= 0) {
            rule.level = level;
            rule.pattern.truncate(dot);
        }
        if (!rule.pattern.isEmpty())
            m_rules.append(rule);
    }
}

bool LogRules::matches(const QString& pattern, const QString& category) {
    const bool head = pattern.startsWith(QLatin1Char('*'));
    const bool tail = pattern.size() > 1 && pattern.endsWith(QLatin1Char('*'));
    if (pattern == QLatin1String("*"))
        return true;
    const QString core = pattern.mid(head ? 1 : 0, pattern.size() - (head ? 1 : 0) - (tail ? 1 : 0));
    if (head && tail)
        return category.contains(core);
    if (head)
        return category.endsWith(core);
    if (tail)
        return category.startsWith(core);
    return category == core;
}

bool LogRules::asksFor(const QString& category, QtMsgType type) const {
    for (auto rule = m_rules.crbegin(); rule != m_rules.crend(); ++rule) {
        if ((rule->level < 0 || rule->level == type) && matches(rule->pattern, category))
            return rule->enabled;
    }
    return false;
}

LogRules userLogRules() {
    LogRules rules;
    rules.addRules(readRulesFile(QFile::decodeName(qgetenv("QT_LOGGING_CONF"))), LogRules::Form::File);
    rules.addRules(readRulesFile(QStandardPaths::locate(QStandardPaths::GenericConfigLocation,
                                                        QStringLiteral("QtProject/qtlogging.ini"))),
                   LogRules::Form::File);
    rules.addRules(QString::fromLocal8Bit(qgetenv("QT_LOGGING_RULES")), LogRules::Form::Environment);
    return rules;
}

} // namespace zyne
