#pragma once
// The link settings of the overview (port, instrument address, baud rate, parity), the "打开" and
// "关闭" buttons with their sequences, and the link status indicator.

#include "link/port_table.h"

#include <QObject>
#include <array>

class InstrumentLink;
class LinkStatusIndicator;
struct LinkTarget;
class PollTimerControl;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

class LinkControls : public QObject {
    Q_OBJECT
public:
    // The settings chosen go into `target` when the port is opened.
    LinkControls(LinkTarget& target, InstrumentLink& link, PollTimerControl& poll, PortTable ports,
                 QWidget* owner);

    // Opening: the settings into the link target, the port opened, the configuration buttons
    // enabled and the poll cycle started, in this order.
    void Command9_Click();
    // Closing: the port closed, the poll cycle stopped, the configuration buttons disabled and
    // the four setting frames shown.
    void Command10_Click();

    // Fills the settings as if the operator had chosen them (command-line start): port as typed
    // (a number, a device path or host:port; empty keeps the list's choice), baud code 0..2 and
    // parity code 0..2 (anything else keeps the current choice), address 1..16 (0 keeps it).
    void applyLinkOptions(const QString& port, int baudCode, int parityCode, int address);

    // The settings the operator last opened the port with, as a start without a port on the
    // command line finds them.
    void restoreChoice();

    void refreshIndicator();
    bool indicatorCountingDown() const;

    std::array<QGroupBox*, 4> frames() const {
        return {portFrame, addressFrame, baudFrame, parityFrame};
    }
    QPushButton* openButton() const { return Command9; }
    QPushButton* closeButton() const { return Command10; }
    LinkStatusIndicator* indicator() const { return status; }

signals:
    // Steps of the sequences that belong to the navigation buttons (Command21, Command23).
    void configButtonsEnabled(bool enabled);

private:
    void buildPortFrames(QWidget* owner);
    void buildOptionFrames(QWidget* owner);
    void rememberChoice() const; // what "打开" is pressed with

    LinkTarget& target;
    InstrumentLink& link;
    PollTimerControl& poll;
    PortTable ports;
    QGroupBox* portFrame = nullptr;
    QGroupBox* addressFrame = nullptr;
    QGroupBox* baudFrame = nullptr;
    QGroupBox* parityFrame = nullptr;
    QComboBox* Combo1 = nullptr;
    QComboBox* Combo2 = nullptr;
    QLabel* portNote = nullptr;
    std::array<QRadioButton*, 3> Option1{};
    std::array<QRadioButton*, 3> Option2{};
    QPushButton* Command9 = nullptr;
    QPushButton* Command10 = nullptr;
    LinkStatusIndicator* status = nullptr;
};
