#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

namespace Vantrel3 {

// A FormatString split into its parts: "<Name|^Code|>Amount;|North|South" gives three column
// headings (with their alignment markers) and three row headings.
struct GridFormatString {
    struct Segment {
        QString text;          // as stored in the cell: without marker and outer spaces
        QString measured;      // what sets the width: spaces kept, so padding widens
        qint32 alignment = -1; // ColAlignment from a leading < ^ >, or -1 when none
    };

    std::vector<Segment> columns; // column k's heading goes to row 0
    std::vector<Segment> rows;    // row k's heading goes to column 0
    bool hasRowPart = false;

    static GridFormatString parse(const QString &format);
};

} // namespace Vantrel3
