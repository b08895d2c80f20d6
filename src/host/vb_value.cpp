#include "host/vb_value.h"

#include "host/vb_date_core.h"

#include <QDateTime>

namespace Vantrel3::vb::detail {

namespace {

Value integer(qint64 v) {
    Value out;
    out.kind = ValueKind::Integer;
    out.integer = v;
    out.number = double(v);
    return out;
}

Value number(double v) {
    Value out;
    out.kind = ValueKind::Number;
    out.number = v;
    return out;
}

Value date(double serial) {
    Value out;
    out.kind = ValueKind::Date;
    out.number = serial;
    return out;
}

} // namespace

Value classify(const QVariant &expression) {
    switch (expression.metaType().id()) {
    case QMetaType::UnknownType:
        return {};
    case QMetaType::Nullptr: {
        Value out;
        out.kind = ValueKind::Null;
        return out;
    }
    case QMetaType::Bool: {
        Value out;
        out.kind = ValueKind::Boolean;
        out.number = expression.toBool() ? -1.0 : 0.0;
        return out;
    }
    case QMetaType::Int:
    case QMetaType::Short:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Char:
    case QMetaType::SChar:
        return integer(expression.toLongLong());
    case QMetaType::UInt:
    case QMetaType::UShort:
    case QMetaType::ULong:
    case QMetaType::UChar:
        return integer(qint64(expression.toULongLong()));
    case QMetaType::ULongLong:
        return number(double(expression.toULongLong()));
    case QMetaType::Double:
    case QMetaType::Float:
        return number(expression.toDouble());
    case QMetaType::QDate:
        return date(serialFromDateTime(expression.toDate(), QTime()));
    case QMetaType::QTime:
        return date(serialFromDateTime(QDate(), expression.toTime()));
    case QMetaType::QDateTime: {
        const QDateTime dt = expression.toDateTime();
        return date(serialFromDateTime(dt.date(), dt.time()));
    }
    default: {
        Value out;
        out.kind = ValueKind::String;
        out.text = expression.toString();
        return out;
    }
    }
}

} // namespace Vantrel3::vb::detail
