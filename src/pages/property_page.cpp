#include "pages/property_page.h"

#include <Vantrel3/Vantrel.h>

namespace Vantrel3 {

PropertyPage::PropertyPage(const QString &caption, QWidget *parent)
    : QWidget(parent), m_caption(caption) {}

PropertyPage::~PropertyPage() = default;

QList<Vantrel *> PropertyPage::SelectedControls() const {
    QList<Vantrel *> controls;
    controls.reserve(m_selection.size());
    for (const QPointer<Vantrel> &control : m_selection) {
        controls.append(control.data());
    }
    return controls;
}

void PropertyPage::SetSelectedControls(const QList<Vantrel *> &controls) {
    m_selection.clear();
    for (Vantrel *control : controls) {
        m_selection.append(control);
    }
    SelectionChanged();
}

void PropertyPage::SetChanged(bool changed) {
    if (m_changed == changed) {
        return;
    }
    m_changed = changed;
    Q_EMIT ChangedMarkChanged(changed);
}

Vantrel *PropertyPage::FirstControl() const {
    return m_selection.isEmpty() ? nullptr : m_selection.first().data();
}

} // namespace Vantrel3
