#include "operator_commands.h"

#include "core/conversions.h"
#include "core/naming.h"
#include "core/register_image.h"
#include "link/instrument.h"
#include "link/instrument_link.h"
#include "panel_decode.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

void set_base(QWidget* box, Rgb colour) {
    QPalette p = box->palette();
    p.setColor(QPalette::Base, colour.color());
    p.setColor(QPalette::Text, Qt::black);
    box->setPalette(p);
}

QPushButton* button(QWidget* owner, const char* name, QStringView caption) {
    return named(new QPushButton(caption.toString(), owner), QString::fromLatin1(name));
}

} // namespace

OperatorCommands::OperatorCommands(const Instrument& commanded, InstrumentLink& link,
                                   QWidget* owner)
    : QObject(owner), instrument(commanded), link(link), owner(owner) {
    buildEntries(owner);
    for (std::size_t k = 0; k < toggles.size(); ++k) {
        const ToggleRule& r = kToggleRules[k];
        toggles[k] = button(owner, r.button, r.caption);
        connect(toggles[k], &QPushButton::clicked, this, [this, k] { toggleClick(int(k)); });
    }
    buildLists(owner);
}

void OperatorCommands::buildEntries(QWidget* owner) {
    for (std::size_t k = 0; k < T_3RW.size(); ++k) {
        const EntryRule& r = kEntryRules[k];
        QLineEdit* box = named(new QLineEdit(owner), QStringLiteral("T_3RW"), r.index);
        box->setToolTip(entry_range_text(r));
        set_base(box, panel_colour::EntryIdle);
        box->installEventFilter(this);
        connect(box, &QLineEdit::textEdited, this, [this, box] { clearRefused(box); });
        T_3RW[k] = box;

        QPushButton* b = button(owner, r.button, r.caption);
        b->hide();
        connect(b, &QPushButton::clicked, this, [this, k] { entryClick(int(k)); });
        buttons[k] = b;
    }
}

void OperatorCommands::buildLists(QWidget* owner) {
    auto make = [&](const ListRule& rule, QComboBox*& combo, QPushButton*& commit) {
        combo = named(new QComboBox(owner), QString::fromLatin1(rule.combo));
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->addItems(rule.entries);
        combo->setCurrentIndex(0);
        combo->setToolTip(list_codes_text(rule.entries));
        QComboBox* c = combo;
        connect(c->lineEdit(), &QLineEdit::textEdited, this, [this, c] { clearRefused(c); });
        connect(c, &QComboBox::activated, this, [this, c] { clearRefused(c); });
        commit = button(owner, rule.button, rule.caption);
    };
    make(program_state_list(), Combo3, Command13);
    make(curve_list(), Combo4, Command27);
    connect(Command13, &QPushButton::clicked, this, &OperatorCommands::Command13_Click);
    connect(Command27, &QPushButton::clicked, this, &OperatorCommands::Command27_Click);
}

bool OperatorCommands::eventFilter(QObject* watched, QEvent* event) {
    for (std::size_t k = 0; k < T_3RW.size(); ++k) {
        if (watched != T_3RW[k])
            continue;
        if (event->type() == QEvent::FocusIn)
            T_3RW_GotFocus(kEntryRules[k].index);
        else if (event->type() == QEvent::FocusOut)
            T_3RW_LostFocus(kEntryRules[k].index);
    }
    return QObject::eventFilter(watched, event);
}

void OperatorCommands::T_3RW_GotFocus(int index) {
    entryButton(index)->setVisible(true);
    clearRefused(entry(index));
    set_base(entry(index), panel_colour::EntryFocus);
}

void OperatorCommands::T_3RW_LostFocus(int index) {
    // The companion button stays, so it can be clicked once the box is left.
    set_base(entry(index), panel_colour::EntryIdle);
}

void OperatorCommands::entryClick(int k) {
    const EntryRule& rule = kEntryRules[k];
    QLineEdit* box = T_3RW[static_cast<std::size_t>(k)];
    const auto value = entry_value(rule, box->text());
    if (!value) {
        markRefused(box,
                    text_number(box->text())
                        ? tr("%1: %2 is outside %3 — nothing written")
                              .arg(rule.caption.toString(), box->text(), entry_range_text(rule))
                        : tr("%1: \"%2\" holds no number (%3) — nothing written")
                              .arg(rule.caption.toString(), box->text(), entry_range_text(rule)));
        return;
    }
    writeOnceMore(rule.reg, *value, source_of(QLatin1String(rule.button)));
    hideCompanion(buttons[static_cast<std::size_t>(k)]);
}

void OperatorCommands::toggleClick(int k) {
    // The direction follows the state last polled, not the instrument's state of this moment.
    const int coil = kToggleRules[k].coil;
    const int port = instrument.target().port;
    const int slave = instrument.target().address;
    const QString source = source_of(QLatin1String(kToggleRules[k].button));
    const bool off = instrument.image().Bit0X[coil - 1] != 0;
    // Only turning auto-tune on asks: it takes the loop out of the operator's hands for a while.
    ask_first(asking, this, owner, coil == kAutoTuneCoil && !off,
              tr("Start auto-tune? The instrument drives the output itself until auto-tune ends."),
              [this, port, slave, coil, off, source] {
                  if (off)
                      link.Rst_0X_Bit1(
                          port, slave, coil, this, [](int) {}, source);
                  else
                      link.Set_0X_Bit1(
                          port, slave, coil, this, [](int) {}, source);
              });
}

void OperatorCommands::Command13_Click() {
    listClick(program_state_list(), Combo3, Command13);
}

void OperatorCommands::Command27_Click() {
    listClick(curve_list(), Combo4, Command27);
}

void OperatorCommands::listClick(const ListRule& rule, QComboBox* combo, QPushButton* commit) {
    const auto code = list_code(rule.entries, combo->currentText());
    if (!code) {
        markRefused(combo, tr("%1: \"%2\" is no entry (%3) — nothing written")
                               .arg(rule.caption.toString(), combo->currentText(),
                                    list_codes_text(rule.entries)));
        return;
    }
    // Declined: the list keeps what it shows, nothing is written.
    ask_first(asking, this, owner, combo == Combo4 && program_running_or_held(instrument.image()),
              tr("A program is running or held. Select another curve under it?"),
              [this, combo, reg = rule.reg, code = *code, source = source_of(commit->objectName())] {
                  // Committed as an option field: the edit text becomes the bare code, written.
                  combo->setEditText(QString::number(code));
                  writeOnceMore(reg, code, source);
              });
}

void OperatorCommands::writeOnceMore(int reg, qint32 value, const QString& source) {
    const int port = instrument.target().port;
    const int slave = instrument.target().address;
    link.Set_4X_D1(
        port, slave, reg, value, this,
        [this, port, slave, reg, value, source](int result) {
            if (result == kLinkFailure)
                link.Set_4X_D1(
                    port, slave, reg, value, this, [](int) {}, source);
        },
        source);
}

// The overview's control, as the event journal names the origin of a write.
QString OperatorCommands::source_of(const QString& control) {
    return QStringLiteral("ssqx ") + control;
}

void OperatorCommands::markRefused(QWidget* box, const QString& message) {
    QWidget* edit = box;
    if (auto* combo = qobject_cast<QComboBox*>(box))
        edit = combo->lineEdit();
    set_base(edit, panel_colour::EntryRefused);
    edit->setProperty("refused", true);
    box->setToolTip(message);
    emit inputRefused(message);
}

void OperatorCommands::clearRefused(QWidget* box) {
    QWidget* edit = box;
    if (auto* combo = qobject_cast<QComboBox*>(box))
        edit = combo->lineEdit();
    if (!edit->property("refused").toBool())
        return;
    edit->setProperty("refused", false);
    if (auto* combo = qobject_cast<QComboBox*>(box)) {
        set_base(edit, panel_colour::EntryIdle);
        combo->setToolTip(
            list_codes_text(combo == Combo3 ? program_state_list().entries : curve_list().entries));
        return;
    }
    for (std::size_t k = 0; k < T_3RW.size(); ++k)
        if (T_3RW[k] == box) {
            set_base(box, box->hasFocus() ? panel_colour::EntryFocus : panel_colour::EntryIdle);
            box->setToolTip(entry_range_text(kEntryRules[k]));
        }
}

void OperatorCommands::hideCompanion(QPushButton* button) {
    // A hidden button passes its focus on along the tab chain; that must not land in another
    // entry box and show its companion, so the focus goes to the form instead.
    if (button->hasFocus())
        owner->setFocus(Qt::OtherFocusReason);
    button->hide();
}
