#pragma once

#include <Vantrel3/Export.h>

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

namespace Vantrel3 {

/// The store a control saves its design-time settings in, and its readable text form.
///
/// Keys keep their write order. A key written more than once keeps every value in order, and
/// successive reads of that key return them one after the other (then the default once they run
/// out), so a setting held by two grids can be saved and loaded under one name.
///
/// Value types that survive the text form unchanged: bool, qint16, qint32, qint64, quint32 (an OLE
/// colour), float, double, QString, QFont, QPixmap and Empty (an invalid QVariant).
class VANTREL3_EXPORT PropertyBag {
public:
    /// The stored value of the key's next read, or @p defaultValue when none is left.
    QVariant ReadProperty(const QString &key, const QVariant &defaultValue = {}) const;
    /// Stores @p value under @p key; stores nothing when it equals @p defaultValue. Raises 13 for a
    /// type the text form cannot hold and 380 for a key that is not a name.
    void WriteProperty(const QString &key, const QVariant &value,
                       const QVariant &defaultValue = {});

    /// Every stored value of the key, in write order.
    QList<QVariant> values(const QString &key) const;
    /// True when the key has at least one stored value.
    bool contains(const QString &key) const;
    /// Keys in order of their first stored value.
    QStringList keys() const;
    /// Number of stored values (a key written twice counts twice).
    int count() const { return int(m_entries.size()); }
    /// Starts every key's reads again from its first value.
    void resetReads() const;

    /// The readable text form of every stored value, in order; fromText() reads it back.
    QString toText() const;
    /// The bag that toText() wrote. Raises VbError 380 (source "PropertyBag") naming the line of
    /// the first damage.
    static PropertyBag fromText(const QString &text);

private:
    struct Entry {
        QString key;
        QVariant value;
    };
    void append(const QString &key, const QVariant &value);

    QList<Entry> m_entries;
    QHash<QString, QList<int>> m_index;
    // Writes skipped as equal to the default since the key's last stored value; they are stored
    // after all when a later write of the key is stored, so reads still pair up in order.
    QHash<QString, QList<QVariant>> m_skipped;
    mutable QHash<QString, int> m_readCursor;
};

} // namespace Vantrel3
