#include "pages_edit.h"

#include <Vantrel3/PropertyBag.h>
#include <Vantrel3/PropertyPages.h>
#include <Vantrel3/Vantrel.h>

#include <QMetaProperty>
#include <algorithm>

namespace Vantrel3 {

PagesEdit::Snapshot PagesEdit::snapshot(const Vantrel &grid) {
    const QMetaObject &meta = Vantrel::staticMetaObject;
    Snapshot result;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QMetaProperty property = meta.property(i);
        if (!property.isDesignable() || !property.isWritable() ||
            !property.metaType().isEqualityComparable()) {
            continue;
        }
        result.append({property.name(), property.read(&grid)});
    }
    return result;
}

PagesEdit::Snapshot PagesEdit::changes(const Snapshot &before, const Snapshot &after) {
    Snapshot result;
    for (const Property &now : after) {
        const auto was = std::find_if(before.cbegin(), before.cend(),
                                      [&](const Property &p) { return p.name == now.name; });
        if (was == before.cend() || was->value != now.value) {
            result.append(now);
        }
    }
    return result;
}

PagesEdit::Snapshot PagesEdit::run(const Vantrel &grid, QWidget *dialogParent) {
    PropertyBag settings;
    grid.WriteProperties(settings);
    Vantrel copy(settings);
    // The dialog's title names the grid the developer is editing.
    copy.setObjectName(grid.objectName());
    const Snapshot before = snapshot(copy);
    ShowPropertyPages({&copy}, dialogParent);
    return changes(before, snapshot(copy));
}

} // namespace Vantrel3
