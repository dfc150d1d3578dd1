#pragma once
// The central database as the operator names it: a libpq connection string ("host=plant-db
// dbname=historian user=furnace3 sslmode=verify-full") or a service of pg_service.conf
// ("service=historian"). The password never stands in it: libpq finds it in ~/.pgpass, in
// PGPASSFILE or in the service file, so it is never on a command line or in the settings.

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

struct HistorianConninfo {
    Q_DECLARE_TR_FUNCTIONS(HistorianConninfo)
public:
    // The key=value pairs in order; empty with the reason in `why` when the text is not a
    // connection string libpq would take, or names a password.
    static std::optional<HistorianConninfo> parse(const QString& text, QString* why);

    std::vector<std::pair<QString, QString>> pairs;

    // The pairs as Qt's PostgreSQL driver passes them on to libpq (its connect options), with a
    // bounded connect time out when the text sets none: a server that is away costs seconds.
    QString connectOptions() const;
    // For the operator: the text without anything secret-looking, e.g. "host=db dbname=h".
    QString shown() const;
};

// A QPSQL connection named `name` (made on the thread that will use it), not yet opened.
QSqlDatabase historian_connection(const HistorianConninfo& info, const QString& name);
