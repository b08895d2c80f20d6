#include "editing/editor_box.h"

#include "host/key_codes.h"

#include <Vantrel3/ErrorSink.h>
#include <Vantrel3/Twips.h>
#include <Vantrel3/VbError.h>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpression>
#include <algorithm>
#include <limits>

namespace Vantrel3 {

// Marks an edit made through QLineEdit so that its textChanged is reported once, as Change,
// after the edit is complete.
class EditorBox::UserEdit {
public:
    explicit UserEdit(EditorBox *box) : m_box(box) { ++m_box->m_userEditDepth; }
    ~UserEdit() { --m_box->m_userEditDepth; }
    UserEdit(const UserEdit &) = delete;
    UserEdit &operator=(const UserEdit &) = delete;

private:
    EditorBox *m_box;
};

namespace {

constexpr qint16 kBackspace = 8;
constexpr qint16 kEnter = 13;
constexpr qint16 kEscape = 27;
constexpr qint16 kCtrlC = 3;
constexpr qint16 kCtrlV = 22;
constexpr qint16 kCtrlX = 24;
constexpr qint16 kCtrlZ = 26;

// Text the key types into the box, by the rule QLineEdit itself applies (Ctrl and Ctrl+Shift
// chords type nothing; AltGr does).
bool typesText(const QKeyEvent *event) {
    const QString text = event->text();
    if (text.isEmpty()) {
        return false;
    }
    const QChar c = text.front();
    if (c.category() == QChar::Other_Format) {
        return true;
    }
    // A keypad key with Ctrl still types its character into the line edit: it must go through
    // KeyPress and the cell's filter like any other.
    if ((event->modifiers() & Qt::KeypadModifier) && c.isPrint()) {
        return true;
    }
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::ControlModifier || mods == (Qt::ShiftModifier | Qt::ControlModifier)) {
        return false;
    }
    return c.isPrint() || c.category() == QChar::Other_PrivateUse ||
           (c.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate());
}

// The character code of a key that types a control character: Enter, Backspace, Escape and
// the Ctrl+letter chords (Ctrl+C is 3, Ctrl+V 22 ...). 0 for every other key.
qint16 controlCode(const QKeyEvent *event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kEnter;
    case Qt::Key_Backspace:
        return (mods & Qt::ControlModifier) ? 0 : kBackspace;
    case Qt::Key_Escape:
        return kEscape;
    default:
        break;
    }
    const bool ctrlOnly =
        (mods & Qt::ControlModifier) && !(mods & (Qt::AltModifier | Qt::MetaModifier));
    if (ctrlOnly && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z) {
        return qint16(event->key() - Qt::Key_A + 1);
    }
    return 0;
}

bool isControlCode(qint16 code) {
    return code >= 0 && code < 32;
}

} // namespace

EditorBox::EditorBox(QWidget *parent) : QLineEdit(parent), TwipsGeometry(this) {
    // QLineEdit cuts any text, code-set included, to its own limit; MaxLength is applied to
    // user input only, so QLineEdit's limit stays out of the way.
    QLineEdit::setMaxLength(std::numeric_limits<int>::max());
    // A drop would bypass both MaxLength and the key handlers that filter a cell's input.
    setAcceptDrops(false);
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (m_userEditDepth == 0) {
            guarded("EditorBox::Change", [this] { notifyIfChanged(); });
        }
    });
}

EditorBox::~EditorBox() = default;

void EditorBox::SetText(const QString &value) {
    if (value == text()) {
        return;
    }
    {
        UserEdit edit(this);
        setText(value);
        // Like the classic box, new text shows from its start with the caret before it.
        setCursorPosition(0);
    }
    notifyIfChanged();
}

qint32 EditorBox::SelStart() const {
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

void EditorBox::SetSelStart(qint32 value) {
    if (value < 0) {
        throw VbError(VbError::InvalidPropertyValue);
    }
    setCursorPosition(int(std::min<qsizetype>(value, text().size())));
}

qint32 EditorBox::SelLength() const {
    return qint32(selectedText().size());
}

void EditorBox::SetSelLength(qint32 value) {
    if (value < 0) {
        throw VbError(VbError::InvalidPropertyValue);
    }
    const qint32 start = SelStart();
    const qint32 length = qint32(std::min<qsizetype>(value, text().size() - start));
    if (length == 0) {
        setCursorPosition(start);
    } else {
        setSelection(start, length);
    }
}

void EditorBox::SetBackColor(OleColor value) {
    m_backColor = value;
    applyColors();
}

void EditorBox::SetForeColor(OleColor value) {
    m_foreColor = value;
    applyColors();
}

void EditorBox::applyColors() {
    // System colours are resolved through the application's palette, not the box's own, which
    // already carries the previous choice.
    const QPalette system = QApplication::palette(this);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, m_backColor.toQColor(system));
    pal.setColor(QPalette::Text, m_foreColor.toQColor(system));
    setPalette(pal);
}

void EditorBox::notifyIfChanged() {
    if (m_userEditDepth > 0 || text() == m_notifiedText) {
        return;
    }
    m_notifiedText = text();
    Q_EMIT Change();
}

qint32 EditorBox::roomForInsertion() const {
    if (m_maxLength <= 0) {
        return std::numeric_limits<qint32>::max();
    }
    return m_maxLength - qint32(text().size() - selectedText().size());
}

void EditorBox::insertLimited(const QString &inserted) {
    if (isReadOnly() || inserted.isEmpty()) {
        return;
    }
    const qint32 room = roomForInsertion();
    if (room <= 0) {
        return;
    }
    QString part = inserted.left(room);
    if (!part.isEmpty() && part.back().isHighSurrogate() && part.size() < inserted.size()) {
        part.chop(1); // never keep half of a character
    }
    if (part.isEmpty()) {
        return;
    }
    {
        UserEdit edit(this);
        insert(part);
    }
    notifyIfChanged();
}

void EditorBox::pasteLimited(QClipboard::Mode mode) {
    QString clip = QGuiApplication::clipboard()->text(mode);
    // A single-line box takes the clipboard's first line, as the classic box does.
    const qsizetype lineEnd = clip.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    if (lineEnd >= 0) {
        clip.truncate(lineEnd);
    }
    if (m_pasteFilter) {
        clip = m_pasteFilter(clip);
    }
    insertLimited(clip);
}

bool EditorBox::event(QEvent *event) {
    // Tab and Shift+Tab are keys of the cell like any other: the host's KeyDown and the key
    // handling decide where they lead. Left to QWidget, they would move the focus along the
    // form's chain before anyone saw them.
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void EditorBox::keyPressEvent(QKeyEvent *event) {
    guarded("EditorBox::keyPressEvent", [&] { handleKeyPress(event); });
}

void EditorBox::handleKeyPress(QKeyEvent *event) {
    qint16 keyCode = KeyCodes::fromQtKey(event->key());
    bool keyDownCancelled = false;
    if (keyCode != 0) {
        qint16 shift = KeyCodes::shiftState(event->modifiers());
        Q_EMIT KeyDown(keyCode, shift);
        keyDownCancelled = keyCode == 0;
    }
    // As on the classic platform, a zeroed KeyCode cancels what the key itself does (moving the
    // caret, deleting), but its character still reaches KeyPress, where only KeyAscii = 0
    // discards it. The Enter step of the key handling relies on this order.

    if (typesText(event)) {
        event->accept();
        const QString typed = event->text();
        if (typed.size() == 1) {
            const qint16 code = KeyCodes::keyAsciiFromChar(typed.front());
            qint16 keyAscii = code;
            Q_EMIT KeyPress(keyAscii);
            if (keyAscii == 0) {
                return;
            }
            if (keyAscii != code) {
                applyChangedCode(keyAscii);
            } else if (roomForInsertion() >= 1) {
                defaultKeyPress(event); // QLineEdit's own typing keeps its caret and undo habits
            }
            return;
        }
        typeText(typed);
        return;
    }

    const qint16 code = controlCode(event);
    if (code != 0) {
        qint16 keyAscii = code;
        Q_EMIT KeyPress(keyAscii);
        if (keyAscii == 0) {
            event->accept();
            return;
        }
        if (keyAscii != code) {
            event->accept();
            applyChangedCode(keyAscii);
            return;
        }
    }
    if (keyDownCancelled) {
        event->accept();
        return;
    }
    defaultKeyPress(event);
}

void EditorBox::typeText(const QString &typed) {
    for (qsizetype i = 0; i < typed.size(); ++i) {
        const QChar ch = typed.at(i);
        if (ch.isHighSurrogate() && i + 1 < typed.size() && typed.at(i + 1).isLowSurrogate()) {
            // Beyond 16 bits: KeyPress sees its first half, and refusing that refuses it whole.
            qint16 keyAscii = KeyCodes::keyAsciiFromChar(ch);
            Q_EMIT KeyPress(keyAscii);
            if (keyAscii != 0) {
                insertLimited(typed.mid(i, 2));
            }
            ++i;
            continue;
        }
        const qint16 code = KeyCodes::keyAsciiFromChar(ch);
        qint16 keyAscii = code;
        Q_EMIT KeyPress(keyAscii);
        if (keyAscii == 0) {
            continue;
        }
        if (keyAscii != code) {
            applyChangedCode(keyAscii);
        } else if (!isControlCode(code)) {
            insertLimited(QString(ch));
        }
    }
}

void EditorBox::applyChangedCode(qint16 keyAscii) {
    if (!isControlCode(keyAscii)) {
        insertLimited(QString(KeyCodes::charFromKeyAscii(keyAscii)));
        return;
    }
    if (keyAscii == kCtrlV) {
        if (!isReadOnly()) {
            pasteLimited(QClipboard::Clipboard);
        }
        return;
    }
    {
        UserEdit edit(this);
        switch (keyAscii) {
        case kBackspace:
            if (isReadOnly()) {
                break;
            }
            if (hasSelectedText()) {
                del();
            } else {
                backspace();
            }
            break;
        case kCtrlC:
            copy();
            break;
        case kCtrlX:
            cut();
            break;
        case kCtrlZ:
            undo();
            break;
        default:
            break; // Enter, Escape and the other control codes type nothing
        }
    }
    notifyIfChanged();
}

void EditorBox::defaultKeyPress(QKeyEvent *event) {
    if (event->matches(QKeySequence::Paste)) {
        event->accept();
        if (!isReadOnly()) {
            pasteLimited(QClipboard::Clipboard);
        }
        return;
    }
    {
        UserEdit edit(this);
        QLineEdit::keyPressEvent(event);
    }
    notifyIfChanged();
}

void EditorBox::keyReleaseEvent(QKeyEvent *event) {
    guarded("EditorBox::keyReleaseEvent", [&] {
        qint16 keyCode = KeyCodes::fromQtKey(event->key());
        if (keyCode != 0 && !event->isAutoRepeat()) {
            qint16 shift = KeyCodes::shiftState(event->modifiers());
            Q_EMIT KeyUp(keyCode, shift);
        }
        QLineEdit::keyReleaseEvent(event);
    });
}

void EditorBox::inputMethodEvent(QInputMethodEvent *event) {
    guarded("EditorBox::inputMethodEvent", [&] {
        if (event->commitString().isEmpty() || isReadOnly()) {
            {
                UserEdit edit(this);
                QLineEdit::inputMethodEvent(event);
            }
            notifyIfChanged();
            return;
        }
        // Committed text is typed like keys (KeyPress, MaxLength); the rest of the event (the
        // composition shown and any replaced range) goes to QLineEdit.
        QInputMethodEvent rest(event->preeditString(), event->attributes());
        rest.setCommitString(QString(), event->replacementStart(), event->replacementLength());
        {
            UserEdit edit(this);
            QLineEdit::inputMethodEvent(&rest);
        }
        notifyIfChanged();
        typeText(event->commitString());
        event->accept();
    });
}

void EditorBox::mouseReleaseEvent(QMouseEvent *event) {
    guarded("EditorBox::mouseReleaseEvent", [&] {
        if (event->button() == Qt::MiddleButton && !isReadOnly() &&
            QGuiApplication::clipboard()->supportsSelection()) {
            // The X11 selection paste, limited like every other paste.
            deselect();
            pasteLimited(QClipboard::Selection);
            event->accept();
            return;
        }
        QLineEdit::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
            Q_EMIT Click();
        }
    });
}

void EditorBox::contextMenuEvent(QContextMenuEvent *event) {
    guarded("EditorBox::contextMenuEvent", [&] {
        QMenu *menu = createStandardContextMenu();
        if (!menu) {
            return;
        }
        menu->setAttribute(Qt::WA_DeleteOnClose);
        // The menu's Paste would insert the whole clipboard; route it through MaxLength. The
        // action is the one connected to QLineEdit::paste (Qt versions differ in how it is
        // connected, and it has no stable name).
        for (QAction *action : menu->actions()) {
            if (disconnect(action, &QAction::triggered, this, &QLineEdit::paste) ||
                disconnect(action, SIGNAL(triggered()), this, SLOT(paste()))) {
                connect(action, &QAction::triggered, this, [this] {
                    guarded("EditorBox::paste", [this] { pasteLimited(QClipboard::Clipboard); });
                });
            }
        }
        menu->popup(event->globalPos());
    });
}

void EditorBox::focusInEvent(QFocusEvent *event) {
    guarded("EditorBox::focusInEvent", [&] {
        QLineEdit::focusInEvent(event);
        // Closing the box's own context menu is no focus change for the host.
        if (event->reason() != Qt::PopupFocusReason) {
            Q_EMIT GotFocus();
        }
    });
}

void EditorBox::focusOutEvent(QFocusEvent *event) {
    guarded("EditorBox::focusOutEvent", [&] {
        QLineEdit::focusOutEvent(event);
        if (event->reason() != Qt::PopupFocusReason) {
            Q_EMIT LostFocus();
        }
    });
}

} // namespace Vantrel3
