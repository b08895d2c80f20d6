#pragma once

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QString>
#include <QStringView>

namespace Vantrel3 {

// Single-line cell texts laid out once and kept: shaping a text costs many times more than
// drawing its glyphs, and the same cells are drawn again and again as the current cell comes and
// goes. Bounded, and emptied when the font changes.
class GridTextCache {
public:
    // The text laid out in the font, or null when it is not one plain line (control characters,
    // line separators): such a text is drawn the general way.
    const QStaticText *find(QStringView text, const QFont &font);
    qsizetype size() const { return m_texts.size(); }

private:
    static constexpr qsizetype kLimit = 8192; // several screens of cells
    QHash<QString, QStaticText> m_texts;
    QFont m_font;
};

} // namespace Vantrel3
