#pragma once

#include <Vantrel3/VbError.h>

#include <QString>

namespace Vantrel3::sql {

// An error of the data layer that blames a field of the record (a NOT NULL, UNIQUE or CHECK
// refusal), so that the control can take the user to that cell. Caught as any VbError.
class DataError : public VbError {
public:
    DataError(qint32 number, QString source, QString description, QString field = {})
        : VbError(number, std::move(source), std::move(description)), m_field(std::move(field)) {}

    // The field's name as the recordset's Fields give it; empty when no one field is to blame.
    QString field() const { return m_field; }

private:
    QString m_field;
};

// The field an error raised by a recordset blames (the first, when a rule spans several), or ""
// for any other error.
QString failedField(const VbError &error);

} // namespace Vantrel3::sql
