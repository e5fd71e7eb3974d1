#include "IniDocument.h"

#include <QList>

#include <algorithm>

namespace zyne {

namespace {

bool isBlank(ushort c) {
    return c == ' ' || c == '\t';
}

bool isHexDigit(ushort c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    return (c | 0x20) - 'a' + 10;
}

QString latin1Trimmed(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.trimmed());
}

// The store escapes every control character, so a raw one means the line is damaged.
bool hasControlCharacter(const QByteArray& line) {
    return std::any_of(line.cbegin(), line.cend(), [](char c) { return uchar(c) < 0x20 && c != '\t'; });
}

char simpleEscape(char c) {
    switch (c) {
    case 'a':
        return '\a';
    case 'b':
        return '\b';
    case 'f':
        return '\f';
    case 'n':
        return '\n';
    case 'r':
        return '\r';
    case 't':
        return '\t';
    case 'v':
        return '\v';
    default:
        return c; // \" \' \? \\ and anything unknown stand for the character itself
    }
}

// The digits of a \x (hex) or \0-\7 (octal) escape, read greedily because the writer escapes a
// digit that follows an escape; the code is one UTF-16 unit.
ushort escapedCode(const QByteArray& raw, int& i, uint base, uint code) {
    while (i < raw.size()) {
        const char c = raw.at(i);
        const bool digit = base == 16 ? isHexDigit(uchar(c)) : (c >= '0' && c <= '7');
        if (!digit)
            break;
        code = (code * base + uint(hexValue(c))) & 0xFFFF;
        ++i;
    }
    return ushort(code);
}

// A value starting with "@" is a typed value of the store; only text types mean anything here.
QString untypedText(const QString& text) {
    if (text.startsWith(QLatin1String("@@")))
        return text.mid(1);
    if (text.startsWith(QLatin1String("@ByteArray(")) && text.endsWith(QLatin1Char(')')))
        return text.mid(11, text.size() - 12);
    if (text == QLatin1String("@Invalid()"))
        return {};
    return text;
}

} // namespace

QString unescapedIniValue(const QByteArray& raw) {
    QStringList parts;
    QString current;
    int keptLength = 0; // length without blanks trailing outside quotes
    bool inQuotes = false;
    bool atPartStart = true;
    int i = 0;
    const int size = raw.size();
    const auto appendChar = [&](QChar c, bool quoted) {
        current += c;
        if (quoted || !isBlank(c.unicode()))
            keptLength = current.size();
    };
    while (i < size) {
        const char c = raw.at(i++);
        if (atPartStart && !inQuotes && isBlank(c))
            continue;
        atPartStart = false;
        if (c == '"') {
            inQuotes = !inQuotes;
            keptLength = current.size();
        } else if (c == ',' && !inQuotes) {
            current.truncate(keptLength);
            parts << untypedText(current);
            current.clear();
            keptLength = 0;
            atPartStart = true;
        } else if (c == ';' && !inQuotes) {
            break; // a comment ends the line
        } else if (c == '\\' && i < size) {
            const char e = raw.at(i++);
            if (e == 'x')
                appendChar(QChar(escapedCode(raw, i, 16, 0)), true);
            else if (e >= '0' && e <= '7')
                appendChar(QChar(escapedCode(raw, i, 8, uint(e - '0'))), true);
            else
                appendChar(QLatin1Char(simpleEscape(e)), true);
        } else {
            appendChar(QLatin1Char(c), inQuotes);
        }
    }
    current.truncate(keptLength);
    parts << untypedText(current);
    return parts.join(QLatin1Char(','));
}

QByteArray escapedIniValue(const QString& text) {
    const QString value = text.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + text : text;
    QByteArray out;
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;
    for (const QChar qc : value) {
        const ushort c = qc.unicode();
        if (c == ';' || c == ',' || c == '=')
            needsQuotes = true;
        if (escapeNextIfDigit && isHexDigit(c)) {
            out += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        escapeNextIfDigit = false;
        switch (c) {
        case '\0':
            out += "\\0";
            escapeNextIfDigit = true;
            break;
        case '\a':
            out += "\\a";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\v':
            out += "\\v";
            break;
        case '"':
        case '\\':
            out += '\\';
            out += char(c);
            break;
        default:
            if (c <= 0x1F || c >= 0x7F) {
                out += "\\x" + QByteArray::number(c, 16);
                escapeNextIfDigit = true;
            } else {
                out += char(c);
            }
        }
    }
    if (needsQuotes || out.startsWith(' ') || out.endsWith(' '))
        return '"' + out + '"';
    return out;
}

namespace {
// A backslash last on a line escapes nothing.
bool endsInDanglingBackslash(const QByteArray& text) {
    int trailing = 0;
    while (trailing < text.size() && text.at(text.size() - 1 - trailing) == '\\')
        ++trailing;
    return trailing % 2 == 1;
}

// A value's blanks mean nothing, and neither does a backslash left last once they are gone (the
// blank it escaped is trimmed, as the store trims it). Kept, that backslash would join whatever a
// rewrite puts after it.
QByteArray trimmedValue(QByteArray value) {
    for (;;) {
        value = value.trimmed();
        if (!endsInDanglingBackslash(value))
            return value;
        value.chop(1);
    }
}

// The file's lines as the store reads them: CR, LF, CRLF and LFCR all end a line, and a backslash
// before the line end joins the next line to it.
QVector<QByteArray> iniLines(const QByteArray& bytes) {
    static const char kByteOrderMark[] = "\xEF\xBB\xBF";
    const int start = bytes.startsWith(kByteOrderMark) ? 3 : 0;
    QVector<QByteArray> lines;
    QByteArray line;
    const int size = bytes.size();
    for (int i = start; i < size; ++i) {
        const char c = bytes.at(i);
        if (c == '\\' && i + 1 < size) {
            const char next = bytes.at(i + 1);
            if (next == '\n' || next == '\r') {
                i += 1;
                if (i + 1 < size && (bytes.at(i + 1) == '\n' || bytes.at(i + 1) == '\r') &&
                    bytes.at(i + 1) != next)
                    ++i;
                continue;
            }
            line += c;
            line += next;
            ++i;
            continue;
        }
        if (c == '\n' || c == '\r') {
            lines << line;
            line.clear();
            if (i + 1 < size && (bytes.at(i + 1) == '\n' || bytes.at(i + 1) == '\r') && bytes.at(i + 1) != c)
                ++i;
            continue;
        }
        line += c;
    }
    // A backslash ending the file escapes nothing; kept, it would join whatever a rewrite appends.
    if (endsInDanglingBackslash(line))
        line.chop(1);
    if (!line.isEmpty())
        lines << line;
    return lines;
}
} // namespace

IniDocument IniDocument::parse(const QByteArray& bytes) {
    IniDocument document;
    // Keys before any header belong to the store's general group; keys after a header that can't
    // be read can't be placed safely and are kept as they are.
    int group = -1;
    bool placeless = false;
    const auto startPlaceless = [&](const QByteArray& header) {
        Group kept;
        kept.placeless = true;
        kept.rawHeader = header;
        document.m_groups.append(kept);
        group = document.m_groups.size() - 1;
        placeless = true;
    };
    const auto keep = [&](const QByteArray& line) {
        if (group < 0)
            startPlaceless(QByteArray());
        document.m_groups[group].keptLines << line;
    };
    for (const QByteArray& original : iniLines(bytes)) {
        const QByteArray line = original.trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith(';')) {
            keep(original);
            continue;
        }
        if (hasControlCharacter(line)) {
            document.m_wellFormed = false;
            keep(original);
            continue;
        }
        if (line.startsWith('[')) {
            // Whatever follows the closing bracket is ignored, as the store does; a header
            // without one names its group with the rest of the line.
            const int close = line.indexOf(']');
            if (close < 0)
                document.m_wellFormed = false;
            const QString name = latin1Trimmed(line.mid(1, close < 0 ? -1 : close - 1));
            if (name.isEmpty()) {
                document.m_wellFormed = false;
                startPlaceless(original);
            } else {
                group = document.ensureGroup(name);
                placeless = false;
            }
            continue;
        }
        const int equals = line.indexOf('=');
        const QString key = equals > 0 ? latin1Trimmed(line.left(equals)) : QString();
        if (key.isEmpty()) {
            document.m_wellFormed = false;
            keep(original);
            continue;
        }
        if (placeless && !document.m_groups[group].rawHeader.isEmpty()) {
            keep(original);
            continue;
        }
        if (group < 0 || placeless)
            group = document.ensureGroup(QStringLiteral("General"));
        placeless = false;
        document.m_groups[group].rawValues.insert(key, trimmedValue(line.mid(equals + 1)));
    }
    for (Group& parsed : document.m_groups)
        parsed.fromFile = true;
    return document;
}

QByteArray IniDocument::serialized() const {
    QVector<const Group*> order;
    for (const Group& group : m_groups) {
        if (group.fromFile)
            order << &group;
    }
    QMap<QString, const Group*> added;
    for (const Group& group : m_groups) {
        if (!group.fromFile)
            added.insert(group.name, &group);
    }
    for (const Group* group : added)
        order << group;

    QByteArray out;
    for (const Group* group : order) {
        if (!out.isEmpty())
            out += '\n';
        if (!group->placeless)
            out += '[' + group->name.toLatin1() + "]\n";
        else if (!group->rawHeader.isEmpty())
            out += group->rawHeader + '\n';
        for (auto it = group->rawValues.cbegin(); it != group->rawValues.cend(); ++it)
            out += it.key().toLatin1() + '=' + it.value() + '\n';
        for (const QByteArray& line : group->keptLines)
            out += line + '\n';
    }
    // A kept line that looks like a byte-order mark must not become one at the top of the file.
    if (out.startsWith("\xEF\xBB\xBF"))
        out.prepend('\n');
    return out;
}

int IniDocument::groupIndex(const QString& name) const {
    for (int i = 0; i < m_groups.size(); ++i) {
        if (!m_groups[i].placeless && m_groups[i].name == name)
            return i;
    }
    return -1;
}

int IniDocument::ensureGroup(const QString& name) {
    const int index = groupIndex(name);
    if (index >= 0)
        return index;
    Group group;
    group.name = name;
    m_groups.append(group);
    return m_groups.size() - 1;
}

bool IniDocument::contains(const QString& group, const QString& key) const {
    const int index = groupIndex(group);
    return index >= 0 && m_groups[index].rawValues.contains(key);
}

QString IniDocument::value(const QString& group, const QString& key) const {
    const int index = groupIndex(group);
    return index >= 0 ? unescapedIniValue(m_groups[index].rawValues.value(key)) : QString();
}

QStringList IniDocument::keys(const QString& group) const {
    const int index = groupIndex(group);
    return index >= 0 ? QStringList(m_groups[index].rawValues.keys()) : QStringList();
}

void IniDocument::setValue(const QString& group, const QString& key, const QString& text) {
    m_groups[ensureGroup(group)].rawValues.insert(key, escapedIniValue(text));
}

} // namespace zyne
