#include "historian/historian_conninfo.h"

#include <QStringList>

namespace {

bool is_key_char(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

// One value: bare up to the next blank, or in single quotes with \' and \\ escapes.
std::optional<QString> read_value(const QString& text, qsizetype& i) {
    QString value;
    if (i < text.size() && text[i] == u'\'') {
        for (++i; i < text.size(); ++i) {
            if (text[i] == u'\\' && i + 1 < text.size()) {
                value += text[++i];
            } else if (text[i] == u'\'') {
                ++i;
                return value;
            } else {
                value += text[i];
            }
        }
        return std::nullopt; // no closing quote
    }
    for (; i < text.size() && !text[i].isSpace(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size())
            ++i;
        value += text[i];
    }
    return value;
}

QString quoted(const QString& value) {
    if (!value.isEmpty() && !value.contains(u' ') && !value.contains(u'\'') &&
        !value.contains(u'\\') && !value.contains(u';'))
        return value;
    QString v = value;
    v.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'"));
    return u'\'' + v + u'\'';
}

} // namespace

std::optional<HistorianConninfo> HistorianConninfo::parse(const QString& text, QString* why) {
    HistorianConninfo info;
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        *why = tr("the historian's connection string is empty");
        return std::nullopt;
    }
    if (t.startsWith(QStringLiteral("postgres://")) ||
        t.startsWith(QStringLiteral("postgresql://"))) {
        *why = tr("write the historian's connection as key=value pairs (host=... dbname=... "
                  "user=...) or service=NAME, not as a URI");
        return std::nullopt;
    }
    qsizetype i = 0;
    while (i < t.size()) {
        while (i < t.size() && t[i].isSpace())
            ++i;
        if (i >= t.size())
            break;
        const qsizetype start = i;
        while (i < t.size() && is_key_char(t[i]))
            ++i;
        const QString key = t.mid(start, i - start).toLower();
        while (i < t.size() && t[i].isSpace())
            ++i;
        if (key.isEmpty() || i >= t.size() || t[i] != u'=') {
            *why = tr("\"%1\" is no connection string: write key=value pairs such as host=db "
                      "dbname=historian user=console, or service=NAME")
                       .arg(t);
            return std::nullopt;
        }
        ++i;
        while (i < t.size() && t[i].isSpace())
            ++i;
        const auto value = read_value(t, i);
        if (!value) {
            *why =
                tr("the value of %1 in the historian's connection has no closing quote").arg(key);
            return std::nullopt;
        }
        if (key == u"password") {
            *why = tr("the historian's connection must not hold the password: put it in "
                      "~/.pgpass, in the file PGPASSFILE names, or in a service file");
            return std::nullopt;
        }
        info.pairs.emplace_back(key, *value);
    }
    return info;
}

QString HistorianConninfo::connectOptions() const {
    QStringList parts;
    bool timeout = false;
    for (const auto& [key, value] : pairs) {
        parts << key + u'=' + quoted(value);
        timeout = timeout || key == u"connect_timeout";
    }
    if (!timeout)
        parts << QStringLiteral("connect_timeout=5");
    // The driver turns ';' into blanks before it hands the text to libpq.
    return parts.join(u';');
}

QString HistorianConninfo::shown() const {
    QStringList parts;
    for (const auto& [key, value] : pairs)
        parts << key + u'=' + quoted(value);
    return parts.join(u' ');
}

QSqlDatabase historian_connection(const HistorianConninfo& info, const QString& name) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    db.setConnectOptions(info.connectOptions());
    return db;
}
