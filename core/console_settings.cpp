#include "console_settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

bool enabled = false;

// Named here rather than through the application's names, so that every caller (the console,
// a test, a tool) reads and writes the same file.
QSettings store() {
    return QSettings(QSettings::UserScope, QStringLiteral("mt3600"),
                     QStringLiteral("mt3600-console"));
}

} // namespace

namespace console_settings {

void enable(bool on) {
    enabled = on;
}

void save_link(const LinkChoice& choice) {
    if (!enabled)
        return;
    QSettings s = store();
    s.setValue(QStringLiteral("link/port"), choice.port);
    s.setValue(QStringLiteral("link/baudCode"), choice.baudCode);
    s.setValue(QStringLiteral("link/parityCode"), choice.parityCode);
    s.setValue(QStringLiteral("link/address"), choice.address);
}

std::optional<LinkChoice> saved_link() {
    if (!enabled)
        return std::nullopt;
    const QSettings s = store();
    if (!s.contains(QStringLiteral("link/port")))
        return std::nullopt;
    LinkChoice c;
    c.port = s.value(QStringLiteral("link/port")).toString();
    c.baudCode = s.value(QStringLiteral("link/baudCode"), c.baudCode).toInt();
    c.parityCode = s.value(QStringLiteral("link/parityCode"), c.parityCode).toInt();
    c.address = s.value(QStringLiteral("link/address"), c.address).toInt();
    return c;
}

QVariant value(const QString& key, const QVariant& fallback) {
    return enabled ? store().value(key, fallback) : fallback;
}

void set_value(const QString& key, const QVariant& v) {
    if (!enabled)
        return;
    QSettings s = store();
    s.setValue(key, v);
}

QString folder(const QString& key) {
    const QString remembered = value(key).toString();
    if (!remembered.isEmpty())
        return remembered;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

void remember_folder(const QString& key, const QString& file) {
    set_value(key, QFileInfo(file).absolutePath());
}

bool make_folder_of(const QString& file, QString& why) {
    const QString dir = QFileInfo(file).absolutePath();
    if (QDir(dir).exists() || QDir().mkpath(dir))
        return true;
    why = QCoreApplication::translate("console_settings", "The folder %1 cannot be made").arg(dir);
    return false;
}

} // namespace console_settings
