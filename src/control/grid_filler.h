#pragma once

#include <Vantrel3/DataControl.h>

namespace Vantrel3 {

class FlexGrid;

// Fills both grids from the records Data1 streams as it opens a table, once: the shown grid packs
// each record's texts, the hidden grid of raw texts shares them. A long open shows the records
// read so far, painting the shown grid and nothing else. Grid row r stands for record r - 1.
class GridFiller final : public RecordSink {
public:
    GridFiller(DataControl &data, FlexGrid &shown, FlexGrid &raw);
    ~GridFiller() override;
    GridFiller(const GridFiller &) = delete;
    GridFiller &operator=(const GridFiller &) = delete;

    void begin(const QStringList &fieldNames, qint32 expected) override;
    void append(qint32 index, const QStringView *texts, qint32 count) override;
    void appendLatin1(qint32 index, const QLatin1StringView *texts, qint32 count) override;
    void progress(qint32 count) override;
    void end(qint32 count, bool ok) override;

    // Whether the grids took the records of the recordset opened last; asking clears it.
    bool takeFilled();

private:
    // The grids' row for record `index`, which they grow to have.
    qint32 rowFor(qint32 index);
    void growTo(qint32 rows);
    void setRows(qint32 rows);
    // The hidden grid's rows 1 .. rows - 1 share the shown grid's texts.
    void shareRows(qint32 rows);

    DataControl &m_data;
    FlexGrid &m_shown;
    FlexGrid &m_raw;
    qint32 m_fields = 0;
    qint32 m_rowsBefore = 0;
    qint32 m_expected = -1;
    qint32 m_shared = 1; // the first row the hidden grid does not share yet
    bool m_redrawShown = true;
    bool m_redrawRaw = true;
    bool m_filled = false;
};

} // namespace Vantrel3
