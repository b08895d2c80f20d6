#include "grid/grid_text_cache.h"

#include <QTransform>

namespace Vantrel3 {

namespace {

bool isOnePlainLine(QStringView text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x2028 || u == 0x2029) {
            return false;
        }
    }
    return true;
}

} // namespace

const QStaticText *GridTextCache::find(QStringView text, const QFont &font) {
    if (!isOnePlainLine(text)) {
        return nullptr;
    }
    if (!(font == m_font)) {
        m_texts.clear();
        m_font = font;
    }
    // Looked up without copying the text; copied only when it is added.
    const QString key = QString::fromRawData(text.data(), text.size());
    if (const auto it = m_texts.constFind(key); it != m_texts.constEnd()) {
        return &it.value();
    }
    if (m_texts.size() >= kLimit) {
        m_texts.clear();
    }
    QStaticText laidOut(text.toString());
    laidOut.setTextFormat(Qt::PlainText);
    laidOut.prepare(QTransform(), font);
    return &m_texts.insert(text.toString(), laidOut).value();
}

} // namespace Vantrel3
