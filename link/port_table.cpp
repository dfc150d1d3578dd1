#include "port_table.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <algorithm>

namespace {
struct Family {
    const char* prefix;
    int rank;
};
constexpr Family kFamilies[] = {{"ttyUSB", 0}, {"ttyACM", 1}, {"ttyS", 2}};

// Sort key: family rank, then the device's number (ttyS10 after ttyS2).
std::pair<int, int> order_of(const QString& name) {
    for (const auto& f : kFamilies) {
        const QString prefix = QLatin1String(f.prefix);
        if (name.startsWith(prefix)) {
            bool ok = false;
            const int n = name.mid(prefix.size()).toInt(&ok);
            if (ok)
                return {f.rank, n};
        }
    }
    return {-1, -1};
}
} // namespace

PortTable PortTable::scan(const QString& devDir) {
#ifdef Q_OS_WIN
    Q_UNUSED(devDir);
    QStringList names;
    for (int n = 1; n <= 20; ++n)
        names << QStringLiteral("COM%1").arg(n);
    return PortTable(names);
#else
    QDir dir(devDir);
    const QStringList entries = dir.entryList(
        {QStringLiteral("ttyUSB*"), QStringLiteral("ttyACM*"), QStringLiteral("ttyS*")},
        QDir::System | QDir::Files | QDir::Readable | QDir::Writable | QDir::NoDotAndDotDot);
    QStringList names;
    for (const QString& e : entries)
        if (order_of(e).first >= 0)
            names << e;
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return order_of(a) < order_of(b); });
    QStringList paths;
    for (const QString& n : names)
        paths << dir.absoluteFilePath(n);
    return PortTable(paths);
#endif
}

QString PortTable::deviceFor(int port) const {
    if (port < 1 || port > list.size())
        return {};
    return list.at(port - 1);
}

QString PortTable::describe(int maxEntries) const {
    if (list.isEmpty())
        return QCoreApplication::translate("PortTable", "no serial devices found");
    QStringList parts;
    for (int i = 0; i < list.size() && i < maxEntries; ++i)
        parts << QStringLiteral("%1 = %2").arg(i + 1).arg(list.at(i));
    if (list.size() > maxEntries)
        parts << QStringLiteral("…");
    return parts.join(QStringLiteral(", "));
}

bool PortTable::isTcpTarget(const QString& text) {
    static const QRegularExpression re(
        QStringLiteral(R"(^\s*[A-Za-z0-9.\-\[\]:]*[A-Za-z0-9.\-\]]+:\d{1,5}\s*$)"));
    const QString t = text.trimmed();
    return !t.startsWith(u'/') && re.match(t).hasMatch();
}

bool PortTable::isTypedTarget(const QString& text) {
    const QString t = text.trimmed();
    return t.startsWith(u'/') || t.startsWith(QLatin1String("COM"), Qt::CaseInsensitive) ||
           isTcpTarget(t);
}
