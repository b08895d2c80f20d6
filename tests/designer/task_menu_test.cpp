#include "vantrel_task_menu.h"
#include "vantrel_task_menu_factory.h"

#include <Vantrel3/ErrorSink.h>
#include <Vantrel3/Vantrel.h>
#include <Vantrel3/VbError.h>

#include <QAction>
#include <QLabel>
#include <QtDesigner/QDesignerContainerExtension>
#include <gtest/gtest.h>

using namespace Vantrel3;

TEST(VantrelTaskMenu, OffersTheItalianEntryAsItsEditAction) {
    Vantrel grid;
    VantrelTaskMenu menu(&grid);
    ASSERT_EQ(menu.taskActions().size(), 1);
    EXPECT_EQ(menu.taskActions().first()->text(), QStringLiteral("Proprietà della griglia…"));
    EXPECT_EQ(menu.preferredEditAction(), menu.taskActions().first());
}

TEST(VantrelTaskMenu, AppliesWhatThePagesChangedToAGridOffAForm) {
    Vantrel grid;
    VantrelTaskMenu menu(&grid);
    const Vantrel *shownFor = nullptr;
    menu.setPagesRunner([&](const Vantrel &target, QWidget *) {
        shownFor = &target;
        return PagesEdit::Snapshot{{"Cols", 5},
                                   {"ScrollBars", QVariant::fromValue(eScrollBarNone)},
                                   {"ToolTipText", QStringLiteral("Clienti")}};
    });
    menu.preferredEditAction()->trigger();
    EXPECT_EQ(shownFor, &grid);
    EXPECT_EQ(grid.Cols(), 5);
    EXPECT_EQ(grid.ScrollBars(), eScrollBarNone);
    EXPECT_EQ(grid.ToolTipText(), QStringLiteral("Clienti"));
}

TEST(VantrelTaskMenu, AFailureIsReportedAndDoesNotEscapeTheMenu) {
    Vantrel grid;
    VantrelTaskMenu menu(&grid);
    menu.setPagesRunner([](const Vantrel &, QWidget *) -> PagesEdit::Snapshot {
        throw VbError(VbError::InvalidPropertyValue);
    });
    QList<qint32> reported;
    setErrorSink([&](const VbError &e) { reported << e.Number(); });
    menu.preferredEditAction()->trigger();
    setErrorSink(nullptr);
    EXPECT_EQ(reported, QList<qint32>{VbError::InvalidPropertyValue});
    EXPECT_EQ(grid.Cols(), 2);
}

TEST(VantrelTaskMenuFactory, GivesATaskMenuToVantrelOnly) {
    Vantrel grid;
    QLabel label;
    VantrelTaskMenuFactory factory;
    const struct {
        const char *name;
        QObject *object;
        QString iid;
        bool expected;
    } cases[] = {
        {"grid, task menu", &grid, QString(Q_TYPEID(QDesignerTaskMenuExtension)), true},
        {"label, task menu", &label, QString(Q_TYPEID(QDesignerTaskMenuExtension)), false},
        {"grid, container", &grid, QString(Q_TYPEID(QDesignerContainerExtension)), false},
    };
    for (const auto &c : cases) {
        QObject *extension = factory.extension(c.object, c.iid);
        EXPECT_EQ(extension != nullptr, c.expected) << c.name;
        if (c.expected) {
            EXPECT_NE(qobject_cast<VantrelTaskMenu *>(extension), nullptr) << c.name;
        }
    }
}
