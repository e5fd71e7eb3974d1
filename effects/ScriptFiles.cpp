#include "ScriptFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

Q_LOGGING_CATEGORY(lcEffects, "zyne.effects")

namespace zyne {

namespace {
constexpr int kLongestScriptName = 64;
} // namespace

std::optional<ScriptText> readScriptFile(const QString& path) {
    qCDebug(lcEffects) << "ssss:" << path;
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        qCWarning(lcEffects) << "script not read:" << path << file.errorString();
        return std::nullopt;
    }
    if (file.size() > kScriptFileLimit) {
        qCWarning(lcEffects) << "script not read:" << path << "is larger than" << kScriptFileLimit << "bytes";
        return std::nullopt;
    }
    const QByteArray bytes = file.read(kScriptFileLimit + 1);
    if (bytes.size() > kScriptFileLimit) {
        qCWarning(lcEffects) << "script not read:" << path << "grew past" << kScriptFileLimit << "bytes";
        return std::nullopt;
    }
    ScriptText script = readScriptText(bytes);
    qCDebug(lcEffects) << "count:" << script.count;
    if (script.skipped > 0)
        qCWarning(lcEffects) << "script" << path << "holds" << script.frames.size() << "of" << script.count
                             << "frames; the missing ones are skipped";
    return script;
}

bool isSafeScriptName(const QString& name) {
    if (name.isEmpty() || name.size() > kLongestScriptName || name.trimmed().isEmpty())
        return false;
    for (const QChar c : name) {
        const bool allowed =
            c.isLetterOrNumber() || c == QLatin1Char(' ') || c == QLatin1Char('-') || c == QLatin1Char('_');
        if (!allowed)
            return false;
    }
    return true;
}

QStringList scriptFolders() {
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QStringList folders;
    if (!dataHome.isEmpty())
        folders << dataHome + QStringLiteral("/vx-zyne-plus-rgb/Scripts");
    folders << QCoreApplication::applicationDirPath() + QStringLiteral("/Scripts");
    return folders;
}

QString findScriptByName(const QString& name, const QStringList& folders) {
    if (!isSafeScriptName(name)) {
        // Quoted, so control characters show escaped.
        qCWarning(lcEffects) << "script name refused:" << name.left(kLongestScriptName);
        return QString();
    }
    for (const QString& folder : folders) {
        const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".ini");
        if (QFileInfo(path).isFile())
            return path;
    }
    qCDebug(lcEffects) << "no script named" << name << "in" << folders;
    return QString();
}

} // namespace zyne
