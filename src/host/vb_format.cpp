#include "host/vb_date_format.h"
#include "host/vb_date_parse.h"
#include "host/vb_format_compile.h"
#include "host/vb_number_reader.h"
#include "host/vb_value.h"

#include <Vantrel3/VbError.h>
#include <Vantrel3/vbruntime.h>

namespace Vantrel3::vb {

using namespace detail;

namespace {

constexpr qsizetype kMaxFormatLength = 257;

// Format with no format: numbers like Str without its leading blank, dates as date text.
QString generalText(const Value &v, const LocaleInfo &info) {
    switch (v.kind) {
    case ValueKind::Empty:
    case ValueKind::Null:
        return {};
    case ValueKind::Boolean:
        return v.number != 0 ? QStringLiteral("True") : QStringLiteral("False");
    case ValueKind::Integer: {
        QString out = QString::number(v.integer);
        if (v.integer < 0) {
            out[0] = info.negative;
        }
        return out;
    }
    case ValueKind::Number:
        return generalNumberText(v.number, info);
    case ValueKind::Date: {
        DateParts parts;
        QString out;
        if (partsFromSerial(v.number, parts)) {
            appendDateText(parts, info, out);
        }
        return out;
    }
    case ValueKind::String:
        return v.text;
    }
    return {};
}

QString formatNumberValue(const Value &v, double number, const CompiledFormat &f,
                          const LocaleInfo &info) {
    switch (f.named) {
    case NamedNumber::GeneralNumber:
        return v.kind == ValueKind::Integer ? generalText(v, info)
                                            : generalNumberText(number, info);
    case NamedNumber::Currency:
        return currencyText(number, info);
    case NamedNumber::YesNo:
        return number != 0 ? QStringLiteral("Yes") : QStringLiteral("No");
    case NamedNumber::TrueFalse:
        return number != 0 ? QStringLiteral("True") : QStringLiteral("False");
    case NamedNumber::OnOff:
        return number != 0 ? QStringLiteral("On") : QStringLiteral("Off");
    case NamedNumber::None:
        break;
    }
    // positive; negative; zero: an empty or missing section falls back to the first, and only
    // the first writes a minus sign of its own. Zero is judged before rounding.
    const auto &sections = f.numberSections;
    auto usable = [&sections](std::size_t k) { return k < sections.size() && !sections[k].empty; };
    std::size_t chosen = 0;
    if (number < 0 && usable(1)) {
        chosen = 1;
    } else if (number == 0 && usable(2)) {
        chosen = 2;
    }
    QString out;
    if (chosen == 1) {
        renderNumber(sections[1], -number, false, info, out);
    } else {
        renderNumber(sections[chosen], number, true, info, out);
    }
    return out;
}

QString formatAsNumber(const Value &v, const CompiledFormat &f, const LocaleInfo &info) {
    double number = v.number;
    switch (v.kind) {
    case ValueKind::Null:
        if (f.numberSections.size() >= 4 && !f.numberSections[3].empty) {
            QString out;
            renderNumber(f.numberSections[3], 0.0, false, info, out);
            return out;
        }
        return {};
    case ValueKind::Empty:
        return {};
    case ValueKind::String:
        // Text that does not read as a number comes back as it is.
        if (!textToDouble(v.text, info, number)) {
            return v.text;
        }
        break;
    default:
        break;
    }
    return formatNumberValue(v, number, f, info);
}

QString formatAsDate(const Value &v, const CompiledFormat &f, const LocaleInfo &info,
                     const WeekRule &week) {
    double serial = v.number;
    switch (v.kind) {
    case ValueKind::Null:
    case ValueKind::Empty:
        return {};
    case ValueKind::String:
        // A date reading wins over a number reading ("1,5" is 1 May in it_IT, not 1.5).
        if (!parseDateText(v.text, info, serial) && !textToDouble(v.text, info, serial)) {
            return v.text;
        }
        break;
    default:
        break;
    }
    DateParts parts;
    if (!partsFromSerial(serial, parts)) {
        if (v.kind == ValueKind::String) {
            return v.text;
        }
        throw VbError(VbError::Overflow, QStringLiteral("Format"));
    }
    QString out;
    renderDate(f.datePattern, parts, info, week, out);
    return out;
}

QString formatAsString(const Value &v, const CompiledFormat &f, const LocaleInfo &info) {
    const QString text = generalText(v, info);
    const auto &sections = f.stringSections;
    const bool second = sections.size() > 1 && (v.kind == ValueKind::Null || text.isEmpty());
    if (v.kind == ValueKind::Null && !second) {
        return {};
    }
    return renderString(sections[second ? 1 : 0], text);
}

} // namespace

QString Format(const QVariant &expression, const QString &format, int firstDayOfWeek,
               int firstWeekOfYear, const QLocale &locale) {
    if (firstDayOfWeek < 0 || firstDayOfWeek > 7 || firstWeekOfYear < 0 || firstWeekOfYear > 3) {
        throw VbError(VbError::InvalidProcedureCall, QStringLiteral("Format"));
    }
    const LocaleInfo &info = localeInfo(locale);
    const Value value = classify(expression);
    if (format.isEmpty()) {
        return generalText(value, info);
    }
    const auto compiled =
        compiledFormat(format.size() > kMaxFormatLength ? format.left(kMaxFormatLength) : format);
    switch (compiled->kind) {
    case FormatKind::Number:
        return formatAsNumber(value, *compiled, info);
    case FormatKind::Date: {
        const WeekRule week{firstDayOfWeek == 0 ? info.firstDayOfWeek : firstDayOfWeek,
                            firstWeekOfYear == 0 ? info.firstWeekOfYear : firstWeekOfYear};
        return formatAsDate(value, *compiled, info, week);
    }
    case FormatKind::String:
        return formatAsString(value, *compiled, info);
    }
    return {};
}

} // namespace Vantrel3::vb
