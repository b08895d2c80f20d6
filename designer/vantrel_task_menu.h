#pragma once

#include "pages_edit.h"

#include <QObject>
#include <QPointer>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <functional>

class QAction;

namespace Vantrel3 {

class Vantrel;

// The grid's entry in Designer's context menu: "Proprietà della griglia…" opens the property
// pages, and what the developer changes there becomes one undoable edit of the form.
class VantrelTaskMenu : public QObject, public QDesignerTaskMenuExtension {
    Q_OBJECT
    Q_INTERFACES(QDesignerTaskMenuExtension)

public:
    // Shows the pages for the grid and returns the changed properties.
    using PagesRunner = std::function<PagesEdit::Snapshot(const Vantrel &grid, QWidget *parent)>;

    explicit VantrelTaskMenu(Vantrel *grid, QObject *parent = nullptr);
    ~VantrelTaskMenu() override;

    QAction *preferredEditAction() const override;
    QList<QAction *> taskActions() const override;

    // Tests replace the modal pages with a runner of their own.
    void setPagesRunner(PagesRunner runner) { m_runPages = std::move(runner); }

    static QString actionText();

private:
    void editProperties();
    // Through the form window when the grid sits on one, so that Designer records the change;
    // straight to the grid otherwise.
    void apply(const PagesEdit::Snapshot &changed);

    QPointer<Vantrel> m_grid;
    QAction *m_editAction;
    PagesRunner m_runPages;
};

} // namespace Vantrel3
