#pragma once
// The instrument file: an instrument's setup as JSON, human-readable and in a fixed order, so two
// files diff cleanly and a file read and written again is the same to the byte. It holds the
// format and its version, when and from where it was read (link settings, instrument address),
// and per register its block, number, name, kind and raw value (with the shown text for option
// fields). A file of another format or version, or naming a register the map does not know, is
// refused whole.

#include "files/setup_io.h"

#include <QByteArray>
#include <QDateTime>
#include <optional>

struct FileOrigin {
    QDateTime time;
    QString device;   // as the link names it
    QString settings; // "9600 8N1"
    int address = 1;
};

struct InstrumentFile {
    FileOrigin origin;
    SetupValues values;
};

inline constexpr int kInstrumentFileVersion = 1;

QByteArray instrument_file_json(const InstrumentFile& file);
std::optional<InstrumentFile> parse_instrument_file(const QByteArray& json, QString* why);

// Why a file may not be restored, naming the first registers at fault: a value outside what its
// register accepts, or registers of the map the file lacks (cut short, or empty). Empty: none.
std::optional<QString> restore_refusal(const InstrumentFile& file);

// Where the instrument's setup is saved before a restore from `path`: beside it, as
// "<name>-before-<yyyyMMdd>-<HHmmss>.json".
QString before_copy_path(const QString& path, const QDateTime& time);
