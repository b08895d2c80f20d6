#pragma once

#include <QString>
#include <QVariant>

namespace Vantrel3::vb::detail {

// A QVariant seen as a classic Variant.
enum class ValueKind : quint8 { Empty, Null, Boolean, Integer, Number, Date, String };

struct Value {
    ValueKind kind = ValueKind::Empty;
    double number = 0.0; // Boolean (-1/0), Integer, Number, and the serial of a Date
    qint64 integer = 0;  // Integer, exactly
    QString text;        // String
};

Value classify(const QVariant &expression);

} // namespace Vantrel3::vb::detail
