#include "editing/edit_session.h"

namespace Vantrel3 {

void EditSession::load(qint32 row, qint32 col, const QString &text) {
    m_row = row;
    m_col = col;
    m_loadedText = text;
}

void EditSession::forget() {
    m_row = m_col = -1;
    m_loadedText.clear();
}

bool EditSession::holdsTyping(qint32 row, qint32 col, const QString &editorText) const {
    return row == m_row && col == m_col && editorText != m_loadedText;
}

void EditSession::rowsInserted(qint32 first, qint32 count) {
    if (m_row >= first) {
        m_row += count;
    }
}

void EditSession::rowsRemoved(qint32 first, qint32 count) {
    if (m_row >= first + count) {
        m_row -= count;
    } else if (m_row >= first) {
        forget();
    }
}

} // namespace Vantrel3
