#include "control/vantrel_p.h"

#include "control/mouse_pointers.h"
#include "editing/cell_button.h"
#include "editing/editor_box.h"
#include "host/ignoring_errors.h"

#include <Vantrel3/DataControl.h>
#include <Vantrel3/ErrorSink.h>
#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/MessageBox.h>

#include <QApplication>
#include <QCursor>
#include <QFrame>
#include <QMetaProperty>
#include <QTimer>

namespace Vantrel3 {

namespace {

template <typename W, typename... Args>
W *child(Vantrel *q, const char *name, Args &&...args) {
    auto *w = new W(std::forward<Args>(args)..., q);
    w->setObjectName(QLatin1String(name));
    return w;
}

FlexGrid *hidden(FlexGrid *grid) {
    grid->setVisible(false);
    return grid;
}

// The frame of the three-dimensional appearance: it lies over the whole control and lets the
// mouse through to the grid below.
QFrame *makeSurfaceFrame(Vantrel *q) {
    auto *frame = child<QFrame>(q, "SurfaceFrame");
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    frame->setAttribute(Qt::WA_NoSystemBackground);
    frame->setFocusPolicy(Qt::NoFocus);
    frame->setFrameStyle(QFrame::NoFrame);
    frame->hide();
    return frame;
}

} // namespace

VantrelPrivate::VantrelPrivate(Vantrel *q)
    : q(q), MSFlexGrid1(child<FlexGrid>(q, "MSFlexGrid1")),
      // The twin holds the raw texts and is never shown.
      MSFlexGrid2(hidden(child<FlexGrid>(q, "MSFlexGrid2"))), Text1(child<EditorBox>(q, "Text1")),
      Command1(child<CellButton>(q, "Command1", CellButton::Glyph::DownTriangle)),
      Command2(child<CellButton>(q, "Command2", CellButton::Glyph::Ellipsis)),
      surfaceFrame(makeSurfaceFrame(q)),
      popups(*q, *MSFlexGrid1, *Text1, registry, session, options),
      Data1(child<DataControl>(q, "Data1")),
      cells({*MSFlexGrid1, *MSFlexGrid2, *Text1, *Command1, *Command2}, registry, session, options),
      binding(*Data1, *MSFlexGrid1, *MSFlexGrid2, session, options, *q),
      rows(*MSFlexGrid1, *MSFlexGrid2, *Text1, cells, session, binding,
           [q](qint32 col) { q->SetCol(col); }),
      editorKeys({*MSFlexGrid1, *Text1, cells, session, options, *this}),
      gridKeys({*MSFlexGrid1, *Text1, cells, session, options, *this}), settings(makeSettings()) {
    Text1->SetVisible(false);
    options.fontEditText = q->font();
}

QFont VantrelPrivate::ambientFont() const {
    return q->parentWidget() ? q->parentWidget()->font() : QApplication::font();
}

void VantrelPrivate::notify(const QString &property) {
    const QMetaObject *meta = q->metaObject();
    const int index = meta->indexOfProperty(property.toLatin1().constData());
    if (index >= 0 && meta->property(index).hasNotifySignal()) {
        meta->property(index).notifySignal().invoke(q, Qt::DirectConnection);
    }
}

void VantrelPrivate::connectParts() {
    Vantrel *const q = this->q;
    // Every write of a property ends with PropertyChanged under its name, which carries over to
    // the property's own change signal. The current cell's come from the grid, which reports
    // every move whoever makes it, and only real ones.
    QObject::connect(q, &Vantrel::PropertyChanged, q, [this](const QString &name) {
        if (name != u"Row" && name != u"Col") {
            notify(name);
        }
    });
    QObject::connect(MSFlexGrid1, &FlexGrid::RowColChange, q, [q] {
        Q_EMIT q->RowChanged();
        Q_EMIT q->ColChanged();
    });
    cells.setLookupItemsSink([this](const QStringList &items) { popups.setListItems(items); });

    // Keys reach the host first, so that it can change or cancel them.
    QObject::connect(Text1, &EditorBox::KeyDown, q, [this, q](qint16 &KeyCode, qint16 &Shift) {
        guarded("KeyDown", [&] {
            Q_EMIT q->KeyDown(KeyCode, Shift);
            if (KeyCode != 0) {
                editorKeys.KeyDown(KeyCode, Shift);
            }
        });
    });
    QObject::connect(Text1, &EditorBox::KeyPress, q, [this, q](qint16 &KeyAscii) {
        guarded("KeyPress", [&] {
            Q_EMIT q->KeyPress(KeyAscii);
            if (KeyAscii != 0) {
                editorKeys.KeyPress(KeyAscii);
            }
        });
    });
    QObject::connect(Text1, &EditorBox::KeyUp, q,
                     [q](qint16 &KeyCode, qint16 &Shift) { Q_EMIT q->KeyUp(KeyCode, Shift); });
    QObject::connect(MSFlexGrid1, &FlexGrid::KeyDown, q, [this, q](qint16 &KeyCode, qint16 &Shift) {
        guarded("KeyDown", [&] {
            Q_EMIT q->KeyDown(KeyCode, Shift);
            if (KeyCode != 0) {
                gridKeys.KeyDown(KeyCode, Shift);
            }
        });
    });
    QObject::connect(MSFlexGrid1, &FlexGrid::KeyPress, q, [this, q](qint16 &KeyAscii) {
        guarded("KeyPress", [&] {
            Q_EMIT q->KeyPress(KeyAscii);
            if (KeyAscii != 0) {
                gridKeys.KeyPress(KeyAscii);
            }
        });
    });
    QObject::connect(MSFlexGrid1, &FlexGrid::KeyUp, q,
                     [q](qint16 &KeyCode, qint16 &Shift) { Q_EMIT q->KeyUp(KeyCode, Shift); });

    for (CellButton *button : {Command1, Command2}) {
        QObject::connect(button, &CellButton::clicked, q, [this, button] {
            guarded(button == Command1 ? "Command1_Click" : "Command2_Click",
                    [&] { popups.buttonClicked(button); });
        });
    }
    QObject::connect(Text1, &EditorBox::Change, q,
                     [this] { guarded("Change", [this] { onEditorChange(); }); });
    QObject::connect(Text1, &EditorBox::Click, q,
                     [this] { guarded("Text1_Click", [this] { popups.editorClicked(); }); });
    QObject::connect(Text1, &EditorBox::LostFocus, q,
                     [this] { guarded("Text1_LostFocus", [this] { popups.editorLostFocus(); }); });

    QObject::connect(MSFlexGrid1, &FlexGrid::Click, q,
                     [this] { guarded("Click", [this] { onGridClick(); }); });
    QObject::connect(MSFlexGrid1, &FlexGrid::DblClick, q, &Vantrel::DblClick);
    QObject::connect(MSFlexGrid1, &FlexGrid::RowColChange, q, &Vantrel::RowColChange);
    QObject::connect(MSFlexGrid1, &FlexGrid::Scroll, q, [this, q] {
        Q_EMIT q->Scroll();
        // The editor and its button follow the current cell.
        cells.schedulePlacement();
    });
    QObject::connect(MSFlexGrid1, &FlexGrid::SelChange, q, &Vantrel::SelChange);
    QObject::connect(MSFlexGrid1, &FlexGrid::Validate, q,
                     [q](bool &Cancel) { Q_EMIT q->Validate(Cancel); });
    QObject::connect(MSFlexGrid1, &FlexGrid::EnterCell, q,
                     [this] { guarded("EnterCell", [this] { onGridEnterCell(); }); });
    QObject::connect(MSFlexGrid1, &FlexGrid::LeaveCell, q,
                     [this] { guarded("LeaveCell", [this] { onGridLeaveCell(); }); });

    // Both grids fill themselves from the recordset whenever the data source refreshes.
    QObject::connect(Data1, &DataControl::Refreshed, q, [this] {
        guarded("Data1_Refresh", [this] {
            binding.fillGrids();
            Q_EMIT this->q->RowsChanged();
            Q_EMIT this->q->ColsChanged();
            session.forget();
            cells.schedulePlacement();
        });
    });
}

// --- The editing cycle -----------------------------------------------------------------------

void VantrelPrivate::onGridEnterCell() {
    cells.loadCurrentCell();
    cells.placeEditor();
    Q_EMIT q->EnterCell();
}

void VantrelPrivate::onGridLeaveCell() {
    // The grid still addresses the cell being left.
    if (options.allowEdit) {
        const qint32 row = MSFlexGrid1->Row();
        const qint32 col = MSFlexGrid1->Col();
        cells.commit([&](const QString &text) {
            return binding.WriteCellToRecord(row, col, text, MSFlexGrid2->Text());
        });
    }
    cells.finishLeaving();
    if (options.allowEdit) {
        ignoringErrors([&] { Q_EMIT q->TextChanged(); });
    }
    ignoringErrors([&] { Q_EMIT q->LeaveCell(); });
    reportFailedWrite();
}

void VantrelPrivate::onGridClick() {
    // A click while a popup is open only closes it.
    if (!popups.closeFirstOpen()) {
        Q_EMIT q->Click();
    }
}

void VantrelPrivate::onEditorChange() {
    popups.completeEditorText();
    Q_EMIT q->Change();
}

void VantrelPrivate::reportFailedWrite() {
    const auto failed = binding.takeFailedWrite();
    if (!failed) {
        return;
    }
    // After the move is over.
    QTimer::singleShot(0, q, [this, w = *failed] {
        MsgBox(w.description, vbCritical, QStringLiteral("Vantrel Message"), q);
        attempt([&] {
            q->SetRow(w.row);
            q->SetCol(w.col);
            Text1->SetText(w.text);
            Text1->setFocus();
        });
    });
}

// --- Key actions -----------------------------------------------------------------------------

void VantrelPrivate::setRow(qint32 row) {
    q->SetRow(row);
}

void VantrelPrivate::setCol(qint32 col) {
    q->SetCol(col);
}

void VantrelPrivate::applyAutoInsert() {
    // Not the host's AddItem: that lets pending input run in the middle of this keystroke, and
    // on a bound grid it would save a record for a row the user has only started to type in.
    if (options.autoInsert && MSFlexGrid1->Row() == MSFlexGrid1->Rows() - 1) {
        rows.appendEmptyRow();
        cells.placeEditor();
        Q_EMIT q->RowsChanged();
    }
}

bool VantrelPrivate::startRecordEdit() {
    return binding.startRecordEdit(MSFlexGrid1->Row());
}

void VantrelPrivate::openCellPopup() {
    popups.buttonClicked(Command1);
}

bool VantrelPrivate::listPopupOpen() const {
    return popups.listOpen();
}

void VantrelPrivate::closeListPopup() {
    popups.unloadList();
}

// --- The surface ---------------------------------------------------------------------------

void VantrelPrivate::applyAppearance() {
    surfaceFrame->setGeometry(q->rect());
    surfaceFrame->setFrameStyle(appearance == 1 ? (QFrame::Panel | QFrame::Sunken)
                                                : QFrame::NoFrame);
    surfaceFrame->setVisible(appearance == 1);
    surfaceFrame->raise();
}

void VantrelPrivate::applyCursor() {
    if (mousePointer == eCustom && !mouseIcon.isNull()) {
        q->setCursor(QCursor(mouseIcon));
    } else if (auto shape = cursorShapeFor(mousePointer)) {
        q->setCursor(*shape);
    } else {
        // eDefault, and eCustom without an icon: whatever the parts show by themselves.
        q->unsetCursor();
    }
}

} // namespace Vantrel3
