#include "control/cell_block.h"

namespace Vantrel3 {

namespace {

bool needsQuotes(const QString &cell) {
    return cell.contains(u'\t') || cell.contains(u'\n') || cell.contains(u'\r') ||
           cell.contains(u'"');
}

QString quoted(const QString &cell) {
    QString out = cell;
    out.replace(u'"', QStringLiteral("\"\""));
    return u'"' + out + u'"';
}

} // namespace

QList<QStringList> CellBlock::parse(const QString &text) {
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    bool inQuotes = false;
    bool cellStarted = false;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = text.at(i);
        if (inQuotes) {
            if (ch == u'"' && i + 1 < n && text.at(i + 1) == u'"') {
                cell += u'"';
                ++i;
            } else if (ch == u'"') {
                inQuotes = false;
            } else {
                cell += ch;
            }
            continue;
        }
        if (ch == u'"' && !cellStarted && cell.isEmpty()) {
            inQuotes = true;
            cellStarted = true;
        } else if (ch == u'\t') {
            row.append(std::exchange(cell, QString()));
            cellStarted = false;
        } else if (ch == u'\n' || ch == u'\r') {
            if (ch == u'\r' && i + 1 < n && text.at(i + 1) == u'\n') {
                ++i;
            }
            row.append(std::exchange(cell, QString()));
            rows.append(std::exchange(row, QStringList()));
            cellStarted = false;
        } else {
            cell += ch;
            cellStarted = true;
        }
    }
    // The last row has no line break after it, or the text ended in one.
    if (!row.isEmpty() || !cell.isEmpty() || cellStarted) {
        row.append(cell);
        rows.append(row);
    }
    return rows;
}

QString CellBlock::toTabSeparated(const QList<QStringList> &rows) {
    QString out;
    for (const QStringList &row : rows) {
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c > 0) {
                out += u'\t';
            }
            out += needsQuotes(row.at(c)) ? quoted(row.at(c)) : row.at(c);
        }
        out += u'\n';
    }
    return out;
}

QString CellBlock::toHtml(const QList<QStringList> &rows) {
    QString out = QStringLiteral("<table>");
    for (const QStringList &row : rows) {
        out += QStringLiteral("<tr>");
        for (const QString &cell : row) {
            out += QStringLiteral("<td>") + cell.toHtmlEscaped() + QStringLiteral("</td>");
        }
        out += QStringLiteral("</tr>");
    }
    out += QStringLiteral("</table>");
    return out;
}

bool CellBlock::isBlock(const QString &text) {
    const QList<QStringList> rows = parse(text);
    return rows.size() > 1 || (rows.size() == 1 && rows.front().size() > 1);
}

} // namespace Vantrel3
