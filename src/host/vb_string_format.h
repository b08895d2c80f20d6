#pragma once

#include <QString>
#include <QStringView>
#include <vector>

namespace Vantrel3::vb::detail {

enum class StringPart : quint8 { Literal, Char, CharOrNothing };

struct StringToken {
    StringPart part = StringPart::Literal;
    QString text;
};

// One section of a user-defined string format ("@@@-@@@@", ">&&&", "!@@@@").
struct StringSection {
    std::vector<StringToken> tokens;
    int placeholders = 0;
    int caseMode = 0; // 0 as typed, 1 lower ('<'), 2 upper ('>'); the last one written wins
    bool leftToRight = false;
    bool empty = true;
};

StringSection compileStringSection(QStringView section);

QString renderString(const StringSection &section, const QString &text);

} // namespace Vantrel3::vb::detail
