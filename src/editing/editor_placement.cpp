#include "editing/editor_placement.h"

#include "styles/cell_style_registry.h"
#include "styles/cell_style_state.h"

#include <Vantrel3/Enums.h>

#include <algorithm>
#include <cstdlib>

namespace Vantrel3 {

namespace {

// Widths never go below zero, as the editor box clamps them.
qint32 width(qint32 w) {
    return std::max<qint32>(w, 0);
}

class Placer {
public:
    Placer(const PlacementMetrics &m, const CellStyleRegistry &registry)
        : m(m), registry(registry) {}

    EditorLayout run() {
        layOnCell();
        trimToGrid();
        applyColumnMode();
        applyCellButton();
        out.lookupItems = registry.lookUpItems(m.row, m.col);
        applyCellEditStyle();
        if (out.button) {
            out.buttonTop = m.cellTop;
            out.buttonHeight = m.cellHeight;
        }
        return out;
    }

private:
    void layOnCell() {
        // The last column may reach past the control's right edge: keep the editor inside.
        qint32 overhang = 0;
        if (m.col == m.cols - 1) {
            overhang = std::max<qint32>(
                (m.cellLeft + m.cellWidth) - m.controlWidth + EditorPlacement::kMargin, 0);
        }
        out.left = m.cellLeft;
        out.top = m.cellTop;
        out.height = m.cellHeight;
        out.width = width(m.cellWidth - overhang);
    }

    void trimToGrid() {
        if (m.scrollBars != eScrollBarVertical && m.scrollBars != eScrollBarBoth) {
            return;
        }
        // The current cell's height stands for every row's height.
        const bool rowsDoNotFit = qint64(m.gridHeight) - EditorPlacement::kHeightAllowance <
                                  qint64(m.cellHeight) * m.rows;
        const qint32 right =
            out.left + out.width + (rowsDoNotFit ? EditorPlacement::kScrollBarRoom : 0);
        const qint32 trim = m.gridWidth - right;
        if (trim < 0) {
            const qint32 loss =
                std::abs(trim) + (m.borderStyle == 1 ? EditorPlacement::kMargin : 0);
            out.width = width(out.width - loss);
        }
    }

    void setStyle(qint32 maxLength, qint32 dataType, qint32 caseType, const QString &format) {
        out.style = PlacedStyle{maxLength, dataType, caseType, format};
        if (dataType == Date) {
            out.setsCalendar = true;
        } else if (dataType == Numeric || dataType == Decimal) {
            out.setsCalculator = true;
        }
    }

    void applyColumnMode() {
        const clsGrid *mode = registry.firstColumnMode(m.col);
        if (!mode) {
            return;
        }
        setStyle(mode->MaxLen, mode->DataType, mode->CaseFormat, mode->CustomFormat);
        switch (mode->ButtonStyle) {
        case ButtonStyleDrop:
            attach(CellButtonKind::Drop);
            break;
        case ButtonStyleBrowse:
            attach(CellButtonKind::Browse);
            break;
        default:
            show(CellButtonKind::None);
            break;
        }
    }

    void applyCellButton() {
        const clsButtons *button = registry.firstButton(m.row, m.col);
        if (!button) {
            return;
        }
        CellButtonKind wanted;
        if (button->Style == ButtonStyleDrop) {
            wanted = CellButtonKind::Drop;
        } else if (button->Style == ButtonStyleBrowse) {
            wanted = CellButtonKind::Browse;
        } else {
            return;
        }
        if (shown == wanted) {
            return;
        }
        if (shown != CellButtonKind::None) {
            // The other button goes, and gives its room back.
            show(CellButtonKind::None);
            out.width = width(out.width + m.buttonWidth - EditorPlacement::kMargin);
        }
        attach(wanted);
    }

    void applyCellEditStyle() {
        const clsEdit *edit = registry.firstEditStyle(m.row, m.col);
        if (edit) {
            setStyle(edit->MaxLen, edit->DataFormat, edit->CaseFormat, edit->CustomFormat);
        }
    }

    // The button starts where the shortened editor ends and reaches 15 twips past its former
    // right edge.
    void attach(CellButtonKind kind) {
        out.width = width(out.width - m.buttonWidth + EditorPlacement::kMargin);
        out.buttonLeft = m.cellLeft + out.width;
        show(kind);
    }

    void show(CellButtonKind kind) {
        shown = kind;
        out.button = kind;
    }

    const PlacementMetrics &m;
    const CellStyleRegistry &registry;
    // Every placement starts from the bare cell: placed again (a repaint), the editor still ends
    // where its button starts.
    CellButtonKind shown = CellButtonKind::None;
    EditorLayout out;
};

} // namespace

void EditorLayout::applyTo(CellStyleState &state) const {
    if (style) {
        state.CurDataType = style->dataType;
        state.CurCaseType = style->caseType;
        state.CurCustomFormat = style->customFormat;
    }
    state.CellHasCalendar = state.CellHasCalendar || setsCalendar;
    state.CellHasCalculator = state.CellHasCalculator || setsCalculator;
    state.CellHasList = state.CellHasList || !lookupItems.isEmpty();
}

EditorLayout EditorPlacement::layout(const PlacementMetrics &m, const CellStyleRegistry &registry) {
    return Placer(m, registry).run();
}

PlacedStyle EditorPlacement::typingStyle(const CellStyleRegistry &registry, qint32 row,
                                         qint32 col) {
    if (const clsEdit *edit = registry.firstEditStyle(row, col)) {
        return {edit->MaxLen, edit->DataFormat, edit->CaseFormat, edit->CustomFormat};
    }
    if (const clsGrid *mode = registry.firstColumnMode(col)) {
        return {mode->MaxLen, mode->DataType, mode->CaseFormat, mode->CustomFormat};
    }
    return {};
}

} // namespace Vantrel3
