#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

namespace zyne {

// The text of one INI file in the format the Qt settings store writes: "[Group]" headers,
// "key=value" lines, a blank line between groups; values escaped and quoted as the store does
// (quotes around values holding "," ";" "=" or edge blanks, \x escapes outside printable ASCII),
// so files move freely between this program's versions. Whatever the store reads is read the same
// way (a UTF-8 byte-order mark, comments after headers, CR, LF or CRLF line ends, "\" joining
// lines). Lines that can't be read (comments too) are kept and written back after their group's
// keys; keys nobody sets keep their bytes.
class IniDocument {
public:
    static IniDocument parse(const QByteArray& bytes);
    QByteArray serialized() const;

    // False when a line could not be read (it is still kept).
    bool isWellFormed() const { return m_wellFormed; }
    bool contains(const QString& group, const QString& key) const;
    // The value as text; a list written without quotes comes back joined with ",". Empty when missing.
    QString value(const QString& group, const QString& key) const;
    // The group's keys, sorted as text; none when the group is missing.
    QStringList keys(const QString& group) const;
    void setValue(const QString& group, const QString& key, const QString& text);

private:
    struct Group {
        QString name;
        QMap<QString, QByteArray> rawValues; // sorted by key, as the store writes them
        bool fromFile = false;               // new groups follow, sorted by name
        // Lines kept as they were. A group without a place (lines before the first header, or
        // under a header that can't be read) has no name and is never looked up.
        QVector<QByteArray> keptLines;
        bool placeless = false;
        QByteArray rawHeader;
    };
    int groupIndex(const QString& name) const; // -1 when missing
    int ensureGroup(const QString& name);

    QVector<Group> m_groups;
    bool m_wellFormed = true;
};

QString unescapedIniValue(const QByteArray& raw);
QByteArray escapedIniValue(const QString& text);

} // namespace zyne
