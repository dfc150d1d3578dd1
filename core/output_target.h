#pragma once
// Where an export or a backup may go. A file the console writes replaces its target whole, so a
// target that is the record file (or its write-ahead log or shared memory), or any other SQLite
// database, would destroy records and the append-only journal: such a target is refused before
// anything is opened.

#include <QString>
#include <optional>

// Why `path` may not be written as an export or backup beside the record file `recordFile`
// (translated); nothing when it may. The record file is matched by canonical path where the
// file exists and by cleaned absolute path where it does not, so "./x.db", symlinks and ".." are
// caught too.
std::optional<QString> refuse_output_target(const QString& path, const QString& recordFile);
