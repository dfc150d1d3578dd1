#include "params/param_fields.h"

#include "core/conversions.h"
#include "core/fonts.h"
#include "core/naming.h"
#include "link/modbus_request.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

namespace {
const QColor kWhite(255, 255, 255);
const QColor kMarked(255, 200, 200); // a refusal or a failed write

// The registers that set the instrument's own line: the console's link does not follow them.
constexpr int kBaudRegister = 4157;
constexpr int kParityRegister = 4158;
constexpr int kAddressRegister = 4159;

QStringList entries_of(const OptionList& list) {
    QStringList out;
    for (QStringView e : list.entries)
        out << e.toString();
    return out;
}

void set_base(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, colour);
    w->setPalette(p);
}
} // namespace

QWidget* Field::editor() const {
    return box ? static_cast<QWidget*>(box) : static_cast<QWidget*>(list);
}

ParamFields::ParamFields(InstrumentLink& instrument, const LinkTarget& at, ScreenRules screenRules,
                         FieldNames fieldNames, QWidget* owner)
    : QObject(owner), link(instrument), target(at), rules(std::move(screenRules)),
      names(fieldNames), form(owner) {}

Field& ParamFields::build(const ParamRow& row, QWidget* parent) {
    Field& f = fields[row.k];
    f.row = &row;
    const int k = row.k;
    const int nameIndex = names.hintShares ? 2 * k : k;
    f.name = named(new QLabel(row.name.toString(), parent), QLatin1String(names.name), nameIndex);
    f.value = row.valueName ? named(new QLabel(parent), QLatin1String(row.valueName))
                            : named(new QLabel(parent), QLatin1String(names.value), k);
    f.value->setFont(song_font(form->font().pointSize()));
    f.value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    f.value->setMinimumWidth(90);
    if (!row.hint.isEmpty()) {
        const int hintIndex = names.hintShares ? 2 * k + 1 : k;
        f.hint =
            named(new QLabel(row.hint.toString(), parent), QLatin1String(names.hint), hintIndex);
        f.hint->setWordWrap(true);
    }
    if (row.kind == FieldKind::Option) {
        f.list = named(new QComboBox(parent), QLatin1String(row.options->editor));
        f.list->setEditable(true);
        f.list->setInsertPolicy(QComboBox::NoInsert);
        f.list->addItems(entries_of(*row.options));
        f.list->setCurrentIndex(0);
        // A pick counts while the operator is at the list; the list's own matching as it loses
        // the focus is no pick.
        connect(f.list, &QComboBox::activated, this, [this, k] {
            Field& picked = fields[k];
            if (picked.list->hasFocus() || picked.list->view()->isVisible())
                picked.changed = true;
        });
        f.list->setFocusPolicy(Qt::StrongFocus); // a wheel turn over it does not take the focus
        connect(f.list->lineEdit(), &QLineEdit::textEdited, this,
                [this, k] { fields[k].changed = true; });
        connect(f.list->lineEdit(), &QLineEdit::returnPressed, this, [this, k] { commit(k); });
        f.list->installEventFilter(this);
    } else {
        f.box = row.editorName ? named(new QLineEdit(parent), QLatin1String(row.editorName))
                               : named(new QLineEdit(parent), QLatin1String(names.box), k);
        connect(f.box, &QLineEdit::textEdited, this, [this, k] { fields[k].changed = true; });
        connect(f.box, &QLineEdit::returnPressed, this, [this, k] { commit(k); });
        f.box->installEventFilter(this);
    }
    return f;
}

Field* ParamFields::field(int k) {
    const auto it = fields.find(k);
    return it == fields.end() ? nullptr : &it->second;
}

Field* ParamFields::fieldOf(QObject* editor) {
    for (auto& [k, f] : fields)
        if (f.editor() == editor)
            return &f;
    return nullptr;
}

void ParamFields::showValue(int k, qint32 registerValue) {
    Field* f = field(k);
    if (!f)
        return;
    if (const auto text = value_text(rules, *f->row, registerValue))
        f->value->setText(*text);
}

void ParamFields::showScaled(int k, float value) {
    if (Field* f = field(k))
        f->value->setText(number_text(value));
}

bool ParamFields::eventFilter(QObject* watched, QEvent* event) {
    // A wheel turned over a list the operator is not at would change a live setting unseen.
    if (event->type() == QEvent::Wheel) {
        auto* list = qobject_cast<QComboBox*>(watched);
        if (list && !list->hasFocus()) {
            event->ignore();
            return true;
        }
        return false;
    }
    if (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut)
        return false;
    Field* f = fieldOf(watched);
    if (!f)
        return false;
    const bool in = event->type() == QEvent::FocusIn;
    // Opening a list's drop-down or switching to another window moves the focus for a moment:
    // that is not leaving the editor.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (!in && (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason))
        return false;
    paintEditor(*f, in);
    if (!in)
        commit(f->row->k);
    return false;
}

void ParamFields::paintEditor(const Field& f, bool focused) {
    if (f.marked || !f.box)
        return;
    if (rules.focus.isValid())
        set_base(f.box, focused ? rules.focus : kWhite);
}

void ParamFields::commit(int k) {
    Field* f = field(k);
    if (!f || !f->changed)
        return; // passing through an editor the operator did not change writes nothing
    f->changed = false;
    if (f->list)
        commitList(*f);
    else
        commitBox(*f);
}

void ParamFields::commitBox(Field& f) {
    if (f.box->text().trimmed().isEmpty()) {
        // A box emptied (or an empty one passed with Delete) is no number the operator meant.
        markEditor(f, tr("empty — nothing written"));
        return;
    }
    QString why;
    const auto value = entry_value(rules, f.row->kind, f.box->text(), &why);
    if (!value) {
        markEditor(f, tr("%1 — nothing written").arg(why));
        return;
    }
    write(f, *value);
}

void ParamFields::commitList(Field& f) {
    if (f.row->reg == 0)
        return; // a list bound to no register
    const QStringList entries = entries_of(*f.row->options);
    const auto code = list_code(entries, f.list->currentText());
    if (!code) {
        markEditor(f, tr("\"%1\" is no entry of the list (%2) — nothing written")
                          .arg(f.list->currentText(), list_codes_text(entries)));
        return;
    }
    // The edit field shows the bare code, which is what is read back and written.
    f.list->setEditText(QString::number(*code));
    const qint32 value = to_int32(text_to_number(f.list->currentText())).value_or(*code);
    write(f, value);
}

// The write and its repeat go out on the link's own account: leaving the screen right after an
// edit (its return button) must not drop the repeat, nor the note on the instrument's line
// settings. What shows on the row needs the screen, and happens only while it is there.
void ParamFields::write(Field& f, qint32 value) {
    QString nowhere;
    const std::optional<int> where = registerOf ? registerOf(*f.row, nowhere) : f.row->reg;
    if (!where) {
        markEditor(f, tr("%1 — nothing written").arg(nowhere));
        return;
    }
    const int port = target.port;
    const int slave = target.address;
    const int reg = *where;
    const int k = f.row->k;
    const RetryRule retry = retry_rule(rules, f.row->kind);
    const QString name = f.row->name.toString();
    InstrumentLink* instrument = &link;
    const QPointer<ParamFields> self(this);
    auto finished = [self, instrument, k, reg, value, name, note = linkNote](int result) {
        const bool lineSettings =
            reg == kBaudRegister || reg == kParityRegister || reg == kAddressRegister;
        const QString said = tr("%1 written to the instrument; the console keeps talking with the "
                                "overview's link settings until they are changed there")
                                 .arg(name);
        if (result >= 0 && lineSettings && note)
            note(said);
        if (!self)
            return; // the screen is gone: nothing left to mark
        Field* row = self->field(k);
        if (!row)
            return;
        emit self->writeFinished(k, result >= 0);
        if (result < 0) {
            const QString reason = failure_words(instrument->status());
            self->markEditor(*row, tr("%1 = %2 was not taken: %3")
                                       .arg(reg)
                                       .arg(value)
                                       .arg(reason.isEmpty() ? tr("the write failed") : reason));
            return;
        }
        self->clearMark(*row);
        if (lineSettings) {
            row->editor()->setToolTip(said);
            emit self->message(said);
        }
    };
    // The screen and the editor, as the event journal names the origin of the write.
    const QString source = f.editor()->window()->objectName() + u' ' + f.editor()->objectName();
    link.Set_4X_D1(
        port, slave, reg, value, instrument,
        [instrument, port, slave, reg, value, retry, finished, source](int result) {
            if (!wants_retry(retry, result)) {
                finished(result);
                return;
            }
            instrument->Set_4X_D1(port, slave, reg, value, instrument, finished, source);
        },
        source);
}

void ParamFields::markEditor(Field& f, const QString& why) {
    f.marked = true;
    QWidget* painted = f.box ? static_cast<QWidget*>(f.box) : f.list->lineEdit();
    set_base(painted, kMarked);
    f.editor()->setToolTip(why);
    emit message(QStringLiteral("%1: %2").arg(f.row->name.toString().trimmed(), why));
}

void ParamFields::clearMark(Field& f) {
    if (!f.marked)
        return;
    f.marked = false;
    QWidget* painted = f.box ? static_cast<QWidget*>(f.box) : f.list->lineEdit();
    const bool focused = f.editor()->hasFocus();
    set_base(painted, focused && rules.focus.isValid() && f.box ? rules.focus : kWhite);
    f.editor()->setToolTip(QString());
}
