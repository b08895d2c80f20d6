#include "pages/general_page.h"

#include "pages/page_conversions.h"
#include "pages/page_fields.h"

#include <Vantrel3/Vantrel.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace Vantrel3 {

using namespace pages;

GeneralPage::GeneralPage(QWidget *parent)
    : PropertyPage(QStringLiteral("General"), parent), cmbApp(makeList(this, "cmbApp")),
      cmbBorder(makeList(this, "cmbBorder")),
      chkEnterAsKeyTab(makeCheckBox(this, "chkEnterAsKeyTab", QStringLiteral("EnterAsKeyTab"))),
      chkArrowAsKeyTab(makeCheckBox(this, "chkArrowAsKeyTab", QStringLiteral("ArrowAsKeyTab"))),
      chkAllowEdit(makeCheckBox(this, "chkAllowEdit", QStringLiteral("AllowEdit"))),
      txtRows(makeTextBox(this, "txtRows")), txtFixedRows(makeTextBox(this, "txtFixedRows")),
      txtFixedCols(makeTextBox(this, "txtFixedCols")), txtCols(makeTextBox(this, "txtCols")),
      chkEnabled(makeCheckBox(this, "chkEnabled", QStringLiteral("Enabled"))) {
    // The list index is the property value, so the entries keep this order.
    cmbApp->addItem(QStringLiteral("Vantrel - Flat"));
    cmbApp->addItem(QStringLiteral("Vantrel - 3D"));
    cmbBorder->addItem(QStringLiteral("No Border"));
    cmbBorder->addItem(QStringLiteral("Fixed Single"));

    auto *grid = new QGridLayout(this);
    addLabelled(grid, 0, 0, makeLabel(this, "lblApp", QStringLiteral("Appearance:")), cmbApp);
    addLabelled(grid, 1, 0, makeLabel(this, "lblBorder", QStringLiteral("BorderStyle:")),
                cmbBorder);
    grid->addWidget(chkEnterAsKeyTab, 0, 3);
    grid->addWidget(chkArrowAsKeyTab, 1, 3);
    grid->addWidget(chkAllowEdit, 2, 3);
    grid->addWidget(makeLabel(this, "lblRow", QStringLiteral("Row:")), 3, 0);
    addLabelled(grid, 4, 0, makeLabel(this, "lblRows", QStringLiteral("Rows:")), txtRows);
    addLabelled(grid, 4, 2, makeLabel(this, "lblFixedRows", QStringLiteral("FixedRows:")),
                txtFixedRows);
    addLabelled(grid, 5, 0, makeLabel(this, "lblCols", QStringLiteral("Cols:")), txtCols);
    addLabelled(grid, 5, 2, makeLabel(this, "lblFixedCols", QStringLiteral("FixedCols:")),
                txtFixedCols);
    grid->addWidget(chkEnabled, 6, 0, 1, 2);
    grid->setRowStretch(7, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    // A programmatic change counts too: loading the fields marks the page changed.
    for (QComboBox *list : {cmbApp, cmbBorder}) {
        connect(list, &QComboBox::currentIndexChanged, this, &GeneralPage::MarkChanged);
        connect(list, &QComboBox::activated, this, &GeneralPage::MarkChanged);
    }
    for (QCheckBox *box : {chkEnterAsKeyTab, chkArrowAsKeyTab, chkAllowEdit, chkEnabled}) {
        connect(box, &QCheckBox::stateChanged, this, &GeneralPage::MarkChanged);
    }
    for (QLineEdit *box : {txtRows, txtFixedRows, txtFixedCols, txtCols}) {
        connect(box, &QLineEdit::textChanged, this, &GeneralPage::MarkChanged);
    }
}

void GeneralPage::SelectionChanged() {
    const Vantrel *control = FirstControl();
    if (!control) {
        return;
    }
    cmbApp->setCurrentIndex(control->Appearance());
    cmbBorder->setCurrentIndex(control->BorderStyle());
    chkEnterAsKeyTab->setChecked(control->EnterAsKeyTab());
    chkArrowAsKeyTab->setChecked(control->ArrowAsKeyTab());
    chkAllowEdit->setChecked(control->AllowEdit());
    txtRows->setText(QString::number(control->Rows()));
    txtFixedRows->setText(QString::number(control->FixedRows()));
    txtFixedCols->setText(QString::number(control->FixedCols()));
    txtCols->setText(QString::number(control->Cols()));
    chkEnabled->setChecked(control->Enabled());
}

void GeneralPage::ApplyChanges() {
    Vantrel *control = FirstControl();
    if (!control) {
        return;
    }
    // Each write runs before the next text is converted, so a failure leaves the earlier
    // properties written and the later ones untouched.
    control->SetAppearance(cmbApp->currentIndex());
    control->SetBorderStyle(cmbBorder->currentIndex());
    control->SetEnterAsKeyTab(chkEnterAsKeyTab->isChecked());
    control->SetArrowAsKeyTab(chkArrowAsKeyTab->isChecked());
    control->SetAllowEdit(chkAllowEdit->isChecked());
    control->SetRows(LongFromText(txtRows->text()));
    control->SetFixedRows(LongFromText(txtFixedRows->text()));
    control->SetFixedCols(LongFromText(txtFixedCols->text()));
    control->SetCols(LongFromText(txtCols->text()));
    control->SetEnabled(chkEnabled->isChecked());
}

} // namespace Vantrel3
