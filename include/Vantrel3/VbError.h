#pragma once

#include <Vantrel3/Export.h>

#include <QString>
#include <QtGlobal>
#include <exception>

namespace Vantrel3 {

// The classic error object: a number, the name of what raised it, and a description.
// Thrown as a C++ exception; entry points called by Qt catch it at their edge.
class VANTREL3_EXPORT VbError : public std::exception {
public:
    // Well-known numbers, named once so that a correction is a one-line change.
    enum Code : qint32 {
        InvalidProcedureCall = 5,
        Overflow = 6,
        TypeMismatch = 13,
        InvalidPropertyValue = 380,
        SubscriptOutOfRange = 381,
        PropertyReadOnly = 387,
        PropertyWriteOnly = 394,
        FlexOutOfMemory = 30000,
        FlexInvalidRow = 30009,
        FlexInvalidCol = 30010,
        FlexCannotRemoveLastRow = 30015,
    };

    // An empty description takes the standard text for the number.
    explicit VbError(qint32 number, QString source = {}, QString description = {});

    qint32 Number() const { return m_number; }
    QString Source() const { return m_source; }
    QString Description() const { return m_description; }

    const char *what() const noexcept override { return m_what.constData(); }

    static QString standardDescription(qint32 number);

private:
    qint32 m_number;
    QString m_source;
    QString m_description;
    QByteArray m_what;
};

} // namespace Vantrel3
