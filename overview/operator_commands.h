#pragma once
// The overview's instrument commands: the three entry boxes with their companion buttons, the four
// coil toggles and the two lists with their buttons. Each command is one write through the link;
// nothing is read back (the next poll shows the result). Input the instrument must not get is
// refused with a visible sign on the control and never sent.

#include "command_rules.h"
#include "core/ask_operator.h"

#include <QObject>
#include <array>

class Instrument;
class InstrumentLink;
class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;

class OperatorCommands : public QObject {
    Q_OBJECT
public:
    // Writes to `instrument` at its target; a toggle's direction follows its polled image.
    OperatorCommands(const Instrument& instrument, InstrumentLink& link, QWidget* owner);

    QLineEdit* entry(int index) const { return T_3RW.at(static_cast<std::size_t>(index - 1)); }
    QPushButton* entryButton(int index) const {
        return buttons.at(static_cast<std::size_t>(index - 1));
    }
    QPushButton* toggle(int k) const { return toggles.at(static_cast<std::size_t>(k)); }
    QComboBox* combo3() const { return Combo3; }
    QComboBox* combo4() const { return Combo4; }
    QPushButton* command13() const { return Command13; }
    QPushButton* command27() const { return Command27; }
    // Who answers the questions before starting auto-tune and before a curve selection under a
    // running or held program; a modal box by default.
    void setAsking(AskOperator ask) { asking = std::move(ask); }

    void T_3RW_GotFocus(int index);
    void T_3RW_LostFocus(int index);
    void Command25_Click() { entryClick(0); }
    void Command11_Click() { entryClick(1); }
    void Command17_Click() { entryClick(2); }
    void toggleClick(int k); // Command19, Command12, Command18, Command20
    void Command13_Click();
    void Command27_Click();

signals:
    // Input that was refused, in words, for the overview's message line.
    void inputRefused(const QString& message);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildEntries(QWidget* owner);
    void buildLists(QWidget* owner);
    void entryClick(int k);
    void listClick(const ListRule& rule, QComboBox* combo, QPushButton* commit);
    // One write, and one more if the first fails.
    void writeOnceMore(int reg, qint32 value, const QString& source);
    static QString source_of(const QString& control);
    void markRefused(QWidget* box, const QString& message);
    void clearRefused(QWidget* box);
    void hideCompanion(QPushButton* button);

    const Instrument& instrument;
    InstrumentLink& link;
    QWidget* owner;
    std::array<QLineEdit*, 3> T_3RW{};
    std::array<QPushButton*, 3> buttons{};
    std::array<QPushButton*, 4> toggles{};
    QComboBox* Combo3 = nullptr;
    QComboBox* Combo4 = nullptr;
    QPushButton* Command13 = nullptr;
    QPushButton* Command27 = nullptr;
    AskOperator asking = ask_in_box;
};
