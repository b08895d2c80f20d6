#pragma once

#include "host/twips_geometry.h"

#include <Vantrel3/OleColor.h>

#include <QClipboard>
#include <QFont>
#include <QLineEdit>

#include <functional>

namespace Vantrel3 {

// The text box laid over the current cell. It behaves like the classic single-line box the
// control was written against: MaxLength limits only what the user types or pastes, Change fires
// only on a real change, and the key events carry by-reference codes that a handler may change.
// Geometry is in twips relative to the parent.
class EditorBox : public QLineEdit, public TwipsGeometry {
    Q_OBJECT

public:
    explicit EditorBox(QWidget *parent = nullptr);
    ~EditorBox() override;

    // Code may set any text; it is never cut to MaxLength.
    QString Text() const { return text(); }
    void SetText(const QString &value);

    // 0 or negative: no limit.
    qint32 MaxLength() const { return m_maxLength; }
    void SetMaxLength(qint32 value) { m_maxLength = value; }

    // Negative values raise error 380, as the classic box does.
    qint32 SelStart() const;
    void SetSelStart(qint32 value);
    qint32 SelLength() const;
    void SetSelLength(qint32 value);

    // The widget's own flag: True even while the parent is not shown.
    bool Visible() const { return !isHidden(); }
    void SetVisible(bool value) { setVisible(value); }

    OleColor BackColor() const { return m_backColor; }
    void SetBackColor(OleColor value);
    OleColor ForeColor() const { return m_foreColor; }
    void SetForeColor(OleColor value);
    QFont Font() const { return font(); }
    void SetFont(const QFont &value) { setFont(value); }

    bool MultiLine() const { return false; }

    // What a paste may bring in: the pasted text goes through it, so that a paste lets in no
    // character that typing would refuse.
    void setPasteFilter(std::function<QString(const QString &)> filter) {
        m_pasteFilter = std::move(filter);
    }

Q_SIGNALS:
    void Change();
    void KeyDown(qint16 &KeyCode, qint16 &Shift);
    void KeyPress(qint16 &KeyAscii);
    void KeyUp(qint16 &KeyCode, qint16 &Shift);
    void Click();
    void GotFocus();
    void LostFocus();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    class UserEdit;

    void handleKeyPress(QKeyEvent *event);
    // Runs the character codes of typed text through KeyPress and inserts what is left.
    void typeText(const QString &typed);
    // A code KeyPress changed: the character it stands for, or the editing action of a control
    // code (Backspace, copy, paste, cut, undo).
    void applyChangedCode(qint16 keyAscii);
    void defaultKeyPress(QKeyEvent *event);
    // Inserts at the caret, replacing the selection, as much of the text as MaxLength allows.
    void insertLimited(const QString &inserted);
    void pasteLimited(QClipboard::Mode mode);
    qint32 roomForInsertion() const;
    void notifyIfChanged();
    void applyColors();

    qint32 m_maxLength = 0;
    std::function<QString(const QString &)> m_pasteFilter;
    OleColor m_backColor = OleColor::WindowBackground;
    OleColor m_foreColor = OleColor::WindowText;
    // The text as of the last Change; Change fires when the text differs from it.
    QString m_notifiedText;
    // While positive, Qt's own textChanged is not turned into Change: the edit in progress
    // reports once it is complete, outside QLineEdit's internals.
    int m_userEditDepth = 0;
};

} // namespace Vantrel3
