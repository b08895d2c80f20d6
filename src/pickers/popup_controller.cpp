#include "pickers/popup_controller.h"

#include "editing/cell_button.h"
#include "editing/edit_options.h"
#include "editing/edit_session.h"
#include "editing/editor_box.h"
#include "pickers/calculator.h"
#include "pickers/frm_cal.h"
#include "pickers/frm_list.h"
#include "styles/cell_style_registry.h"

#include <Vantrel3/ErrorSink.h>
#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/MessageBox.h>
#include <Vantrel3/Twips.h>
#include <Vantrel3/VbError.h>
#include <Vantrel3/vbruntime.h>

#include <QApplication>
#include <QGuiApplication>
#include <QListWidget>
#include <QPointer>
#include <QScreen>
#include <QTimer>

namespace Vantrel3 {

namespace {

// Runs a handler after its popup has hidden, however it closed (its own keys, the control, the
// window manager), once the platform has finished moving the activation about.
class HiddenWatcher : public QObject {
public:
    HiddenWatcher(QWidget *popup, std::function<void()> hidden)
        : QObject(popup), m_hidden(std::move(hidden)) {
        popup->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Hide && watched == parent()) {
            QTimer::singleShot(0, this, [this] { guarded("Popup", m_hidden); });
        }
        return false;
    }

private:
    std::function<void()> m_hidden;
};

} // namespace

PopupController::PopupController(QWidget &control, FlexGrid &grid, EditorBox &editor,
                                 const CellStyleRegistry &registry, const EditSession &session,
                                 const EditOptions &options)
    : m_control(control), m_grid(grid), m_editor(editor), m_registry(registry), m_session(session),
      m_options(options), m_calendar(new frmCal(&control)), m_calculator(new Calculator(&control)),
      m_list(new frmList(&control)) {
    // The close handlers: the picked text goes into the editor, never into the cell; the cell
    // takes it when it is left.
    QObject::connect(m_calendar, &frmCal::CalClose, &control, [this](const QString &text) {
        m_editor.SetText(text);
        unloadCalendar();
    });
    QObject::connect(m_calculator, &Calculator::ClcClose, &control, [this](const QString &text) {
        m_editor.SetText(text);
        unloadCalculator();
    });
    QObject::connect(m_list, &frmList::ListClose, &control, [this](const QString &text) {
        m_editor.SetText(text);
        unloadList();
    });
    for (QWidget *popup : {static_cast<QWidget *>(m_calendar), static_cast<QWidget *>(m_calculator),
                           static_cast<QWidget *>(m_list)}) {
        new HiddenWatcher(popup, [this] { restoreFocus(); });
    }
}

bool PopupController::listOpen() const {
    return m_list->isVisible();
}
bool PopupController::calendarOpen() const {
    return m_calendar->isVisible();
}
bool PopupController::calculatorOpen() const {
    return m_calculator->isVisible();
}

void PopupController::unloadList() {
    m_list->unload();
}
void PopupController::unloadCalendar() {
    m_calendar->unload();
}
void PopupController::unloadCalculator() {
    m_calculator->unload();
}

void PopupController::restoreFocus() {
    // Where the focus already is in the host's window (the user clicked elsewhere), it stays;
    // otherwise the keys come back to the control, not to nowhere.
    const QWidget *now = QApplication::focusWidget();
    if (now && now->window() == m_control.window() && now->isVisible() &&
        !qobject_cast<const CellButton *>(now)) {
        return;
    }
    m_control.window()->activateWindow();
    if (m_editor.isVisible()) {
        m_editor.setFocus();
    } else {
        m_grid.setFocus();
    }
}

bool PopupController::closeFirstOpen() {
    if (listOpen()) {
        unloadList();
    } else if (calendarOpen()) {
        unloadCalendar();
    } else if (calculatorOpen()) {
        unloadCalculator();
    } else {
        return false;
    }
    return true;
}

void PopupController::editorClicked() {
    if (listOpen()) {
        unloadList();
    }
    if (calendarOpen()) {
        unloadCalendar();
    }
}

void PopupController::editorLostFocus() {
    const QWidget *now = QApplication::focusWidget();
    if (!now || now->window() != m_control.window()) {
        return;
    }
    if (qobject_cast<const CellButton *>(now)) {
        return;
    }
    closeFirstOpen();
}

void PopupController::setListItems(const QStringList &items) {
    QListWidget *list = m_list->List1();
    list->clear();
    list->addItems(items);
}

void PopupController::FillLookupList() {
    setListItems(m_registry.lookUpItems(m_grid.Row(), m_grid.Col()));
}

void PopupController::completeEditorText() {
    QListWidget *list = m_list->List1();
    // List1's own visibility flag, not whether its form is on screen.
    if (list->count() == 0 || !m_options.autoComplete || list->isHidden()) {
        return;
    }
    const int found = frmList::findString(list, m_editor.Text());
    list->setCurrentRow(qint16(found));
    if (list->currentRow() != -1) {
        const qint32 p = m_editor.SelStart();
        m_editor.SetText(list->currentItem()->text());
        m_editor.SetSelStart(p);
        m_editor.SetSelLength(qint32(m_editor.Text().size()) - p);
    }
}

// --- The click procedure --------------------------------------------------------------------

template <typename F>
void PopupController::step(F &&f) {
    try {
        f();
    } catch (const VbError &e) {
        report(e.Description(), e.Source());
    } catch (const std::exception &e) {
        report(QString::fromUtf8(e.what()), QStringLiteral("Vantrel3"));
    }
}

void PopupController::report(const QString &description, const QString &source) {
    MsgBox(description + QStringLiteral(" - ") + source, vbOKOnly, QString(), &m_control);
}

void PopupController::buttonClicked(const CellButton *button) {
    if (closeOpenPopup()) {
        return;
    }
    const CellStyleState &style = m_session.style;
    if (style.CellHasCalendar) {
        openBesideCell(m_calendar, button);
    } else if (style.CellHasCalculator) {
        openBesideCell(m_calculator, button);
    } else if (style.CellHasList) {
        const QPointer<QWidget> control(&m_control);
        const bool goOn = openList(button);
        // The host may have destroyed the control while the modal list was open.
        if (!goOn || !control) {
            return;
        }
    }
    step([&] { m_grid.setFocus(); });
}

bool PopupController::closeOpenPopup() {
    bool closed = false;
    step([&] { closed = closeFirstOpen(); });
    return closed;
}

void PopupController::openBesideCell(QWidget *popup, const CellButton *button) {
    step([&] {
        if (popup == m_calendar) {
            // On the date the cell holds, or on today's: navigating there from a fixed date
            // every time is no way to pick one.
            const QString text = m_editor.Text();
            m_calendar->load(vb::IsDate(text) ? vb::CDate(text).date() : QDate());
        } else if (popup == m_calculator) {
            m_calculator->load();
        }
    });
    step([&] { place(popup, button); });
    // The grid takes the focus before the popup shows: moved after it, the editor's focus loss
    // would arrive while the host is still active and close the popup just opened.
    step([&] { m_grid.setFocus(); });
    step([&] {
        popup->show();
        popup->activateWindow();
    });
}

bool PopupController::openList(const CellButton *button) {
    step([&] { m_list->resize(Twips::toPixelsX(&m_grid, m_grid.CellWidth()), m_list->height()); });
    step([&] { place(m_list, button); });
    step([&] { FillLookupList(); });
    if (m_options.autoComplete) {
        step([&] { m_list->showModeless(); });
        step([&] {
            m_editor.SetSelStart(0);
            m_editor.SetSelLength(qint32(m_editor.Text().size()));
        });
        step([&] { m_editor.setFocus(); });
        return false;
    }
    step([&] { m_list->showModal(); });
    return true;
}

void PopupController::place(QWidget *popup, const CellButton *button) {
    if (placementProbe()) {
        placementProbe()();
    }
    // The platform window knows its frame only once it exists; placement uses the outer size.
    popup->winId();
    popup->move(placementFor(popup, button).topLeft());
}

std::function<void()> &PopupController::placementProbe() {
    static std::function<void()> probe;
    return probe;
}

PopupPlacement PopupController::placementFor(const QWidget *popup, const CellButton *button) const {
    const FlexGrid *grid = &m_grid;
    const int left = Twips::toPixelsX(grid, grid->CellLeft());
    const int top = Twips::toPixelsY(grid, grid->CellTop());
    const QSize size(Twips::toPixelsX(grid, grid->CellWidth()),
                     Twips::toPixelsY(grid, grid->CellHeight()));

    PopupPlacement placement;
    placement.cell = QRect(grid->mapToGlobal(QPoint(left, top)), size);
    placement.popup = popup->frameGeometry().size();
    const QRect host = m_control.window()->frameGeometry();
    placement.hostRight = host.x() + host.width();
    placement.editorWidth = m_editor.width();
    placement.buttonWidth = button && button->Visible() ? button->width() : 0;
    const QScreen *screen = QGuiApplication::screenAt(placement.cell.bottomLeft());
    if (!screen) {
        screen = m_control.screen();
    }
    if (screen) {
        placement.screen = screen->availableGeometry();
    }
    return placement;
}

} // namespace Vantrel3
