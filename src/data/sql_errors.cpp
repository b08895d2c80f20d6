#include "data/sql_errors.h"

namespace Vantrel3::sql {

QString daoMessage(qint32 number, const QString &name) {
    switch (number) {
    case ObjectNotSet:
        return QStringLiteral("Object variable or With block variable not set");
    case InvalidArgument:
        return QStringLiteral("Invalid argument.");
    case ObjectNotFound:
        return QStringLiteral("The database engine could not find the object '%1'. Make sure the "
                              "object exists and that you spell its name and the path name "
                              "correctly.")
            .arg(name);
    case NothingPending:
        return QStringLiteral("Update or CancelUpdate without AddNew or Edit.");
    case NoCurrentRecord:
        return QStringLiteral("No current record.");
    case DuplicateKey:
        return QStringLiteral("The changes you requested to the table were not successful because "
                              "they would create duplicate values in the index, primary key, or "
                              "relationship.");
    case FileNotFound:
        return QStringLiteral("Couldn't find file '%1'.").arg(name);
    case ReadOnlyObject:
        return QStringLiteral("Cannot update. Database or object is read-only.");
    case InvalidPath:
        return QStringLiteral("'%1' isn't a valid path.").arg(name);
    case InputTableNotFound:
        return QStringLiteral("The database engine cannot find the input table or query '%1'. "
                              "Make sure it exists and that its name is spelled correctly.")
            .arg(name);
    case DriverFailed:
        return QStringLiteral("ODBC--call failed.");
    case FieldTooSmall:
        return QStringLiteral("The field is too small to accept the amount of data you attempted "
                              "to add. Try inserting or pasting less data.");
    case RecordDeleted:
        return QStringLiteral("Record is deleted.");
    case RelatedRecordRequired:
        return QStringLiteral("You cannot add or change a record because a related record is "
                              "required.");
    case RecordLocked:
        return QStringLiteral("Could not update; currently locked.");
    case NotSupported:
        return QStringLiteral("Operation is not supported for this type of object.");
    case ItemNotFound:
        return QStringLiteral("Item not found in this collection.");
    case RequiredIsNull:
        return QStringLiteral("The field '%1' cannot contain a Null value because the Required "
                              "property for this field is set to True. Enter a value in this "
                              "field.")
            .arg(name);
    case ValidationRule:
        return QStringLiteral("One or more values are prohibited by the validation rule set for "
                              "the table.");
    case UnrecognizedFormat:
        return QStringLiteral("Unrecognized database format '%1'.").arg(name);
    case ConversionError:
        return QStringLiteral("Data type conversion error.");
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
