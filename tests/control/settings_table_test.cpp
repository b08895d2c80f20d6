#include "common/error_of.h"
#include "control/settings_table.h"

#include <Vantrel3/PropertyBag.h>

#include <QHash>
#include <gtest/gtest.h>

using namespace Vantrel3;

namespace {

// A table over plain values: what each row loads, in the order it loads them.
struct Store {
    QHash<QString, QVariant> values;
    QStringList applied;

    Setting row(const char *key, Setting::Kind kind, const QVariant &def, int copy = 0,
                bool saved = true) {
        const QString name = QString::fromLatin1(key) + QString::number(copy);
        Setting s;
        s.key = QString::fromLatin1(key);
        s.copy = copy;
        s.kind = kind;
        s.def = def;
        if (saved) {
            s.get = [this, name] { return values.value(name); };
        }
        s.set = [this, name](const QVariant &v, const PropertyBag &) {
            values[name] = v;
            applied << name;
        };
        s.init = [this, name](const QVariant &v) {
            values[name] = v;
            applied << QStringLiteral("init ") + name;
        };
        return s;
    }

    SettingsTable table() {
        using K = Setting::Kind;
        return SettingsTable({row("Width", K::Long, 2), row("Pair", K::Long, 0, 0),
                              row("Pair", K::Long, 0, 1), row("Fixed", K::Long, 1, 0),
                              row("Position", K::Long, 0, 0, false), row("Shade", K::Colour, 0u),
                              row("Visible", K::Bool, QVariant()), row("Small", K::Integer, 1),
                              row("Late", K::Text, QString())},
                             {{QStringLiteral("Fixed"), 0, QStringLiteral("Pair"), 0},
                              {QStringLiteral("Late"), 0, QStringLiteral("Width"), 0}},
                             {QStringLiteral("Small"), QStringLiteral("Width")}, nullptr);
    }
};

} // namespace

TEST(SettingsTable, LoadsInItsOrderAndSavesInTheSavedOrder) {
    Store store;
    const SettingsTable table = store.table();
    PropertyBag bag;
    table.read(bag);
    EXPECT_EQ(store.applied, QStringList({"Width0", "Pair0", "Pair1", "Fixed0", "Position0",
                                          "Shade0", "Visible0", "Small0", "Late0"}));
    // The saved order moves two keys; a key that only loads is never saved.
    QStringList saved;
    for (const Setting *s : table.writeOrder()) {
        if (s->get) {
            saved << s->key + QString::number(s->copy);
        }
    }
    EXPECT_EQ(saved, QStringList({"Width0", "Late0", "Pair0", "Fixed0", "Pair1", "Shade0",
                                  "Visible0", "Small0"}));
}

TEST(SettingsTable, EveryValueLoadsBackAsSavedWithOneDefaultPerKey) {
    struct Case {
        const char *what;
        QHash<QString, QVariant> values;
    };
    const Case cases[] = {
        {"all at their defaults",
         {{"Width0", 2},
          {"Pair0", 0},
          {"Pair1", 0},
          {"Fixed0", 1},
          {"Shade0", 0u},
          {"Visible0", false},
          {"Small0", 1},
          {"Late0", QString()}}},
        {"none at their defaults",
         {{"Width0", 7},
          {"Pair0", 3},
          {"Pair1", 4},
          {"Fixed0", 0},
          {"Shade0", 0xC0E0FFu},
          {"Visible0", true},
          {"Small0", -32768},
          {"Late0", QStringLiteral("x")}}},
        {"copies differ, one at its default",
         {{"Width0", 2},
          {"Pair0", 0},
          {"Pair1", 9},
          {"Fixed0", 1},
          {"Shade0", 0x80000005u},
          {"Visible0", false},
          {"Small0", 32767},
          {"Late0", QString()}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Store saving;
        saving.values = c.values;
        PropertyBag bag;
        saving.table().write(bag);
        const PropertyBag reloaded = PropertyBag::fromText(bag.toText());
        Store loading;
        loading.table().read(reloaded);
        for (auto it = c.values.cbegin(); it != c.values.cend(); ++it) {
            EXPECT_EQ(loading.values.value(it.key()), it.value()) << qPrintable(it.key());
        }
    }
}

TEST(SettingsTable, EmptyDefaultsAreAlwaysSavedAndMissingReadsFalse) {
    Store store;
    store.values[QStringLiteral("Visible0")] = false;
    store.values[QStringLiteral("Width0")] = 2;
    PropertyBag bag;
    store.table().write(bag);
    EXPECT_TRUE(bag.contains(QStringLiteral("Visible")));
    EXPECT_FALSE(bag.contains(QStringLiteral("Width")));
    Store loaded;
    loaded.table().read(PropertyBag());
    EXPECT_EQ(loaded.values.value(QStringLiteral("Visible0")), QVariant(false));
    EXPECT_EQ(loaded.values.value(QStringLiteral("Width0")), QVariant(2));
}

TEST(SettingsTable, ADamagedValueStopsTheLoadThere) {
    const struct {
        const char *key;
        QVariant value;
        qint32 error;
        const char *lastApplied;
    } cases[] = {
        {"Pair", QStringLiteral("abc"), 13, "Width0"},
        {"Shade", QStringLiteral("blu"), 13, "Position0"},
        {"Small", 40000, 6, "Visible0"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.key);
        PropertyBag bag;
        bag.WriteProperty(QString::fromLatin1(c.key), c.value);
        Store store;
        const SettingsTable table = store.table();
        EXPECT_EQ(errorOf([&] { table.read(bag); }), c.error);
        ASSERT_FALSE(store.applied.isEmpty());
        EXPECT_EQ(store.applied.last(), QString::fromLatin1(c.lastApplied));
    }
}

TEST(SettingsTable, ANewControlTakesTheDefaultsInItsOwnOrder) {
    Store store;
    store.table().init();
    EXPECT_EQ(store.applied, QStringList({"init Small0", "init Width0"}));
    EXPECT_EQ(store.values.value(QStringLiteral("Small0")), QVariant(1));
    EXPECT_EQ(store.values.value(QStringLiteral("Width0")), QVariant(2));
}

TEST(SettingsTable, AValueCanBePeekedBeforeItsTurn) {
    Store store;
    const SettingsTable table = store.table();
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("Pair"), 5);
    bag.WriteProperty(QStringLiteral("Pair"), 6);
    EXPECT_EQ(table.saved(bag, QStringLiteral("Pair"), 1), QVariant(6));
    EXPECT_EQ(table.saved(bag, QStringLiteral("Width"), 0), QVariant(2));
    // Peeking reads nothing: the load still gets every value in turn.
    table.read(bag);
    EXPECT_EQ(store.values.value(QStringLiteral("Pair0")), QVariant(5));
    EXPECT_EQ(store.values.value(QStringLiteral("Pair1")), QVariant(6));
}
