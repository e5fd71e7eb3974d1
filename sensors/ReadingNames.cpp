#include "ReadingNames.h"

#include <QRegularExpression>
#include <QSet>

namespace zyne {

QString readingNameForLabel(const QString& label) {
    static const QRegularExpression core(QStringLiteral("^Core (\\d+)$"));
    static const QRegularExpression package(QStringLiteral("^Package id \\d+$"));
    const QRegularExpressionMatch coreMatch = core.match(label);
    if (coreMatch.hasMatch()) {
        return QStringLiteral("Core #") + coreMatch.captured(1);
    }
    if (package.match(label).hasMatch()) {
        return QStringLiteral("CPU Package");
    }
    if (label == QLatin1String("Tctl") || label == QLatin1String("Tdie")) {
        return QStringLiteral("CPU");
    }
    return label;
}

bool isCpuTemperatureName(const QString& name) {
    static const QSet<QString> accepted = [] {
        QSet<QString> names{QStringLiteral("Core MAX"), QStringLiteral("CPU"), QStringLiteral("CPU Package")};
        for (int i = 0; i < 8; ++i) {
            names.insert(QStringLiteral("Core #%1").arg(i));
            names.insert(QStringLiteral("CPU %1").arg(i));
            names.insert(QStringLiteral("Temperature %1").arg(i + 1));
        }
        return names;
    }();
    return accepted.contains(name);
}

} // namespace zyne
