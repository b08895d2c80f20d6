#include "data/sql_types.h"

#include <Vantrel3/vbruntime.h>

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace Vantrel3::sql {

namespace {

ColumnType make(qint16 dao, Storage storage, int bits = 64, int length = 0) {
    return ColumnType{dao, storage, bits, length};
}

int declaredLength(const QString &t) {
    static const QRegularExpression length(QStringLiteral("\\(\\s*(\\d+)\\s*\\)"));
    const auto m = length.match(t);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

// A plain ISO date read digit by digit: the general parser is the slowest step of filling a grid.
QDate isoDate(const QString &s) {
    if (s.size() != 10 || s.at(4) != u'-' || s.at(7) != u'-') {
        return {};
    }
    const auto digits = [&s](int from, int count) {
        int n = 0;
        for (int i = from; i < from + count; ++i) {
            const char16_t c = s.at(i).unicode();
            if (c < u'0' || c > u'9') {
                return -1;
            }
            n = n * 10 + (c - u'0');
        }
        return n;
    };
    return QDate(digits(0, 4), digits(5, 2), digits(8, 2));
}

QDateTime dateTimeFromText(const QString &s) {
    if (s.size() == 10) {
        const QDate d = isoDate(s);
        return d.isValid() ? QDateTime(d, QTime(0, 0)) : QDateTime();
    }
    QDateTime dt = QDateTime::fromString(s, Qt::ISODateWithMs);
    if (!dt.isValid()) {
        dt = QDateTime::fromString(s, QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    }
    if (!dt.isValid()) {
        dt = QDateTime::fromString(s, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    if (!dt.isValid()) {
        const QDate d = QDate::fromString(s.left(10), Qt::ISODate);
        if (d.isValid() && s.size() == 10) {
            dt = QDateTime(d, QTime(0, 0));
        }
    }
    return dt;
}

QString numberText(double d, const QLocale &locale) {
    if (d == std::trunc(d) && std::fabs(d) < 1e15) {
        return QString::number(qlonglong(d));
    }
    // The classic conversion shows at most 15 significant digits with the locale's separator.
    QString s = QString::number(d, 'g', 15);
    if (s.contains(u'e')) {
        s = s.toUpper();
    }
    return s.replace(u'.', locale.decimalPoint());
}

// Dates repeat across records and their text costs a locale format each time; remember the last
// few thousand per locale.
QString cachedDateText(const QDate &date) {
    struct Cache {
        QLocale locale;
        QHash<qint64, QString> texts;
    };
    thread_local Cache cache;
    const QLocale locale = vb::locale();
    if (!(cache.locale == locale) || cache.texts.size() > 4096) {
        cache.locale = locale;
        cache.texts.clear();
    }
    auto it = cache.texts.find(date.toJulianDay());
    if (it == cache.texts.end()) {
        it = cache.texts.insert(date.toJulianDay(), vb::DateText(date.startOfDay(), locale));
    }
    return *it;
}

bool isNumber(const QVariant &v) {
    switch (v.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

[[noreturn]] void conversionError(const QString &source) {
    throw daoError(ConversionError, source);
}

double toDouble(const QVariant &v, const QString &source) {
    if (v.metaType().id() == QMetaType::Bool) {
        return v.toBool() ? -1.0 : 0.0;
    }
    if (isNumber(v)) {
        return v.toDouble();
    }
    if (v.metaType().id() == QMetaType::QString) {
        try {
            return vb::CDbl(v);
        } catch (const VbError &) {
            conversionError(source);
        }
    }
    conversionError(source);
}

} // namespace

ColumnType columnTypeFromDeclared(const QString &declared, Dialect dialect) {
    const QString t = declared.trimmed().toLower();
    const QString base = t.section(u'(', 0, 0).trimmed();
    const bool pg = dialect == Dialect::Postgres;
    if (base == u"smallint" || base == u"int2" || base == u"tinyint") {
        return make(dbInteger, Storage::Integer, base == u"tinyint" ? 8 : 16);
    }
    if (base == u"bigint" || base == u"int8" || base == u"bigserial") {
        return make(dbLong, Storage::Integer, 64);
    }
    if (base == u"integer" || base == u"int" || base == u"int4" || base == u"serial" ||
        base == u"mediumint") {
        // SQLite integers are 64-bit whatever the declaration.
        return make(dbLong, Storage::Integer, pg ? 32 : 64);
    }
    if (base == u"real" && pg) {
        return make(dbSingle, Storage::Real);
    }
    if (base == u"float4") {
        return make(dbSingle, Storage::Real);
    }
    if (base == u"real" || base == u"double" || base == u"double precision" || base == u"float" ||
        base == u"float8") {
        return make(dbDouble, Storage::Real);
    }
    if (base == u"numeric" || base == u"decimal" || base == u"money" || base == u"currency") {
        return make(dbCurrency, Storage::Real);
    }
    if (base == u"date") {
        return make(dbDate, Storage::Date);
    }
    if (base == u"datetime" || base.startsWith(u"timestamp")) {
        return make(dbDate, Storage::DateTime);
    }
    if (base.startsWith(u"time")) {
        return make(dbTime, Storage::Time);
    }
    if (base == u"boolean" || base == u"bool" || base == u"bit") {
        return make(dbBoolean, Storage::Boolean);
    }
    if (base == u"blob" || base == u"bytea" || base == u"binary" || base == u"varbinary" ||
        base == u"image" || base == u"longblob") {
        return make(dbLongBinary, Storage::Binary);
    }
    if (base == u"clob" || base == u"memo" || base == u"longtext" || base == u"mediumtext" ||
        base == u"long varchar" || base == u"ntext") {
        return make(dbMemo, Storage::Text);
    }
    if (base == u"uuid" || base == u"guid") {
        return make(dbGUID, Storage::Text);
    }
    if (base.contains(u"char") || base == u"text" || base == u"string" || base.isEmpty()) {
        return make(dbText, Storage::Text, 64, declaredLength(t));
    }
    // Any other declaration follows SQLite's affinity rules.
    if (base.contains(u"int")) {
        return make(dbLong, Storage::Integer, 64);
    }
    if (base.contains(u"clob") || base.contains(u"text")) {
        return make(dbText, Storage::Text);
    }
    if (base.contains(u"real") || base.contains(u"floa") || base.contains(u"doub")) {
        return make(dbDouble, Storage::Real);
    }
    return make(dbText, Storage::Text);
}

ColumnType columnTypeFromMeta(QMetaType type) {
    switch (type.id()) {
    case QMetaType::Bool:
        return make(dbBoolean, Storage::Boolean);
    case QMetaType::Short:
        return make(dbInteger, Storage::Integer, 16);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return make(dbLong, Storage::Integer);
    case QMetaType::Float:
        return make(dbSingle, Storage::Real);
    case QMetaType::Double:
        return make(dbDouble, Storage::Real);
    case QMetaType::QDate:
        return make(dbDate, Storage::Date);
    case QMetaType::QDateTime:
        return make(dbDate, Storage::DateTime);
    case QMetaType::QTime:
        return make(dbTime, Storage::Time);
    case QMetaType::QByteArray:
        return make(dbLongBinary, Storage::Binary);
    default:
        return make(dbText, Storage::Text);
    }
}

bool isNullValue(const QVariant &value) {
    return !value.isValid() || value.isNull() ||
           value.metaType() == QMetaType::fromType<std::nullptr_t>();
}

QVariant fromDriver(const QVariant &raw, const ColumnType &type) {
    if (isNullValue(raw)) {
        return {};
    }
    const bool text = raw.metaType().id() == QMetaType::QString;
    switch (type.storage) {
    case Storage::Integer: {
        bool ok = false;
        const qlonglong n = raw.toLongLong(&ok);
        return ok ? QVariant(n) : raw;
    }
    case Storage::Real: {
        bool ok = false;
        const double d = raw.toDouble(&ok);
        return ok ? QVariant(d) : raw; // foreign text stored by another program stays as it is
    }
    case Storage::Boolean:
        return text ? QVariant(raw.toString() != u"0" && raw.toString() != u"false" &&
                               raw.toString() != u"f")
                    : QVariant(raw.toBool());
    case Storage::Date:
        if (text) {
            const QString s = raw.toString();
            QDate d = isoDate(s);
            if (!d.isValid()) {
                d = dateTimeFromText(s).date();
            }
            return d.isValid() ? QVariant(d) : raw;
        }
        return raw.metaType().id() == QMetaType::QDateTime ? QVariant(raw.toDate()) : raw;
    case Storage::DateTime:
        if (text) {
            const QDateTime dt = dateTimeFromText(raw.toString());
            return dt.isValid() ? QVariant(dt) : raw;
        }
        return raw.metaType().id() == QMetaType::QDate ? QVariant(raw.toDate().startOfDay()) : raw;
    case Storage::Time:
        if (text) {
            const QTime t = QTime::fromString(raw.toString(), Qt::ISODateWithMs);
            return t.isValid() ? QVariant(t) : raw;
        }
        return raw;
    case Storage::Text:
        return text ? raw : QVariant(raw.toString());
    case Storage::Binary:
        return raw.toByteArray();
    }
    return raw;
}

QString displayText(const QVariant &raw, const ColumnType &type) {
    if (isNullValue(raw)) {
        return {};
    }
    if (type.storage == Storage::Text && raw.metaType().id() == QMetaType::QString) {
        return raw.toString(); // the common case, without a conversion
    }
    const QVariant v = fromDriver(raw, type);
    switch (v.metaType().id()) {
    case QMetaType::LongLong:
        return QString::number(v.toLongLong());
    case QMetaType::Double:
        return numberText(v.toDouble(), vb::locale());
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDate:
        return cachedDateText(v.toDate());
    case QMetaType::QDateTime:
        return vb::DateText(v.toDateTime());
    case QMetaType::QTime:
        return vb::DateText(QDateTime(QDate(1899, 12, 30), v.toTime()));
    case QMetaType::QByteArray:
        return QString::fromUtf8(v.toByteArray());
    default:
        return v.toString();
    }
}

QString realText(double value) {
    return numberText(value, vb::locale());
}

QString dateText(const QDate &date) {
    return cachedDateText(date);
}

namespace {

template <typename Unit>
qsizetype writeShortReal(double value, QStringView point, Unit *out) {
    static constexpr double kScale[] = {10.0, 100.0, 1000.0, 10000.0};
    const double magnitude = std::fabs(value);
    if (!(magnitude < 1e15) || value == std::trunc(value) || point.size() > 4) {
        return -1; // integers, huge numbers, NaN and infinities take the general way
    }
    for (int k = 0; k < 4; ++k) {
        // `value` is the double nearest to digits / 10^(k+1): a number of at most 15
        // significant digits, which 15-digit rounding gives back exactly, without exponent as
        // it is at least 10^-4 and below 10^15.
        // Rounded by hand: nearbyint is a library call here, and ties cannot pass the check.
        const double digits = double(qint64(magnitude * kScale[k] + 0.5));
        if (!(digits < 1e15) || digits / kScale[k] != magnitude) {
            continue;
        }
        char buffer[24];
        qint64 n = qint64(digits);
        int length = 0;
        do {
            buffer[length++] = char('0' + n % 10);
            n /= 10;
        } while (n > 0);
        const int decimals = k + 1;
        while (length <= decimals) {
            buffer[length++] = '0'; // the leading zero of 0,25
        }
        int trailing = 0;
        while (trailing < decimals && buffer[trailing] == '0') {
            ++trailing;
        }
        Unit *p = out;
        if (value < 0) {
            *p++ = Unit('-');
        }
        for (int i = length - 1; i >= decimals; --i) {
            *p++ = Unit(buffer[i]);
        }
        if (trailing < decimals) {
            for (QChar c : point) {
                *p++ = Unit(c.unicode());
            }
            for (int i = decimals - 1; i >= trailing; --i) {
                *p++ = Unit(buffer[i]);
            }
        }
        return p - out;
    }
    return -1;
}

} // namespace

qsizetype shortRealText(double value, QStringView point, char16_t *out) {
    return writeShortReal(value, point, out);
}

qsizetype shortRealText(double value, QStringView point, char *out) {
    for (QChar c : point) {
        if (c.unicode() > 0xFF) {
            return -1;
        }
    }
    return writeShortReal(value, point, out);
}

QVariant coerce(const QVariant &value, const ColumnType &type, const QString &source) {
    if (isNullValue(value)) {
        return {};
    }
    const int id = value.metaType().id();
    switch (type.storage) {
    case Storage::Integer: {
        // Rounds half to even, like every classic conversion to an integer type.
        const double d = std::nearbyint(toDouble(value, source));
        const double limit = std::ldexp(1.0, type.integerBits - 1);
        if (!std::isfinite(d) || d < -limit || d >= limit) {
            conversionError(source);
        }
        return QVariant(qlonglong(d));
    }
    case Storage::Real: {
        const double d = toDouble(value, source);
        if (!std::isfinite(d)) {
            conversionError(source);
        }
        return QVariant(d);
    }
    case Storage::Boolean:
        if (id == QMetaType::Bool) {
            return value;
        }
        if (id == QMetaType::QString) {
            const QString s = value.toString().trimmed();
            if (s.compare(u"True", Qt::CaseInsensitive) == 0) {
                return true;
            }
            if (s.compare(u"False", Qt::CaseInsensitive) == 0) {
                return false;
            }
        }
        return QVariant(toDouble(value, source) != 0.0);
    case Storage::Date:
    case Storage::DateTime:
    case Storage::Time: {
        QDateTime dt;
        if (id == QMetaType::QDate) {
            dt = value.toDate().startOfDay();
        } else if (id == QMetaType::QDateTime) {
            dt = value.toDateTime();
        } else if (id == QMetaType::QTime) {
            dt = QDateTime(QDate(1899, 12, 30), value.toTime());
        } else if (id == QMetaType::QString) {
            try {
                dt = vb::CDate(value);
            } catch (const VbError &) {
                conversionError(source);
            }
        }
        if (!dt.isValid()) {
            conversionError(source);
        }
        if (type.storage == Storage::Date) {
            return dt.date();
        }
        return type.storage == Storage::Time ? QVariant(dt.time()) : QVariant(dt);
    }
    case Storage::Text: {
        QString s;
        if (id == QMetaType::QString) {
            s = value.toString();
        } else if (id == QMetaType::QByteArray) {
            conversionError(source);
        } else {
            s = displayText(value, columnTypeFromMeta(value.metaType()));
        }
        if (type.maxLength > 0 && s.size() > type.maxLength) {
            throw daoError(FieldTooSmall, source);
        }
        return s;
    }
    case Storage::Binary:
        if (id == QMetaType::QByteArray) {
            return value;
        }
        if (id == QMetaType::QString || isNumber(value)) {
            return value.toString().toUtf8();
        }
        conversionError(source);
    }
    return value;
}

QVariant toBind(const QVariant &stored, const ColumnType &type, Dialect dialect) {
    if (!stored.isValid()) {
        return {};
    }
    switch (type.storage) {
    case Storage::Boolean:
        return dialect == Dialect::Sqlite ? QVariant(stored.toBool() ? 1 : 0) : stored;
    case Storage::Date:
        return stored.toDate().toString(Qt::ISODate);
    case Storage::DateTime: {
        const QDateTime dt = stored.toDateTime();
        return dt.toString(dt.time().msec() ? QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")
                                            : QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    case Storage::Time: {
        const QTime t = stored.toTime();
        return t.toString(t.msec() ? QStringLiteral("HH:mm:ss.zzz") : QStringLiteral("HH:mm:ss"));
    }
    default:
        return stored;
    }
}

QString readExpression(const QString &quotedColumn, const QString &declared, Dialect dialect) {
    if (dialect == Dialect::Sqlite) {
        return quotedColumn;
    }
    // The types whose text the driver turns into a value that prints back the same.
    static const char *const exact[] = {
        "smallint",
        "integer",
        "bigint",
        "real",
        "double precision",
        "boolean",
        "date",
        "bytea",
        "character varying",
        "character",
        "text",
        "uuid",
        "name",
        "oid",
    };
    const QString base = declared.trimmed().toLower().section(u'(', 0, 0).trimmed();
    for (const char *type : exact) {
        if (base == QLatin1String(type)) {
            return quotedColumn;
        }
    }
    return quotedColumn + QStringLiteral("::text");
}

QString sameValue(const QString &readExpression, Dialect dialect) {
    return readExpression + (dialect == Dialect::Sqlite
                                 ? QStringLiteral(" IS ?")
                                 : QStringLiteral(" IS NOT DISTINCT FROM ?"));
}

QString quoteIdentifier(const QString &name) {
    QString out = name;
    out.replace(u'"', QStringLiteral("\"\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}

QString unquoteIdentifier(const QString &quoted) {
    if (quoted.size() < 2 || !quoted.startsWith(u'"') || !quoted.endsWith(u'"')) {
        return quoted;
    }
    return quoted.mid(1, quoted.size() - 2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
}

} // namespace Vantrel3::sql
