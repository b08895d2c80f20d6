#pragma once

#include "data/record_keys.h"

#include <QLatin1StringView>
#include <QStringView>

#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace Vantrel3 {

class RowSource;

// Records read ahead: their keys, fingerprints and texts, a few thousand at a time.
class RecordBatch {
public:
    RecordBatch(int fields, int keyParts);

    qsizetype size() const { return qsizetype(m_fingerprints.size()); }
    const RecordKeys &keys() const { return m_keys; }
    const std::vector<quint64> &fingerprints() const { return m_fingerprints; }
    // The texts of record `i`: Latin-1 ones in `latin1` (and true), else UTF-16 ones in `wide`,
    // each array with room for every field. Valid while the batch is.
    bool texts(qsizetype i, QLatin1StringView *latin1, QStringView *wide) const;

    void clear();
    // Takes the current record of `rows`.
    void take(RowSource &rows);

private:
    int m_fields;
    RecordKeys m_keys;
    std::vector<quint64> m_fingerprints;
    std::vector<char> m_bytes;     // the Latin-1 records' texts, one after the other
    std::vector<char16_t> m_units; // the other records' texts
    std::vector<qint32> m_lengths; // records x fields
    // Where each record's texts start: in m_bytes, or, as -1 - start, in m_units.
    std::vector<qsizetype> m_starts;
};

// Reads a RowSource on a thread of its own, a few batches ahead of the caller, who fills the
// grids meanwhile: on two cores the read and the fill take the time of the longer of the two
// instead of their sum. The source is used by that thread only until the last batch or the
// ReadAhead's end; nothing else of the application runs on it.
class ReadAhead {
public:
    ReadAhead(RowSource &rows, int fields, int keyParts);
    // Stops the reading and waits for its thread.
    ~ReadAhead();
    ReadAhead(const ReadAhead &) = delete;
    ReadAhead &operator=(const ReadAhead &) = delete;

    // The next batch, null after the last; raises the error that ended the reading. The batch
    // previously returned goes back to the reader.
    const RecordBatch *next();

    // Whether reading ahead pays on this machine (a core of its own for the reader).
    static bool worthwhile();

private:
    void run();

    RowSource &m_rows;
    const int m_fields;
    const int m_keyParts;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::unique_ptr<RecordBatch>> m_ready;
    std::vector<std::unique_ptr<RecordBatch>> m_free;
    std::unique_ptr<RecordBatch> m_current; // the caller's
    bool m_done = false;
    bool m_stop = false;
    std::exception_ptr m_error;
    std::thread m_thread;
};

} // namespace Vantrel3
