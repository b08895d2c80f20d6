#include "common/control_parts.h"
#include "common/message_box_recorder.h"
#include "common/shown_control.h"
#include "common/wait.h"
#include "editing/editor_box.h"
#include "pickers/frm_list.h"

#include <Vantrel3/FlexGrid.h>
#include <Vantrel3/Vantrel.h>
#include <Vantrel3/VbError.h>
#include <Vantrel3/vbruntime.h>

#include <QTest>
#include <gtest/gtest.h>

using namespace Vantrel3;

namespace {

// Types text key by key; characters without a key of their own arrive as text-only key events,
// as an input method or a foreign layout delivers them.
void typeKeys(QWidget *w, const QString &text) {
    for (const QChar ch : text) {
        if (ch.unicode() < 0x80) {
            QTest::keyClick(w, char(ch.unicode()));
        } else {
            QTest::sendKeyEvent(QTest::Press, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
    }
}

// One column per data type, so each test types into the cell of the type it is about.
class TypingTest : public ShownControlTest {
protected:
    void SetUp() override {
        grid.SetCols(7);
        grid.SetRows(4);
        for (qint32 type = NoType; type <= CodiceFiscale; ++type) {
            grid.ColEditMode(type, 0, NoButton, type);
        }
        ASSERT_NO_FATAL_FAILURE(show(900, 300));
    }

    // Puts the editor on (row, col), empties it and types the text key by key.
    QString typeInto(qint32 row, qint32 col, const QString &keys) {
        grid.SetRow(row);
        grid.SetCol(col);
        editor()->SetText(QString());
        editor()->setFocus();
        typeKeys(editor(), keys);
        return editor()->Text();
    }
};

} // namespace

TEST_F(TypingTest, EachDataTypeFiltersTypedCharacters) {
    // Letters, digits, separators, an accented letter and a non-Latin digit.
    const QString keys = QStringLiteral("a1/:-,.b\u00E0\u0663 9");
    struct Case {
        qint32 type;
        QString expected;
    };
    const Case cases[] = {
        {NoType, keys},
        {AlphaNumeric, keys},
        {Numeric, QStringLiteral("19")},
        {Date, QStringLiteral("1/9")},
        {Time, QStringLiteral("1:9")},
        {PartitaIva, QStringLiteral("19")},
        {CodiceFiscale, keys},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(typeInto(1, c.type, keys), c.expected) << "data type " << c.type;
    }
}

TEST_F(TypingTest, DatesWithSlashesAndTimesWithColonsCanBeTyped) {
    EXPECT_EQ(typeInto(1, Date, QStringLiteral("12/05/1999")), QStringLiteral("12/05/1999"));
    EXPECT_EQ(typeInto(1, Date, QStringLiteral("12-05-1999")), QStringLiteral("12051999"));
    EXPECT_EQ(typeInto(1, Time, QStringLiteral("12:30")), QStringLiteral("12:30"));
}

TEST_F(TypingTest, CaseTypesConvertTypedLettersIncludingAccentedOnes) {
    grid.ColEditMode(0, 0, NoButton, NoType, UpperCase);
    grid.ColEditMode(1, 0, NoButton, NoType, LowerCase);
    grid.ColEditMode(2, 0, NoButton, NoType, ProperCase);
    grid.AddEditStyle(0, 2, 0, NoType, UpperCase);
    grid.AddEditStyle(1, 2, 0, NoType, LowerCase);
    grid.AddEditStyle(2, 2, 0, NoType, ProperCase);
    const QString keys = QStringLiteral("mario \u00E0\u00E8\u00C9 ROSSI \u00FF");
    EXPECT_EQ(typeInto(2, 0, keys), QStringLiteral("MARIO \u00C0\u00C8\u00C9 ROSSI \u0178"));
    EXPECT_EQ(typeInto(2, 1, keys), QStringLiteral("mario \u00E0\u00E8\u00E9 rossi \u00FF"));
    // Proper case is applied when the cell is left, not while typing.
    EXPECT_EQ(typeInto(2, 2, keys), keys);
}

TEST_F(TypingTest, RefusedCharacterOnTheLastRowStillAppendsARow) {
    const qint32 rows = grid.Rows();
    EXPECT_EQ(typeInto(rows - 1, Numeric, QStringLiteral("x")), QString());
    EXPECT_EQ(grid.Rows(), rows + 1);
    EXPECT_EQ(grid.Row(), rows - 1);
    // The row below now exists, so further typing appends nothing.
    typeKeys(editor(), QStringLiteral("12"));
    EXPECT_EQ(grid.Rows(), rows + 1);
    EXPECT_EQ(editor()->Text(), QStringLiteral("12"));
}

TEST_F(TypingTest, EnterIsSwallowedAndAppendsOnTheLastRowOnly) {
    typeInto(1, NoType, QStringLiteral("abc"));
    qint16 key = 13;
    Q_EMIT editor()->KeyPress(key);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(grid.Rows(), 4);

    grid.SetAutoInsert(false);
    grid.SetRow(3);
    key = 13;
    Q_EMIT editor()->KeyPress(key);
    EXPECT_EQ(grid.Rows(), 4);

    grid.SetAutoInsert(true);
    key = 13;
    Q_EMIT editor()->KeyPress(key);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(grid.Rows(), 5);
}

TEST_F(TypingTest, WithTheListOnScreenBackspaceEmptiesTheEditorAndEnterClosesTheList) {
    frmList *list = parts::list(grid);
    typeInto(1, NoType, QStringLiteral("Rom"));

    // Without completion the list plays no part.
    list->show();
    qint16 key = 8;
    Q_EMIT editor()->KeyPress(key);
    EXPECT_EQ(key, 8);
    EXPECT_EQ(editor()->Text(), QStringLiteral("Rom"));

    grid.SetAutoComplete(true);
    key = 8;
    Q_EMIT editor()->KeyPress(key);
    EXPECT_EQ(key, 8);
    EXPECT_EQ(editor()->Text(), QString());

    key = 13;
    Q_EMIT editor()->KeyPress(key);
    EXPECT_FALSE(list->isVisible());

    // With the list closed, Backspace is left to the editor.
    editor()->SetText(QStringLiteral("Rom"));
    key = 8;
    Q_EMIT editor()->KeyPress(key);
    EXPECT_EQ(editor()->Text(), QStringLiteral("Rom"));
}

TEST_F(TypingTest, WithEditingOffKeysPassUnchanged) {
    grid.SetRow(1);
    grid.SetCol(Numeric);
    grid.SetAllowEdit(false);
    for (qint16 code : {qint16('a'), qint16(0xE0), qint16(8), qint16(3)}) {
        qint16 key = code;
        Q_EMIT editor()->KeyPress(key);
        EXPECT_EQ(key, code);
    }
}

TEST_F(TypingTest, ControlCharactersAndBackspacePassTheFilter) {
    grid.SetRow(1);
    grid.SetCol(Numeric);
    for (qint16 code : {qint16(8), qint16(3), qint16(22), qint16(24)}) {
        qint16 key = code;
        Q_EMIT editor()->KeyPress(key);
        EXPECT_EQ(key, code);
    }
}

TEST_F(TypingTest, TypingGivesTheEditorItsTypingLook) {
    QFont typing(QStringLiteral("DejaVu Serif"), 14);
    grid.SetForeColorEdit(0x00FF0000);
    grid.SetFontEditText(typing);
    typeInto(1, NoType, QStringLiteral("a"));
    EXPECT_EQ(editor()->ForeColor().value(), 0x00FF0000u);
    EXPECT_EQ(editor()->Font().family(), typing.family());
    EXPECT_EQ(editor()->Font().pointSize(), 14);
}

TEST_F(TypingTest, FailureInTheKeyHandlerShowsTheUserNotice) {
    MessageBoxRecorder boxes;
    grid.SetRow(3);
    grid.SetCol(NoType);
    settle(); // no placement left pending
    // The appended row re-places the editor, which reloads the cell's raw text; that change
    // reaches this failing handler.
    grid2()->SetTextMatrix(3, 0, QStringLiteral("raw"));
    QObject::connect(editor(), &EditorBox::Change, &grid,
                     [] { throw VbError(5, QStringLiteral("Host"), QStringLiteral("Errore")); });
    qint16 key = 'a';
    Q_EMIT editor()->KeyPress(key);
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_EQ(boxes.boxes[0].prompt, QStringLiteral("ErroreKeyPress True"));
    EXPECT_EQ(boxes.boxes[0].style, vbInformation);
    EXPECT_EQ(boxes.boxes[0].title, QStringLiteral("Avviso Utente"));
    EXPECT_EQ(key, 'a'); // the handler ended before the filter
}

TEST_F(TypingTest, LeavingACellValidatesAndStoresShownAndRawTexts) {
    struct Case {
        qint32 type;
        qint32 caseType;
        const char *format;
        QString text;
        QString shown;
        QString raw;
    };
    const Case cases[] = {
        {Numeric, NoCase, "#,##0.00", QStringLiteral("1234,5"), QStringLiteral("1.234,50"),
         QStringLiteral("1234,5")},
        {Numeric, NoCase, "", QStringLiteral("1.234,5"), QStringLiteral("1.234,5"),
         QStringLiteral("1.234,5")},
        {Numeric, NoCase, "", QStringLiteral("abc"), QStringLiteral("Err"), QStringLiteral("Err")},
        {Numeric, UpperCase, "0.00", QStringLiteral("abc"), QStringLiteral("ABC"),
         QStringLiteral("Err")},
        {Numeric, UpperCase, "0.00", QStringLiteral("12"), QStringLiteral("12"),
         QStringLiteral("12")},
        {Date, NoCase, "dd mmmm yyyy", QStringLiteral("12/05/1999"),
         QStringLiteral("12 maggio 1999"), QStringLiteral("12/05/1999")},
        {Date, NoCase, "", QStringLiteral("13/13/1999"), QStringLiteral("Err"),
         QStringLiteral("Err")},
        {Time, NoCase, "", QStringLiteral("12:30"), QStringLiteral("12:30"),
         QStringLiteral("12:30")},
        {Time, NoCase, "", QStringLiteral("24:00"), QStringLiteral("Err"), QStringLiteral("Err")},
        {PartitaIva, NoCase, "", QStringLiteral("12345678903"), QStringLiteral("12345678903"),
         QStringLiteral("12345678903")},
        {PartitaIva, NoCase, "", QStringLiteral("12345678901"), QStringLiteral("Err"),
         QStringLiteral("Err")},
        {CodiceFiscale, NoCase, "", QStringLiteral("rssmra80a01h501u"),
         QStringLiteral("rssmra80a01h501u"), QStringLiteral("rssmra80a01h501u")},
        {CodiceFiscale, NoCase, "", QStringLiteral("RSSMRA80A01H501A"), QStringLiteral("Err"),
         QStringLiteral("Err")},
        {NoType, ProperCase, "", QStringLiteral("mario rossi"), QStringLiteral("Mario Rossi"),
         QStringLiteral("mario rossi")},
        {AlphaNumeric, NoCase, ">", QStringLiteral("abc"), QStringLiteral("abc"),
         QStringLiteral("abc")},
        {Numeric, NoCase, "0.00", QString(), QString(), QString()},
        {CodiceFiscale, NoCase, "", QString(), QString(), QString()},
    };
    qint32 row = 1;
    for (const Case &c : cases) {
        grid.AddItem(QString());
        row = grid.Rows() - 2;
        grid.AddEditStyle(0, row, 0, c.type, c.caseType, QString::fromLatin1(c.format));
        // Enter the cell after its style exists, so the editor is placed with it.
        grid.SetCol(0);
        grid.SetRow(1);
        grid.SetRow(row);
        editor()->SetText(c.text);
        grid.SetRow(row + 1);
        EXPECT_EQ(grid1()->TextMatrix(row, 0), c.shown) << c.text.toStdString();
        EXPECT_EQ(grid2()->TextMatrix(row, 0), c.raw) << c.text.toStdString();
    }
}

TEST_F(TypingTest, CodeWrittenTextIsCaseConvertedAndFormattedWithoutAnyCheck) {
    grid.AddEditStyle(0, 1, 0, Numeric, UpperCase, QStringLiteral("0.00"));
    grid.AddEditStyle(0, 2, 0, Numeric, NoCase, QStringLiteral("0.00"));
    grid.AddEditStyle(0, 3, 0, AlphaNumeric, ProperCase, QStringLiteral(">"));
    grid.SetTextMatrix(1, 0, QStringLiteral("abc"));
    grid.SetTextMatrix(2, 0, QStringLiteral("3,5"));
    grid.SetTextMatrix(3, 0, QStringLiteral("mario rossi"));
    EXPECT_EQ(grid1()->TextMatrix(1, 0), QStringLiteral("ABC"));
    EXPECT_EQ(grid2()->TextMatrix(1, 0), QStringLiteral("ABC"));
    EXPECT_EQ(grid1()->TextMatrix(2, 0), QStringLiteral("3,50"));
    EXPECT_EQ(grid2()->TextMatrix(2, 0), QStringLiteral("3,5"));
    EXPECT_EQ(grid1()->TextMatrix(3, 0), QStringLiteral("Mario Rossi"));
    EXPECT_EQ(grid2()->TextMatrix(3, 0), QStringLiteral("Mario Rossi"));
}

TEST_F(TypingTest, AddItemSplitsTabsAndStylesEachField) {
    grid.ColEditMode(1, 0, NoButton, Numeric, NoCase, QStringLiteral("0.00"));
    const qint32 rows = grid.Rows();
    grid.AddItem(QStringLiteral("a\t2\t"));
    ASSERT_EQ(grid.Rows(), rows + 1);
    EXPECT_EQ(grid1()->TextMatrix(rows, 0), QStringLiteral("a"));
    EXPECT_EQ(grid1()->TextMatrix(rows, 1), QStringLiteral("2,00"));
    EXPECT_EQ(grid2()->TextMatrix(rows, 1), QStringLiteral("2"));
    EXPECT_EQ(grid1()->TextMatrix(rows, 2), QString());

    grid.AddItem(QStringLiteral("x"), 1);
    EXPECT_EQ(grid.Rows(), rows + 2);
    EXPECT_EQ(grid1()->TextMatrix(1, 0), QStringLiteral("x"));
    EXPECT_EQ(grid2()->TextMatrix(1, 0), QStringLiteral("x"));

    grid.AddItem(QString());
    EXPECT_EQ(grid.Rows(), rows + 3);
    // Fields past the last column are dropped without failing the call.
    grid.AddItem(QStringLiteral("1\t2\t3\t4\t5\t6\t7\t8\t9"));
    EXPECT_EQ(grid.Rows(), rows + 4);
    EXPECT_EQ(grid1()->TextMatrix(rows + 3, 6), QStringLiteral("7"));
}
