#pragma once

#include <QStringView>
#include <optional>

namespace Vantrel3::vb::detail {

// A literal of a format string at s[i]: a quoted run ("...") or a backslash escape.
struct FormatLiteral {
    qsizetype used = 0;              // characters taken; 0 when s[i] starts no literal
    std::optional<QStringView> text; // none for a backslash at the very end
};

inline FormatLiteral formatLiteralAt(QStringView s, qsizetype i) {
    if (s[i] == u'"') {
        const qsizetype end = s.indexOf(u'"', i + 1);
        const qsizetype stop = end < 0 ? s.size() : end;
        return {stop - i + 1, s.mid(i + 1, stop - i - 1)};
    }
    if (s[i] == u'\\') {
        if (i + 1 < s.size()) {
            return {2, s.mid(i + 1, 1)};
        }
        return {2, std::nullopt};
    }
    return {};
}

} // namespace Vantrel3::vb::detail
