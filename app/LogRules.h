#pragma once

#include <QString>
#include <QVector>
#include <QtGlobal>

namespace zyne {

// The user's Qt logging rules ("zyne.plus.debug=true", "zyne.*=true", "*.info=false"), read only
// to learn which lines below warning the user asked to see on stderr.
class LogRules {
public:
    enum class Form {
        Environment, // QT_LOGGING_RULES: rules separated by ';'
        File,        // qtlogging.ini: one rule a line, under [Rules]
    };
    // Later rules win over earlier ones; other sections, comments and malformed lines are skipped.
    void addRules(const QString& text, Form form);
    // True when the last rule naming this category and level turns it on.
    bool asksFor(const QString& category, QtMsgType type) const;

private:
    struct Rule {
        QString pattern; // the category, with an optional '*' at either end
        int level = -1;  // a QtMsgType, or -1 for every level
        bool enabled = false;
    };
    static bool matches(const QString& pattern, const QString& category);

    QVector<Rule> m_rules;
};

// The rules of this process's environment: $QT_LOGGING_CONF, the user's QtProject/qtlogging.ini
// and $QT_LOGGING_RULES, in Qt's order (later ones win).
LogRules userLogRules();

} // namespace zyne
