#include "data/recordset_p.h"

#include "data/query_rows.h"
#include "data/record_stream.h"
#include "data/sqlite_rows.h"

#include <QHash>
#include <QRegularExpression>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <optional>

namespace Vantrel3 {

namespace {

struct Relation {
    QString qualified; // quoted
    bool baseTable = false;
    QString name; // its own name, unquoted
};

struct Column {
    QString name;
    QString declared;
    bool notNull = false;
    int keyOrder = 0; // 1-based position in the primary key, 0 when not part of it
    QString sequence; // PostgreSQL: the sequence behind a serial or by-default identity
};

bool isQuery(const QString &source) {
    static const QRegularExpression query(QStringLiteral("^\\s*(select|with|values)\\b"),
                                          QRegularExpression::CaseInsensitiveOption);
    return query.match(source).hasMatch();
}

QString unquoteName(QString name) {
    name = name.trimmed();
    if (name.size() >= 2 && name.startsWith(u'[') && name.endsWith(u']')) {
        return name.mid(1, name.size() - 2);
    }
    if (name.size() >= 2 && name.startsWith(u'"') && name.endsWith(u'"')) {
        return name.mid(1, name.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
    }
    return name;
}

QSqlQuery run(const QSqlDatabase &db, const QString &text, const QList<QVariant> &binds,
              sql::Dialect dialect, const QString &source, const QString &name = {}) {
    QSqlQuery q(db);
    q.setForwardOnly(true);
    bool ok = q.prepare(text);
    for (const QVariant &b : binds) {
        q.addBindValue(b);
    }
    if (!ok || !q.exec()) {
        throw sql::fromSqlError(q.lastError(), dialect, source, name);
    }
    return q;
}

// Finds a table or view by name: exactly first, then ignoring case, as the classic engine does.
std::optional<Relation> findRelation(const QSqlDatabase &db, sql::Dialect dialect,
                                     const QString &wanted, const QString &source) {
    struct Candidate {
        QString name;
        Relation relation;
    };
    QList<Candidate> candidates;
    if (dialect == sql::Dialect::Sqlite) {
        QSqlQuery q = run(db,
                          QStringLiteral("SELECT name, type FROM sqlite_master WHERE type IN "
                                         "('table', 'view') AND name NOT LIKE 'sqlite\\_%' "
                                         "ESCAPE '\\'"),
                          {}, dialect, source);
        while (q.next()) {
            const QString name = q.value(0).toString();
            candidates.append(
                {name, {sql::quoteIdentifier(name), q.value(1).toString() == u"table", name}});
        }
    } else {
        QSqlQuery q = run(db,
                          QStringLiteral("SELECT n.nspname, c.relname, c.relkind IN ('r', 'p'), "
                                         "pg_table_is_visible(c.oid) FROM pg_class c JOIN "
                                         "pg_namespace n ON n.oid = c.relnamespace WHERE "
                                         "c.relkind IN ('r', 'p', 'v', 'm', 'f') AND n.nspname "
                                         "NOT IN ('pg_catalog', 'information_schema')"),
                          {}, dialect, source);
        while (q.next()) {
            const QString schema = q.value(0).toString();
            const QString name = q.value(1).toString();
            const Relation r{sql::quoteIdentifier(schema) + QLatin1Char('.') +
                                 sql::quoteIdentifier(name),
                             q.value(2).toBool(), name};
            if (q.value(3).toBool()) {
                candidates.append({name, r});
            }
            candidates.append({schema + QLatin1Char('.') + name, r});
        }
    }
    for (const auto cs : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        for (const Candidate &c : candidates) {
            if (c.name.compare(wanted, cs) == 0) {
                return c.relation;
            }
        }
    }
    return std::nullopt;
}

QList<Column> tableColumns(const QSqlDatabase &db, sql::Dialect dialect, const Relation &relation,
                           const QString &source) {
    QList<Column> columns;
    if (dialect == sql::Dialect::Sqlite) {
        QSqlQuery q = run(db, QStringLiteral("PRAGMA table_info(") + relation.qualified + u')', {},
                          dialect, source);
        while (q.next()) {
            columns.append({q.value(1).toString(),
                            q.value(2).toString(),
                            q.value(3).toInt() != 0,
                            q.value(5).toInt(),
                            {}});
        }
    } else {
        // The key order is the column's place in the primary key's indkey, an int2vector
        // numbered from 0.
        QSqlQuery q = run(
            db,
            QStringLiteral("SELECT a.attname, format_type(a.atttypid, a.atttypmod), a.attnotnull, "
                           "COALESCE(array_position(i.indkey::int2[], a.attnum) + 1 - "
                           "array_lower(i.indkey::int2[], 1), 0), "
                           "CASE WHEN a.attidentity = 'a' THEN NULL ELSE "
                           "pg_get_serial_sequence(a.attrelid::regclass::text, a.attname) END "
                           "FROM pg_attribute a LEFT JOIN pg_index i ON i.indrelid = a.attrelid "
                           "AND i.indisprimary WHERE a.attrelid = ?::regclass AND a.attnum > 0 "
                           "AND NOT a.attisdropped ORDER BY a.attnum"),
            {relation.qualified}, dialect, source);
        while (q.next()) {
            columns.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toBool(),
                            q.value(3).toInt(), q.value(4).toString()});
        }
    }
    return columns;
}

const QString kOnlyRead = QStringLiteral(": i dati si possono solo leggere.");

// Why the records of a source can only be read, or "" when they can be written. `relation` is
// null for a query.
QString whyReadOnly(qint16 kind, bool readOnlyControl, const Relation *relation, bool hasKey,
                    bool readOnlyFile, const QString &file) {
    if (readOnlyControl) {
        return QStringLiteral("Il controllo dati è impostato in sola lettura (ReadOnly)") +
               kOnlyRead;
    }
    if (kind == 2) {
        return QStringLiteral("Il recordset è di tipo Snapshot") + kOnlyRead;
    }
    if (!relation) {
        return QStringLiteral("L'origine dei dati è una query") + kOnlyRead;
    }
    if (!relation->baseTable) {
        return QStringLiteral("«%1» è una vista, non una tabella").arg(relation->name) + kOnlyRead;
    }
    if (!hasKey) {
        return QStringLiteral("La tabella «%1» non ha una chiave primaria").arg(relation->name) +
               kOnlyRead;
    }
    if (readOnlyFile) {
        return QStringLiteral("Il file del database «%1» è di sola lettura").arg(file) + kOnlyRead;
    }
    return {};
}

// Every record with every value, kept by the recordset.
void readRows(RecordsetPrivate &p, QSqlQuery &q, const QString &source) {
    QueryRows rows(q, int(p.keySelect.size()), p.info, p.dialect, source);
    while (rows.next()) {
        rows.appendKey(p.keys);
        rows.appendValues(p.values);
        ++p.rows;
    }
    p.keys.squeeze();
}

// Streams a keyed SQLite table through SQLite's own interface.
void streamSqlite(RecordsetPrivate &p, const QString &file, const QString &table, bool rowidKey,
                  RecordSink &sink, const QElapsedTimer &since, const QString &source,
                  const QString &name) {
    // A key that is also a field (an INTEGER PRIMARY KEY) is read once.
    QStringList select = p.keySelect;
    QList<int> keyColumns;
    int shared = -1;
    for (int i = 0; i < p.info.size() && select.size() == 1; ++i) {
        if (p.info.at(i).read == select.front()) {
            shared = i;
        }
    }
    if (shared >= 0) {
        select.clear();
        keyColumns.append(shared);
    } else {
        for (int k = 0; k < select.size(); ++k) {
            keyColumns.append(k);
        }
    }
    for (const FieldInfo &f : p.info) {
        select.append(f.read);
    }
    SqliteRows rows(file, QStringLiteral("SELECT count(*) FROM ") + table,
                    QStringLiteral("SELECT ") + select.join(QStringLiteral(", ")) +
                        QStringLiteral(" FROM ") + table + QStringLiteral(" ORDER BY ") +
                        p.keyColumns.join(u", "),
                    keyColumns, shared >= 0 ? 0 : int(p.keySelect.size()), rowidKey, p.info, p.seed,
                    source, name);
    // The SQLite connection is the reader's own, so it may be read on another thread.
    streamRecords(p, rows, sink, since, nullptr, true);
}

} // namespace

std::unique_ptr<RecordsetPrivate> openRecordset(const QString &connection, sql::Dialect dialect,
                                                const QString &recordSource, qint16 kind,
                                                bool readOnly, const QString &source,
                                                RecordSink *sink, const QElapsedTimer &since) {
    auto p = std::make_unique<RecordsetPrivate>();
    p->connection = connection;
    p->dialect = dialect;
    p->kind = kind;
    const QSqlDatabase db = p->db();
    const bool readOnlyDb = db.connectOptions().contains(u"QSQLITE_OPEN_READONLY");

    if (isQuery(recordSource)) {
        if (kind == 0) {
            throw sql::daoError(sql::ObjectNotFound, source, recordSource);
        }
        QSqlQuery q = run(db, recordSource, {}, dialect, source, recordSource);
        const QSqlRecord record = q.record();
        // Declared types of the tables the columns come from, where the driver tells.
        QHash<QString, QList<Column>> declared;
        for (int i = 0; i < record.count(); ++i) {
            const QSqlField f = record.field(i);
            FieldInfo info;
            info.name = f.name();
            info.type = sql::columnTypeFromMeta(f.metaType());
            info.read = sql::quoteIdentifier(f.name());
            const QString tableName = f.tableName();
            if (!tableName.isEmpty()) {
                if (!declared.contains(tableName)) {
                    const auto relation = findRelation(db, dialect, tableName, source);
                    declared.insert(tableName, relation
                                                   ? tableColumns(db, dialect, *relation, source)
                                                   : QList<Column>());
                }
                for (const Column &c : declared.value(tableName)) {
                    if (c.name.compare(f.name(), Qt::CaseInsensitive) == 0) {
                        info.type = sql::columnTypeFromDeclared(c.declared, dialect);
                    }
                }
            }
            p->info.append(info);
        }
        p->keys.reset(0);
        if (sink) {
            // A query cannot read a record again: its values stay here, its texts go to the sink.
            QueryRows rows(q, 0, p->info, dialect, source);
            streamRecords(*p, rows, *sink, since, &rows);
        } else {
            readRows(*p, q, source);
        }
        // A query has no single record to write back to.
        p->readOnlyReason = whyReadOnly(kind, readOnly, nullptr, false, readOnlyDb, {});
    } else {
        const QString name = unquoteName(recordSource);
        const auto relation = findRelation(db, dialect, name, source);
        if (!relation || (kind == 0 && !relation->baseTable)) {
            throw sql::daoError(kind == 0 ? sql::ObjectNotFound : sql::InputTableNotFound, source,
                                name);
        }
        const QList<Column> columns = tableColumns(db, dialect, *relation, source);
        QList<Column> keyColumns;
        bool rowidKey = false;
        const qsizetype keyParts = std::count_if(columns.cbegin(), columns.cend(),
                                                 [](const Column &c) { return c.keyOrder > 0; });
        for (const Column &c : columns) {
            // SQLite numbers a lone INTEGER PRIMARY KEY itself (it is the row id).
            const bool rowidAlias =
                dialect == sql::Dialect::Sqlite && keyParts == 1 && c.keyOrder == 1 &&
                c.declared.trimmed().compare(u"INTEGER", Qt::CaseInsensitive) == 0;
            const QString quoted = sql::quoteIdentifier(c.name);
            p->info.append({c.name, sql::columnTypeFromDeclared(c.declared, dialect), c.notNull,
                            rowidAlias || !c.sequence.isEmpty(), c.sequence,
                            sql::readExpression(quoted, c.declared, dialect)});
            if (c.keyOrder > 0) {
                keyColumns.append(c);
            }
            rowidKey = rowidKey || rowidAlias;
        }
        std::sort(keyColumns.begin(), keyColumns.end(),
                  [](const Column &a, const Column &b) { return a.keyOrder < b.keyOrder; });
        for (const Column &c : keyColumns) {
            const QString quoted = sql::quoteIdentifier(c.name);
            p->keyColumns.append(quoted);
            p->keySelect.append(sql::readExpression(quoted, c.declared, dialect));
        }
        if (keyColumns.isEmpty() && relation->baseTable && dialect == sql::Dialect::Sqlite) {
            // No primary key: the row's own address identifies it, checked by the record's
            // content. PostgreSQL has no such address: a row's ctid changes with every update.
            p->keyColumns.append(QStringLiteral("rowid"));
            p->keySelect.append(QStringLiteral("rowid"));
            p->addressKey = true;
            rowidKey = true;
        }
        p->table = relation->qualified;
        p->tableName = relation->name;
        QString text = QStringLiteral("SELECT ") + p->selectList() + QStringLiteral(" FROM ") +
                       relation->qualified;
        if (!p->keyColumns.isEmpty()) {
            text += QStringLiteral(" ORDER BY ") + p->keyColumns.join(u", ");
        }
        p->keys.reset(int(p->keySelect.size()));
        if (sink && !p->keyColumns.isEmpty()) {
            // Each record can be read again by its key: the recordset keeps no values.
            p->streamed = true;
            if (dialect == sql::Dialect::Sqlite) {
                streamSqlite(*p, db.databaseName(), relation->qualified, rowidKey, *sink, since,
                             source, name);
            } else {
                QSqlQuery q = run(db, text, {}, dialect, source, name);
                QueryRows rows(q, int(p->keySelect.size()), p->info, dialect, source, p->seed);
                streamRecords(*p, rows, *sink, since);
            }
        } else if (sink) {
            // No key to read a record again by (a view): the values stay here too.
            QSqlQuery q = run(db, text, {}, dialect, source, name);
            QueryRows rows(q, int(p->keySelect.size()), p->info, dialect, source);
            streamRecords(*p, rows, *sink, since, &rows);
        } else {
            QSqlQuery q = run(db, text, {}, dialect, source, name);
            readRows(*p, q, source);
        }
        p->readOnlyReason = whyReadOnly(kind, readOnly, &*relation, !p->keyColumns.isEmpty(),
                                        readOnlyDb, db.databaseName());
    }
    p->makeFields();
    p->pos = 0;
    p->bof = p->eof = p->rows == 0;
    return p;
}

} // namespace Vantrel3
