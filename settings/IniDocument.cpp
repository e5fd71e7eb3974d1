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

IniDocument IniDocument::parse(const QByteArray& bytes) {
    IniDocument document;
    // Keys before any header belong to the store's general group; keys after a broken header
    // cannot be placed safely and are dropped.
    int group = -1;
    bool dropping = false;
    for (QByteArray line : bytes.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(';'))
            continue;
        if (hasControlCharacter(line)) {
            document.m_wellFormed = false;
            continue;
        }
        if (line.startsWith('[')) {
            const int close = line.indexOf(']');
            const QString name = close > 1 ? latin1Trimmed(line.mid(1, close - 1)) : QString();
            dropping = name.isEmpty() || close != line.size() - 1;
            if (dropping)
                document.m_wellFormed = false;
            else
                group = document.ensureGroup(name);
            continue;
        }
        const int equals = line.indexOf('=');
        const QString key = equals > 0 ? latin1Trimmed(line.left(equals)) : QString();
        if (key.isEmpty()) {
            document.m_wellFormed = false;
            continue;
        }
        if (dropping)
            continue;
        if (group < 0)
            group = document.ensureGroup(QStringLiteral("General"));
        document.m_groups[group].rawValues.insert(key, line.mid(equals + 1).trimmed());
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
        out += '[' + group->name.toLatin1() + "]\n";
        for (auto it = group->rawValues.cbegin(); it != group->rawValues.cend(); ++it)
            out += it.key().toLatin1() + '=' + it.value() + '\n';
    }
    return out;
}

int IniDocument::groupIndex(const QString& name) const {
    for (int i = 0; i < m_groups.size(); ++i) {
        if (m_groups[i].name == name)
            return i;
    }
    return -1;
}

int IniDocument::ensureGroup(const QString& name) {
    const int index = groupIndex(name);
    if (index >= 0)
        return index;
    m_groups.append({name, {}, false});
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

void IniDocument::setValue(const QString& group, const QString& key, const QString& text) {
    m_groups[ensureGroup(group)].rawValues.insert(key, escapedIniValue(text));
}

} // namespace zyne
