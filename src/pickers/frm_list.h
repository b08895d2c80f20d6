#pragma once

#include <QWidget>

class QEventLoop;
class QListWidget;

namespace Vantrel3 {

// The lookup list popup: a top-level form whose only child is the list box List1. The control
// keeps one instance for its whole life; the editor reads List1's items for completion even
// while the form is hidden.
class frmList : public QWidget {
    Q_OBJECT

public:
    explicit frmList(QWidget *owner = nullptr);
    ~frmList() override;

    QListWidget *List1() const { return m_list; }

    // The index of the first item, from the top, whose text begins with the given text compared
    // without regard to case; -1 when none does, and for an empty text.
    static int findString(const QListWidget *list, const QString &text);
    // List1's Text: the selected item's text, or the empty text when none is selected.
    QString listText() const;

    // Shown beside the editor: on screen without taking the focus from it.
    void showModeless();
    // Shown modal; returns when the list has closed.
    void showModal();
    // Hides the window; the items stay. Hiding a hidden list does nothing.
    void unload();

Q_SIGNALS:
    void ListClose(const QString &text);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void pick();

    QListWidget *m_list;
    QEventLoop *m_modalLoop = nullptr;
};

} // namespace Vantrel3
