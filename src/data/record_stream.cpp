#include "data/record_stream.h"

#include "data/query_rows.h"
#include "data/read_ahead.h"
#include "data/recordset_p.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace Vantrel3 {

namespace {

// Every record read ahead on a thread of its own, handed to the sink here.
void streamAhead(RecordsetPrivate &p, RowSource &rows, RecordSink &sink, const QElapsedTimer &since,
                 const QStringList &names, qint32 expected, bool &begun) {
    const int fields = int(p.info.size());
    ReadAhead ahead(rows, fields, p.keys.parts());
    const RecordBatch *batch = ahead.next();
    sink.begin(names, expected);
    begun = true;
    std::vector<QLatin1StringView> latin1(static_cast<size_t>(fields));
    std::vector<QStringView> wide(static_cast<size_t>(fields));
    qint64 progressAt = StreamProgress::firstMs;
    for (; batch; batch = ahead.next()) {
        p.keys.append(batch->keys());
        p.fingerprints.insert(p.fingerprints.end(), batch->fingerprints().cbegin(),
                              batch->fingerprints().cend());
        for (qsizetype i = 0; i < batch->size(); ++i) {
            if (batch->texts(i, latin1.data(), wide.data())) {
                sink.appendLatin1(qint32(p.rows), latin1.data(), fields);
            } else {
                sink.append(qint32(p.rows), wide.data(), fields);
            }
            ++p.rows;
            if ((p.rows & 0xFF) == 0 && since.elapsed() >= progressAt) {
                sink.progress(qint32(p.rows));
                progressAt = since.elapsed() + StreamProgress::everyMs;
            }
        }
    }
}

} // namespace

void streamRecords(RecordsetPrivate &p, RowSource &rows, RecordSink &sink,
                   const QElapsedTimer &since, QueryRows *keptValues, bool readAhead) {
    QStringList names;
    for (const FieldInfo &f : p.info) {
        names.append(f.name);
    }
    bool begun = false;
    try {
        const qint64 expected = rows.expectedCount();
        if (expected > 0) {
            p.fingerprints.reserve(size_t(expected));
            p.keys.reserve(expected);
        }
        const qint32 shownExpected =
            qint32(std::min<qint64>(expected, std::numeric_limits<qint32>::max()));
        if (readAhead && !keptValues && ReadAhead::worthwhile()) {
            streamAhead(p, rows, sink, since, names, shownExpected, begun);
        } else {
            bool more = rows.next();
            sink.begin(names, shownExpected);
            begun = true;
            qint64 progressAt = StreamProgress::firstMs;
            for (; more; more = rows.next()) {
                rows.appendKey(p.keys);
                if (keptValues) {
                    keptValues->appendValues(p.values);
                } else {
                    p.fingerprints.push_back(rows.fingerprint());
                }
                if (const QLatin1StringView *latin1 = rows.latin1Texts()) {
                    sink.appendLatin1(qint32(p.rows), latin1, qint32(p.info.size()));
                } else {
                    sink.append(qint32(p.rows), rows.texts(), qint32(p.info.size()));
                }
                ++p.rows;
                // The clock is read every 256 records: cheap, and often enough for ~100 ms.
                if ((p.rows & 0xFF) == 0 && since.elapsed() >= progressAt) {
                    sink.progress(qint32(p.rows));
                    progressAt = since.elapsed() + StreamProgress::everyMs;
                }
            }
        }
        p.keys.squeeze();
        p.fingerprints.shrink_to_fit();
        sink.end(qint32(p.rows), true);
    } catch (...) {
        if (begun) {
            sink.end(qint32(p.rows), false);
        }
        throw;
    }
}

} // namespace Vantrel3
