#include "host/vb_format_compile.h"

#include "host/vb_date_format.h"

#include <QHash>

namespace Vantrel3::vb::detail {

namespace {

constexpr qsizetype kCacheLimit = 256;

bool matchesAt(QStringView s, qsizetype i, QStringView word) {
    return s.mid(i, word.size()).compare(word, Qt::CaseInsensitive) == 0;
}

FormatKind detectKind(QStringView s) {
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].toLower().unicode();
        switch (c) {
        case '"': {
            const qsizetype end = s.indexOf(u'"', i + 1);
            i = end < 0 ? s.size() : end;
            break;
        }
        case '\\':
            ++i;
            break;
        case '0':
        case '#':
        case '.':
            return FormatKind::Number;
        case '@':
        case '&':
        case '<':
        case '>':
        case '!':
            return FormatKind::String;
        case '/':
        case ':':
        case 'c':
        case 'd':
        case 'h':
        case 'm':
        case 'n':
        case 'q':
        case 's':
        case 'w':
        case 'y':
            return FormatKind::Date;
        case 't':
            if (matchesAt(s, i, u"ttttt")) {
                return FormatKind::Date;
            }
            break;
        case 'a':
            if (matchesAt(s, i, u"am/pm") || matchesAt(s, i, u"a/p") || matchesAt(s, i, u"ampm")) {
                return FormatKind::Date;
            }
            break;
        default:
            break;
        }
    }
    return FormatKind::Number;
}

std::vector<QStringView> splitSections(QStringView s, qsizetype maxSections) {
    std::vector<QStringView> out;
    qsizetype start = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == u'"') {
            const qsizetype end = s.indexOf(u'"', i + 1);
            i = end < 0 ? s.size() : end;
        } else if (s[i] == u'\\') {
            ++i;
        } else if (s[i] == u';') {
            out.push_back(s.mid(start, i - start));
            start = i + 1;
        }
    }
    out.push_back(s.mid(start));
    if (qsizetype(out.size()) > maxSections) {
        out.resize(std::size_t(maxSections));
    }
    return out;
}

CompiledFormat compileUser(QStringView format) {
    CompiledFormat f;
    f.kind = detectKind(format);
    switch (f.kind) {
    case FormatKind::Number:
        for (QStringView section : splitSections(format, 4)) {
            f.numberSections.push_back(compileNumberSection(section));
        }
        break;
    case FormatKind::Date:
        f.datePattern = compileDateSection(splitSections(format, 1).front());
        break;
    case FormatKind::String:
        for (QStringView section : splitSections(format, 2)) {
            f.stringSections.push_back(compileStringSection(section));
        }
        break;
    }
    return f;
}

CompiledFormat namedNumber(NamedNumber named) {
    CompiledFormat f;
    f.named = named;
    return f;
}

CompiledFormat namedDate(DateField field) {
    CompiledFormat f;
    f.kind = FormatKind::Date;
    f.datePattern.push_back({field, {}, {}});
    return f;
}

// The named formats, matched case-insensitively; false when the text is not one of them.
bool compileNamed(const QString &format, CompiledFormat &f) {
    struct Named {
        const char16_t *name;
        CompiledFormat (*make)();
    };
    static const Named table[] = {
        {u"General Number", [] { return namedNumber(NamedNumber::GeneralNumber); }},
        {u"Currency", [] { return namedNumber(NamedNumber::Currency); }},
        {u"Fixed", [] { return compileUser(u"0.00"); }},
        {u"Standard", [] { return compileUser(u"#,##0.00"); }},
        {u"Percent", [] { return compileUser(u"0.00%"); }},
        {u"Scientific", [] { return compileUser(u"0.00E+00"); }},
        {u"Yes/No", [] { return namedNumber(NamedNumber::YesNo); }},
        {u"True/False", [] { return namedNumber(NamedNumber::TrueFalse); }},
        {u"On/Off", [] { return namedNumber(NamedNumber::OnOff); }},
        {u"General Date", [] { return namedDate(DateField::GeneralDate); }},
        {u"Long Date", [] { return namedDate(DateField::LongDate); }},
        {u"Medium Date", [] { return compileUser(u"dd-mmm-yy"); }},
        {u"Short Date", [] { return namedDate(DateField::ShortDate); }},
        {u"Long Time", [] { return namedDate(DateField::LongTime); }},
        {u"Medium Time", [] { return compileUser(u"hh:nn AMPM"); }},
        {u"Short Time", [] { return compileUser(u"hh:nn"); }},
    };
    for (const Named &n : table) {
        if (format.compare(QStringView(n.name), Qt::CaseInsensitive) == 0) {
            f = n.make();
            return true;
        }
    }
    return false;
}

} // namespace

std::shared_ptr<const CompiledFormat> compiledFormat(const QString &format) {
    thread_local QHash<QString, std::shared_ptr<const CompiledFormat>> cache;
    if (const auto found = cache.constFind(format); found != cache.constEnd()) {
        return *found;
    }
    if (cache.size() >= kCacheLimit) {
        cache.clear();
    }
    auto compiled = std::make_shared<CompiledFormat>();
    if (!compileNamed(format, *compiled)) {
        *compiled = compileUser(format);
    }
    cache.insert(format, compiled);
    return compiled;
}

} // namespace Vantrel3::vb::detail
