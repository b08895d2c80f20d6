#include "page_test_support.h"

#include "host/vb_test_locale.h"
#include "pages/general_page.h"

#include <Vantrel3/Vantrel.h>

#include <gtest/gtest.h>

using namespace Vantrel3;
using namespace pagetest;

TEST(GeneralPage, CarriesItsCaptionFieldsAndListsInOrder) {
    GeneralPage page;
    EXPECT_EQ(page.Caption(), QStringLiteral("General"));
    ASSERT_NE(list(&page, "cmbApp"), nullptr);
    ASSERT_NE(list(&page, "cmbBorder"), nullptr);
    const auto items = [](const QComboBox *box) {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i) {
            texts.append(box->itemText(i));
        }
        return texts;
    };
    EXPECT_EQ(items(list(&page, "cmbApp")),
              (QStringList{QStringLiteral("Vantrel - Flat"), QStringLiteral("Vantrel - 3D")}));
    EXPECT_EQ(items(list(&page, "cmbBorder")),
              (QStringList{QStringLiteral("No Border"), QStringLiteral("Fixed Single")}));

    const struct {
        const char *name;
        const char *caption;
    } checks[] = {{"chkEnterAsKeyTab", "EnterAsKeyTab"},
                  {"chkArrowAsKeyTab", "ArrowAsKeyTab"},
                  {"chkAllowEdit", "AllowEdit"},
                  {"chkEnabled", "Enabled"}};
    for (const auto &check : checks) {
        ASSERT_NE(checkBox(&page, check.name), nullptr) << check.name;
        EXPECT_EQ(checkBox(&page, check.name)->text(), QLatin1String(check.caption));
    }
    const struct {
        const char *field;
        const char *caption;
    } labels[] = {{"cmbApp", "Appearance:"},      {"cmbBorder", "BorderStyle:"},
                  {"txtRows", "Rows:"},           {"txtFixedRows", "FixedRows:"},
                  {"txtFixedCols", "FixedCols:"}, {"txtCols", "Cols:"}};
    for (const auto &label : labels) {
        QWidget *target = page.findChild<QWidget *>(QLatin1String(label.field));
        ASSERT_NE(target, nullptr) << label.field;
        const QList<QLabel *> all = page.findChildren<QLabel *>();
        const auto found = std::find_if(all.cbegin(), all.cend(),
                                        [&](const QLabel *l) { return l->buddy() == target; });
        ASSERT_NE(found, all.cend()) << label.field;
        EXPECT_EQ((*found)->text(), QLatin1String(label.caption));
    }
    ASSERT_NE(field<QLabel>(&page, "lblRow"), nullptr);
    EXPECT_EQ(field<QLabel>(&page, "lblRow")->text(), QStringLiteral("Row:"));
}

TEST(GeneralPage, LoadsEveryFieldInOrderFromTheFirstControl) {
    Vantrel grid;
    grid.SetRows(7);
    grid.SetCols(5);
    grid.SetFixedRows(2);
    grid.SetFixedCols(0);
    grid.SetAppearance(1);
    grid.SetEnterAsKeyTab(true);
    grid.SetArrowAsKeyTab(true);

    GeneralPage page;
    FieldChangeLog log(&page);
    page.SetSelectedControls({&grid});

    // BorderStyle starts at 1 and AllowEdit and Enabled at True, so every field changes.
    EXPECT_EQ(log.names, (QStringList{"cmbApp", "cmbBorder", "chkEnterAsKeyTab", "chkArrowAsKeyTab",
                                      "chkAllowEdit", "txtRows", "txtFixedRows", "txtFixedCols",
                                      "txtCols", "chkEnabled"}));
    EXPECT_EQ(list(&page, "cmbApp")->currentIndex(), 1);
    EXPECT_EQ(list(&page, "cmbBorder")->currentIndex(), 1);
    EXPECT_TRUE(checkBox(&page, "chkEnterAsKeyTab")->isChecked());
    EXPECT_TRUE(checkBox(&page, "chkArrowAsKeyTab")->isChecked());
    EXPECT_TRUE(checkBox(&page, "chkAllowEdit")->isChecked());
    EXPECT_EQ(textBox(&page, "txtRows")->text(), QStringLiteral("7"));
    EXPECT_EQ(textBox(&page, "txtFixedRows")->text(), QStringLiteral("2"));
    EXPECT_EQ(textBox(&page, "txtFixedCols")->text(), QStringLiteral("0"));
    EXPECT_EQ(textBox(&page, "txtCols")->text(), QStringLiteral("5"));
    EXPECT_TRUE(checkBox(&page, "chkEnabled")->isChecked());
    EXPECT_TRUE(page.Changed());
}

TEST(GeneralPage, AppliesEveryFieldInOrderToTheFirstControl) {
    Vantrel grid;
    GeneralPage page;
    page.SetSelectedControls({&grid});
    list(&page, "cmbApp")->setCurrentIndex(1);
    list(&page, "cmbBorder")->setCurrentIndex(0);
    checkBox(&page, "chkEnterAsKeyTab")->setChecked(true);
    checkBox(&page, "chkArrowAsKeyTab")->setChecked(true);
    checkBox(&page, "chkAllowEdit")->setChecked(false);
    textBox(&page, "txtRows")->setText(QStringLiteral("9"));
    textBox(&page, "txtFixedRows")->setText(QStringLiteral(" 3 "));
    textBox(&page, "txtFixedCols")->setText(QStringLiteral("2"));
    textBox(&page, "txtCols")->setText(QStringLiteral("6"));
    checkBox(&page, "chkEnabled")->setChecked(false);

    QSignalSpy spy(&grid, &Vantrel::PropertyChanged);
    page.ApplyChanges();

    EXPECT_EQ(changedNames(spy),
              (QStringList{"Appearance", "BorderStyle", "EnterAsKeyTab", "ArrowAsKeyTab",
                           "AllowEdit", "Rows", "FixedRows", "FixedCols", "Cols", "Enabled"}));
    EXPECT_EQ(grid.Appearance(), 1);
    EXPECT_EQ(grid.BorderStyle(), 0);
    EXPECT_TRUE(grid.EnterAsKeyTab());
    EXPECT_TRUE(grid.ArrowAsKeyTab());
    EXPECT_FALSE(grid.AllowEdit());
    EXPECT_EQ(grid.Rows(), 9);
    EXPECT_EQ(grid.FixedRows(), 3);
    EXPECT_EQ(grid.FixedCols(), 2);
    EXPECT_EQ(grid.Cols(), 6);
    EXPECT_FALSE(grid.Enabled());
}

TEST(GeneralPage, ApplyingWhatWasLoadedWritesEveryPropertyBackUnchanged) {
    Vantrel grid;
    grid.SetEnterAsKeyTab(true);
    grid.SetRows(4);
    GeneralPage page;
    page.SetSelectedControls({&grid});
    EXPECT_TRUE(checkBox(&page, "chkEnterAsKeyTab")->isChecked());

    const QStringList names{"Appearance", "BorderStyle", "EnterAsKeyTab", "ArrowAsKeyTab",
                            "AllowEdit",  "Rows",        "FixedRows",     "FixedCols",
                            "Cols",       "Enabled"};
    QVariantList before;
    for (const QString &name : names) {
        before.append(grid.property(name.toLatin1().constData()));
    }
    QSignalSpy spy(&grid, &Vantrel::PropertyChanged);
    page.ApplyChanges();
    EXPECT_EQ(changedNames(spy), names);
    for (int i = 0; i < names.size(); ++i) {
        EXPECT_EQ(grid.property(names[i].toLatin1().constData()), before[i]) << names[i].data();
    }
}

// A text that is not a Long stops the apply at Rows: the three options before it are written,
// Rows and everything after it are not.
TEST(GeneralPage, ATextThatIsNotANumberStopsTheApplyAtThatProperty) {
    const struct {
        const char *text;
        qint32 error;
    } cases[] = {
        {"", VbError::TypeMismatch},           {"   ", VbError::TypeMismatch},
        {"abc", VbError::TypeMismatch},        {"12abc", VbError::TypeMismatch},
        {"3000000000", VbError::Overflow},     {"-2147483649", VbError::Overflow},
        {"-1", VbError::InvalidPropertyValue}, // a number the grid rejects
    };
    for (const auto &c : cases) {
        Vantrel grid;
        GeneralPage page;
        page.SetSelectedControls({&grid});
        list(&page, "cmbApp")->setCurrentIndex(1);
        checkBox(&page, "chkAllowEdit")->setChecked(false);
        textBox(&page, "txtRows")->setText(QLatin1String(c.text));
        textBox(&page, "txtCols")->setText(QStringLiteral("8"));
        checkBox(&page, "chkEnabled")->setChecked(false);

        QSignalSpy spy(&grid, &Vantrel::PropertyChanged);
        EXPECT_EQ(errorOf([&] { page.ApplyChanges(); }), c.error) << c.text;
        EXPECT_EQ(changedNames(spy), (QStringList{"Appearance", "BorderStyle", "EnterAsKeyTab",
                                                  "ArrowAsKeyTab", "AllowEdit"}))
            << c.text;
        EXPECT_EQ(grid.Appearance(), 1);
        EXPECT_FALSE(grid.AllowEdit());
        EXPECT_EQ(grid.Rows(), 2);
        EXPECT_EQ(grid.Cols(), 2);
        EXPECT_TRUE(grid.Enabled());
    }
}

TEST(GeneralPage, NumberTextsConvertLikeTheClassicLongConversion) {
    const vbtest::RuntimeLocale pinned(vbtest::italian());
    const struct {
        const char *text;
        qint32 rows;
    } cases[] = {{"5", 5}, {" 12 ", 12}, {"+7", 7}, {"10,5", 10}, {"11,5", 12}, {"0", 0}};
    for (const auto &c : cases) {
        Vantrel grid;
        grid.SetFixedRows(0);
        GeneralPage page;
        page.SetSelectedControls({&grid});
        textBox(&page, "txtRows")->setText(QLatin1String(c.text));
        EXPECT_EQ(errorOf([&] { page.ApplyChanges(); }), 0) << c.text;
        EXPECT_EQ(grid.Rows(), c.rows) << c.text;
    }
}

TEST(GeneralPage, OnlyTheFirstSelectedControlIsReadAndWritten) {
    Vantrel first;
    Vantrel second;
    second.SetRows(11);
    second.SetAppearance(1);
    GeneralPage page;
    page.SetSelectedControls({&first, &second});
    EXPECT_EQ(textBox(&page, "txtRows")->text(), QStringLiteral("2"));
    EXPECT_EQ(list(&page, "cmbApp")->currentIndex(), 0);

    textBox(&page, "txtRows")->setText(QStringLiteral("6"));
    checkBox(&page, "chkArrowAsKeyTab")->setChecked(true);
    QSignalSpy secondSpy(&second, &Vantrel::PropertyChanged);
    page.ApplyChanges();
    EXPECT_EQ(first.Rows(), 6);
    EXPECT_TRUE(first.ArrowAsKeyTab());
    EXPECT_EQ(secondSpy.count(), 0);
    EXPECT_EQ(second.Rows(), 11);
    EXPECT_FALSE(second.ArrowAsKeyTab());
}

TEST(GeneralPage, EveryEditMarksThePageChanged) {
    Vantrel grid;
    GeneralPage page;
    page.SetSelectedControls({&grid});
    const std::function<void()> edits[] = {
        [&] { list(&page, "cmbApp")->setCurrentIndex(1); },
        [&] { Q_EMIT list(&page, "cmbBorder")->activated(1); },
        [&] { checkBox(&page, "chkEnterAsKeyTab")->click(); },
        [&] { checkBox(&page, "chkArrowAsKeyTab")->click(); },
        [&] { checkBox(&page, "chkAllowEdit")->click(); },
        [&] { textBox(&page, "txtRows")->setText(QStringLiteral("3")); },
        [&] { textBox(&page, "txtFixedRows")->setText(QStringLiteral("5")); },
        [&] { textBox(&page, "txtFixedCols")->setText(QStringLiteral("4")); },
        [&] { textBox(&page, "txtCols")->setText(QStringLiteral("3")); },
        [&] { checkBox(&page, "chkEnabled")->click(); },
    };
    int index = 0;
    for (const auto &edit : edits) {
        page.SetChanged(false);
        edit();
        EXPECT_TRUE(page.Changed()) << "edit " << index;
        ++index;
    }
}
