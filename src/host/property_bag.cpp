#include <Vantrel3/PropertyBag.h>
#include <Vantrel3/VbError.h>

#include "host/property_bag_text.h"

#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QRegularExpression>

namespace Vantrel3 {

namespace {

const QString kSource = QStringLiteral("PropertyBag");

bool isNothing(const QVariant &v) {
    if (!v.isValid()) {
        return true;
    }
    // A picture that holds nothing is the classic Nothing, the usual default of a picture key.
    return v.metaType() == QMetaType::fromType<QPixmap>() && v.value<QPixmap>().isNull();
}

bool sameValue(const QVariant &value, const QVariant &defaultValue) {
    if (isNothing(value) || isNothing(defaultValue)) {
        return isNothing(value) && isNothing(defaultValue);
    }
    if (value.metaType() == QMetaType::fromType<QPixmap>() ||
        defaultValue.metaType() == QMetaType::fromType<QPixmap>()) {
        if (value.metaType() != defaultValue.metaType()) {
            return false;
        }
        // QPixmap has no equality; compare what it shows.
        const QImage a = value.value<QPixmap>().toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage b =
            defaultValue.value<QPixmap>().toImage().convertToFormat(QImage::Format_ARGB32);
        return a == b;
    }
    return value == defaultValue;
}

} // namespace

QVariant PropertyBag::ReadProperty(const QString &key, const QVariant &defaultValue) const {
    const auto it = m_index.constFind(key);
    if (it == m_index.constEnd()) {
        return defaultValue;
    }
    int &cursor = m_readCursor[key];
    if (cursor >= it->size()) {
        return defaultValue;
    }
    return m_entries.at(it->at(cursor++)).value;
}

void PropertyBag::WriteProperty(const QString &key, const QVariant &value,
                                const QVariant &defaultValue) {
    static const QRegularExpression name(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!name.match(key).hasMatch()) {
        throw VbError(VbError::InvalidPropertyValue, kSource,
                      QStringLiteral("Invalid property name '%1'").arg(key));
    }
    if (!bagtext::isStorable(value)) {
        throw VbError(VbError::TypeMismatch, kSource,
                      QStringLiteral("Type mismatch: property '%1' cannot hold a %2")
                          .arg(key, QString::fromLatin1(value.typeName())));
    }
    if (sameValue(value, defaultValue)) {
        m_skipped[key].append(value);
        return;
    }
    const QList<QVariant> pending = m_skipped.take(key);
    for (const QVariant &earlier : pending) {
        append(key, earlier);
    }
    append(key, value);
}

void PropertyBag::append(const QString &key, const QVariant &value) {
    m_index[key].append(int(m_entries.size()));
    m_entries.append(Entry{key, value});
}

QList<QVariant> PropertyBag::values(const QString &key) const {
    QList<QVariant> out;
    for (int i : m_index.value(key)) {
        out.append(m_entries.at(i).value);
    }
    return out;
}

bool PropertyBag::contains(const QString &key) const {
    return m_index.contains(key);
}

QStringList PropertyBag::keys() const {
    QStringList out;
    for (const Entry &e : m_entries) {
        if (m_index.value(e.key).constFirst() == int(&e - m_entries.constData())) {
            out.append(e.key);
        }
    }
    return out;
}

void PropertyBag::resetReads() const {
    m_readCursor.clear();
}

QString PropertyBag::toText() const {
    QString out;
    for (const Entry &e : m_entries) {
        out += bagtext::formatEntry(e.key, e.value);
    }
    return out;
}

PropertyBag PropertyBag::fromText(const QString &text) {
    PropertyBag bag;
    // Parsed into a fresh bag that is only handed out whole.
    bagtext::parse(text,
                   [&bag](const QString &key, const QVariant &value) { bag.append(key, value); });
    return bag;
}

} // namespace Vantrel3
