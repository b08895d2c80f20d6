#include "control/vantrel_p.h"

#include "control/mouse_pointers.h"
#include "control/validation_tool_tip.h"
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
      binding(*Data1, *MSFlexGrid1, *MSFlexGrid2, cells, options, *q),
      rows(*MSFlexGrid1, *MSFlexGrid2, *Text1, cells, session, binding,
           [q](qint32 col) { q->SetCol(col); }),
      edits(
          {*MSFlexGrid1, *MSFlexGrid2, *Text1, cells, session, binding, rows, registry, options,
           *q},
          [q](qint32 row, qint32 col) {
              q->SetRow(row);
              q->SetCol(col);
          },
          [q] { Q_EMIT q->RowsChanged(); }),
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
    new ValidationToolTip(*MSFlexGrid1, cells.notes());

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
            leftRow = -1;
            binding.fillGrids(this->q->isVisible(), [this] { this->q->AddItem(QString()); });
            Q_EMIT this->q->RowsChanged();
            Q_EMIT this->q->ColsChanged();
            cells.cellsReplaced();
            cells.schedulePlacement();
        });
    });
}

// --- The editing cycle -----------------------------------------------------------------------

void VantrelPrivate::onGridEnterCell() {
    const qint32 row = MSFlexGrid1->Row();
    // A new row the user has just left becomes a record now, with everything typed in it.
    if (leftRow >= 0 && leftRow != row) {
        insertLeftRow(leftRow, leftCol);
        reportFailedWrite(true);
    }
    leftRow = -1;
    cells.loadCurrentCell();
    cells.placeEditor();
    Q_EMIT q->EnterCell();
}

void VantrelPrivate::onGridLeaveCell() {
    // The grid still addresses the cell being left.
    const qint32 row = MSFlexGrid1->Row();
    const qint32 col = MSFlexGrid1->Col();
    // An open popup belongs to the cell being left: it closes before the cell is committed, and
    // the calculator hands its result over to this cell, not the next.
    ignoringErrors([&] {
        if (popups.closeFirstOpen() && QApplication::mouseButtons() != Qt::NoButton) {
            popupClosedByClick = true;
        }
    });
    // A fixed cell is never edited: the editor does not lie on it, and what it holds is no
    // text of this cell.
    const bool fixed = row < MSFlexGrid1->FixedRows() || col < MSFlexGrid1->FixedCols();
    if (options.allowEdit && !fixed) {
        ignoringErrors([&] { session.recordEditPending = false; });
        commitCell(row, col);
        ignoringErrors([&] { Text1->SetText(QString()); });
    }
    cells.finishLeaving();
    if (options.allowEdit) {
        ignoringErrors([&] { Q_EMIT q->TextChanged(); });
    }
    ignoringErrors([&] { Q_EMIT q->LeaveCell(); });
    leftRow = row;
    leftCol = col;
    reportFailedWrite(true);
}

void VantrelPrivate::commitCell(qint32 row, qint32 col) {
    CellEditor::Commit c;
    if (!attempt([&] { c = cells.endEdit(binding.active() ? binding.fieldDataType(col) : 0); })) {
        return;
    }
    RecordBinding::Write w;
    // Invalid text is never written: the record keeps its value.
    if (binding.writes() && c.changed() && !c.invalid()) {
        ignoringErrors([&] { w = binding.writeCell(row, col, c.text); });
    }
    switch (w.outcome) {
    case RecordBinding::Outcome::Written:
    case RecordBinding::Outcome::NothingToWrite:
        cells.applyEdit(c, binding.active());
        if (c.changed()) {
            ignoringErrors([&] {
                edits.cellCommitted(row, col, c.rawBefore, MSFlexGrid2->TextMatrix(row, col));
            });
        }
        if (c.invalid() && c.changed()) {
            const QString why = cells.notes().at(row, col);
            ignoringErrors([&] { Q_EMIT q->ValidationFailed(row, col, why); });
        }
        break;
    case RecordBinding::Outcome::Refused:
    case RecordBinding::Outcome::Changed:
        // Nothing is shown as saved (a changed record shows what the database holds now); the
        // user is taken back to the cell with what they typed.
        failedWrite = FailedWrite{row, col, c.typed, w.description};
        break;
    case RecordBinding::Outcome::Deleted:
        failedWrite = FailedWrite{-1, -1, QString(), w.description};
        QTimer::singleShot(
            0, q, [this, row] { guarded("RemoveItem", [&] { removeRowOfDeletedRecord(row); }); });
        break;
    }
}

void VantrelPrivate::removeRowOfDeletedRecord(qint32 row) {
    if (row <= 0 || row >= MSFlexGrid1->Rows() - 1) {
        return;
    }
    MSFlexGrid1->RemoveItem(row);
    MSFlexGrid2->RemoveItem(row);
    cells.rowsRemoved(row, 1);
    cells.placeEditor();
    Q_EMIT q->RowsChanged();
}

void VantrelPrivate::insertLeftRow(qint32 row, qint32 col) {
    if (!binding.writes() || row >= MSFlexGrid1->Rows() || binding.hasRecord(row)) {
        return;
    }
    RecordBinding::Write w;
    ignoringErrors([&] { w = binding.insertRow(row); });
    if (w.outcome == RecordBinding::Outcome::Written) {
        edits.recordAdded(row, w.filled);
    } else if (w.outcome == RecordBinding::Outcome::Refused) {
        // The user goes back to the row, to the field at fault, with everything typed there.
        failedWrite = FailedWrite{row, w.col >= 0 ? w.col : col, QString(), w.description};
    }
}

void VantrelPrivate::onGridClick() {
    // A click while a popup is open only closes it, also when the click moved the cell.
    const bool closedByThisClick = std::exchange(popupClosedByClick, false);
    if (!popups.closeFirstOpen() && !closedByThisClick) {
        Q_EMIT q->Click();
    }
}

void VantrelPrivate::onEditorChange() {
    popups.completeEditorText();
    Q_EMIT q->Change();
}

void VantrelPrivate::reportFailedWrite(bool queued) {
    if (!failedWrite) {
        return;
    }
    const FailedWrite w = *std::exchange(failedWrite, std::nullopt);
    auto tell = [this, w] {
        MsgBox(w.description, vbCritical, QStringLiteral("Vantrel Message"), q);
        if (w.row < 0) {
            return;
        }
        attempt([&] {
            q->SetRow(w.row);
            q->SetCol(w.col);
            if (!w.text.isNull()) {
                Text1->SetText(w.text);
            }
            Text1->setFocus();
        });
    };
    if (queued) {
        // After the move is over.
        QTimer::singleShot(0, q, [tell] { guarded("LeaveCell", tell); });
    } else {
        tell();
    }
}

void VantrelPrivate::commitPendingTyping() {
    if (!options.allowEdit) {
        return;
    }
    const qint32 row = MSFlexGrid1->Row();
    const qint32 col = MSFlexGrid1->Col();
    if (row < MSFlexGrid1->FixedRows() || col < MSFlexGrid1->FixedCols()) {
        return;
    }
    // Typing whose failure was just told (the form hides, then ends) is not tried again.
    const PendingTyping pending{row, col, Text1->Text()};
    if (session.holdsTyping(row, col, pending.text) && pending != lastFailedTyping) {
        commitCell(row, col);
        if (!failedWrite) {
            // The editor stays on the cell, now holding what the cell holds.
            cells.reloadEditor();
        }
    }
    if (!failedWrite) {
        insertLeftRow(row, col);
    }
    // The failure is told now: the user may be about to lose the form.
    if (failedWrite) {
        lastFailedTyping = pending;
        failedWrite->row = -1;
        reportFailedWrite(false);
    }
}

void VantrelPrivate::beforeRefresh() {
    commitPendingTyping();
    binding.beforeRefresh();
}

void VantrelPrivate::tellSourceUnavailable(const VbError &error) {
    MsgBox(QStringLiteral("L'origine dei dati non è disponibile: ") + error.Description(),
           vbCritical, QStringLiteral("Vantrel Message"), q);
}

// --- Key actions -----------------------------------------------------------------------------

void VantrelPrivate::setRow(qint32 row) {
    q->SetRow(row);
}

void VantrelPrivate::setCol(qint32 col) {
    q->SetCol(col);
}

void VantrelPrivate::bringCurrentCellIntoView() {
    MSFlexGrid1->scrollToCurrentCell();
    cells.placeEditor();
}

void VantrelPrivate::applyAutoInsert() {
    // Not the host's AddItem: that lets pending input run in the middle of this keystroke, and
    // on a bound grid it would save a record for a row the user has only started to type in.
    if (options.autoInsert && MSFlexGrid1->Row() == MSFlexGrid1->Rows() - 1) {
        rows.appendEmptyRow();
        edits.rowAppended(MSFlexGrid1->Rows() - 1);
        cells.placeEditor();
        Q_EMIT q->RowsChanged();
    }
}

bool VantrelPrivate::startRecordEdit() {
    // The record itself is found when the cell is written, by the row it stands for.
    if (!options.allowEdit || !binding.writes() || session.recordEditPending) {
        return false;
    }
    session.recordEditPending = true;
    return true;
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

void VantrelPrivate::copyCells() {
    edits.copy();
}

bool VantrelPrivate::pasteCells(bool blockOnly) {
    return edits.paste(blockOnly);
}

void VantrelPrivate::undo() {
    edits.undo();
}

void VantrelPrivate::redo() {
    edits.redo();
}

void VantrelPrivate::removeCurrentRow() {
    edits.removeCurrentRow();
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
