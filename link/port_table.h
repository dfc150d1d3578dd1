#pragma once
// Turns the port number of a link target into a device. On Linux the serial devices found
// (/dev/ttyUSB*, /dev/ttyACM*, /dev/ttyS*) are numbered from 1 in a stable order: USB adapters
// first, then ACM, then on-board ports, each by its number. On Windows port n is COMn.

#include <QString>
#include <QStringList>

class PortTable {
public:
    // Scans /dev (or `devDir`, for tests) for serial devices.
    static PortTable scan(const QString& devDir = QStringLiteral("/dev"));
    explicit PortTable(QStringList devices = {}) : list(std::move(devices)) {}

    const QStringList& devices() const { return list; }
    // Device of port n (1-based); empty when the table has no such port.
    QString deviceFor(int port) const;
    // "1 = /dev/ttyUSB0, 2 = /dev/ttyS0, ..." for the note beside the port list.
    QString describe(int maxEntries = 6) const;

    // Typed text that names a device or a host:port to open as typed rather than by number.
    static bool isTypedTarget(const QString& text);
    static bool isTcpTarget(const QString& text); // "host:port"

private:
    QStringList list;
};
