#pragma once

#include <QByteArray>
#include <QList>
#include <QVariant>

class QWidget;

namespace Vantrel3 {

class Vantrel;

// The property pages run on a copy of a grid placed on a form, so that what the developer
// changes there can be handed to Designer as edits of the form (saved in the .ui and undoable)
// rather than written behind Designer's back.
class PagesEdit {
public:
    struct Property {
        QByteArray name;
        QVariant value;
        bool operator==(const Property &) const = default;
    };
    using Snapshot = QList<Property>;

    // The designable, writable properties that Vantrel itself declares, with their values, in
    // declaration order. Values that cannot be compared (pictures) are left out.
    static Snapshot snapshot(const Vantrel &grid);
    // The properties of `after` whose values differ from `before`, in `after`'s order.
    static Snapshot changes(const Snapshot &before, const Snapshot &after);

    // Shows the property pages modally for a copy of `grid` made from its saved settings, and
    // returns what the developer changed on it. The grid itself is left untouched.
    static Snapshot run(const Vantrel &grid, QWidget *dialogParent);
};

} // namespace Vantrel3
