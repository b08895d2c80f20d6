#include <Vantrel3/ErrorSink.h>
#include <Vantrel3/VbError.h>

#include <QtDebug>

namespace Vantrel3 {

namespace {

ErrorSink &sink() {
    static ErrorSink s;
    return s;
}

} // namespace

void setErrorSink(ErrorSink s) {
    sink() = std::move(s);
}

void reportError(const VbError &error) {
    if (sink()) {
        sink()(error);
        return;
    }
    qWarning("Vantrel3: error %d in %s: %s", int(error.Number()), qPrintable(error.Source()),
             qPrintable(error.Description()));
}

void reportUnknownError(const char *where, const char *what) {
    reportError(
        VbError(VbError::InvalidProcedureCall, QString::fromUtf8(where), QString::fromUtf8(what)));
}

} // namespace Vantrel3
