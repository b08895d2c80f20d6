#include "vantrel_plugin.h"

#include "vantrel_task_menu_factory.h"

#include <Vantrel3/Vantrel.h>

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionManager>
#include <algorithm>

namespace Vantrel3 {

namespace {

// A grid with a header row and an editor on one cell, drawn so that no image file is needed.
QPixmap gridPicture(int size) {
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const int cell = size / 4;
    const int extent = 4 * cell;
    painter.fillRect(0, 0, extent, extent, Qt::white);
    painter.fillRect(0, 0, extent, cell, QColor(192, 192, 192));
    painter.fillRect(cell + 1, 2 * cell + 1, 2 * cell - 1, cell - 1, QColor(255, 224, 192));
    painter.setPen(QColor(96, 96, 96));
    for (int i = 0; i <= 4; ++i) {
        const int at = std::min(i * cell, extent - 1);
        painter.drawLine(at, 0, at, extent - 1);
        painter.drawLine(0, at, extent - 1, at);
    }
    return picture;
}

} // namespace

VantrelPlugin::VantrelPlugin(QObject *parent) : QObject(parent) {}

QString VantrelPlugin::name() const {
    return QStringLiteral("Vantrel3::Vantrel");
}

QString VantrelPlugin::group() const {
    return QStringLiteral("Vantrel3");
}

QString VantrelPlugin::toolTip() const {
    return QStringLiteral("Griglia per l'inserimento dei dati");
}

QString VantrelPlugin::whatsThis() const {
    return QStringLiteral("Una griglia di celle di testo con una casella di modifica sulla cella "
                          "corrente, stili di modifica per colonna e per cella, selettori nella "
                          "cella e collegamento a una tabella di database.");
}

QString VantrelPlugin::includeFile() const {
    // The angle brackets make Designer write a global include.
    return QStringLiteral("<Vantrel3/Vantrel.h>");
}

QIcon VantrelPlugin::icon() const {
    QIcon icon;
    icon.addPixmap(gridPicture(16));
    icon.addPixmap(gridPicture(32));
    return icon;
}

bool VantrelPlugin::isContainer() const {
    return false;
}

QWidget *VantrelPlugin::createWidget(QWidget *parent) {
    return new Vantrel(parent);
}

bool VantrelPlugin::isInitialized() const {
    return m_initialized;
}

void VantrelPlugin::initialize(QDesignerFormEditorInterface *core) {
    if (m_initialized) {
        return;
    }
    QExtensionManager *manager = core->extensionManager();
    manager->registerExtensions(new VantrelTaskMenuFactory(manager),
                                Q_TYPEID(QDesignerTaskMenuExtension));
    m_initialized = true;
}

QString VantrelPlugin::domXml() const {
    return QStringLiteral(R"(<ui language="c++">
 <widget class="Vantrel3::Vantrel" name="vantrel">
  <property name="geometry">
   <rect>
    <x>0</x>
    <y>0</y>
    <width>400</width>
    <height>200</height>
   </rect>
  </property>
 </widget>
 <customwidgets>
  <customwidget>
   <class>Vantrel3::Vantrel</class>
   <extends>QWidget</extends>
   <header location="global">Vantrel3/Vantrel.h</header>
  </customwidget>
 </customwidgets>
</ui>
)");
}

} // namespace Vantrel3
