#pragma once

#include "pickers/popup_placement.h"

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace Vantrel3 {

class CellButton;
class CellStyleRegistry;
class Calculator;
class EditSession;
class EditorBox;
class FlexGrid;
class frmCal;
class frmList;
struct EditOptions;

// The control's three popups and the cell-button click procedure: toggling the current cell's
// popup, opening the calendar, the calculator or the lookup list under the cell, and handing
// the picked text over to the editor. The popups are created once, in this order, as children
// of the control, and live as long as it does.
class PopupController {
public:
    PopupController(QWidget &control, FlexGrid &grid, EditorBox &editor,
                    const CellStyleRegistry &registry, const EditSession &session,
                    const EditOptions &options);

    frmCal &calendar() const { return *m_calendar; }
    Calculator &calculator() const { return *m_calculator; }
    frmList &list() const { return *m_list; }

    bool listOpen() const;
    bool calendarOpen() const;
    bool calculatorOpen() const;
    void unloadList();
    void unloadCalendar();
    void unloadCalculator();
    // Closes the list, else the calendar, else the calculator; false when none was open.
    bool closeFirstOpen();

    // The click procedure of a cell button. Every step that fails shows a message box and the
    // procedure goes on with the next step. `button` is the clicking handler's own button: only
    // its width enters the right-edge rule.
    void buttonClicked(const CellButton *button);
    // A click in the editor closes the list and the calendar, not the calculator.
    void editorClicked();
    // The editor lost the focus: a popup closes unless the focus went to a cell button or out
    // of the window (a popup or another window becoming active).
    void editorLostFocus();

    // The current cell's lookup items, loaded whenever the editor is placed.
    void setListItems(const QStringList &items);
    // Fills the list with the items of the control's current cell.
    void FillLookupList();
    // The completion of the editor's text from the list's items.
    void completeEditorText();

    // Where `popup` goes for the current cell, from the real window geometry.
    PopupPlacement placementFor(const QWidget *popup, const CellButton *button) const;
    // Runs before each placement; tests install one that throws to check that a failing step
    // is reported and the procedure goes on. Empty by default.
    static std::function<void()> &placementProbe();

private:
    template <typename F>
    void step(F &&f);
    void report(const QString &description, const QString &source);
    bool closeOpenPopup();
    void openBesideCell(QWidget *popup, const CellButton *button);
    // False when the list stays on screen beside the editor and the procedure stops.
    bool openList(const CellButton *button);
    void place(QWidget *popup, const CellButton *button);
    // After a popup closed: the keys go to the editor, or the grid.
    void restoreFocus();

    QWidget &m_control;
    FlexGrid &m_grid;
    EditorBox &m_editor;
    const CellStyleRegistry &m_registry;
    const EditSession &m_session;
    const EditOptions &m_options;
    frmCal *m_calendar;
    Calculator *m_calculator;
    frmList *m_list;
};

} // namespace Vantrel3
