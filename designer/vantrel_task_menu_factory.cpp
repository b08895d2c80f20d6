#include "vantrel_task_menu_factory.h"

#include "vantrel_task_menu.h"

#include <Vantrel3/Vantrel.h>

namespace Vantrel3 {

VantrelTaskMenuFactory::VantrelTaskMenuFactory(QExtensionManager *parent)
    : QExtensionFactory(parent) {}

QObject *VantrelTaskMenuFactory::createExtension(QObject *object, const QString &iid,
                                                 QObject *parent) const {
    if (iid != Q_TYPEID(QDesignerTaskMenuExtension)) {
        return nullptr;
    }
    if (auto *grid = qobject_cast<Vantrel *>(object)) {
        return new VantrelTaskMenu(grid, parent);
    }
    return nullptr;
}

} // namespace Vantrel3
