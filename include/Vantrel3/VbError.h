#pragma once

#include <Vantrel3/Export.h>

#include <QString>
#include <QtGlobal>
#include <exception>

namespace Vantrel3 {

/// The classic error object: a number, the name of what raised it, and a description.
/// Thrown as a C++ exception; entry points called by Qt catch it at their edge.
class VANTREL3_EXPORT VbError : public std::exception {
public:
    /// Well-known numbers, named once so that a correction is a one-line change. The data layer
    /// raises its own numbers too (3021, 3197, ...), as Recordset and DataControl say.
    enum Code : qint32 {
        InvalidProcedureCall = 5,        ///< 5: an argument out of its range.
        Overflow = 6,                    ///< 6: a value too large for its type.
        TypeMismatch = 13,               ///< 13: a value of the wrong kind.
        InvalidPropertyValue = 380,      ///< 380: a property value outside its range.
        SubscriptOutOfRange = 381,       ///< 381: a row, column or index outside the grid.
        PropertyReadOnly = 387,          ///< 387: the property cannot be written.
        PropertyWriteOnly = 394,         ///< 394: the property cannot be read.
        FlexOutOfMemory = 30000,         ///< 30000: the grid cannot hold that many cells.
        FlexInvalidRow = 30009,          ///< 30009: Row outside the grid.
        FlexInvalidCol = 30010,          ///< 30010: Col outside the grid.
        FlexCannotRemoveLastRow = 30015, ///< 30015: the last non-fixed row cannot be removed.
    };

    /// An error with its number, the name of what raised it and its text; an empty description
    /// takes the standard text for the number.
    explicit VbError(qint32 number, QString source = {}, QString description = {});

    /// The error number.
    qint32 Number() const { return m_number; }
    /// The name of what raised the error ("FlexGrid", "Vantrel", "PropertyBag", ...).
    QString Source() const { return m_source; }
    /// The error's text, as a message box shows it.
    QString Description() const { return m_description; }

    /// "number (source): description", in UTF-8.
    const char *what() const noexcept override { return m_what.constData(); }

    /// The standard English text of an error number; a number with none of its own gets
    /// "Application-defined or object-defined error".
    static QString standardDescription(qint32 number);

private:
    qint32 m_number;
    QString m_source;
    QString m_description;
    QByteArray m_what;
};

} // namespace Vantrel3
