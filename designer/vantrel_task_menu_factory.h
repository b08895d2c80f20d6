#pragma once

#include <QtDesigner/QExtensionFactory>

namespace Vantrel3 {

// Gives Designer a task menu for every Vantrel on a form.
class VantrelTaskMenuFactory : public QExtensionFactory {
    Q_OBJECT

public:
    explicit VantrelTaskMenuFactory(QExtensionManager *parent = nullptr);

protected:
    QObject *createExtension(QObject *object, const QString &iid, QObject *parent) const override;
};

} // namespace Vantrel3
