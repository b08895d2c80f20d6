#include "host/property_bag_text.h"

#include <Vantrel3/VbError.h>

#include <QBuffer>
#include <QFont>
#include <QLocale>
#include <QPixmap>
#include <QRegularExpression>

#include <cmath>
#include <limits>
#include <optional>

namespace Vantrel3::bagtext {

namespace {

const QString kSource = QStringLiteral("PropertyBag");
const QString kIndent = QStringLiteral("   ");

[[noreturn]] void fail(int line, const QString &what) {
    throw VbError(VbError::InvalidPropertyValue, kSource,
                  QStringLiteral("PropertyBag text, line %1: %2").arg(line).arg(what));
}

// The shortest text that reads back as the same double; negative zero keeps its sign.
QString shortest(double v) {
    if (v == 0 && std::signbit(v)) {
        return QStringLiteral("-0");
    }
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

QString boolText(bool b) {
    return b ? QStringLiteral("True") : QStringLiteral("False");
}

QString quoteString(const QString &s) {
    QStringList parts;
    QString run;
    bool inRun = false;
    auto flush = [&] {
        if (inRun) {
            parts.append(QLatin1Char('"') + run + QLatin1Char('"'));
            run.clear();
            inRun = false;
        }
    };
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        const char16_t u = c.unicode();
        const bool pairedHigh =
            c.isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate();
        const bool pairedLow = c.isLowSurrogate() && i > 0 && s.at(i - 1).isHighSurrogate();
        if (u == u'\r' && i + 1 < s.size() && s.at(i + 1) == u'\n') {
            flush();
            parts.append(QStringLiteral("vbCrLf"));
            ++i;
        } else if (u == u'\t' || u == u'\r' || u == u'\n') {
            flush();
            parts.append(u == u'\t'
                             ? QStringLiteral("vbTab")
                             : (u == u'\r' ? QStringLiteral("vbCr") : QStringLiteral("vbLf")));
        } else if (u < 0x20 || u == 0x7F || (c.isSurrogate() && !pairedHigh && !pairedLow)) {
            flush();
            parts.append(QStringLiteral("ChrW(%1)").arg(int(u)));
        } else {
            inRun = true;
            run += c;
            if (u == u'"') {
                run += c;
            }
        }
    }
    flush();
    return parts.isEmpty() ? QStringLiteral("\"\"") : parts.join(QStringLiteral(" & "));
}

QString pictureText(const QPixmap &pixmap) {
    if (pixmap.isNull()) {
        return QStringLiteral("LoadPicture(\"\")");
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    pixmap.save(&buffer, "PNG");
    return QStringLiteral("LoadPicture(\"%1\")").arg(QString::fromLatin1(png.toBase64()));
}

QString valueText(const QVariant &v) {
    switch (v.metaType().id()) {
    case QMetaType::UnknownType:
        return QStringLiteral("Empty");
    case QMetaType::Bool:
        return boolText(v.toBool());
    case QMetaType::Short:
        return QString::number(v.value<qint16>()) + QLatin1Char('%');
    case QMetaType::Int:
        return QString::number(v.toInt());
    case QMetaType::LongLong:
        return QString::number(v.toLongLong()) + QLatin1Char('^');
    case QMetaType::UInt:
        return QStringLiteral("&H%1&").arg(v.toUInt(), 8, 16, QLatin1Char('0')).toUpper();
    case QMetaType::Float:
        return shortest(v.toFloat()) + QLatin1Char('!');
    case QMetaType::Double:
        return shortest(v.toDouble()) + QLatin1Char('#');
    case QMetaType::QString:
        return quoteString(v.toString());
    case QMetaType::QPixmap:
        return pictureText(v.value<QPixmap>());
    default:
        return {};
    }
}

// A cursor over one value text.
class Scanner {
public:
    Scanner(QStringView text, int line) : m_text(text), m_line(line) {}

    void skipSpaces() {
        while (m_pos < m_text.size() && m_text.at(m_pos).isSpace()) {
            ++m_pos;
        }
    }
    bool atEnd() {
        skipSpaces();
        return m_pos >= m_text.size();
    }
    bool take(QStringView word) {
        skipSpaces();
        if (m_text.mid(m_pos).startsWith(word, Qt::CaseInsensitive)) {
            m_pos += word.size();
            return true;
        }
        return false;
    }
    bool peek(QChar c) {
        skipSpaces();
        return m_pos < m_text.size() && m_text.at(m_pos) == c;
    }
    QStringView rest() {
        skipSpaces();
        return m_text.mid(m_pos);
    }
    void expectEnd() {
        if (!atEnd()) {
            fail(m_line, QStringLiteral("unexpected text '%1' after the value").arg(rest()));
        }
    }

    QString literal() {
        // Called with the opening quote next.
        skipSpaces();
        ++m_pos;
        QString out;
        while (m_pos < m_text.size()) {
            const QChar c = m_text.at(m_pos++);
            if (c != u'"') {
                out += c;
            } else if (m_pos < m_text.size() && m_text.at(m_pos) == u'"') {
                out += c;
                ++m_pos;
            } else {
                return out;
            }
        }
        fail(m_line, QStringLiteral("unterminated string"));
    }

    // A string expression starts with a quote, a vb constant or ChrW, as the writer puts them.
    bool startsString() {
        return peek(u'"') || rest().startsWith(u"vb") || rest().startsWith(u"ChrW(");
    }

    QString stringExpression() {
        QString out;
        for (;;) {
            if (peek(u'"')) {
                out += literal();
            } else if (take(u"vbCrLf")) {
                out += QStringLiteral("\r\n");
            } else if (take(u"vbTab")) {
                out += u'\t';
            } else if (take(u"vbCr")) {
                out += u'\r';
            } else if (take(u"vbLf")) {
                out += u'\n';
            } else if (take(u"ChrW(")) {
                const qsizetype close = m_text.indexOf(u')', m_pos);
                bool ok = false;
                const int code =
                    close < 0 ? -1 : m_text.mid(m_pos, close - m_pos).trimmed().toInt(&ok);
                if (!ok || code < 0 || code > 0xFFFF) {
                    fail(m_line, QStringLiteral("bad ChrW character code"));
                }
                out += QChar(char16_t(code));
                m_pos = close + 1;
            } else {
                fail(m_line, QStringLiteral("expected a string, found '%1'").arg(rest()));
            }
            if (atEnd() || !take(u"&")) {
                return out;
            }
        }
    }

private:
    QStringView m_text;
    qsizetype m_pos = 0;
    int m_line;
};

QVariant parseNumber(QStringView text, int line) {
    static const QRegularExpression integer(QStringLiteral("^[-+]?[0-9]+$"));
    const QChar last = text.isEmpty() ? QChar() : text.back();
    const bool suffixed = last == u'%' || last == u'^' || last == u'#' || last == u'!';
    const QString body = (suffixed ? text.chopped(1) : text).toString();
    bool ok = false;
    if (last == u'#' || last == u'!') {
        const double d = body.toDouble(&ok);
        if (ok) {
            return last == u'#' ? QVariant(d) : QVariant(float(d));
        }
    } else if (integer.match(body).hasMatch()) {
        const qlonglong n = body.toLongLong(&ok);
        if (ok && last == u'^') {
            return QVariant(n);
        }
        if (ok && last == u'%' && n >= std::numeric_limits<qint16>::min() &&
            n <= std::numeric_limits<qint16>::max()) {
            return QVariant::fromValue(qint16(n));
        }
        if (ok && !suffixed && n >= std::numeric_limits<qint32>::min() &&
            n <= std::numeric_limits<qint32>::max()) {
            return QVariant(qint32(n));
        }
        fail(line, QStringLiteral("number '%1' out of range").arg(text));
    } else if (!suffixed) {
        // Hand-edited text may carry a plain decimal; it reads as a Double.
        const double d = body.toDouble(&ok);
        if (ok) {
            return QVariant(d);
        }
    }
    fail(line, QStringLiteral("bad value '%1'").arg(text));
}

QVariant parseValue(QStringView text, int line) {
    Scanner s(text, line);
    if (s.atEnd()) {
        fail(line, QStringLiteral("missing value"));
    }
    QVariant out;
    static const QRegularExpression colour(QStringLiteral("^&H([0-9A-Fa-f]{1,8})&$"));
    if (s.startsString()) {
        out = s.stringExpression();
    } else if (s.take(u"LoadPicture(")) {
        if (!s.peek(u'"')) {
            fail(line, QStringLiteral("LoadPicture needs a quoted text"));
        }
        const QByteArray data = s.literal().toLatin1();
        if (!s.take(u")")) {
            fail(line, QStringLiteral("LoadPicture without ')'"));
        }
        QPixmap pixmap;
        if (!data.isEmpty()) {
            const auto decoded =
                QByteArray::fromBase64Encoding(data, QByteArray::AbortOnBase64DecodingErrors);
            if (!decoded || !pixmap.loadFromData(*decoded, "PNG")) {
                fail(line, QStringLiteral("picture data is not a base64 PNG"));
            }
        }
        out = pixmap;
    } else {
        const QString word = s.rest().toString();
        if (word.compare(u"True", Qt::CaseInsensitive) == 0) {
            return true;
        }
        if (word.compare(u"False", Qt::CaseInsensitive) == 0) {
            return false;
        }
        if (word.compare(u"Empty", Qt::CaseInsensitive) == 0) {
            return {};
        }
        if (word.startsWith(u"&H", Qt::CaseInsensitive)) {
            const auto m = colour.match(word);
            if (!m.hasMatch()) {
                fail(line, QStringLiteral("bad colour '%1'").arg(word));
            }
            return QVariant(m.captured(1).toUInt(nullptr, 16));
        }
        return parseNumber(word, line);
    }
    s.expectEnd();
    return out;
}

bool parseFlag(QStringView text, int line) {
    const QString t = text.trimmed().toString();
    if (t.compare(u"True", Qt::CaseInsensitive) == 0 || t == u"-1" || t == u"1") {
        return true;
    }
    if (t.compare(u"False", Qt::CaseInsensitive) == 0 || t == u"0") {
        return false;
    }
    fail(line, QStringLiteral("bad flag '%1'").arg(t));
}

struct FontBlock {
    QString key;
    int line = 0;
    QFont font;
    bool hasName = false;
};

void applyFontLine(FontBlock &block, const QString &name, QStringView value, int line) {
    bool ok = true;
    if (name.compare(u"Name", Qt::CaseInsensitive) == 0) {
        Scanner s(value, line);
        if (!s.startsString()) {
            fail(line, QStringLiteral("font name must be a text"));
        }
        block.font.setFamily(s.stringExpression());
        s.expectEnd();
        block.hasName = true;
    } else if (name.compare(u"Size", Qt::CaseInsensitive) == 0) {
        const double size = value.trimmed().toDouble(&ok);
        if (ok && size > 0) {
            block.font.setPointSizeF(size);
        } else {
            ok = false;
        }
    } else if (name.compare(u"PixelSize", Qt::CaseInsensitive) == 0) {
        const int size = value.trimmed().toInt(&ok);
        if (ok && size > 0) {
            block.font.setPixelSize(size);
        } else {
            ok = false;
        }
    } else if (name.compare(u"Weight", Qt::CaseInsensitive) == 0) {
        const int weight = value.trimmed().toInt(&ok);
        if (ok && weight >= 1 && weight <= 1000) {
            block.font.setWeight(QFont::Weight(weight));
        } else {
            ok = false;
        }
    } else if (name.compare(u"Underline", Qt::CaseInsensitive) == 0) {
        block.font.setUnderline(parseFlag(value, line));
    } else if (name.compare(u"Italic", Qt::CaseInsensitive) == 0) {
        block.font.setItalic(parseFlag(value, line));
    } else if (name.compare(u"Strikethrough", Qt::CaseInsensitive) == 0) {
        block.font.setStrikeOut(parseFlag(value, line));
    } else if (name.compare(u"Charset", Qt::CaseInsensitive) == 0) {
        (void)value.trimmed().toInt(&ok); // Qt picks the character set itself.
    } else {
        fail(line, QStringLiteral("unknown font attribute '%1'").arg(name));
    }
    if (!ok) {
        fail(line, QStringLiteral("bad %1 '%2'").arg(name, value.trimmed()));
    }
}

} // namespace

bool isStorable(const QVariant &value) {
    return !valueText(value).isEmpty() || value.metaType() == QMetaType::fromType<QFont>();
}

QString formatEntry(const QString &key, const QVariant &value) {
    if (value.metaType() != QMetaType::fromType<QFont>()) {
        return key + QStringLiteral(" = ") + valueText(value) + QLatin1Char('\n');
    }
    const QFont f = value.value<QFont>();
    QString out = QStringLiteral("BeginProperty ") + key + QLatin1Char('\n');
    out += kIndent + QStringLiteral("Name = ") + quoteString(f.family()) + QLatin1Char('\n');
    if (f.pointSizeF() > 0) {
        out += kIndent + QStringLiteral("Size = ") + shortest(f.pointSizeF()) + QLatin1Char('\n');
    } else {
        out += kIndent + QStringLiteral("PixelSize = %1\n").arg(f.pixelSize());
    }
    out += kIndent + QStringLiteral("Weight = %1\n").arg(int(f.weight()));
    out += kIndent + QStringLiteral("Underline = ") + boolText(f.underline()) + QLatin1Char('\n');
    out += kIndent + QStringLiteral("Italic = ") + boolText(f.italic()) + QLatin1Char('\n');
    out +=
        kIndent + QStringLiteral("Strikethrough = ") + boolText(f.strikeOut()) + QLatin1Char('\n');
    out += QStringLiteral("EndProperty\n");
    return out;
}

void parse(const QString &text,
           const std::function<void(const QString &, const QVariant &)> &sink) {
    static const QRegularExpression name(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    const QStringList lines = text.split(u'\n');
    std::optional<FontBlock> block;
    for (int i = 0; i < lines.size(); ++i) {
        const int lineNo = i + 1;
        QStringView line = QStringView(lines.at(i)).trimmed();
        if (line.isEmpty() || line.startsWith(u'\'')) {
            continue;
        }
        // "BeginProperty = 1" is a value stored under that name, not a block.
        if (line.startsWith(u"BeginProperty", Qt::CaseInsensitive) &&
            (line.size() == 13 || line.at(13).isSpace()) &&
            !line.mid(13).trimmed().startsWith(u'=')) {
            if (block) {
                fail(lineNo, QStringLiteral("BeginProperty inside the block begun on line %1")
                                 .arg(block->line));
            }
            const QString key = line.mid(13).trimmed().toString();
            if (!name.match(key).hasMatch()) {
                fail(lineNo, QStringLiteral("BeginProperty needs a property name"));
            }
            block = FontBlock{key, lineNo, QFont(), false};
            continue;
        }
        if (line.compare(u"EndProperty", Qt::CaseInsensitive) == 0) {
            if (!block) {
                fail(lineNo, QStringLiteral("EndProperty without BeginProperty"));
            }
            if (!block->hasName) {
                fail(lineNo, QStringLiteral("font block '%1' has no Name").arg(block->key));
            }
            sink(block->key, block->font);
            block.reset();
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        const QString key = eq < 0 ? QString() : line.left(eq).trimmed().toString();
        if (eq < 0 || !name.match(key).hasMatch()) {
            fail(lineNo, QStringLiteral("expected 'Key = value', found '%1'").arg(line));
        }
        if (block) {
            applyFontLine(*block, key, line.mid(eq + 1), lineNo);
        } else {
            sink(key, parseValue(line.mid(eq + 1), lineNo));
        }
    }
    if (block) {
        fail(block->line, QStringLiteral("BeginProperty %1 has no EndProperty").arg(block->key));
    }
}

} // namespace Vantrel3::bagtext
