#pragma once

#include <QWidget>

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

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QListWidget *m_list;
};

} // namespace Vantrel3
