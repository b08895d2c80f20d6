#pragma once

#include <Vantrel3/ErrorSink.h>

#include <QList>

// Records the errors that reach the error sink for the lifetime of a test scope, then gives the
// sink back to its default, however the scope ends.
class ErrorRecorder {
public:
    ErrorRecorder() {
        Vantrel3::setErrorSink([this](const Vantrel3::VbError &e) { numbers.append(e.Number()); });
    }
    ~ErrorRecorder() { Vantrel3::setErrorSink({}); }
    ErrorRecorder(const ErrorRecorder &) = delete;
    ErrorRecorder &operator=(const ErrorRecorder &) = delete;

    QList<qint32> numbers;
};
