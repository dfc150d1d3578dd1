#pragma once
// The field-editing pattern every parameter screen shares: the controls of a row made from its
// table entry and named as the screen names them; the commit when an editor loses the focus (or
// Return is pressed), with the screen's conversion and retry rule; and the value
// labels set from what the instrument holds.
//
// An editor writes only after the operator changed it (typed, or picked an entry): passing the
// focus through writes nothing. Text that names no entry, or a value that does not fit a
// register, writes nothing and says why on the editor. A write that still fails after its repeat
// marks the editor light red with the reason in its tooltip, until that row's next good write.

#include "link/instrument.h"
#include "link/instrument_link.h"
#include "params/field_rules.h"

#include <QObject>
#include <QString>
#include <functional>
#include <map>

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

// The control names of a screen: value label, entry box, name label, hint label.
struct FieldNames {
    const char* value = "D_4W";
    const char* box = "T_3RW";
    const char* name = "Label1";
    const char* hint = "Label2";
    bool hintShares = false; // the name and hint labels are one array: name 2k, hint 2k + 1
};

struct Field {
    const ParamRow* row = nullptr;
    QLabel* name = nullptr;
    QLabel* value = nullptr;
    QLabel* hint = nullptr;    // null where the row has no hint
    QLineEdit* box = nullptr;  // entry rows
    QComboBox* list = nullptr; // option rows
    QWidget* editor() const;   // the box or the list
    bool changed = false;      // by the operator, since the last commit
    bool marked = false;       // a refusal or a failed write shows on the editor
};

class ParamFields final : public QObject {
    Q_OBJECT
public:
    // Writes to the instrument at `target`, read afresh for every write.
    ParamFields(InstrumentLink& link, const LinkTarget& target, ScreenRules rules, FieldNames names,
                QWidget* form);

    // The row's controls, parented to `parent`, named; the screen places them.
    Field& build(const ParamRow& row, QWidget* parent);
    Field* field(int k);
    const std::map<int, Field>& all() const { return fields; }

    // The value label of row k from a register value, or from an image value already scaled.
    void showValue(int k, qint32 registerValue);
    void showScaled(int k, float value);

    void commit(int k); // what leaving the editor of row k does
    const ScreenRules& screenRules() const { return rules; }
    // Where a row writes when its register is known only at the commit (a program segment's
    // field); without it, the row's own register. Empty, with the reason in `why`: the row has no
    // register now and nothing is written.
    using RegisterOf = std::function<std::optional<int>(const ParamRow&, QString& why)>;
    void setRegisterOf(RegisterOf where) { registerOf = std::move(where); }
    // Where the word goes that the instrument's own line settings were written (the link
    // indicator); it is said even when the screen has gone by the time the answer comes.
    void setLinkNote(std::function<void(const QString&)> sink) { linkNote = std::move(sink); }

signals:
    void writeFinished(int k, bool ok); // after the write and its repeat
    void message(const QString& text);  // for the screen's message line

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void commitBox(Field& f);
    void commitList(Field& f);
    void write(Field& f, qint32 value);
    void markEditor(Field& f, const QString& why);
    void clearMark(Field& f);
    void paintEditor(const Field& f, bool focused);
    Field* fieldOf(QObject* editor);

    InstrumentLink& link;
    const LinkTarget& target;
    ScreenRules rules;
    FieldNames names;
    QWidget* form;
    std::map<int, Field> fields;
    RegisterOf registerOf;
    std::function<void(const QString&)> linkNote;
};
