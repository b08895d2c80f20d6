#pragma once

#include <QDialog>
#include <QList>

class QDialogButtonBox;
class QPushButton;
class QTabWidget;

namespace Vantrel3 {

class PropertyPage;
class Vantrel;

// Stands in for a designer's property-page dialog: hosts the General, Style and Informazioni
// pages as tabs, hands them the selection, offers Apply once a page is marked changed, and
// applies the changed pages on Apply and OK. A failed apply is shown and keeps the dialog open.
class PropertyPageFrame : public QDialog {
    Q_OBJECT

public:
    explicit PropertyPageFrame(const QList<Vantrel *> &controls, QWidget *parent = nullptr);
    ~PropertyPageFrame() override;

    QList<PropertyPage *> Pages() const { return m_pages; }
    QTabWidget *Tabs() const { return m_tabs; }
    QPushButton *OkButton() const;
    QPushButton *CancelButton() const;
    QPushButton *ApplyButton() const;

    // Applies the changed pages in tab order. On a failure it shows the error, brings its page
    // forward and returns false; the writes made before it stay.
    bool ApplyChanges();

    // Every way of closing ends the pages.
    void done(int result) override;

private:
    void updateApplyButton();

    QTabWidget *m_tabs;
    QDialogButtonBox *m_buttons;
    QList<PropertyPage *> m_pages;
};

} // namespace Vantrel3
