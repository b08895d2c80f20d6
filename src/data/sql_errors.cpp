#include "data/sql_errors.h"

namespace Vantrel3::sql {

QString daoMessage(qint32 number, const QString &name) {
    // The user reads these in the control's message boxes, so they are Italian.
    switch (number) {
    case ObjectNotSet: // the runtime's own error, worded as the runtime's other texts
        return QStringLiteral("Object variable or With block variable not set");
    case InvalidArgument:
        return QStringLiteral("Argomento non valido.");
    case ObjectNotFound:
        return QStringLiteral("Impossibile trovare l'oggetto «%1». Verificare che esista e che il "
                              "nome e il percorso siano scritti correttamente.")
            .arg(name);
    case NothingPending:
        return QStringLiteral("Update o CancelUpdate senza AddNew o Edit.");
    case NoCurrentRecord:
        return QStringLiteral("Nessun record corrente.");
    case DuplicateKey:
        return QStringLiteral("Le modifiche richieste non sono state apportate perché creerebbero "
                              "valori duplicati nell'indice, nella chiave primaria o nella "
                              "relazione.");
    case FileNotFound:
        return QStringLiteral("Impossibile trovare il file «%1».").arg(name);
    case ReadOnlyObject:
        return QStringLiteral("Impossibile aggiornare. Il database o l'oggetto è di sola lettura.");
    case InvalidPath:
        return QStringLiteral("«%1» non è un percorso valido.").arg(name);
    case InputTableNotFound:
        return QStringLiteral("Impossibile trovare la tabella o la query di input «%1». Verificare "
                              "che esista e che il nome sia scritto correttamente.")
            .arg(name);
    case DriverFailed:
        return QStringLiteral("Chiamata al database non riuscita.");
    case FieldTooSmall:
        return QStringLiteral("Il campo è troppo piccolo per contenere i dati che si è tentato di "
                              "aggiungere. Inserire meno dati.");
    case RecordDeleted:
        return QStringLiteral("Il record è stato eliminato.");
    case DataChanged:
        return QStringLiteral("Un altro utente ha modificato i dati di questo record dopo che sono "
                              "stati letti: nulla è stato scritto.");
    case RelatedRecordRequired:
        return QStringLiteral("Impossibile aggiungere o modificare il record: è necessario un "
                              "record correlato.");
    case RecordLocked:
        return QStringLiteral("Impossibile aggiornare: il record o la tabella è bloccato da un "
                              "altro utente.");
    case NotSupported:
        return QStringLiteral("Operazione non supportata per questo tipo di oggetto.");
    case ItemNotFound:
        return QStringLiteral("Elemento non trovato nella raccolta.");
    case RequiredIsNull:
        return QStringLiteral("Il campo «%1» non può contenere un valore Null perché è "
                              "obbligatorio. Immettere un valore nel campo.")
            .arg(name);
    case ValidationRule:
        return QStringLiteral("Uno o più valori non sono consentiti dalla regola di validità "
                              "impostata per la tabella.");
    case UnrecognizedFormat:
        return QStringLiteral("Formato di database «%1» non riconosciuto.").arg(name);
    case ConversionError:
        return QStringLiteral("Errore di conversione del tipo di dati.");
    default:
        return VbError::standardDescription(number);
    }
}

VbError daoError(qint32 number, const QString &source, const QString &name) {
    return VbError(number, source, daoMessage(number, name));
}

namespace {

// SQLITE_READONLY_DBMOVED: the file was unlinked or replaced after it was opened.
constexpr int kSqliteMoved = 1032;

int sqliteCode(const QSqlError &error) {
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? code : -1;
}

qint32 sqliteNumber(const QSqlError &error) {
    const int code = sqliteCode(error);
    const QString text = error.databaseText();
    if (code == kSqliteMoved) {
        return FileNotFound;
    }
    switch (code < 0 ? -1 : code & 0xFF) {
    case 19: // constraint; the extended code or the message tells which one
        if (code == 2067 || code == 1555 || text.contains(u"UNIQUE")) {
            return DuplicateKey;
        }
        if (code == 1299 || text.contains(u"NOT NULL")) {
            return RequiredIsNull;
        }
        if (code == 787 || text.contains(u"FOREIGN KEY")) {
            return RelatedRecordRequired;
        }
        return ValidationRule;
    case 5: // busy
    case 6: // locked
        return RecordLocked;
    case 8:
        return ReadOnlyObject;
    case 14:
        return FileNotFound;
    case 26:
        return UnrecognizedFormat;
    case 1:
        if (text.startsWith(u"no such table")) {
            return InputTableNotFound;
        }
        return DriverFailed;
    default:
        return DriverFailed;
    }
}

qint32 postgresNumber(const QSqlError &error) {
    const QString state = error.nativeErrorCode();
    static const struct {
        const char *state;
        qint32 number;
    } table[] = {
        {"23505", DuplicateKey},       {"23502", RequiredIsNull},  {"23503", RelatedRecordRequired},
        {"23514", ValidationRule},     {"22P02", ConversionError}, {"22007", ConversionError},
        {"22008", ConversionError},    {"22003", ConversionError}, {"22018", ConversionError},
        {"22001", FieldTooSmall},      {"25006", ReadOnlyObject},  {"42501", ReadOnlyObject},
        {"42P01", InputTableNotFound}, {"55P03", RecordLocked},    {"40P01", RecordLocked},
        {"3D000", FileNotFound},
    };
    for (const auto &row : table) {
        if (state == QLatin1String(row.state)) {
            return row.number;
        }
    }
    return DriverFailed;
}

} // namespace

QString withDriverText(const QString &ours, const QSqlError &error) {
    QString detail = error.text().trimmed();
    if (detail.isEmpty()) {
        detail = QStringLiteral("nessuna risposta dal database");
    }
    return ours + QStringLiteral(" (") + detail + QLatin1Char(')');
}

VbError fromSqlError(const QSqlError &error, Dialect dialect, const QString &source,
                     const QString &name, const QString &file) {
    // The native code decides, not type(): the SQLite driver files a failed step as a
    // ConnectionError. A lost server has no SQLSTATE and falls to 3146.
    const qint32 number = dialect == Dialect::Sqlite ? sqliteNumber(error) : postgresNumber(error);
    const QString where = file.isEmpty() ? name : file;
    QString ours;
    if (dialect == Dialect::Sqlite && sqliteCode(error) == kSqliteMoved) {
        ours = QStringLiteral("Il file del database «%1» non è più dove era stato aperto: è stato "
                              "spostato, sostituito o cancellato. Nulla è stato scritto.")
                   .arg(where);
    } else {
        ours = daoMessage(number, number == FileNotFound ? where : name);
    }
    return VbError(number, source, withDriverText(ours, error));
}

} // namespace Vantrel3::sql
