#include "historian/historian_dialog.h"

#include "core/console_settings.h"
#include "core/naming.h"
#include "historian/historian_conninfo.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
const QString kConninfoKey = QStringLiteral("historian/conninfo");
const QString kNameKey = QStringLiteral("historian/consoleName");
} // namespace

QString HistorianDialog::savedConninfo() {
    return console_settings::value(kConninfoKey).toString();
}

QString HistorianDialog::savedConsoleName() {
    return console_settings::value(kNameKey).toString();
}

HistorianDialog::HistorianDialog(QWidget* parent)
    : QDialog(parent), conninfo(new QLineEdit(savedConninfo(), this)),
      consoleName(new QLineEdit(savedConsoleName(), this)), note(new QLabel(this)) {
    setWindowTitle(tr("Historian"));
    name_control(conninfo, QStringLiteral("HistorianConninfo"));
    name_control(consoleName, QStringLiteral("HistorianConsoleName"));
    name_control(note, QStringLiteral("HistorianNote"));
    conninfo->setPlaceholderText(tr("host=plant-db dbname=historian user=furnace3"));
    conninfo->setMinimumWidth(420);
    consoleName->setPlaceholderText(tr("host name and instrument address"));
    note->setWordWrap(true);
    note->setText(tr("The password goes in ~/.pgpass, never here. Empty: no historian."));
    auto* form = new QFormLayout;
    form->addRow(tr("Central database"), conninfo);
    form->addRow(tr("Console name"), consoleName);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &HistorianDialog::keep);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);
}

void HistorianDialog::keep() {
    const QString text = conninfo->text().trimmed();
    QString why;
    if (!text.isEmpty() && !HistorianConninfo::parse(text, &why)) {
        conninfo->setStyleSheet(QStringLiteral("background: #ffd0d0"));
        conninfo->setToolTip(why);
        note->setText(why);
        return; // nothing kept, the dialog stays open
    }
    console_settings::set_value(kConninfoKey, text);
    console_settings::set_value(kNameKey, consoleName->text().trimmed());
    emit chosen(text, consoleName->text().trimmed());
    accept();
}
