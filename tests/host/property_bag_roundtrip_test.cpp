#include <Vantrel3/PropertyBag.h>
#include <Vantrel3/VbError.h>

#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

using Vantrel3::PropertyBag;
using Vantrel3::VbError;

namespace {

// Never equal to a stored value, so every write is kept.
const QVariant kNoDefault = QVariant(QSize(-7, -7));

// Pieces that strain the text form: every control character, quotes, the form's own words and
// operators, non-Latin scripts, surrogate pairs and lone surrogates, Unicode blanks.
std::vector<QString> fragments() {
    std::vector<QString> out;
    for (char16_t c = 0; c < 32; ++c) {
        out.push_back(QString(QChar(c)));
    }
    const char16_t singles[] = {0x7F,   0x85,   0xA0,   0xD800, 0xDBFF,
                                0xDC00, 0xDFFF, 0xFEFF, 0x2028, 0xFFFF};
    for (const char16_t c : singles) {
        out.push_back(QString(QChar(c)));
    }
    const char *const texts[] = {
        "\r\n",
        "\"",
        "\"\"",
        "&",
        " & ",
        "vbTab",
        "vbCrLf",
        "ChrW(9)",
        "ChrW(",
        ")",
        "=",
        " = ",
        "'",
        " ",
        "Arial",
        "perch\u00e9",
        "\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac",
        "\u65e5\u672c\u8a9e",
        "\u05e2\u05d1\u05e8\u05d9\u05ea",
        "\U0001F600",
        "\U0001D11E",
        "BeginProperty Font",
        "EndProperty",
        "LoadPicture(\"\")",
        "Empty",
        "True",
        "&H1&",
        "1#",
    };
    for (const char *t : texts) {
        out.push_back(QString::fromUtf8(t));
    }
    return out;
}

std::vector<QString> generatedStrings() {
    const std::vector<QString> pool = fragments();
    std::vector<QString> out{QString(), QStringLiteral("")};
    for (const QString &f : pool) {
        out.push_back(f);
    }
    std::mt19937 random(1999);
    for (int n = 0; n < 300; ++n) {
        QString s;
        const int parts = 1 + int(random() % 8);
        for (int k = 0; k < parts; ++k) {
            s += pool[random() % pool.size()];
        }
        out.push_back(s);
    }
    return out;
}

QFont fontNamed(const QString &family, std::mt19937 &random) {
    QFont f;
    f.setFamily(family);
    f.setPointSizeF(1 + double(random() % 4000) / 16);
    f.setWeight(QFont::Weight(1 + int(random() % 1000)));
    f.setItalic(random() % 2 != 0);
    f.setUnderline(random() % 2 != 0);
    f.setStrikeOut(random() % 2 != 0);
    return f;
}

QPixmap picture(int width, int height, std::mt19937 &random) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, random());
        }
    }
    return QPixmap::fromImage(image);
}

template <typename T>
std::vector<QVariant> limitsOf() {
    using L = std::numeric_limits<T>;
    std::vector<QVariant> out;
    for (const T v : {L::min(), L::max(), T(0), T(-1), T(1)}) {
        out.push_back(QVariant::fromValue(v));
    }
    return out;
}

template <typename Real, typename Bits>
std::vector<QVariant> realsOf(std::mt19937_64 &random) {
    using L = std::numeric_limits<Real>;
    std::vector<QVariant> out;
    for (const Real v : {Real(0), -Real(0), L::denorm_min(), -L::denorm_min(), L::min(), L::max(),
                         L::lowest(), L::epsilon(), L::min() / 3, Real(0.1), Real(1) / 3,
                         Real(1e15), L::infinity(), -L::infinity(), L::quiet_NaN()}) {
        out.push_back(QVariant::fromValue(v));
    }
    // Random bit patterns reach every exponent and the subnormals.
    for (int n = 0; n < 200; ++n) {
        out.push_back(QVariant::fromValue(std::bit_cast<Real>(Bits(random()))));
    }
    return out;
}

std::vector<QVariant> generatedValues() {
    std::vector<QVariant> out;
    std::mt19937 random(42);
    std::mt19937_64 random64(42);
    for (const QString &s : generatedStrings()) {
        out.push_back(s);
        out.push_back(fontNamed(s, random));
    }
    for (const auto &group :
         {limitsOf<qint16>(), limitsOf<qint32>(), limitsOf<qint64>(), limitsOf<quint32>(),
          realsOf<double, quint64>(random64), realsOf<float, quint32>(random64)}) {
        out.insert(out.end(), group.begin(), group.end());
    }
    out.push_back(quint32(0x80000005u));
    out.push_back(true);
    out.push_back(false);
    out.push_back(QVariant());
    out.push_back(QPixmap());
    for (const QSize size : {QSize(1, 1), QSize(5, 3), QSize(17, 2), QSize(2, 40)}) {
        out.push_back(picture(size.width(), size.height(), random));
    }
    return out;
}

QString describe(const QVariant &v) {
    QString text = QString::fromLatin1(v.typeName()) + QLatin1Char(' ');
    if (v.metaType() == QMetaType::fromType<QFont>()) {
        text += v.value<QFont>().family();
    } else if (v.metaType() != QMetaType::fromType<QPixmap>()) {
        text += v.toString();
    }
    QString shown;
    for (const QChar c : text) {
        shown += c.isPrint() && c.unicode() < 0x7F ? QString(c)
                                                   : QString::asprintf("\\u%04x", c.unicode());
    }
    return shown;
}

// Same type and value: reals bit for bit (the sign of zero too), NaN as NaN, pictures by pixels.
void expectSame(const QVariant &got, const QVariant &want) {
    ASSERT_EQ(got.metaType(), want.metaType()) << got.typeName();
    const int type = want.metaType().id();
    if (type == QMetaType::Double) {
        const double a = got.toDouble();
        const double b = want.toDouble();
        EXPECT_TRUE((std::isnan(a) && std::isnan(b)) ||
                    std::bit_cast<quint64>(a) == std::bit_cast<quint64>(b))
            << a << " vs " << b;
    } else if (type == QMetaType::Float) {
        const float a = got.value<float>();
        const float b = want.value<float>();
        EXPECT_TRUE((std::isnan(a) && std::isnan(b)) ||
                    std::bit_cast<quint32>(a) == std::bit_cast<quint32>(b))
            << a << " vs " << b;
    } else if (type == QMetaType::QPixmap) {
        const auto pixels = [](const QVariant &v) {
            return v.value<QPixmap>().toImage().convertToFormat(QImage::Format_ARGB32);
        };
        EXPECT_EQ(pixels(got), pixels(want));
    } else if (type == QMetaType::QFont) {
        EXPECT_EQ(got.value<QFont>().family(), want.value<QFont>().family());
        EXPECT_EQ(got.value<QFont>(), want.value<QFont>());
    } else {
        EXPECT_EQ(got, want);
    }
}

} // namespace

TEST(PropertyBagText, EveryWrittenValueReadsBackTheSame) {
    const std::vector<QVariant> values = generatedValues();
    PropertyBag all;
    for (std::size_t k = 0; k < values.size(); ++k) {
        const QVariant &value = values[k];
        SCOPED_TRACE(std::to_string(k) + ": " + describe(value).toStdString());
        PropertyBag one;
        one.WriteProperty(QStringLiteral("Value"), value, kNoDefault);
        all.WriteProperty(QStringLiteral("Value"), value, kNoDefault);
        const QString text = one.toText();
        try {
            const PropertyBag back = PropertyBag::fromText(text);
            EXPECT_EQ(back.toText(), text);
            expectSame(back.ReadProperty(QStringLiteral("Value")), value);
        } catch (const VbError &e) {
            ADD_FAILURE() << e.Description().toStdString() << "\n" << text.toStdString();
        }
    }
    // All in one text: every entry keeps its place and value.
    const PropertyBag back = PropertyBag::fromText(all.toText());
    const QList<QVariant> read = back.values(QStringLiteral("Value"));
    ASSERT_EQ(read.size(), qsizetype(values.size()));
    for (std::size_t k = 0; k < values.size(); ++k) {
        SCOPED_TRACE(k);
        expectSame(read[qsizetype(k)], values[k]);
    }
}

TEST(PropertyBagText, KeysThatAreTheFormsOwnWordsReadBack) {
    const char *const keys[] = {"BeginProperty",
                                "EndProperty",
                                "Empty",
                                "True",
                                "False",
                                "vbTab",
                                "ChrW",
                                "Name",
                                "LoadPicture",
                                "_",
                                "BeginPropertyFont",
                                "x1"};
    PropertyBag bag;
    for (const char *key : keys) {
        bag.WriteProperty(QString::fromLatin1(key), qint32(std::string(key).size()), kNoDefault);
    }
    bag.WriteProperty(QStringLiteral("Font"), QFont(QStringLiteral("Arial")), kNoDefault);
    const PropertyBag back = PropertyBag::fromText(bag.toText());
    EXPECT_EQ(back.keys(), bag.keys());
    for (const char *key : keys) {
        EXPECT_EQ(back.ReadProperty(QString::fromLatin1(key)), qint32(std::string(key).size()))
            << key;
    }
    EXPECT_EQ(back.ReadProperty(QStringLiteral("Font")).value<QFont>().family(),
              QStringLiteral("Arial"));
}
