#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <vector>

namespace Vantrel3 {

class PropertyBag;

// One saved setting: a read of the property bag when the settings load, and a write when they
// are saved. A setting held twice (by both grids, or by both buttons) is two rows under the same
// key, the first holding copy 0 and the second copy 1.
struct Setting {
    // How a saved value reads: a value of the wrong kind is a type mismatch (13), one out of
    // an Integer's range an overflow (6).
    enum class Kind { Colour, Long, Integer, Bool, Text, Font, Picture };

    QString key;
    int copy = 0;
    Kind kind = Kind::Long;
    // The value a missing key reads as and the value that is not written. An invalid QVariant
    // is Empty: always written, read as False. A Font without a default takes the ambient font.
    QVariant def;
    // What the control holds now; empty for a key that is loaded but never saved.
    std::function<QVariant()> get;
    // Applies a loaded value; the bag is at hand for a value that depends on another one.
    std::function<void(const QVariant &, const PropertyBag &)> set;
    // Applies the value of a new control; empty when a new control leaves the setting alone.
    std::function<void(const QVariant &)> init;
};

// The control's saved settings in one table: every key with its default, its reader and its
// writer, in the order the settings load. Saving writes the same rows in the saved order, which
// differs in a few places, and a new control applies the defaults of some rows in an order of
// its own.
class SettingsTable {
public:
    // Where the saved order differs from the load order: `key` (its copy) is written right
    // after `after` (its copy).
    struct WrittenAfter {
        QString key;
        int copy;
        QString after;
        int afterCopy;
    };

    SettingsTable(std::vector<Setting> rows, std::vector<WrittenAfter> writtenAfter,
                  QStringList initOrder, std::function<QVariant()> ambientFont);

    // A new control: the defaults of the rows in the new-control order, through their init.
    void init() const;
    // Loads every row in order; the first failing value stops the load and goes to the caller.
    void read(const PropertyBag &bag) const;
    // Saves every row that has a getter, in the saved order.
    void write(PropertyBag &bag) const;

    // The value `key` (its copy) will load as from `bag`, without reading it.
    QVariant saved(const PropertyBag &bag, const QString &key, int copy) const;
    // The rows in the saved order.
    std::vector<const Setting *> writeOrder() const;
    const std::vector<Setting> &rows() const { return m_rows; }

    // The loaded value as the setting's kind holds it.
    static QVariant convert(const Setting &setting, const QVariant &value);

private:
    const Setting &row(const QString &key, int copy) const;
    QVariant defaultOf(const Setting &setting) const;

    std::vector<Setting> m_rows;
    std::vector<WrittenAfter> m_writtenAfter;
    QStringList m_initOrder;
    std::function<QVariant()> m_ambientFont;
};

} // namespace Vantrel3
