#pragma once

#include <Vantrel3/vbruntime.h>

#include <QDate>
#include <QLocale>
#include <QVariant>
#include <gtest/gtest.h>
#include <vector>

namespace vbtest {

inline QLocale italian() {
    return QLocale(QLocale::Italian, QLocale::Italy);
}

inline QLocale american() {
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

// Pins the runtime's own locale for one scope and restores it afterwards.
class RuntimeLocale {
public:
    explicit RuntimeLocale(const QLocale &locale) : m_saved(Vantrel3::vb::locale()) {
        Vantrel3::vb::setLocale(locale);
    }
    ~RuntimeLocale() { Vantrel3::vb::setLocale(m_saved); }
    RuntimeLocale(const RuntimeLocale &) = delete;
    RuntimeLocale &operator=(const RuntimeLocale &) = delete;

private:
    QLocale m_saved;
};

inline int thisYear() {
    return QDate::currentDate().year();
}

inline QVariant text(const char *utf8) {
    return QString::fromUtf8(utf8);
}

// One Format call and what it returns in it_IT and in en_US (nullptr: the same as in it_IT).
struct FormatRow {
    QVariant value;
    const char *format;
    const char *italian;
    const char *american = nullptr;
};

inline void expectFormatInBothLocales(const std::vector<FormatRow> &rows) {
    for (const FormatRow &row : rows) {
        for (const bool inItalian : {true, false}) {
            const RuntimeLocale pinned(inItalian ? italian() : american());
            const char *expected = inItalian || !row.american ? row.italian : row.american;
            EXPECT_EQ(Vantrel3::vb::Format(row.value, QString::fromUtf8(row.format)).toStdString(),
                      expected)
                << "Format(" << row.value.toString().toStdString() << ", \"" << row.format
                << "\") in " << (inItalian ? "it_IT" : "en_US");
        }
    }
}

} // namespace vbtest
