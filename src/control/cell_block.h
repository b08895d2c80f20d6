#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace Vantrel3 {

// A rectangle of cell texts as spreadsheets put it on the clipboard: tab-separated cells,
// one row a line, a cell holding a tab, a line break or a quote written between quotes with its
// quotes doubled.
class CellBlock {
public:
    // The rows of a tab-separated text; the line break that ends the last row adds no row, and
    // "\r\n" counts as one break. An empty text has no rows.
    static QList<QStringList> parse(const QString &text);
    static QString toTabSeparated(const QList<QStringList> &rows);
    // The same rows as an HTML table, for programs that paste formatted tables.
    static QString toHtml(const QList<QStringList> &rows);
    // Whether a clipboard text is more than one cell.
    static bool isBlock(const QString &text);
};

} // namespace Vantrel3
