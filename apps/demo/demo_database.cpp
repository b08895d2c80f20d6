#include "demo_database.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

namespace {

struct Customer {
    const char *nome;
    const char *codiceFiscale;
    const char *partitaIva;
    const char *nascita; // ISO date
    double importo;
    const char *citta;
    const char *provincia; // its code
};

// Codes with their correct check characters.
constexpr Customer kCustomers[] = {
    {"Mario Rossi", "RSSMRA69E12H501N", "01234567897", "1969-05-12", 1250.50, "Roma", "RM"},
    {"Giulia Bianchi", "BNCGLI82S43F205Z", "12345678903", "1982-11-03", 980.00, "Milano", "MI"},
    {"Luca Verdi", "VRDLCU75A27H620H", "07654321095", "1975-01-27", 15.75, "Rovigo", "RO"},
    {"Anna Esposito", "SPSNNA90P49F839N", "03111222331", "1990-09-09", 4300.00, "Napoli", "NA"},
    {"Paolo Ricci", "RCCPLA58B18L219J", "04567890126", "1958-02-18", 72.10, "Torino", "TO"},
};

// A file made by an earlier demo has no province column: it gets one, empty, and keeps
// everything else.
bool addProvinceColumn(QSqlDatabase &db, QString *error) {
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA table_info(clienti)"))) {
        *error = q.lastError().text();
        return false;
    }
    bool hasTable = false;
    while (q.next()) {
        hasTable = true;
        if (q.value(1).toString().compare(QStringLiteral("provincia"), Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    // Another file with no such table is left as it is; the grid tells what it lacks.
    if (!hasTable) {
        return true;
    }
    if (!q.exec(QStringLiteral("ALTER TABLE clienti ADD COLUMN provincia TEXT"))) {
        *error = q.lastError().text();
        return false;
    }
    return true;
}

bool create(QSqlDatabase &db, QString *error) {
    QSqlQuery q(db);
    bool ok = q.exec(QStringLiteral("CREATE TABLE clienti (nome TEXT, codice_fiscale TEXT, "
                                    "partita_iva TEXT, nascita DATE, importo NUMERIC, "
                                    "citta TEXT, provincia TEXT)"));
    ok = ok && db.transaction();
    ok = ok && q.prepare(QStringLiteral("INSERT INTO clienti VALUES (?, ?, ?, ?, ?, ?, ?)"));
    for (const Customer &c : kCustomers) {
        if (!ok) {
            break;
        }
        q.addBindValue(QString::fromUtf8(c.nome));
        q.addBindValue(QString::fromLatin1(c.codiceFiscale));
        q.addBindValue(QString::fromLatin1(c.partitaIva));
        q.addBindValue(QString::fromLatin1(c.nascita));
        q.addBindValue(c.importo);
        q.addBindValue(QString::fromUtf8(c.citta));
        q.addBindValue(QString::fromLatin1(c.provincia));
        ok = q.exec();
    }
    ok = ok && db.commit();
    if (!ok) {
        *error = q.lastError().text().isEmpty() ? db.lastError().text() : q.lastError().text();
    }
    return ok;
}

} // namespace

QString DemoDatabase::defaultPath() {
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return QDir(dir).filePath(QStringLiteral("clienti.db"));
}

bool DemoDatabase::ensure(const QString &path, QString *error) {
    const bool exists = QFileInfo::exists(path);
    if (!exists) {
        QDir().mkpath(QFileInfo(path).absolutePath());
    }
    const QString connection = QStringLiteral("vantrel-demo-setup");
    QString why;
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        if (!db.open()) {
            why = db.lastError().text();
        } else {
            ok = exists ? addProvinceColumn(db, &why) : create(db, &why);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    // Only a file this call made is removed again.
    if (!ok && !exists) {
        QFile::remove(path);
    }
    if (!ok && error) {
        *error = why;
    }
    return ok;
}
