#include "control/settings_table.h"

#include <Vantrel3/PropertyBag.h>
#include <Vantrel3/VbError.h>

#include <QFont>
#include <QPixmap>
#include <algorithm>
#include <limits>

namespace Vantrel3 {

namespace {

// A number saved as text that does not read as one (a hand-edited bag) is a type mismatch,
// not a silent 0.
void mismatchUnless(bool ok, const QVariant &v) {
    if (!ok && v.isValid()) {
        throw VbError(VbError::TypeMismatch, QStringLiteral("Vantrel"));
    }
}

} // namespace

SettingsTable::SettingsTable(std::vector<Setting> rows, std::vector<WrittenAfter> writtenAfter,
                             QStringList initOrder, std::function<QVariant()> ambientFont)
    : m_rows(std::move(rows)), m_writtenAfter(std::move(writtenAfter)),
      m_initOrder(std::move(initOrder)), m_ambientFont(std::move(ambientFont)) {}

const Setting &SettingsTable::row(const QString &key, int copy) const {
    const auto it = std::find_if(m_rows.cbegin(), m_rows.cend(),
                                 [&](const Setting &s) { return s.key == key && s.copy == copy; });
    Q_ASSERT(it != m_rows.cend());
    return *it;
}

QVariant SettingsTable::defaultOf(const Setting &s) const {
    if (s.kind == Setting::Kind::Font && !s.def.isValid() && m_ambientFont) {
        return m_ambientFont();
    }
    return s.def;
}

QVariant SettingsTable::convert(const Setting &s, const QVariant &v) {
    switch (s.kind) {
    case Setting::Kind::Colour: {
        bool ok = true;
        const quint32 c = v.toUInt(&ok);
        mismatchUnless(ok, v);
        return QVariant(c);
    }
    case Setting::Kind::Long:
    case Setting::Kind::Integer: {
        bool ok = true;
        const qint32 n = v.toInt(&ok);
        mismatchUnless(ok, v);
        // A setting held in an Integer: a saved Long that does not fit overflows instead of
        // wrapping round to some other, possibly valid, value.
        if (s.kind == Setting::Kind::Integer &&
            (n < std::numeric_limits<qint16>::min() || n > std::numeric_limits<qint16>::max())) {
            throw VbError(VbError::Overflow);
        }
        return QVariant(n);
    }
    case Setting::Kind::Bool:
        return QVariant(v.toBool());
    case Setting::Kind::Text:
        return QVariant(v.toString());
    case Setting::Kind::Font:
        return v;
    case Setting::Kind::Picture:
        return v;
    }
    return v;
}

QVariant SettingsTable::saved(const PropertyBag &bag, const QString &key, int copy) const {
    const Setting &s = row(key, copy);
    return convert(s, bag.values(key).value(copy, defaultOf(s)));
}

void SettingsTable::init() const {
    for (const QString &key : m_initOrder) {
        const Setting &s = row(key, 0);
        s.init(defaultOf(s));
    }
}

void SettingsTable::read(const PropertyBag &bag) const {
    // Every load reads the bag from its first values, whoever read it before.
    bag.resetReads();
    for (const Setting &s : m_rows) {
        s.set(convert(s, bag.ReadProperty(s.key, defaultOf(s))), bag);
    }
}

std::vector<const Setting *> SettingsTable::writeOrder() const {
    std::vector<const Setting *> order;
    for (const Setting &s : m_rows) {
        const bool moved =
            std::any_of(m_writtenAfter.cbegin(), m_writtenAfter.cend(),
                        [&](const WrittenAfter &w) { return w.key == s.key && w.copy == s.copy; });
        if (!moved) {
            order.push_back(&s);
        }
    }
    for (const WrittenAfter &w : m_writtenAfter) {
        const Setting *after = &row(w.after, w.afterCopy);
        const auto at = std::find(order.begin(), order.end(), after);
        Q_ASSERT(at != order.end());
        order.insert(at + 1, &row(w.key, w.copy));
    }
    return order;
}

void SettingsTable::write(PropertyBag &bag) const {
    for (const Setting *s : writeOrder()) {
        if (s->get) {
            bag.WriteProperty(s->key, s->get(), defaultOf(*s));
        }
    }
}

} // namespace Vantrel3
