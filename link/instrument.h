#pragma once
// One instrument as the console knows it: its register image, filled by the poll cycle, and the
// link target it is reached at (port, line settings, address), set by "打开" or the command line.
// The assembly owns it and hands it by reference to whoever polls, reads or writes the instrument;
// each reads the target afresh for every request, so a new "打开" takes effect at once.

#include "core/register_image.h"

#include <QObject>

struct LinkTarget {
    qint32 port = 0;       // number in the port table; a typed device or host:port keeps one too
    qint32 baudCode = 0;   // 0/1/2 = 4800/9600/19200
    qint32 parityCode = 0; // 0/1/2 = none/odd/even
    qint32 address = 0;    // the instrument's address on the line, 1..16
    qint32 openResult = 0; // what the last opening of the port returned
};

class Instrument final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    RegisterImage& image() { return registers; }
    const RegisterImage& image() const { return registers; }
    LinkTarget& target() { return linkTarget; }
    const LinkTarget& target() const { return linkTarget; }

signals:
    // The poll cycle has finished: the image holds every part its reads brought in.
    void cycleCompleted();

private:
    RegisterImage registers;
    LinkTarget linkTarget;
};
