#include "data/sqlite_rows.h"

#include "data/byte_copy.h"
#include "data/recordset_p.h"
#include "data/sql_connection.h"

#include <Vantrel3/vbruntime.h>

#include <QDate>
#include <QSqlError>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sqlite3.h>

namespace Vantrel3 {

namespace {

bool isAscii(const unsigned char *text, int size) {
    unsigned char any = 0;
    for (int i = 0; i < size; ++i) {
        any |= text[i];
    }
    return any < 0x80;
}

QStringView text16(sqlite3_value *v) {
    const auto *units = static_cast<const char16_t *>(sqlite3_value_text16(v));
    return QStringView(units, units ? sqlite3_value_bytes16(v) / 2 : 0);
}

int digits(const unsigned char *p, int count) {
    int n = 0;
    for (int i = 0; i < count; ++i) {
        if (p[i] < '0' || p[i] > '9') {
            return -1;
        }
        n = n * 10 + (p[i] - '0');
    }
    return n;
}

} // namespace

SqliteRows::SqliteRows(const QString &file, const QString &count, const QString &select,
                       const QList<int> &keyColumns, int firstField, bool integerKey,
                       const QList<FieldInfo> &fields, quint64 seed, const QString &source,
                       const QString &name)
    : m_keyColumns(keyColumns), m_firstField(firstField), m_integerKey(integerKey),
      m_source(source), m_name(name), m_point(vb::locale().decimalPoint()),
      m_ends(size_t(fields.size())), m_views(size_t(fields.size())),
      m_latin1(size_t(fields.size())), m_direct(size_t(fields.size())),
      m_directSize(size_t(fields.size())), m_dates(1024), m_fingerprint(seed) {
    for (const FieldInfo &f : fields) {
        m_types.push_back(f.type);
    }
    m_bytes.resize(1024);
    m_chars.resize(1024);
    sqlite3 *db = nullptr;
    const int opened = sqlite3_open_v2(file.toUtf8().constData(), &db,
                                       SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    m_db.reset(db); // a failed open still gives a handle to close
    if (db) {
        sqlite3_extended_result_codes(db, 1);
    }
    if (opened != SQLITE_OK) {
        fail(opened, QStringLiteral("Error opening database"));
    }
    sqlite3_busy_timeout(db, sql::kLockTimeoutMs);
    // One pass over the whole file: reading its pages in place saves a copy of each, about a
    // fifth of the read. Only address space is reserved; the connection writes nothing.
    sqlite3_exec(db, "PRAGMA mmap_size = 1073741824", nullptr, nullptr, nullptr);
    // The count lets the grids and the recordset take their room at once instead of moving what
    // they hold each time it doubles; in the same read transaction as the records, it holds.
    if (sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK) {
        const QByteArray counting = count.toUtf8();
        sqlite3_stmt *counter = nullptr;
        const int code =
            sqlite3_prepare_v2(db, counting.constData(), int(counting.size()), &counter, nullptr);
        const int stepped = code == SQLITE_OK ? sqlite3_step(counter) : code;
        if (stepped == SQLITE_ROW) {
            m_expected = sqlite3_column_int64(counter, 0);
        }
        sqlite3_finalize(counter);
        if (stepped != SQLITE_ROW) {
            fail(sqlite3_extended_errcode(db), QStringLiteral("Unable to fetch row"));
        }
    }
    const QByteArray text = select.toUtf8();
    sqlite3_stmt *stmt = nullptr;
    const int prepared = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &stmt, nullptr);
    m_stmt.reset(stmt);
    if (prepared != SQLITE_OK) {
        fail(prepared, QStringLiteral("Unable to execute statement"));
    }
}

SqliteRows::~SqliteRows() = default;

void SqliteRows::CloseDatabase::operator()(sqlite3 *db) const {
    sqlite3_close(db); // ends the read transaction too
}

void SqliteRows::FinalizeStatement::operator()(sqlite3_stmt *stmt) const {
    sqlite3_finalize(stmt);
}

void SqliteRows::fail(int code, const QString &what) const {
    // In the form Qt's driver reports it, so that it maps onto the same DAO error.
    const QString text = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db.get()))
                              : QString::fromUtf8(sqlite3_errstr(code));
    throw sql::fromSqlError(
        QSqlError(what, text, QSqlError::ConnectionError, QString::number(code)),
        sql::Dialect::Sqlite, m_source, m_name);
}

bool SqliteRows::next() {
    const int code = sqlite3_step(m_stmt.get());
    if (code == SQLITE_ROW) {
        if (m_values.empty()) {
            m_values.resize(size_t(sqlite3_column_count(m_stmt.get())));
        }
        for (size_t i = 0; i < m_values.size(); ++i) {
            m_values[i] = sqlite3_column_value(m_stmt.get(), int(i));
        }
        m_read = false;
        return true;
    }
    if (code == SQLITE_DONE) {
        return false;
    }
    fail(sqlite3_extended_errcode(m_db.get()), QStringLiteral("Unable to fetch row"));
}

QVariant SqliteRows::driverValue(sqlite3_value *v) {
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        return QVariant::fromValue(qlonglong(sqlite3_value_int64(v)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_value_double(v));
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char *>(sqlite3_value_blob(v)), sqlite3_value_bytes(v));
    default:
        return text16(v).toString();
    }
}

void SqliteRows::appendKey(RecordKeys &keys) {
    if (m_integerKey) {
        sqlite3_value *v = m_values[size_t(m_keyColumns.front())];
        // A row id always is an integer; a column taken for one may hold anything else.
        if (sqlite3_value_type(v) == SQLITE_INTEGER) {
            keys.appendInteger(sqlite3_value_int64(v), QMetaType::fromType<qlonglong>());
            return;
        }
    }
    QList<QVariant> key;
    for (int k : m_keyColumns) {
        key.append(driverValue(m_values[size_t(k)]));
    }
    keys.append(key);
}

void SqliteRows::widen() {
    if (m_chars.size() < m_bytes.size()) {
        m_chars.resize(m_bytes.size());
    }
    for (qsizetype i = 0; i < m_used; ++i) {
        m_chars[size_t(i)] = static_cast<unsigned char>(m_bytes[size_t(i)]);
    }
    m_wide = true;
}

void SqliteRows::appendBytes(const char *text, qsizetype size) {
    const size_t end = size_t(m_used + size);
    if (!m_wide) {
        if (m_bytes.size() < end) {
            m_bytes.resize(std::max(end, 2 * m_bytes.size()));
        }
        copyBytes(m_bytes.data() + m_used, text, size_t(size));
    } else {
        if (m_chars.size() < end) {
            m_chars.resize(std::max(end, 2 * m_chars.size()));
        }
        for (qsizetype i = 0; i < size; ++i) {
            m_chars[size_t(m_used + i)] = static_cast<unsigned char>(text[i]);
        }
    }
    m_used += size;
}

void SqliteRows::appendUnits(QStringView text) {
    const char16_t *units = text.utf16();
    const qsizetype size = text.size();
    if (!m_wide) {
        char16_t any = 0;
        for (qsizetype i = 0; i < size; ++i) {
            any |= units[i];
        }
        if (any < 0x100) {
            const size_t end = size_t(m_used + size);
            if (m_bytes.size() < end) {
                m_bytes.resize(std::max(end, 2 * m_bytes.size()));
            }
            for (qsizetype i = 0; i < size; ++i) {
                m_bytes[size_t(m_used + i)] = char(units[i]);
            }
            m_used += size;
            return;
        }
        widen();
    }
    const size_t end = size_t(m_used + size);
    if (m_chars.size() < end) {
        m_chars.resize(std::max(end, 2 * m_chars.size()));
    }
    std::copy(units, units + size, m_chars.data() + m_used);
    m_used += size;
}

void SqliteRows::appendInteger(qint64 n) {
    char buffer[24];
    char *end = buffer + 24;
    char *p = end;
    quint64 magnitude = n < 0 ? 0 - quint64(n) : quint64(n);
    do {
        *--p = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    if (n < 0) {
        *--p = '-';
    }
    appendBytes(p, end - p);
}

void SqliteRows::appendDate(int year, int month, int day, const sql::ColumnType &type,
                            sqlite3_value *v) {
    const int key = (year * 13 + month) * 32 + day;
    DateText &slot = m_dates[size_t(key) % m_dates.size()];
    if (slot.key != key) {
        const QDate date(year, month, day);
        if (!date.isValid()) {
            appendUnits(sql::displayText(driverValue(v), type));
            return;
        }
        slot.key = key;
        slot.text = sql::dateText(date);
        slot.latin1 =
            QtPrivate::isLatin1(QStringView(slot.text)) ? slot.text.toLatin1() : QByteArray();
    }
    if (!slot.latin1.isEmpty()) {
        appendBytes(slot.latin1.constData(), slot.latin1.size());
    } else {
        appendUnits(slot.text);
    }
}

void SqliteRows::appendGeneral(const sql::ColumnType &type, sqlite3_value *v) {
    appendUnits(sql::displayText(driverValue(v), type));
}

void SqliteRows::appendReal(double d) {
    if (d == std::trunc(d) && std::fabs(d) < 1e15) {
        appendInteger(qint64(d));
        return;
    }
    char bytes[24];
    const qsizetype size = sql::shortRealText(d, m_point, bytes);
    if (size >= 0) {
        appendBytes(bytes, size);
        return;
    }
    char16_t buffer[24];
    const qsizetype length = sql::shortRealText(d, m_point, buffer);
    if (length >= 0) {
        appendUnits(QStringView(buffer, length));
    } else {
        appendUnits(sql::realText(d));
    }
}

void SqliteRows::readRecord() {
    if (m_read) {
        return;
    }
    m_read = true;
    m_used = 0;
    m_wide = false;
    std::fill(m_direct.begin(), m_direct.end(), nullptr);
    // The common pairs of stored value and field type are written directly; any other goes
    // through the driver's value and displayText, which these agree with.
    for (size_t i = 0; i < m_types.size(); ++i) {
        sqlite3_value *v = m_values[size_t(m_firstField) + i];
        const sql::ColumnType &type = m_types[i];
        switch (sqlite3_value_type(v)) {
        case SQLITE_NULL:
            m_fingerprint.addNull();
            break;
        case SQLITE_INTEGER: {
            const qint64 n = sqlite3_value_int64(v);
            m_fingerprint.addInteger(n);
            if (type.storage == sql::Storage::Integer || type.storage == sql::Storage::Text ||
                (type.storage == sql::Storage::Real && n < 1'000'000'000'000'000 &&
                 n > -1'000'000'000'000'000)) {
                appendInteger(n);
            } else {
                appendGeneral(type, v);
            }
            break;
        }
        case SQLITE_FLOAT: {
            const double d = sqlite3_value_double(v);
            m_fingerprint.addReal(d);
            if (type.storage == sql::Storage::Real) {
                appendReal(d);
            } else {
                appendGeneral(type, v);
            }
            break;
        }
        case SQLITE_BLOB:
            m_fingerprint.addBytes(static_cast<const char *>(sqlite3_value_blob(v)),
                                   sqlite3_value_bytes(v));
            appendGeneral(type, v);
            break;
        default: {
            const unsigned char *text = sqlite3_value_text(v);
            const int size = sqlite3_value_bytes(v);
            if (!isAscii(text, size)) {
                // Through UTF-16, as the driver reads it: bytes that are no valid UTF-8 come
                // out as the driver's text would.
                const QStringView units = text16(v);
                m_fingerprint.addText(units);
                if (type.storage == sql::Storage::Text) {
                    appendUnits(units);
                } else {
                    appendGeneral(type, v);
                }
                break;
            }
            m_fingerprint.addUtf8(reinterpret_cast<const char *>(text), size);
            if (type.storage == sql::Storage::Text) {
                // Taken in place: SQLite keeps it until the next step.
                m_direct[i] = reinterpret_cast<const char *>(text);
                m_directSize[i] = size;
            } else if (type.storage == sql::Storage::Date && size == 10 && text[4] == '-' &&
                       text[7] == '-' && digits(text, 4) >= 0 && digits(text + 5, 2) >= 0 &&
                       digits(text + 8, 2) >= 0) {
                appendDate(digits(text, 4), digits(text + 5, 2), digits(text + 8, 2), type, v);
            } else {
                appendGeneral(type, v);
            }
            break;
        }
        }
        m_ends[i] = m_used;
    }
    m_digest = m_fingerprint.finish();
}

quint64 SqliteRows::fingerprint() {
    readRecord();
    return m_digest;
}

const QStringView *SqliteRows::texts() {
    readRecord();
    if (!m_wide) {
        widen();
    }
    // Texts taken in place are ASCII: widened after the record's own.
    qsizetype tail = m_used;
    for (size_t i = 0; i < m_types.size(); ++i) {
        tail += m_direct[i] ? m_directSize[i] : 0;
    }
    if (qsizetype(m_chars.size()) < tail) {
        m_chars.resize(size_t(tail));
    }
    qsizetype start = 0;
    qsizetype at = m_used;
    for (size_t i = 0; i < m_types.size(); ++i) {
        if (const char *direct = m_direct[i]) {
            char16_t *out = m_chars.data() + at;
            for (qsizetype k = 0; k < m_directSize[i]; ++k) {
                out[k] = static_cast<unsigned char>(direct[k]);
            }
            m_views[i] = QStringView(out, m_directSize[i]);
            at += m_directSize[i];
        } else {
            m_views[i] = QStringView(m_chars.data() + start, m_ends[i] - start);
            start = m_ends[i];
        }
    }
    return m_views.data();
}

const QLatin1StringView *SqliteRows::latin1Texts() {
    readRecord();
    if (m_wide) {
        return nullptr;
    }
    qsizetype start = 0;
    for (size_t i = 0; i < m_types.size(); ++i) {
        if (m_direct[i]) {
            m_latin1[i] = QLatin1StringView(m_direct[i], m_directSize[i]);
        } else {
            m_latin1[i] = QLatin1StringView(m_bytes.data() + start, m_ends[i] - start);
            start = m_ends[i];
        }
    }
    return m_latin1.data();
}

} // namespace Vantrel3
