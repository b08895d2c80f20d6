#include "pickers/popup_dispatch.h"

#include "control/vantrel_p.h"
#include "editing/cell_button.h"
#include "editing/editor_box.h"
#include "pickers/calculator.h"
#include "pickers/frm_cal.h"
#include "pickers/frm_list.h"

#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/MessageBox.h>
#include <Vantrel3/Twips.h>
#include <Vantrel3/VbError.h>

#include <QGuiApplication>
#include <QListWidget>
#include <QPointer>
#include <QScreen>

namespace Vantrel3 {

// --- The popups' life on the control -------------------------------------------------------

void VantrelPrivate::createPopups() {
    frmCalObj = new frmCal(q);
    frmCalc = new Calculator(q);
    frmListObj = new frmList(q);
    // The close handlers: the picked text goes into the editor, never into the cell; the cell
    // takes it when it is left.
    QObject::connect(frmCalObj, &frmCal::CalClose, q, [this](const QString &text) {
        Text1->SetText(text);
        unloadCalendar();
    });
    QObject::connect(frmCalc, &Calculator::ClcClose, q, [this](const QString &text) {
        Text1->SetText(text);
        unloadCalculator();
    });
    QObject::connect(frmListObj, &frmList::ListClose, q, [this](const QString &text) {
        Text1->SetText(text);
        unloadList();
    });
}

bool VantrelPrivate::listOpen() const {
    return frmListObj->isVisible();
}
bool VantrelPrivate::calendarOpen() const {
    return frmCalObj->isVisible();
}
bool VantrelPrivate::calculatorOpen() const {
    return frmCalc->isVisible();
}

void VantrelPrivate::unloadList() {
    frmListObj->unload();
}
void VantrelPrivate::unloadCalendar() {
    frmCalObj->unload();
}
void VantrelPrivate::unloadCalculator() {
    frmCalc->unload();
}

void VantrelPrivate::Command1_Click() {
    PopupDispatch(*this, Command1).click();
}

void VantrelPrivate::Command2_Click() {
    PopupDispatch(*this, Command2).click();
}

void VantrelPrivate::FillLookupList() {
    QListWidget *list = frmListObj->List1();
    list->clear();
    list->addItems(registry.lookUpItems(MSFlexGrid1->Row(), MSFlexGrid1->Col()));
}

// --- The click procedure --------------------------------------------------------------------

template <typename F>
void PopupDispatch::step(F &&f) {
    try {
        f();
    } catch (const VbError &e) {
        report(e.Description(), e.Source());
    } catch (const std::exception &e) {
        report(QString::fromUtf8(e.what()), QStringLiteral("Vantrel3"));
    }
}

void PopupDispatch::report(const QString &description, const QString &source) {
    MsgBox(description + QStringLiteral(" - ") + source, vbOKOnly, QString(), d.q);
}

void PopupDispatch::click() {
    if (closeOpenPopup()) {
        return;
    }
    if (d.style.CellHasCalendar) {
        openBesideCell(d.frmCalObj);
    } else if (d.style.CellHasCalculator) {
        openBesideCell(d.frmCalc);
    } else if (d.style.CellHasList) {
        const QPointer<QWidget> control(d.q);
        const bool goOn = openList();
        // The host may have destroyed the control while the modal list was open.
        if (!goOn || !control) {
            return;
        }
    }
    step([&] { d.MSFlexGrid1->setFocus(); });
}

bool PopupDispatch::closeOpenPopup() {
    bool closed = false;
    step([&] {
        closed = d.listOpen() || d.calendarOpen() || d.calculatorOpen();
        d.closeFirstOpenPopup();
    });
    return closed;
}

void PopupDispatch::openBesideCell(QWidget *popup) {
    step([&] {
        if (auto *calendar = qobject_cast<frmCal *>(popup)) {
            calendar->load();
        } else if (auto *calculator = qobject_cast<Calculator *>(popup)) {
            calculator->load();
        }
    });
    step([&] { place(popup); });
    // The grid takes the focus before the popup shows: moved after it, the editor's focus loss
    // would arrive while the host is still active and close the popup just opened.
    step([&] { d.MSFlexGrid1->setFocus(); });
    step([&] {
        popup->show();
        popup->activateWindow();
    });
}

bool PopupDispatch::openList() {
    frmList *list = d.frmListObj;
    step([&] {
        list->resize(Twips::toPixelsX(d.MSFlexGrid1, d.MSFlexGrid1->CellWidth()), list->height());
    });
    step([&] { place(list); });
    step([&] { d.FillLookupList(); });
    if (d.autoComplete) {
        step([&] { list->showModeless(); });
        step([&] {
            d.Text1->SetSelStart(0);
            d.Text1->SetSelLength(qint32(d.Text1->Text().size()));
        });
        step([&] { d.Text1->setFocus(); });
        return false;
    }
    step([&] { list->showModal(); });
    return true;
}

void PopupDispatch::place(QWidget *popup) {
    if (placementProbe()) {
        placementProbe()();
    }
    // The platform window knows its frame only once it exists; placement uses the outer size.
    popup->winId();
    popup->move(placementFor(popup).topLeft());
}

std::function<void()> &PopupDispatch::placementProbe() {
    static std::function<void()> probe;
    return probe;
}

PopupPlacement PopupDispatch::placementFor(const QWidget *popup) const {
    const FlexGrid *grid = d.MSFlexGrid1;
    const int left = Twips::toPixelsX(grid, grid->CellLeft());
    const int top = Twips::toPixelsY(grid, grid->CellTop());
    const QSize size(Twips::toPixelsX(grid, grid->CellWidth()),
                     Twips::toPixelsY(grid, grid->CellHeight()));

    PopupPlacement placement;
    placement.cell = QRect(grid->mapToGlobal(QPoint(left, top)), size);
    placement.popup = popup->frameGeometry().size();
    const QRect host = d.q->window()->frameGeometry();
    placement.hostRight = host.x() + host.width();
    placement.editorWidth = d.Text1->width();
    placement.buttonWidth = m_button && m_button->Visible() ? m_button->width() : 0;
    const QScreen *screen = QGuiApplication::screenAt(placement.cell.bottomLeft());
    if (!screen) {
        screen = d.q->screen();
    }
    if (screen) {
        placement.screen = screen->availableGeometry();
    }
    return placement;
}

} // namespace Vantrel3
