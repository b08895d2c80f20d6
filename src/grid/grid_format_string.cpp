#include "grid/grid_format_string.h"

#include <Vantrel3/Enums.h>

namespace Vantrel3 {

namespace {

GridFormatString::Segment segment(const QString &piece, bool markers) {
    GridFormatString::Segment s;
    QString body = piece;
    if (markers && !body.isEmpty()) {
        switch (body.front().unicode()) {
        case u'<':
            s.alignment = eAlignLeftCenter;
            break;
        case u'^':
            s.alignment = eAlignCenterCenter;
            break;
        case u'>':
            s.alignment = eAlignRightCenter;
            break;
        default:
            break;
        }
        if (s.alignment >= 0) {
            body.remove(0, 1);
        }
    }
    s.measured = body;
    s.text = body.trimmed();
    return s;
}

} // namespace

GridFormatString GridFormatString::parse(const QString &format) {
    GridFormatString result;
    const qsizetype semicolon = format.indexOf(u';');
    const QString columnPart = semicolon < 0 ? format : format.left(semicolon);
    if (!columnPart.isEmpty()) {
        for (const QString &piece : columnPart.split(u'|')) {
            result.columns.push_back(segment(piece, true));
        }
    }
    if (semicolon >= 0) {
        result.hasRowPart = true;
        for (const QString &piece : format.mid(semicolon + 1).split(u'|')) {
            result.rows.push_back(segment(piece, false));
        }
    }
    return result;
}

} // namespace Vantrel3
