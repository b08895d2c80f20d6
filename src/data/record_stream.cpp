#include "data/record_stream.h"

#include "data/query_rows.h"
#include "data/recordset_p.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace Vantrel3 {

void streamRecords(RecordsetPrivate &p, RowSource &rows, RecordSink &sink,
                   const QElapsedTimer &since, QueryRows *keptValues) {
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
        bool more = rows.next();
        sink.begin(names, qint32(std::min<qint64>(expected, std::numeric_limits<qint32>::max())));
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
