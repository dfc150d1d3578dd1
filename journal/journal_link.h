#pragma once
// The instrument link as the rest of the console uses it once the journal runs: every request
// passes to the real link unchanged, and every write (register or coil) is journaled with its
// source, the value the console last knew for that register or coil (read, or written and
// accepted), the value sent and the result after its retry: a failed write that its caller sends
// again from its completion is one event, with the outcome of the repeat. Opening and closing the
// port by the operator are journaled too.
//
// A write's completion is journaled even when the caller that asked for it has gone meanwhile:
// the write reached the instrument either way.

#include "journal/journal_words.h"
#include "link/instrument_link.h"

#include <QHash>
#include <functional>

class EventJournal;

class JournalLink final : public InstrumentLink {
    Q_OBJECT
public:
    JournalLink(InstrumentLink& inner, EventJournal& journal, QObject* parent = nullptr);

    int OpenPort_Modbus(int port, int baudCode, int parityCode,
                        const QString& device = QString()) override;
    int ClosePort_Modbus(int port) override;
    void submit(const LinkRequest& request, qint32* buffer, QObject* context,
                LinkDone done) override;
    LinkStatus status() const override { return inner.status(); }

    // What the console last knew of holding register or coil `number` of instrument `slave`; for
    // a program-window register, of the curve (and recipe) selected now, nothing when that is not
    // known.
    std::optional<qint64> knownRegister(int slave, int number) const;
    std::optional<qint64> knownCoil(int slave, int number) const;

    // A write the instrument accepted, for the watcher that tells a change the console made from
    // one made at the front panel.
    struct AcceptedWrite {
        int slave = 0;
        bool coil = false;
        int number = 0;
        qint64 value = 0;
        QString source;
        bool folded = false; // part of a job that journals it in its own event
    };
    void setWriteAccepted(std::function<void(const AcceptedWrite&)> notify);

    // Who opens and closes the port: the overview's "打开" and "关闭" unless said otherwise.
    void setPortSources(const QString& open, const QString& close);

signals:
    void portOpened(); // the operator opened a port (or the same one again), whatever came of it

private:
    struct Attempt {
        LinkRequest request;
        std::optional<qint64> old;
        int attempts = 1;
        QStringList failures; // the reasons of the attempts before
        bool retried = false;
        bool folded = false; // journaled by the job that sent it
    };
    void remember(const LinkRequest& request, const qint32* buffer);
    void finishWrite(std::shared_ptr<Attempt> attempt, int result, const LinkStatus& after);
    static qint64 key(int slave, int number) { return (qint64(slave) << 32) | quint32(number); }
    // A program-window register's key: instrument, curve, recipe (the header has none) and number;
    // empty while the curve, or for the segment table the recipe, is not known.
    std::optional<qint64> windowKey(int slave, int number) const;
    std::optional<int> curveOf(int slave) const;
    std::optional<int> recipeOf(int slave) const;
    void store(int slave, int number, qint64 value);
    void forget(int slave, int number);
    journal_words::Window windowOf(int slave) const;

    InstrumentLink& inner;
    EventJournal& journal;
    QHash<qint64, qint64> registers; // holding registers, by key(slave, number)
    QHash<qint64, qint64> coils;
    QHash<qint64, qint64> window;  // program-window registers, by windowKey()
    Attempt* failingNow = nullptr; // the failed write whose caller's completion is running
    std::function<void(const AcceptedWrite&)> writeAccepted;
    QString openSource; // "总貌 · 打开" unless said otherwise
    QString closeSource;
};
