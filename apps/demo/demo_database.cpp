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
};

// Codes with their correct check characters.
constexpr Customer kCustomers[] = {
    {"Mario Rossi", "RSSMRA69E12H501N", "01234567897", "1969-05-12", 1250.50, "Roma"},
    {"Giulia Bianchi", "BNCGLI82S43F205Z", "12345678903", "1982-11-03", 980.00, "Milano"},
    {"Luca Verdi", "VRDLCU75A27H620H", "07654321095", "1975-01-27", 15.75, "Rovigo"},
    {"Anna Esposito", "SPSNNA90P49F839N", "03111222331", "1990-09-09", 4300.00, "Napoli"},
    {"Paolo Ricci", "RCCPLA58B18L219J", "04567890126", "1958-02-18", 72.10, "Torino"},
};

} // namespace

QString DemoDatabase::defaultPath() {
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return QDir(dir).filePath(QStringLiteral("clienti.db"));
}

bool DemoDatabase::ensure(const QString &path, QString *error) {
    if (QFileInfo::exists(path)) {
        return true;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    const QString connection = QStringLiteral("vantrel-demo-setup");
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery q(db);
        ok = ok && q.exec(QStringLiteral("CREATE TABLE clienti (nome TEXT, codice_fiscale TEXT, "
                                         "partita_iva TEXT, nascita DATE, importo NUMERIC, "
                                         "citta TEXT)"));
        ok = ok && db.transaction();
        ok = ok && q.prepare(QStringLiteral("INSERT INTO clienti VALUES (?, ?, ?, ?, ?, ?)"));
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
            ok = q.exec();
        }
        ok = ok && db.commit();
        if (!ok && error) {
            *error = q.lastError().text().isEmpty() ? db.lastError().text() : q.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    if (!ok) {
        QFile::remove(path);
    }
    return ok;
}
