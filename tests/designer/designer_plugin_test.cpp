#include <QMetaProperty>
#include <QPluginLoader>
#include <QWidget>
#include <QXmlStreamReader>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <gtest/gtest.h>

// The plugin is loaded the way Designer loads it; this program holds no copy of the library, so
// the control is reached only through the plugin and the meta-object system.

namespace {

class DesignerPlugin : public ::testing::Test {
protected:
    void SetUp() override {
        loader.setFileName(QStringLiteral(VANTREL3_DESIGNER_PLUGIN_FILE));
        QObject *instance = loader.instance();
        ASSERT_NE(instance, nullptr) << loader.errorString().toStdString();
        plugin = qobject_cast<QDesignerCustomWidgetInterface *>(instance);
        ASSERT_NE(plugin, nullptr);
    }

    QPluginLoader loader;
    QDesignerCustomWidgetInterface *plugin = nullptr;
};

} // namespace

TEST_F(DesignerPlugin, DescribesTheControlForTheWidgetBox) {
    const struct {
        const char *what;
        QString actual;
        QString expected;
    } cases[] = {
        {"interface", loader.metaData().value(QStringLiteral("IID")).toString(),
         QStringLiteral("org.qt-project.Qt.QDesignerCustomWidgetInterface")},
        {"class", plugin->name(), QStringLiteral("Vantrel3::Vantrel")},
        {"group", plugin->group(), QStringLiteral("Vantrel3")},
        {"header", plugin->includeFile(), QStringLiteral("<Vantrel3/Vantrel.h>")},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.actual, c.expected) << c.what;
    }
    EXPECT_FALSE(plugin->isContainer());
    EXPECT_FALSE(plugin->toolTip().isEmpty());
    EXPECT_FALSE(plugin->icon().isNull());
}

TEST_F(DesignerPlugin, CreatesAVantrelOnTheGivenParent) {
    QWidget form;
    QWidget *widget = plugin->createWidget(&form);
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), "Vantrel3::Vantrel");
    EXPECT_EQ(widget->parentWidget(), &form);
    // A new control's shape, then a write through the property system as Designer makes it.
    EXPECT_EQ(widget->property("Cols").toInt(), 2);
    EXPECT_EQ(widget->property("Rows").toInt(), 2);
    EXPECT_TRUE(widget->setProperty("Cols", 5));
    EXPECT_EQ(widget->property("Cols").toInt(), 5);
}

TEST_F(DesignerPlugin, EveryDesignablePropertyWritesBackItsOwnValueAndNotifiesChanges) {
    QWidget form;
    QWidget *widget = plugin->createWidget(&form);
    ASSERT_NE(widget, nullptr);
    const QMetaObject *meta = widget->metaObject();
    int designable = 0;
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (!property.isDesignable() || !property.isWritable()) {
            continue;
        }
        ++designable;
        const QVariant value = property.read(widget);
        EXPECT_TRUE(value.isValid()) << property.name();
        EXPECT_TRUE(property.write(widget, value)) << property.name();
        EXPECT_TRUE(property.hasNotifySignal()) << property.name();
    }
    // Shape, colours, fonts, keyboard options and the data source are all on offer.
    EXPECT_GT(designable, 40);
}

TEST_F(DesignerPlugin, ItsDefaultFormPlacesTheControlWithAGlobalInclude) {
    QXmlStreamReader xml(plugin->domXml());
    QString widgetClass;
    QString header;
    QString headerLocation;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (xml.name() == u"widget" && widgetClass.isEmpty()) {
            widgetClass = xml.attributes().value(QLatin1String("class")).toString();
        } else if (xml.name() == u"header") {
            headerLocation = xml.attributes().value(QLatin1String("location")).toString();
            header = xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(widgetClass, plugin->name());
    EXPECT_EQ(header, QStringLiteral("Vantrel3/Vantrel.h"));
    EXPECT_EQ(headerLocation, QStringLiteral("global"));
}

TEST_F(DesignerPlugin, ARefusedValueTypedInThePropertyEditorLeavesThePropertyAsItWas) {
    QWidget form;
    QWidget *widget = plugin->createWidget(&form);
    ASSERT_NE(widget, nullptr);
    // Designer writes what the developer typed through the property system; a value the
    // control refuses must not end Designer.
    const std::pair<const char *, int> refused[] = {
        {"FixedRows", 999}, {"Rows", -1}, {"GridLineWidth", 0}, {"BorderStyle", 9}};
    for (const auto &[name, value] : refused) {
        SCOPED_TRACE(name);
        const QVariant before = widget->property(name);
        EXPECT_NO_THROW(widget->setProperty(name, value));
        EXPECT_EQ(widget->property(name), before);
    }
}
