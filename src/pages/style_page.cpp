#include "pages/style_page.h"

#include "pages/page_conversions.h"
#include "pages/page_fields.h"

#include <Vantrel3/ErrorSink.h>
#include <Vantrel3/Vantrel.h>

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace Vantrel3 {

using namespace pages;

namespace {

FileDialogRunner &runnerSlot() {
    static FileDialogRunner runner;
    return runner;
}

std::optional<QString> runModal(QFileDialog &dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first();
}

} // namespace

void setFileDialogRunner(FileDialogRunner runner) {
    runnerSlot() = std::move(runner);
}

StylePage::StylePage(QWidget *parent)
    : PropertyPage(QStringLiteral("Style"), parent),
      txtDatabaseName(makeTextBox(this, "txtDatabaseName")),
      Command1(new QPushButton(QStringLiteral("..."), this)),
      chkAutoComplete(makeCheckBox(this, "chkAutoComplete", QStringLiteral("AutoComplete"))),
      txtToolTipText(makeTextBox(this, "txtToolTipText")),
      chkWordWrap(makeCheckBox(this, "chkWordWrap", QStringLiteral("WordWrap"))),
      txtRowHeight(makeTextBox(this, "txtRowHeight")),
      txtGridLineWidth(makeTextBox(this, "txtGridLineWidth")),
      txtFormatString(makeTextBox(this, "txtFormatString")) {
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFixedWidth(Command1->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 16);

    auto *grid = new QGridLayout(this);
    addLabelled(grid, 0, 0, makeLabel(this, "lblDatabaseName", QStringLiteral("DatabaseName:")),
                txtDatabaseName, 3);
    grid->addWidget(Command1, 0, 4);
    addLabelled(grid, 1, 0, makeLabel(this, "lblToolTipText", QStringLiteral("ToolTipText:")),
                txtToolTipText, 4);
    grid->addWidget(chkAutoComplete, 2, 1);
    grid->addWidget(chkWordWrap, 2, 3);
    addLabelled(grid, 3, 0, makeLabel(this, "lblRowHeight", QStringLiteral("RowHeight:")),
                txtRowHeight);
    addLabelled(grid, 3, 2, makeLabel(this, "lblGridLineWidth", QStringLiteral("GridLineWidth:")),
                txtGridLineWidth);
    addLabelled(grid, 4, 0, makeLabel(this, "lblFormatString", QStringLiteral("FormatString:")),
                txtFormatString, 4);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    for (QLineEdit *box :
         {txtDatabaseName, txtToolTipText, txtRowHeight, txtGridLineWidth, txtFormatString}) {
        connect(box, &QLineEdit::textChanged, this, &StylePage::MarkChanged);
    }
    for (QCheckBox *box : {chkAutoComplete, chkWordWrap}) {
        connect(box, &QCheckBox::stateChanged, this, &StylePage::MarkChanged);
    }
    connect(Command1, &QPushButton::clicked, this,
            [this] { guarded("StylePage::Command1", [this] { Browse(); }); });
}

void StylePage::Browse() {
    if (!Cmdlg) {
        Cmdlg = new QFileDialog(this);
        Cmdlg->setObjectName(QStringLiteral("Cmdlg"));
    }
    // The files the data source opens: SQLite databases, under any of their usual suffixes.
    Cmdlg->setWindowTitle(QStringLiteral("Database"));
    Cmdlg->setNameFilters(
        {QStringLiteral("Database (*.db *.sqlite *.sqlite3)"), QStringLiteral("Tutti i file (*)")});
    Cmdlg->setAcceptMode(QFileDialog::AcceptOpen);
    Cmdlg->setFileMode(QFileDialog::ExistingFile);
    const FileDialogRunner &runner = runnerSlot();
    const std::optional<QString> chosen = runner ? runner(*Cmdlg) : runModal(*Cmdlg);
    // A cancelled dialog leaves the box as it was: writing the dialog's previous (at first
    // empty) file name there would silently clear the control's database on the next Apply.
    if (chosen) {
        m_fileName = *chosen;
        txtDatabaseName->setText(m_fileName);
    }
}

void StylePage::SelectionChanged() {
    const Vantrel *control = FirstControl();
    if (!control) {
        return;
    }
    txtDatabaseName->setText(control->DatabaseName());
    chkAutoComplete->setChecked(control->AutoComplete());
    txtToolTipText->setText(control->ToolTipText());
    chkWordWrap->setChecked(control->WordWrap());
    txtGridLineWidth->setText(QString::number(control->GridLineWidth()));
    txtFormatString->setText(control->FormatString());
}

void StylePage::ApplyChanges() {
    Vantrel *control = FirstControl();
    if (!control) {
        return;
    }
    control->SetDatabaseName(txtDatabaseName->text());
    control->SetAutoComplete(chkAutoComplete->isChecked());
    control->SetToolTipText(txtToolTipText->text());
    control->SetWordWrap(chkWordWrap->isChecked());
    control->SetGridLineWidth(IntegerFromText(txtGridLineWidth->text()));
    control->SetFormatString(txtFormatString->text());
}

} // namespace Vantrel3
