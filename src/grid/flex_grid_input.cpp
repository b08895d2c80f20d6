// FlexGrid's input routing: keys, mouse, focus and scroll bars. Every handler here is called by
// Qt, so each one catches at its edge and reports errors instead of letting them escape.

#include "grid/flex_grid_p.h"
#include "grid/grid_painter.h"
#include "host/key_codes.h"

#include <Vantrel3/ErrorSink.h>
#include <Vantrel3/Twips.h>
#include <Vantrel3/VbError.h>

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cstdlib>

namespace Vantrel3 {

namespace {

// How close to a border the pointer must be to grab it for resizing, in pixels.
constexpr int kResizeGrip = 3;

// Virtual key codes the grid moves the current cell with.
enum NavKey : qint16 {
    KeyPageUp = 33,
    KeyPageDown = 34,
    KeyEnd = 35,
    KeyHome = 36,
    KeyLeft = 37,
    KeyUp = 38,
    KeyRight = 39,
    KeyDown = 40,
};

constexpr qint16 kShiftBit = 1;
constexpr qint16 kCtrlBit = 2;

} // namespace

// ---- Keys ----

bool FlexGridPrivate::navigate(qint16 keyCode, qint16 shift) {
    const qint32 rows = store.rowCount();
    const qint32 cols = store.colCount();
    if (keyCode < KeyPageUp || keyCode > KeyDown) {
        return false;
    }
    if (rows <= fixedRows || cols <= fixedCols) {
        return true; // no scrolling cell to go to
    }
    const bool extend = shift & kShiftBit;
    qint32 r = extend ? rowSel : row;
    qint32 c = extend ? colSel : col;
    qint32 preferredTop = -1;
    auto step = [](qint32 from, int delta, qint32 low, qint32 high, auto size) {
        for (qint32 i = from + delta; i >= low && i <= high; i += delta) {
            if (size(i) > 0) {
                return i; // hidden rows and columns are skipped
            }
        }
        return from;
    };
    auto rowSize = [this](qint32 i) { return rowPx(i); };
    auto colSize = [this](qint32 i) { return colPx(i); };
    switch (keyCode) {
    case KeyUp:
        r = step(r, -1, fixedRows, rows - 1, rowSize);
        break;
    case KeyDown:
        r = r < fixedRows ? fixedRows : step(r, 1, fixedRows, rows - 1, rowSize);
        break;
    case KeyLeft:
        c = step(c, -1, fixedCols, cols - 1, colSize);
        break;
    case KeyRight:
        c = c < fixedCols ? fixedCols : step(c, 1, fixedCols, cols - 1, colSize);
        break;
    case KeyPageUp:
    case KeyPageDown: {
        const qint32 page = rowAxis().pageCount(topRow, viewportHeight());
        const qint32 delta = keyCode == KeyPageDown ? page : -page;
        r = std::clamp(r + delta, fixedRows, rows - 1);
        preferredTop = std::max(fixedRows, topRow + delta);
        break;
    }
    case KeyHome:
        c = fixedCols;
        r = (shift & kCtrlBit) ? fixedRows : r;
        break;
    case KeyEnd:
        c = cols - 1;
        r = (shift & kCtrlBit) ? rows - 1 : r;
        break;
    default:
        break;
    }
    if (extend) {
        setSelection(r, c, true);
        scrollIntoView(r, c, preferredTop);
    } else if (r != row || c != col) {
        moveTo(r, c, r, c, preferredTop);
    } else {
        setSelection(row, col, true);
    }
    return true;
}

void FlexGrid::keyPressEvent(QKeyEvent *event) {
    guarded("FlexGrid::keyPressEvent", [&] {
        QPointer<FlexGrid> alive(this);
        qint16 keyCode = KeyCodes::fromQtKey(event->key());
        qint16 shift = KeyCodes::shiftState(event->modifiers());
        bool handled = false;
        // Handlers see every key first and may cancel it by zeroing KeyCode.
        if (keyCode != 0) {
            handled = true;
            Q_EMIT KeyDown(keyCode, shift);
            if (!alive) {
                return;
            }
            if (keyCode != 0) {
                d->navigate(keyCode, shift);
                if (!alive) {
                    return;
                }
            }
        }
        // As on the classic platform, the character follows its key down even when a
        // KeyDown handler zeroed KeyCode; only KeyPress itself can discard it.
        const QString text = event->text();
        if (!text.isEmpty() && text.at(0) != QChar(0x7F)) {
            handled = true;
            // A character beyond 16 bits comes as its two halves, one after the other, so that
            // no handler takes half of it for a character.
            const qsizetype units =
                text.size() > 1 && text.at(0).isHighSurrogate() && text.at(1).isLowSurrogate() ? 2
                                                                                               : 1;
            for (qsizetype i = 0; i < units; ++i) {
                qint16 keyAscii = KeyCodes::keyAsciiFromChar(text.at(i));
                Q_EMIT KeyPress(keyAscii);
                if (!alive) {
                    return;
                }
            }
        }
        event->setAccepted(handled);
    });
}

void FlexGrid::keyReleaseEvent(QKeyEvent *event) {
    guarded("FlexGrid::keyReleaseEvent", [&] {
        qint16 keyCode = KeyCodes::fromQtKey(event->key());
        if (keyCode == 0 || event->isAutoRepeat()) {
            event->ignore();
            return;
        }
        qint16 shift = KeyCodes::shiftState(event->modifiers());
        Q_EMIT KeyUp(keyCode, shift);
    });
}

bool FlexGrid::focusNextPrevChild(bool next) {
    // Tab is not the grid's: it moves the focus along the form's chain.
    return QWidget::focusNextPrevChild(next);
}

// ---- Mouse ----

FlexGridPrivate::MouseArgs FlexGridPrivate::mouseArgs(const QMouseEvent *event,
                                                      Qt::MouseButtons buttons) const {
    const QPointF at = event->position() + QPointF(viewportOrigin());
    return {KeyCodes::mouseButtons(buttons), KeyCodes::shiftState(event->modifiers()),
            float(at.x() * Twips::perPixelX(q)), float(at.y() * Twips::perPixelY(q))};
}

void FlexGridPrivate::trackMouse(const QPoint &pos) {
    mouseRow = rowAxis().indexAt(pos.y(), topRow, viewportHeight());
    mouseCol = colAxis().indexAt(pos.x(), leftCol, viewportWidth());
}

FlexGridPrivate::Grip FlexGridPrivate::gripAt(const QPoint &pos) const {
    if ((allowUserResizing & eResizeColumns) && pos.y() < rowAxis().fixedExtent()) {
        for (const GridAxis::Span &s : colAxis().visible(leftCol, viewportWidth())) {
            if (std::abs(pos.x() - (s.pos + s.size)) <= kResizeGrip) {
                return {Drag::ResizeCol, s.index, s.size};
            }
        }
    }
    if ((allowUserResizing & eResizeRows) && pos.x() < colAxis().fixedExtent()) {
        for (const GridAxis::Span &s : rowAxis().visible(topRow, viewportHeight())) {
            if (std::abs(pos.y() - (s.pos + s.size)) <= kResizeGrip) {
                return {Drag::ResizeRow, s.index, s.size};
            }
        }
    }
    return {};
}

void FlexGridPrivate::pressAt(const QPoint &pos, bool extend) {
    const qint32 r = rowAxis().indexAt(pos.y(), topRow, viewportHeight());
    const qint32 c = colAxis().indexAt(pos.x(), leftCol, viewportWidth());
    const qint32 rows = store.rowCount();
    const qint32 cols = store.colCount();
    if (r < 0 || c < 0 || rows <= fixedRows || cols <= fixedCols) {
        return; // the empty area past the cells, or no scrolling cell to select
    }
    drag = Drag::Select;
    if (r >= fixedRows && c >= fixedCols) {
        selectWhole = SelectWhole::Cells;
        if (extend) {
            setSelection(r, c, true);
        } else {
            moveTo(r, c);
        }
    } else if (r < fixedRows && c >= fixedCols) {
        // A column heading selects the whole column, a row heading the whole row.
        selectWhole = SelectWhole::Columns;
        moveTo(fixedRows, c, rows - 1, c);
    } else if (c < fixedCols && r >= fixedRows) {
        selectWhole = SelectWhole::Rows;
        moveTo(r, fixedCols, r, cols - 1);
    } else {
        selectWhole = SelectWhole::All;
        moveTo(fixedRows, fixedCols, rows - 1, cols - 1);
    }
    dragStartSelection = {rowSel, colSel, rowSel, colSel};
}

void FlexGridPrivate::dragTo(const QPoint &pos) {
    const GridAxis rowsAxis = rowAxis();
    const GridAxis colsAxis = colAxis();
    const int height = viewportHeight();
    const int width = viewportWidth();
    // Past an edge the selection reaches one step further, which scrolls the grid on.
    auto target = [](const GridAxis &axis, int p, qint32 first, int extent) {
        qint32 i =
            axis.indexAt(std::clamp(p, axis.fixedExtent(), std::max(0, extent - 1)), first, extent);
        if (i < 0) {
            i = axis.count - 1;
        }
        if (p >= extent) {
            i = std::min(axis.count - 1, i + 1);
        } else if (p < axis.fixedExtent() && first > axis.fixed) {
            i = first - 1;
        }
        return std::max(i, axis.fixed);
    };
    qint32 r = target(rowsAxis, pos.y(), topRow, height);
    qint32 c = target(colsAxis, pos.x(), leftCol, width);
    if (selectWhole == SelectWhole::Columns) {
        r = store.rowCount() - 1;
    } else if (selectWhole == SelectWhole::Rows) {
        c = store.colCount() - 1;
    } else if (selectWhole == SelectWhole::All) {
        return;
    }
    setSelection(r, c, false); // SelChange comes once, when the button is released
    scrollIntoView(r, c);
}

void FlexGrid::mousePressEvent(QMouseEvent *event) {
    guarded("FlexGrid::mousePressEvent", [&] {
        QPointer<FlexGrid> alive(this);
        const QPoint pos = event->position().toPoint();
        d->trackMouse(pos);
        d->afterDoubleClick = false;
        d->drag = FlexGridPrivate::Drag::None;
        auto args = d->mouseArgs(event, event->button());
        Q_EMIT MouseDown(args.button, args.shift, args.x, args.y);
        if (!alive || event->button() != Qt::LeftButton) {
            return;
        }
        if (const FlexGridPrivate::Grip grip = d->gripAt(pos);
            grip.drag != FlexGridPrivate::Drag::None) {
            d->drag = grip.drag;
            d->dragIndex = grip.index;
            d->dragOrigin = grip.drag == FlexGridPrivate::Drag::ResizeCol ? pos.x() : pos.y();
            d->dragStartSize = grip.size;
            return;
        }
        d->pressAt(pos, event->modifiers() & Qt::ShiftModifier);
    });
}

void FlexGrid::mouseMoveEvent(QMouseEvent *event) {
    guarded("FlexGrid::mouseMoveEvent", [&] {
        QPointer<FlexGrid> alive(this);
        const QPoint pos = event->position().toPoint();
        d->trackMouse(pos);
        auto args = d->mouseArgs(event, event->buttons());
        Q_EMIT MouseMove(args.button, args.shift, args.x, args.y);
        if (!alive) {
            return;
        }
        switch (d->drag) {
        case FlexGridPrivate::Drag::ResizeCol: {
            const int px = std::max(0, d->dragStartSize + pos.x() - d->dragOrigin);
            d->columns[size_t(d->dragIndex)].width = d->toTwipsX(px);
            d->layoutChanged();
            break;
        }
        case FlexGridPrivate::Drag::ResizeRow: {
            const int px = std::max(0, d->dragStartSize + pos.y() - d->dragOrigin);
            d->store.setRowHeight(d->dragIndex, d->toTwipsY(px));
            d->layoutChanged();
            break;
        }
        case FlexGridPrivate::Drag::Select:
            if (event->buttons() & Qt::LeftButton) {
                d->dragTo(pos);
            }
            break;
        case FlexGridPrivate::Drag::None: {
            const FlexGridPrivate::Drag hover = d->gripAt(pos).drag;
            if (hover == FlexGridPrivate::Drag::ResizeCol) {
                viewport()->setCursor(Qt::SplitHCursor);
            } else if (hover == FlexGridPrivate::Drag::ResizeRow) {
                viewport()->setCursor(Qt::SplitVCursor);
            } else {
                viewport()->unsetCursor();
            }
            break;
        }
        }
    });
}

void FlexGrid::mouseReleaseEvent(QMouseEvent *event) {
    guarded("FlexGrid::mouseReleaseEvent", [&] {
        QPointer<FlexGrid> alive(this);
        d->trackMouse(event->position().toPoint());
        const bool selecting = d->drag == FlexGridPrivate::Drag::Select;
        d->drag = FlexGridPrivate::Drag::None;
        if (selecting &&
            (d->rowSel != d->dragStartSelection.top || d->colSel != d->dragStartSelection.left)) {
            Q_EMIT SelChange();
            if (!alive) {
                return;
            }
        }
        auto args = d->mouseArgs(event, event->button());
        Q_EMIT MouseUp(args.button, args.shift, args.x, args.y);
        if (!alive) {
            return;
        }
        // The release that ends a double click raises MouseUp only, as on the classic platform.
        const bool clicks = event->button() == Qt::LeftButton && !d->afterDoubleClick;
        d->afterDoubleClick = false;
        if (clicks) {
            Q_EMIT Click();
        }
    });
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent *event) {
    guarded("FlexGrid::mouseDoubleClickEvent", [&] {
        d->trackMouse(event->position().toPoint());
        if (event->button() == Qt::LeftButton) {
            d->afterDoubleClick = true;
            Q_EMIT DblClick();
        }
    });
}

// ---- Focus, painting, layout ----

void FlexGrid::focusInEvent(QFocusEvent *event) {
    guarded("FlexGrid::focusInEvent", [&] {
        QAbstractScrollArea::focusInEvent(event);
        d->update(); // the focus rectangle and, with HighLight 2, the selection
    });
}

void FlexGrid::focusOutEvent(QFocusEvent *event) {
    guarded("FlexGrid::focusOutEvent", [&] {
        QAbstractScrollArea::focusOutEvent(event);
        d->update();
        // Switching windows or opening a popup is not leaving the grid for another control.
        if (event->reason() == Qt::ActiveWindowFocusReason ||
            event->reason() == Qt::PopupFocusReason) {
            return;
        }
        bool cancel = false;
        Q_EMIT Validate(cancel);
        if (cancel) {
            // Taking the focus back inside the focus change would fight the one under way.
            QTimer::singleShot(0, this, [this] { setFocus(Qt::OtherFocusReason); });
        }
    });
}

void FlexGrid::paintEvent(QPaintEvent *event) {
    guarded("FlexGrid::paintEvent", [&] {
        if (!d->redraw) {
            return;
        }
        QPainter painter(viewport());
        const QPalette &colors = palette();
        const bool focused = hasFocus();
        const GridBackBuffer::Look look{colors.cacheKey(), int(colors.currentColorGroup()),
                                        focused};
        d->backBuffer.paint(painter, event->region(), viewport()->size(),
                            viewport()->devicePixelRatio(), look,
                            [&](QPainter &cells, const QRegion &stale) {
                                GridPainter(*d, d->texts, cells, focused).paint(stale);
                            });
    });
}

void FlexGrid::resizeEvent(QResizeEvent *event) {
    guarded("FlexGrid::resizeEvent", [&] {
        QAbstractScrollArea::resizeEvent(event);
        d->updateScrollBars();
    });
}

void FlexGrid::scrollContentsBy(int dx, int dy) {
    Q_UNUSED(dx);
    Q_UNUSED(dy);
    guarded("FlexGrid::scrollContentsBy", [&] {
        if (d->syncingScrollBars) {
            return;
        }
        // The scroll bars count whole rows and columns: their values are TopRow and LeftCol.
        d->setScroll(verticalScrollBar()->value(), horizontalScrollBar()->value());
    });
}

bool FlexGrid::viewportEvent(QEvent *event) {
    if (event->type() == QEvent::Leave && d->drag == FlexGridPrivate::Drag::None) {
        viewport()->unsetCursor();
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void FlexGrid::changeEvent(QEvent *event) {
    guarded("FlexGrid::changeEvent", [&] {
        QAbstractScrollArea::changeEvent(event);
        if (event->type() == QEvent::FontChange) {
            d->refreshDefaultRowHeight();
            d->layoutChanged();
        } else if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange ||
                   event->type() == QEvent::EnabledChange ||
                   event->type() == QEvent::LocaleChange) {
            d->update(); // colours, or the locale that general alignment reads numbers with
        }
    });
}

} // namespace Vantrel3
