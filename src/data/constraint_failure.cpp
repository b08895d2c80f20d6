#include "data/constraint_failure.h"

#include <QRegularExpression>
#include <QSqlQuery>

namespace Vantrel3::sql {

namespace {

const QString kNotNull = QStringLiteral("NOT NULL constraint failed: ");
const QString kUnique = QStringLiteral("UNIQUE constraint failed: ");
const QString kCheck = QStringLiteral("CHECK constraint failed: ");

// The parenthesis closing the one at `open`, quoted text skipped; -1 when there is none.
qsizetype closingParenthesis(const QString &s, qsizetype open) {
    int depth = 0;
    QChar quote;
    for (qsizetype i = open; i < s.size(); ++i) {
        const QChar c = s.at(i);
        if (!quote.isNull()) {
            if (c == quote) {
                quote = QChar();
            }
        } else if (c == u'\'' || c == u'"' || c == u'`') {
            quote = c;
        } else if (c == u'[') {
            quote = u']';
        } else if (c == u'(') {
            ++depth;
        } else if (c == u')' && --depth == 0) {
            return i;
        }
    }
    return -1;
}

// "CHECK ((q > 0))" and "(q > 0)" give "q > 0".
QString bareRule(QString rule) {
    rule = rule.trimmed();
    if (rule.startsWith(u"CHECK", Qt::CaseInsensitive)) {
        rule = rule.mid(5).trimmed();
    }
    if (rule.endsWith(u"NOT VALID", Qt::CaseInsensitive)) {
        rule = rule.chopped(9).trimmed();
    }
    while (rule.startsWith(u'(') && closingParenthesis(rule, 0) == rule.size() - 1) {
        rule = rule.mid(1, rule.size() - 2).trimmed();
    }
    return rule;
}

QString quoted(const QStringList &names) {
    QStringList out;
    for (const QString &n : names) {
        out.append(u'«' + n + u'»');
    }
    return out.join(QStringLiteral(", "));
}

} // namespace

std::optional<ConstraintFailure> ConstraintFailure::read(const QSqlError &error, Dialect dialect,
                                                         const QString &table,
                                                         const QStringList &fields) {
    const QString text = error.databaseText();
    qint32 number = 0;
    if (dialect == Dialect::Sqlite) {
        number = text.startsWith(kNotNull)  ? RequiredIsNull
                 : text.startsWith(kUnique) ? DuplicateKey
                 : text.startsWith(kCheck)  ? ValidationRule
                                            : 0;
    } else {
        const QString state = error.nativeErrorCode();
        number = state == u"23502"   ? RequiredIsNull
                 : state == u"23505" ? DuplicateKey
                 : state == u"23514" ? ValidationRule
                                     : 0;
    }
    if (number == 0) {
        return std::nullopt;
    }
    ConstraintFailure failure(number, dialect, table, fields);
    if (dialect == Dialect::Sqlite) {
        failure.readSqlite(text);
    } else {
        failure.readPostgres(text);
    }
    return failure;
}

void ConstraintFailure::readSqlite(const QString &text) {
    if (m_number == ValidationRule) {
        // The constraint's name, or the rule itself when it has none.
        m_rule = text.mid(kCheck.size()).trimmed();
        m_fields = fieldsIn(m_rule);
        return;
    }
    const QString list = text.mid(m_number == RequiredIsNull ? kNotNull.size() : kUnique.size());
    const QString prefix = m_table + u'.';
    for (QString item : list.split(QStringLiteral(", "))) {
        item = item.trimmed();
        item = item.startsWith(prefix) ? item.mid(prefix.size()) : item.section(u'.', -1);
        const QString f = field(item);
        if (!f.isEmpty() && !m_fields.contains(f)) {
            m_fields.append(f);
        }
    }
}

void ConstraintFailure::readPostgres(const QString &text) {
    static const QRegularExpression column(QStringLiteral("null value in column \"(.+?)\""));
    static const QRegularExpression key(QStringLiteral("Key \\((.+?)\\)=\\("));
    static const QRegularExpression check(QStringLiteral("check constraint \"(.+?)\""));
    if (m_number == RequiredIsNull) {
        const QString f = field(column.match(text).captured(1));
        if (!f.isEmpty()) {
            m_fields.append(f);
        }
    } else if (m_number == DuplicateKey) {
        const QString columns = key.match(text).captured(1);
        for (QString item : columns.split(QStringLiteral(", "))) {
            item = item.trimmed();
            if (item.size() >= 2 && item.startsWith(u'"') && item.endsWith(u'"')) {
                item = unquoteIdentifier(item);
            }
            const QString f = field(item);
            if (!f.isEmpty() && !m_fields.contains(f)) {
                m_fields.append(f);
            }
        }
        if (m_fields.isEmpty()) { // an index on expressions: the fields they use
            m_fields = fieldsIn(columns);
        }
    } else {
        m_constraint = check.match(text).captured(1);
    }
}

void ConstraintFailure::findRule(const QSqlDatabase &db, const QString &qualified) {
    if (m_number != ValidationRule) {
        return;
    }
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (m_dialect == Dialect::Sqlite) {
        if (!q.prepare(QStringLiteral(
                "SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ?"))) {
            return;
        }
        q.addBindValue(m_table);
        if (!q.exec() || !q.next()) {
            return;
        }
        const QString ddl = q.value(0).toString();
        const QString name = QRegularExpression::escape(m_rule);
        const QRegularExpression named(
            QStringLiteral("\\bCONSTRAINT\\s+(?:\"%1\"|`%1`|\\[%1\\]|%1)\\s+CHECK\\s*\\(")
                .arg(name),
            QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch m = named.match(ddl);
        const qsizetype close = m.hasMatch() ? closingParenthesis(ddl, m.capturedEnd() - 1) : -1;
        if (close < 0) {
            return; // no constraint of that name: the message gave the rule itself
        }
        m_constraint = m_rule;
        m_rule = bareRule(ddl.mid(m.capturedEnd() - 1, close - m.capturedEnd() + 2));
        m_fields = fieldsIn(m_rule);
        return;
    }
    if (m_constraint.isEmpty() ||
        !q.prepare(QStringLiteral(
            "SELECT pg_get_constraintdef(c.oid), a.attname FROM pg_constraint c LEFT JOIN "
            "pg_attribute a ON a.attrelid = c.conrelid AND a.attnum = ANY (c.conkey) WHERE "
            "c.conrelid = ?::regclass AND c.conname = ? ORDER BY a.attnum"))) {
        return;
    }
    q.addBindValue(qualified);
    q.addBindValue(m_constraint);
    if (!q.exec()) {
        return;
    }
    QStringList fields;
    bool found = false;
    while (q.next()) {
        found = true;
        m_rule = bareRule(q.value(0).toString());
        const QString f = field(q.value(1).toString());
        if (!f.isEmpty() && !fields.contains(f)) {
            fields.append(f);
        }
    }
    if (found) {
        m_fields = fields;
    }
}

QString ConstraintFailure::field(const QString &name) const {
    for (const auto cs : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
        for (const QString &known : m_known) {
            if (known.compare(name, cs) == 0) {
                return known;
            }
        }
    }
    return {};
}

QStringList ConstraintFailure::fieldsIn(const QString &expression) const {
    // String literals are matched only to be skipped; identifiers come quoted or bare.
    static const QRegularExpression token(
        QStringLiteral("'(?:[^']|'')*'|\"((?:[^\"]|\"\")+)\"|`([^`]+)`|\\[([^\\]]+)\\]|"
                       "([\\p{L}_][\\p{L}\\p{N}_$]*)"));
    QStringList out;
    auto it = token.globalMatch(expression);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        QString name;
        for (int group = 1; group <= 4 && name.isEmpty(); ++group) {
            name = m.captured(group);
        }
        name.replace(QStringLiteral("\"\""), QStringLiteral("\""));
        const QString f = name.isEmpty() ? QString() : field(name);
        if (!f.isEmpty() && !out.contains(f)) {
            out.append(f);
        }
    }
    return out;
}

QString ConstraintFailure::description() const {
    if (m_number == RequiredIsNull) {
        return m_fields.isEmpty() ? QStringLiteral("Un campo obbligatorio non può contenere un "
                                                   "valore Null. Immettere un valore.")
                                  : daoMessage(RequiredIsNull, m_fields.first());
    }
    if (m_number == DuplicateKey) {
        if (m_fields.size() == 1) {
            return QStringLiteral("Il valore del campo %1 è già presente in un altro record: il "
                                  "campo non ammette valori duplicati.")
                .arg(quoted(m_fields));
        }
        if (m_fields.size() > 1) {
            return QStringLiteral("La combinazione dei valori dei campi %1 è già presente in un "
                                  "altro record: non ammette duplicati.")
                .arg(quoted(m_fields));
        }
        return daoMessage(DuplicateKey);
    }
    QString rule;
    if (!m_constraint.isEmpty() && !m_rule.isEmpty() && m_constraint != m_rule) {
        rule = quoted({m_constraint}) + QStringLiteral(" (") + m_rule + u')';
    } else if (!m_rule.isEmpty() || !m_constraint.isEmpty()) {
        rule = quoted({m_rule.isEmpty() ? m_constraint : m_rule});
    } else {
        return daoMessage(ValidationRule);
    }
    if (m_fields.size() == 1) {
        return QStringLiteral("Il valore del campo %1 non rispetta la regola di validità %2.")
            .arg(quoted(m_fields), rule);
    }
    if (m_fields.size() > 1) {
        return QStringLiteral("I valori dei campi %1 non rispettano la regola di validità %2.")
            .arg(quoted(m_fields), rule);
    }
    return QStringLiteral("I valori del record non rispettano la regola di validità %1 della "
                          "tabella.")
        .arg(rule);
}

} // namespace Vantrel3::sql
