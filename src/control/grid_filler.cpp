#include "control/grid_filler.h"

#include <Vantrel3/FlexGrid.h>

#include <algorithm>

namespace Vantrel3 {

GridFiller::GridFiller(DataControl &data, FlexGrid &shown, FlexGrid &raw)
    : m_data(data), m_shown(shown), m_raw(raw) {
    m_data.setRecordSink(this);
}

GridFiller::~GridFiller() {
    if (m_data.recordSink() == this) {
        m_data.setRecordSink(nullptr);
    }
}

bool GridFiller::takeFilled() {
    return std::exchange(m_filled, false);
}

void GridFiller::setRows(qint32 rows) {
    m_shown.SetRows(rows);
}

void GridFiller::shareRows(qint32 rows) {
    // The hidden grid is never painted: it takes the rows read so far in one go, whenever the
    // shown grid's row count settles.
    m_raw.SetRows(m_shown.Rows());
    const qint32 first = std::min(m_shared, rows);
    m_raw.shareRowTexts(first, m_shown, first, rows - first);
    m_shared = rows;
}

void GridFiller::growTo(qint32 rows) {
    // Some thousands at a time, not once per record, and not past the room taken for the
    // records expected.
    qint32 target = m_shown.Rows() + 4096;
    if (m_expected > 0) {
        target = std::min(target, m_expected + 1);
    }
    setRows(std::max(rows, target));
}

void GridFiller::begin(const QStringList &fieldNames, qint32 expected) {
    m_filled = false;
    m_fields = qint32(fieldNames.size());
    m_redrawShown = m_shown.Redraw();
    m_redrawRaw = m_raw.Redraw();
    for (FlexGrid *grid : {&m_shown, &m_raw}) {
        grid->SetRedraw(false);
        if (grid->Rows() < 1) {
            grid->SetRows(1); // the row of field names
        }
        grid->SetCols(std::max(m_fields, grid->FixedCols() + 1));
        for (qint32 c = 0; c < m_fields; ++c) {
            grid->SetTextMatrix(0, c, fieldNames[c]);
        }
        // No row shows a record of the table read before, even in a paint during the read.
        for (qint32 r = 1; r < grid->Rows(); ++r) {
            grid->setRowTexts(r, static_cast<const QStringView *>(nullptr), 0);
        }
    }
    m_rowsBefore = m_shown.Rows();
    m_raw.SetRows(m_rowsBefore);
    m_shared = 1;
    m_expected = expected;
    if (expected > 0) {
        // The header row and the blank row a bound grid adds at the end.
        m_shown.reserveRows(expected + 2);
        m_raw.reserveRows(expected + 2);
    }
}

qint32 GridFiller::rowFor(qint32 index) {
    const qint32 row = index + 1;
    if (row >= m_shown.Rows()) {
        growTo(row + 1);
    }
    return row;
}

void GridFiller::append(qint32 index, const QStringView *texts, qint32 count) {
    m_shown.setRowTexts(rowFor(index), texts, count);
}

void GridFiller::appendLatin1(qint32 index, const QLatin1StringView *texts, qint32 count) {
    m_shown.setRowTexts(rowFor(index), texts, count);
}

void GridFiller::progress(qint32 count) {
    // Never fewer rows than before the read: the current cell stays where it was.
    setRows(std::max(m_rowsBefore, count + 1));
    shareRows(count + 1);
    if (!m_redrawShown || !m_shown.isVisible()) {
        return;
    }
    // A paint and nothing else: no event is handled in the middle of the read, so neither the
    // user nor the host can reach the grids while they are half filled.
    m_shown.SetRedraw(true);
    m_shown.repaint();
    m_shown.SetRedraw(false);
}

void GridFiller::end(qint32 count, bool ok) {
    if (ok) {
        setRows(count + 1);
        shareRows(count + 1);
    } else {
        // The records read before the failure belong to no recordset: the rows stay, empty.
        setRows(m_rowsBefore);
        m_raw.SetRows(m_rowsBefore);
        for (FlexGrid *grid : {&m_shown, &m_raw}) {
            for (qint32 r = 1; r < grid->Rows(); ++r) {
                grid->setRowTexts(r, static_cast<const QStringView *>(nullptr), 0);
            }
        }
    }
    m_shown.squeeze();
    m_raw.squeeze();
    m_shown.SetRedraw(m_redrawShown);
    m_raw.SetRedraw(m_redrawRaw);
    m_filled = ok;
}

} // namespace Vantrel3
