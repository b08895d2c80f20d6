#include <Vantrel3/VbError.h>

namespace Vantrel3 {

VbError::VbError(qint32 number, QString source, QString description)
    : m_number(number), m_source(std::move(source)),
      m_description(description.isEmpty() ? standardDescription(number) : std::move(description)) {
    m_what = QStringLiteral("%1 (%2): %3").arg(m_number).arg(m_source, m_description).toUtf8();
}

QString VbError::standardDescription(qint32 number) {
    switch (number) {
    case InvalidProcedureCall:
        return QStringLiteral("Invalid procedure call or argument");
    case Overflow:
        return QStringLiteral("Overflow");
    case TypeMismatch:
        return QStringLiteral("Type mismatch");
    case InvalidPropertyValue:
        return QStringLiteral("Invalid property value");
    case SubscriptOutOfRange:
        return QStringLiteral("Subscript out of range");
    case PropertyReadOnly:
        return QStringLiteral("Property is read-only");
    case PropertyWriteOnly:
        return QStringLiteral("Property is write-only");
    case FlexOutOfMemory:
        return QStringLiteral("Unable to Allocate Memory for FlexGrid");
    case FlexInvalidRow:
        return QStringLiteral("Invalid Row value");
    case FlexInvalidCol:
        return QStringLiteral("Invalid Col value");
    case FlexCannotRemoveLastRow:
        return QStringLiteral("Cannot remove last non-fixed row");
    default:
        return QStringLiteral("Application-defined or object-defined error");
    }
}

} // namespace Vantrel3
