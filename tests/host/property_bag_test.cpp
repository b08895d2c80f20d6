#include <Vantrel3/PropertyBag.h>
#include <Vantrel3/VbError.h>

#include <QDate>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <gtest/gtest.h>

using Vantrel3::PropertyBag;
using Vantrel3::VbError;

namespace {

QPixmap samplePicture() {
    QImage image(5, 3, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setPixelColor(0, 0, QColor(255, 0, 0));
    image.setPixelColor(4, 2, QColor(10, 20, 30, 128));
    return QPixmap::fromImage(image);
}

QImage pixels(const QVariant &v) {
    return v.value<QPixmap>().toImage().convertToFormat(QImage::Format_ARGB32);
}

QFont sampleFont(const QString &family, double size, int weight, bool italic, bool underline,
                 bool strike) {
    QFont f;
    f.setFamily(family);
    f.setPointSizeF(size);
    f.setWeight(QFont::Weight(weight));
    f.setItalic(italic);
    f.setUnderline(underline);
    f.setStrikeOut(strike);
    return f;
}

} // namespace

TEST(PropertyBag, EveryValueTypeSurvivesTheTextForm) {
    struct Case {
        const char *key;
        QVariant value;
    };
    const Case cases[] = {
        {"Cols", QVariant(qint32(-2147483647 - 1))},
        {"Rows", QVariant(qint32(70000))},
        {"SetKeyFunction", QVariant::fromValue(qint16(118))},
        {"Negative", QVariant::fromValue(qint16(-32768))},
        {"Big", QVariant(qint64(1) << 40)},
        {"Enabled", QVariant(true)},
        {"WordWrap", QVariant(false)},
        {"BackColor", QVariant(quint32(0x80000005u))},
        {"BackColorEdit", QVariant(quint32(0x00C0E0FFu))},
        {"Ratio", QVariant(0.1)},
        {"Tiny", QVariant(-1.25e-300)},
        {"Scale", QVariant(float(0.3f))},
        {"Quote", QVariant(QStringLiteral("He said \"ciao\"; \"\""))},
        {"Controls", QVariant(QStringLiteral("a\tb\r\nc\nd\re\x01"))},
        {"Accents", QVariant(QStringLiteral("perché così è più già Ù"))},
        {"Empty", QVariant(QString())},
        {"Tag", QVariant()},
        {"Font",
         QVariant(sampleFont(QStringLiteral("Times New Roman"), 9.75, 700, true, false, true))},
        {"FontEditText",
         QVariant(sampleFont(QStringLiteral("Caf\u00e9 \"Sans\""), 12, 400, false, true, false))},
        {"CellPicture", QVariant(samplePicture())},
    };
    PropertyBag bag;
    for (const Case &c : cases) {
        bag.WriteProperty(QString::fromLatin1(c.key), c.value, QStringLiteral("<none>"));
    }
    const QString text = bag.toText();
    const PropertyBag back = PropertyBag::fromText(text);
    EXPECT_EQ(back.toText(), text);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.key);
        const QVariant got = back.ReadProperty(QString::fromLatin1(c.key));
        EXPECT_EQ(got.metaType(), c.value.metaType());
        if (c.value.metaType() == QMetaType::fromType<QPixmap>()) {
            EXPECT_EQ(pixels(got), pixels(c.value));
        } else {
            EXPECT_EQ(got, c.value);
        }
    }
}

TEST(PropertyBag, TextFormIsReadable) {
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("BackColor"), quint32(0x00C0E0FFu));
    bag.WriteProperty(QStringLiteral("ToolTipText"), QStringLiteral("Nome \"breve\"\tqui"));
    bag.WriteProperty(QStringLiteral("Cols"), qint32(3), qint32(2));
    bag.WriteProperty(QStringLiteral("AllowEdit"), true, false);
    bag.WriteProperty(QStringLiteral("Font"),
                      sampleFont(QStringLiteral("Arial"), 10, 400, false, false, false));
    EXPECT_EQ(bag.toText(),
              QStringLiteral("BackColor = &H00C0E0FF&\n"
                             "ToolTipText = \"Nome \"\"breve\"\"\" & vbTab & \"qui\"\n"
                             "Cols = 3\n"
                             "AllowEdit = True\n"
                             "BeginProperty Font\n"
                             "   Name = \"Arial\"\n"
                             "   Size = 10\n"
                             "   Weight = 400\n"
                             "   Underline = False\n"
                             "   Italic = False\n"
                             "   Strikethrough = False\n"
                             "EndProperty\n"));
}

TEST(PropertyBag, KeyWrittenTwiceReadsBackInOrder) {
    struct Case {
        const char *name;
        QVariant first, second, defaultValue;
        QVariant expectFirst, expectSecond;
        int stored;
    };
    const Case cases[] = {
        {"both stored", qint32(5), qint32(7), qint32(2), qint32(5), qint32(7), 2},
        {"first equals default", qint32(2), qint32(7), qint32(2), qint32(2), qint32(7), 2},
        {"second equals default", qint32(5), qint32(2), qint32(2), qint32(5), qint32(2), 1},
        {"both default", qint32(2), qint32(2), qint32(2), qint32(2), qint32(2), 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PropertyBag written;
        written.WriteProperty(QStringLiteral("Cols"), c.first, c.defaultValue);
        written.WriteProperty(QStringLiteral("Rows"), qint32(9), qint32(2));
        written.WriteProperty(QStringLiteral("Cols"), c.second, c.defaultValue);
        const PropertyBag bag = PropertyBag::fromText(written.toText());
        EXPECT_EQ(bag.values(QStringLiteral("Cols")).size(), c.stored);
        EXPECT_EQ(bag.ReadProperty(QStringLiteral("Cols"), c.defaultValue), c.expectFirst);
        EXPECT_EQ(bag.ReadProperty(QStringLiteral("Rows"), qint32(2)), qint32(9));
        EXPECT_EQ(bag.ReadProperty(QStringLiteral("Cols"), c.defaultValue), c.expectSecond);
        bag.resetReads();
        EXPECT_EQ(bag.ReadProperty(QStringLiteral("Cols"), c.defaultValue), c.expectFirst);
    }
}

TEST(PropertyBag, WriteEqualToDefaultStoresNothing) {
    struct Case {
        const char *key;
        QVariant value, defaultValue;
        bool stored;
    };
    const Case cases[] = {
        {"BorderStyle", qint32(1), qint32(1), false},
        {"SetKeyFunction", QVariant::fromValue(qint16(118)), qint32(118), false},
        {"GridColor", quint32(0xC0C0C0u), quint32(0xC0C0C0u), false},
        {"ToolTipText", QString(), QString(), false},
        {"CellPicture", QPixmap(), QVariant(), false},
        {"Enabled", true, QVariant(), true},
        {"WordWrap", false, QVariant(), true},
        {"Redraw", false, QVariant(), true},
        {"FormatString", QStringLiteral("<A|B"), QString(), true},
        {"BorderStyle", qint32(0), qint32(1), true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.key);
        PropertyBag bag;
        bag.WriteProperty(QString::fromLatin1(c.key), c.value, c.defaultValue);
        EXPECT_EQ(bag.contains(QString::fromLatin1(c.key)), c.stored);
        EXPECT_EQ(bag.toText().isEmpty(), !c.stored);
    }
}

TEST(PropertyBag, AbsentKeyReadsTheDefault) {
    const PropertyBag bag = PropertyBag::fromText(QStringLiteral("Cols = 4\n"));
    EXPECT_FALSE(bag.contains(QStringLiteral("Enabled")));
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("Enabled")), QVariant());
    EXPECT_FALSE(bag.ReadProperty(QStringLiteral("Enabled")).toBool());
    EXPECT_EQ(bag.ReadProperty(QStringLiteral("Rows"), qint32(2)), qint32(2));
    EXPECT_EQ(bag.keys(), QStringList{QStringLiteral("Cols")});
}

TEST(PropertyBag, DamagedTextFailsNamingTheLine) {
    struct Case {
        const char *name;
        const char *text;
        int line;
    };
    const Case cases[] = {
        {"unterminated string", "Cols = 2\nToolTipText = \"abc\n", 2},
        {"bad number", "Cols = 2\n\nRows = 12x\n", 3},
        {"Integer out of range", "SetKeyFunction = 40000%\n", 1},
        {"bad colour", "Cols = 1\nBackColor = &HZZ&\n", 2},
        {"missing EndProperty", "Cols = 2\nBeginProperty Font\n   Name = \"Arial\"\n   Size = 9\n",
         2},
        {"property inside a font", "BeginProperty Font\n   Name = \"Arial\"\nRows = 3\n", 3},
        {"EndProperty alone", "Cols = 2\nEndProperty\n", 2},
        {"garbage line", "Cols = 2\nRows = 3\n@@@ ???\n", 3},
        {"text after a string", "ToolTipText = \"a\" b\n", 1},
        {"bad picture", "Cols = 1\nCols = 2\nCellPicture = LoadPicture(\"!!notbase64\")\n", 3},
        {"bad font size", "BeginProperty Font\n   Name = \"Arial\"\n   Size = big\nEndProperty\n",
         3},
        {"nested block", "BeginProperty Font\nBeginProperty Font2\n", 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        try {
            PropertyBag::fromText(QString::fromUtf8(c.text));
            ADD_FAILURE() << "no error";
        } catch (const VbError &e) {
            EXPECT_EQ(e.Number(), 380);
            EXPECT_EQ(e.Source(), QStringLiteral("PropertyBag"));
            EXPECT_TRUE(e.Description().contains(QStringLiteral("line %1:").arg(c.line)))
                << e.Description().toStdString();
        }
    }
}

TEST(PropertyBag, RejectsValuesTheTextFormCannotHold) {
    PropertyBag bag;
    EXPECT_THROW(bag.WriteProperty(QStringLiteral("When"), QDate(2024, 1, 2)), VbError);
    EXPECT_THROW(bag.WriteProperty(QStringLiteral("Bad Key"), qint32(1)), VbError);
    EXPECT_EQ(bag.count(), 0);
}

TEST(PropertyBag, EveryTruncationLoadsWholeOrFails) {
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("ToolTipText"), QStringLiteral("a \"b\"\tc"));
    bag.WriteProperty(QStringLiteral("Font"),
                      sampleFont(QStringLiteral("Arial"), 8.25, 700, true, true, false));
    bag.WriteProperty(QStringLiteral("BackColor"), quint32(0x80000005u));
    bag.WriteProperty(QStringLiteral("CellPicture"), samplePicture());
    bag.WriteProperty(QStringLiteral("Ratio"), 2.5);
    const QString text = bag.toText();
    int loaded = 0;
    int failed = 0;
    for (qsizetype n = 0; n <= text.size(); ++n) {
        try {
            const PropertyBag part = PropertyBag::fromText(text.left(n));
            // A cut between lines, or one that still reads as a value, keeps whole entries only.
            EXPECT_LE(part.count(), bag.count());
            ++loaded;
        } catch (const VbError &e) {
            EXPECT_EQ(e.Number(), 380);
            EXPECT_TRUE(e.Description().contains(QStringLiteral("line "))) << n;
            ++failed;
        }
    }
    EXPECT_GT(failed, 0);
    EXPECT_GT(loaded, 0);
}
