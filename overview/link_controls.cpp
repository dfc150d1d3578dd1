#include "link_controls.h"

#include "core/console_settings.h"
#include "core/conversions.h"
#include "core/naming.h"
#include "link/instrument.h"
#include "link/instrument_link.h"
#include "link/line_settings.h"
#include "link/poll_control.h"
#include "link_indicator.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace {

QComboBox* number_list(QWidget* owner, const char* name, int last) {
    auto* c = named(new QComboBox(owner), QString::fromLatin1(name));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    for (int n = 1; n <= last; ++n)
        c->addItem(QStringLiteral("%1 ").arg(n));
    c->setCurrentIndex(0);
    return c;
}

// The port list: each number with its device where the scan found one ("2: /dev/ttyUSB0").
QComboBox* port_list(QWidget* owner, const PortTable& ports, int last) {
    auto* c = named(new QComboBox(owner), QStringLiteral("Combo1"));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    for (int n = 1; n <= last; ++n) {
        const QString device = ports.deviceFor(n);
        c->addItem(device.isEmpty() ? QStringLiteral("%1 ").arg(n)
                                    : QStringLiteral("%1: %2").arg(n).arg(device));
    }
    c->setCurrentIndex(0);
    return c;
}

// A number typed into a setting list, by the text-to-number rule; a number that does not fit
// leaves the setting as it was.
void store_number(qint32& setting, const QString& text) {
    if (const auto v = to_int32(text_to_number(text)))
        setting = *v;
}

} // namespace

LinkControls::LinkControls(LinkTarget& target, InstrumentLink& link, PollTimerControl& poll,
                           PortTable ports, QWidget* owner)
    : QObject(owner), target(target), link(link), poll(poll), ports(std::move(ports)) {
    buildPortFrames(owner);
    buildOptionFrames(owner);
    Command9 = named(new QPushButton(QStringLiteral("打开"), owner), QStringLiteral("Command9"));
    Command10 = named(new QPushButton(QStringLiteral("关闭"), owner), QStringLiteral("Command10"));
    // Remembered only when the operator presses "打开", not when the command line opens the port.
    connect(Command9, &QPushButton::clicked, this, [this] {
        rememberChoice();
        Command9_Click();
    });
    connect(Command10, &QPushButton::clicked, this, &LinkControls::Command10_Click);

    status = new LinkStatusIndicator(owner);
    connect(&link, &InstrumentLink::statusChanged, this, &LinkControls::refreshIndicator);
    refreshIndicator();
}

void LinkControls::buildPortFrames(QWidget* owner) {
    portFrame = new QGroupBox(QStringLiteral("通讯端口选择"), owner);
    portFrame->setObjectName(QStringLiteral("portFrame"));
    auto* p = new QGridLayout(portFrame);
    Combo1 = port_list(portFrame, ports, 20);
    Combo1->setToolTip(tr("a port number, a device path or host:port"));
    portNote = new QLabel(ports.describe(), portFrame);
    portNote->setObjectName(QStringLiteral("portNote"));
    portNote->setWordWrap(true);
    QFont small = portNote->font();
    small.setPointSize(9);
    portNote->setFont(small);
    p->addWidget(new QLabel(QStringLiteral("通讯端口"), portFrame), 0, 0);
    p->addWidget(Combo1, 0, 1);
    p->addWidget(portNote, 1, 0, 1, 2);
    p->setColumnStretch(1, 1);

    addressFrame = new QGroupBox(QStringLiteral("模块地址"), owner);
    addressFrame->setObjectName(QStringLiteral("addressFrame"));
    auto* a = new QHBoxLayout(addressFrame);
    Combo2 = number_list(addressFrame, "Combo2", 16);
    a->addWidget(new QLabel(QStringLiteral("模块地址"), addressFrame));
    a->addWidget(Combo2, 1);
}

void LinkControls::buildOptionFrames(QWidget* owner) {
    auto make = [owner](const QString& caption, const char* objectName, const char* name,
                        const QStringList& captions, std::array<QRadioButton*, 3>& options,
                        int initial) {
        auto* frame = new QGroupBox(caption, owner);
        frame->setObjectName(QString::fromLatin1(objectName));
        auto* l = new QHBoxLayout(frame);
        for (int i = 0; i < 3; ++i) {
            options[i] =
                named(new QRadioButton(captions.at(i), frame), QString::fromLatin1(name), i);
            l->addWidget(options[i]);
        }
        options[static_cast<std::size_t>(initial)]->setChecked(true);
        return frame;
    };
    QStringList bauds;
    for (int b : kBaudRates)
        bauds << QString::number(b);
    QStringList parities;
    for (const ParityChoice& c : kParityChoices)
        parities << c.caption.toString();
    baudFrame = make(QStringLiteral("波特率"), "baudFrame", "Option1", bauds, Option1, 1);
    parityFrame = make(QStringLiteral("校验方式"), "parityFrame", "Option2", parities, Option2, 0);
}

void LinkControls::Command9_Click() {
    status->setNote(QString()); // the operator's own settings now speak for the link
    const QString portText = Combo1->currentText();
    store_number(target.port, portText);
    for (int i = 0; i < 3; ++i)
        if (Option1[i]->isChecked())
            target.baudCode = i;
    for (int i = 0; i < 3; ++i)
        if (Option2[i]->isChecked())
            target.parityCode = i;
    store_number(target.address, Combo2->currentText());
    // A typed device or host:port is opened as typed; the target keeps its number all the same.
    const QString device = PortTable::isTypedTarget(portText) ? portText.trimmed() : QString();
    target.openResult =
        link.OpenPort_Modbus(target.port, target.baudCode, target.parityCode, device);
    emit configButtonsEnabled(true);
    poll.setPollEnabled(true);
    refreshIndicator();
}

void LinkControls::Command10_Click() {
    link.ClosePort_Modbus(target.port);
    poll.setPollEnabled(false);
    emit configButtonsEnabled(false);
    for (QGroupBox* f : frames())
        f->setVisible(true);
    refreshIndicator();
}

void LinkControls::applyLinkOptions(const QString& port, int baudCode, int parityCode,
                                    int address) {
    auto choose = [](QComboBox* list, const QString& text) {
        // A bare number picks its entry, whatever the entry shows beside the number.
        bool number = false;
        const int n = text.trimmed().toInt(&number);
        const int i = number && n >= 1 && n <= list->count() ? n - 1 : -1;
        if (i >= 0)
            list->setCurrentIndex(i);
        else
            list->setEditText(text.trimmed());
        list->lineEdit()->setCursorPosition(0); // a long device path shows from its start
    };
    if (!port.trimmed().isEmpty())
        choose(Combo1, port);
    if (address > 0)
        choose(Combo2, QString::number(address));
    if (baudCode >= 0 && baudCode < 3)
        Option1[static_cast<std::size_t>(baudCode)]->setChecked(true);
    if (parityCode >= 0 && parityCode < 3)
        Option2[static_cast<std::size_t>(parityCode)]->setChecked(true);
}

void LinkControls::rememberChoice() const {
    LinkChoice c;
    const QString portText = Combo1->currentText();
    const auto number = to_int32(text_to_number(portText));
    c.port = PortTable::isTypedTarget(portText) || !number ? portText.trimmed()
                                                           : QString::number(*number);
    for (int i = 0; i < 3; ++i) {
        if (Option1[std::size_t(i)]->isChecked())
            c.baudCode = i;
        if (Option2[std::size_t(i)]->isChecked())
            c.parityCode = i;
    }
    c.address = to_int32(text_to_number(Combo2->currentText())).value_or(c.address);
    console_settings::save_link(c);
}

void LinkControls::restoreChoice() {
    if (const auto c = console_settings::saved_link())
        applyLinkOptions(c->port, c->baudCode, c->parityCode, c->address);
}

void LinkControls::refreshIndicator() {
    status->display(link.status());
}

bool LinkControls::indicatorCountingDown() const {
    return link.status().reconnecting;
}
