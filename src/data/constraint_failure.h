#pragma once

#include "data/sql_errors.h"
#include "data/sql_types.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QStringList>

#include <optional>

namespace Vantrel3::sql {

// A NOT NULL, UNIQUE or CHECK refusal read from the driver's message, with the fields it is
// about. SQLite words them "NOT NULL constraint failed: t.col", "UNIQUE constraint failed: t.a,
// t.b" and "CHECK constraint failed: <name or rule>"; PostgreSQL names the column of a NOT NULL,
// the key of a UNIQUE in its detail line, and the constraint of a CHECK, whose rule and columns
// are in the catalog.
class ConstraintFailure {
public:
    // nullopt when the error is no such refusal. `table` is the table's own (unquoted) name and
    // `fields` the recordset's field names, which the failure is matched against.
    static std::optional<ConstraintFailure> read(const QSqlError &error, Dialect dialect,
                                                 const QString &table, const QStringList &fields);
    // A CHECK: looks its rule up in the table's definition (`qualified`: the quoted table name),
    // with the fields it mentions. Without an answer, what the message said stands.
    void findRule(const QSqlDatabase &db, const QString &qualified);

    qint32 number() const { return m_number; }
    // The fields the refusal is about, spelled as the recordset spells them.
    QStringList fields() const { return m_fields; }
    // Our description of it, naming the fields and the rule.
    QString description() const;

private:
    ConstraintFailure(qint32 number, Dialect dialect, QString table, QStringList known)
        : m_number(number), m_dialect(dialect), m_table(std::move(table)),
          m_known(std::move(known)) {}
    // The recordset's field called `name`, or "".
    QString field(const QString &name) const;
    // The recordset's fields that occur as identifiers in an SQL expression, in order.
    QStringList fieldsIn(const QString &expression) const;
    void readSqlite(const QString &text);
    void readPostgres(const QString &text);

    qint32 m_number;
    Dialect m_dialect;
    QString m_table;
    QStringList m_known;
    QStringList m_fields;
    QString m_constraint; // a CHECK's name, when the message gives one
    QString m_rule;       // a CHECK's expression
};

} // namespace Vantrel3::sql
