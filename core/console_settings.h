#pragma once
// What the console remembers for its user between starts (QSettings, per user, organisation
// "mt3600", application "mt3600-console"): the overview's link settings as the operator last
// opened the port with them, the last instrument file, the export folders and the journal's
// filters.

#include <QString>
#include <QVariant>
#include <optional>

// The overview's link settings: the port as chosen (a number, a device path or host:port) and
// the codes of its baud rate and parity lists.
struct LinkChoice {
    QString port;
    int baudCode = 1;
    int parityCode = 0;
    int address = 1;
};

namespace console_settings {

// Nothing is read or written before the console turns its memory on at start: a form built on
// its own (a tool, a test) sees the defaults and leaves the user's settings alone.
void enable(bool on = true);

void save_link(const LinkChoice& choice);
std::optional<LinkChoice> saved_link(); // empty before the port was first opened

QVariant value(const QString& key, const QVariant& fallback = {});
void set_value(const QString& key, const QVariant& value);

// The folder remembered under `key`, else the user's documents folder (home without one).
QString folder(const QString& key);
// Remembers the folder that holds `file` under `key`.
void remember_folder(const QString& key, const QString& file);

// Makes the folder that is to hold `file` when it is missing (the documents folder need not
// exist on a fresh account); false, with the reason in `why`, when it cannot be made.
bool make_folder_of(const QString& file, QString& why);

} // namespace console_settings
