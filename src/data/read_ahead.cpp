#include "data/read_ahead.h"

#include "data/byte_copy.h"
#include "data/row_source.h"

#include <QThread>

#include <cstring>

namespace Vantrel3 {

namespace {
// Records in a batch, and batches read ahead at most: enough that neither side waits for the
// other often, few enough that the batches' memory stays small next to the grids'.
constexpr qsizetype kBatchRecords = 2048;
constexpr size_t kBatchesAhead = 4;
} // namespace

RecordBatch::RecordBatch(int fields, int keyParts) : m_fields(fields) {
    m_keys.reset(keyParts);
}

void RecordBatch::clear() {
    m_keys.reset(m_keys.parts());
    m_fingerprints.clear();
    m_bytes.clear();
    m_units.clear();
    m_lengths.clear();
    m_starts.clear();
}

void RecordBatch::take(RowSource &rows) {
    rows.appendKey(m_keys);
    m_fingerprints.push_back(rows.fingerprint());
    if (const QLatin1StringView *latin1 = rows.latin1Texts()) {
        m_starts.push_back(qsizetype(m_bytes.size()));
        qsizetype total = 0;
        for (int f = 0; f < m_fields; ++f) {
            total += latin1[f].size();
        }
        size_t at = m_bytes.size();
        m_bytes.resize(at + size_t(total));
        for (int f = 0; f < m_fields; ++f) {
            const QLatin1StringView text = latin1[f];
            copyBytes(m_bytes.data() + at, text.data(), size_t(text.size()));
            at += size_t(text.size());
            m_lengths.push_back(qint32(text.size()));
        }
        return;
    }
    const QStringView *wide = rows.texts();
    m_starts.push_back(-1 - qsizetype(m_units.size()));
    for (int f = 0; f < m_fields; ++f) {
        const QStringView text = wide[f];
        m_units.insert(m_units.end(), text.utf16(), text.utf16() + text.size());
        m_lengths.push_back(qint32(text.size()));
    }
}

bool RecordBatch::texts(qsizetype i, QLatin1StringView *latin1, QStringView *wide) const {
    const qsizetype start = m_starts[size_t(i)];
    const qint32 *lengths = m_lengths.data() + i * m_fields;
    if (start >= 0) {
        const char *p = m_bytes.data() + start;
        for (int f = 0; f < m_fields; ++f) {
            latin1[f] = QLatin1StringView(p, lengths[f]);
            p += lengths[f];
        }
        return true;
    }
    const char16_t *p = m_units.data() + (-1 - start);
    for (int f = 0; f < m_fields; ++f) {
        wide[f] = QStringView(p, lengths[f]);
        p += lengths[f];
    }
    return false;
}

ReadAhead::ReadAhead(RowSource &rows, int fields, int keyParts)
    : m_rows(rows), m_fields(fields), m_keyParts(keyParts), m_thread([this] { run(); }) {}

ReadAhead::~ReadAhead() {
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

bool ReadAhead::worthwhile() {
    return QThread::idealThreadCount() >= 2;
}

void ReadAhead::run() {
    try {
        for (;;) {
            std::unique_ptr<RecordBatch> batch;
            {
                std::unique_lock lock(m_mutex);
                m_changed.wait(lock, [this] { return m_stop || m_ready.size() < kBatchesAhead; });
                if (m_stop) {
                    return;
                }
                if (!m_free.empty()) {
                    batch = std::move(m_free.back());
                    m_free.pop_back();
                }
            }
            if (!batch) {
                batch = std::make_unique<RecordBatch>(m_fields, m_keyParts);
            }
            batch->clear();
            bool more = true;
            while (batch->size() < kBatchRecords && (more = m_rows.next())) {
                batch->take(m_rows);
            }
            {
                const std::lock_guard lock(m_mutex);
                if (batch->size() > 0) {
                    m_ready.push_back(std::move(batch));
                }
                m_done = !more;
            }
            m_changed.notify_all();
            if (!more) {
                return;
            }
        }
    } catch (...) {
        {
            const std::lock_guard lock(m_mutex);
            m_error = std::current_exception();
            m_done = true;
        }
        m_changed.notify_all();
    }
}

const RecordBatch *ReadAhead::next() {
    std::unique_lock lock(m_mutex);
    if (m_current) {
        m_free.push_back(std::move(m_current));
    }
    m_changed.wait(lock, [this] { return !m_ready.empty() || m_done; });
    if (!m_ready.empty()) {
        m_current = std::move(m_ready.front());
        m_ready.pop_front();
        lock.unlock();
        m_changed.notify_all(); // room for another batch
        return m_current.get();
    }
    if (m_error) {
        std::rethrow_exception(m_error);
    }
    return nullptr;
}

} // namespace Vantrel3
