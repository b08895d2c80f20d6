#pragma once

#include "pages/property_page.h"

#include <functional>
#include <optional>

class QCheckBox;
class QFileDialog;
class QLineEdit;
class QPushButton;

namespace Vantrel3 {

// Runs the prepared open-file dialog and gives the chosen file, or nothing when cancelled.
// Tests install their own so that no dialog blocks; nullptr restores the modal default.
using FileDialogRunner = std::function<std::optional<QString>(QFileDialog &dialog)>;
void setFileDialogRunner(FileDialogRunner runner);

// The "Style" page: database file, AutoComplete, tool tip, word wrap, grid line width and the
// grid's format string of the first selected control. txtRowHeight is kept as an inert field.
class StylePage : public PropertyPage {
    Q_OBJECT

public:
    explicit StylePage(QWidget *parent = nullptr);

    void SelectionChanged() override;
    void ApplyChanges() override;

    // Command1: asks for the database file and puts the dialog's file name in the box.
    void Browse();

private:
    QLineEdit *txtDatabaseName;
    QPushButton *Command1;
    QCheckBox *chkAutoComplete;
    QLineEdit *txtToolTipText;
    QCheckBox *chkWordWrap;
    QLineEdit *txtRowHeight;
    QLineEdit *txtGridLineWidth;
    QLineEdit *txtFormatString;
    // Cmdlg: made on the first browse; it keeps the last chosen file name between browses.
    QFileDialog *Cmdlg = nullptr;
    QString m_fileName;
};

} // namespace Vantrel3
