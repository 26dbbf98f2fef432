#include "workstation/config.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace zorvel {

QString readIniValue(const QString& path, const QString& section, const QString& key) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    // put.ini files come from Windows workstations too: UTF-8 when it decodes cleanly, else WIN1251.
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = QStringDecoder("windows-1251").decode(bytes);
    QString current;
    for (QString line : text.split('\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
            continue;
        if (line.startsWith('[') && line.endsWith(']')) {
            current = line.mid(1, line.size() - 2).trimmed();
            continue;
        }
        qsizetype eq = line.indexOf('=');
        if (eq < 0)
            continue;
        if (current.compare(section, Qt::CaseInsensitive) == 0 &&
            line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0)
            return line.mid(eq + 1).trimmed();
    }
    return {};
}

QString readConfigValue(const QString& key) {
    return readIniValue(QDir::current().filePath(QStringLiteral("put.ini")), QStringLiteral("Put"), key);
}

} // namespace zorvel
