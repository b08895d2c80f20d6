#include "data/data_error.h"

namespace Vantrel3::sql {

QString failedField(const VbError &error) {
    const auto *data = dynamic_cast<const DataError *>(&error);
    return data ? data->field() : QString();
}

} // namespace Vantrel3::sql
