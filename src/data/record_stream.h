#pragma once

#include <Vantrel3/DataControl.h>

#include <QElapsedTimer>
#include <QStringList>

namespace Vantrel3 {

class RecordsetPrivate;
class RowSource;
class QueryRows;

// When a long read first lets the grid show what it has, and how often after that: the read
// itself goes on in between, with no event of the application handled.
struct StreamProgress {
    static inline int firstMs = 300;
    static inline int everyMs = 100;
};

// Reads every record of `rows` once: the key and the fingerprint go to the recordset, the texts
// to the sink; `keptValues`, when given, also keeps the driver's values (a query, which has no
// key to read a record again by). The sink hears begin() once the first step succeeded, and
// end(), with ok false when the read failed and the error is raised on. `readAhead`: `rows` may
// be read on a thread of its own (see ReadAhead) while the sink takes the records here.
void streamRecords(RecordsetPrivate &p, RowSource &rows, RecordSink &sink,
                   const QElapsedTimer &since, QueryRows *keptValues = nullptr,
                   bool readAhead = false);

} // namespace Vantrel3
