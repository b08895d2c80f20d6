#pragma once

#include "host/vb_date_tokens.h"
#include "host/vb_number_format.h"
#include "host/vb_string_format.h"

#include <QString>
#include <memory>

namespace Vantrel3::vb::detail {

// The kind is fixed by the first placeholder of any kind; a format with none formats numbers.
enum class FormatKind : quint8 { Number, Date, String };

enum class NamedNumber : quint8 { None, GeneralNumber, Currency, YesNo, TrueFalse, OnOff };

struct CompiledFormat {
    FormatKind kind = FormatKind::Number;
    NamedNumber named = NamedNumber::None;
    std::vector<NumberSection> numberSections; // positive; negative; zero; Null
    DatePattern datePattern;                   // the first section
    std::vector<StringSection> stringSections; // text; empty text or Null
};

// Compiled once per format text and thread, then reused.
std::shared_ptr<const CompiledFormat> compiledFormat(const QString &format);

} // namespace Vantrel3::vb::detail
