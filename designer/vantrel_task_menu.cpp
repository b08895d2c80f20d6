#include "vantrel_task_menu.h"

#include <Vantrel3/ErrorSink.h>
#include <Vantrel3/Vantrel.h>

#include <QAction>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>

namespace Vantrel3 {

VantrelTaskMenu::VantrelTaskMenu(Vantrel *grid, QObject *parent)
    : QObject(parent), m_grid(grid), m_editAction(new QAction(actionText(), this)),
      m_runPages(&PagesEdit::run) {
    connect(m_editAction, &QAction::triggered, this,
            [this] { guarded("VantrelTaskMenu::editProperties", [this] { editProperties(); }); });
}

VantrelTaskMenu::~VantrelTaskMenu() = default;

QString VantrelTaskMenu::actionText() {
    return QStringLiteral("Proprietà della griglia…");
}

QAction *VantrelTaskMenu::preferredEditAction() const {
    return m_editAction;
}

QList<QAction *> VantrelTaskMenu::taskActions() const {
    return {m_editAction};
}

void VantrelTaskMenu::editProperties() {
    if (!m_grid) {
        return;
    }
    QDesignerFormWindowInterface *form = QDesignerFormWindowInterface::findFormWindow(m_grid);
    QWidget *dialogParent = form ? form->core()->topLevel() : m_grid->window();
    apply(m_runPages(*m_grid, dialogParent));
}

void VantrelTaskMenu::apply(const PagesEdit::Snapshot &changed) {
    if (changed.isEmpty() || !m_grid) {
        return;
    }
    QDesignerFormWindowInterface *form = QDesignerFormWindowInterface::findFormWindow(m_grid);
    if (!form) {
        for (const PagesEdit::Property &property : changed) {
            m_grid->setProperty(property.name.constData(), property.value);
        }
        return;
    }
    // One step of Designer's undo history for the whole dialog.
    form->beginCommand(actionText());
    for (const PagesEdit::Property &property : changed) {
        form->cursor()->setWidgetProperty(m_grid, QString::fromLatin1(property.name),
                                          property.value);
    }
    form->endCommand();
}

} // namespace Vantrel3
