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

qint32 sqliteNumber(const QSqlError &error) {
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    const QString text = error.databaseText();
    switch (ok ? code & 0xFF : -1) {
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

VbError fromSqlError(const QSqlError &error, Dialect dialect, const QString &source,
                     const QString &name) {
    // The native code decides, not type(): the SQLite driver files a failed step as a
    // ConnectionError. A lost server has no SQLSTATE and falls to 3146.
    const qint32 number = dialect == Dialect::Sqlite ? sqliteNumber(error) : postgresNumber(error);
    QString detail = error.text().trimmed();
    if (detail.isEmpty()) {
        detail = QStringLiteral("no response from the database");
    }
    return VbError(number, source,
                   daoMessage(number, name) + QStringLiteral(" (") + detail + QLatin1Char(')'));
}

} // namespace Vantrel3::sql
