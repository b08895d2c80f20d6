#pragma once

#include "pages/property_page.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace Vantrel3 {

// The "General" page: look, border, keyboard options, editing, grid shape and enabled state of
// the first selected control.
class GeneralPage : public PropertyPage {
    Q_OBJECT

public:
    explicit GeneralPage(QWidget *parent = nullptr);

    void SelectionChanged() override;
    void ApplyChanges() override;

private:
    QComboBox *cmbApp;
    QComboBox *cmbBorder;
    QCheckBox *chkEnterAsKeyTab;
    QCheckBox *chkArrowAsKeyTab;
    QCheckBox *chkAllowEdit;
    QLineEdit *txtRows;
    QLineEdit *txtFixedRows;
    QLineEdit *txtFixedCols;
    QLineEdit *txtCols;
    QCheckBox *chkEnabled;
};

} // namespace Vantrel3
