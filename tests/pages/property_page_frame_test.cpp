#include "common/message_box_recorder.h"
#include "common/picture_path.h"
#include "common/wait.h"
#include "page_test_support.h"

#include "about/text_scroller.h"
#include "pages/general_page.h"
#include "pages/informazioni_page.h"
#include "pages/property_page_frame.h"
#include "pages/style_page.h"

#include <Vantrel3/PropertyPages.h>
#include <Vantrel3/Vantrel.h>

#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Vantrel3;
using namespace pagetest;

namespace {

PropertyPage *pageNamed(const PropertyPageFrame &frame, const QString &caption) {
    for (PropertyPage *page : frame.Pages()) {
        if (page->Caption() == caption) {
            return page;
        }
    }
    return nullptr;
}

} // namespace

TEST(PropertyPageFrame, OffersTheThreePagesAndTheThreeButtons) {
    Vantrel grid;
    PropertyPageFrame frame({&grid});
    QStringList tabs;
    for (int i = 0; i < frame.Tabs()->count(); ++i) {
        tabs.append(frame.Tabs()->tabText(i));
    }
    EXPECT_EQ(tabs, (QStringList{"General", "Style", "Informazioni"}));
    EXPECT_EQ(frame.OkButton()->text(), QStringLiteral("OK"));
    EXPECT_EQ(frame.CancelButton()->text(), QStringLiteral("Annulla"));
    EXPECT_EQ(frame.ApplyButton()->text(), QStringLiteral("Applica"));
    EXPECT_EQ(textBox(&frame, "txtRows")->text(), QStringLiteral("2"));
}

TEST(PropertyPageFrame, TheTitleNamesTheFirstControlInItalian) {
    const struct {
        QString objectName;
        QString title;
    } cases[] = {
        {QStringLiteral("grigliaClienti"), QStringLiteral("Proprietà di grigliaClienti")},
        {QString(), QStringLiteral("Proprietà di Vantrel")},
    };
    for (const auto &c : cases) {
        Vantrel grid;
        grid.setObjectName(c.objectName);
        PropertyPageFrame frame({&grid});
        EXPECT_EQ(frame.windowTitle(), c.title) << c.objectName.toStdString();
    }
}

TEST(PropertyPageFrame, ApplyIsOfferedOnlyWhileAPageIsMarkedChanged) {
    Vantrel grid;
    PropertyPageFrame frame({&grid});
    // Loading fills the fields, and that counts as a change.
    EXPECT_TRUE(frame.ApplyButton()->isEnabled());

    QSignalSpy spy(&grid, &Vantrel::PropertyChanged);
    frame.ApplyButton()->click();
    EXPECT_FALSE(frame.ApplyButton()->isEnabled());
    EXPECT_EQ(changedNames(spy).size(), 16); // ten General writes, six Style writes

    spy.clear();
    textBox(&frame, "txtToolTipText")->setText(QStringLiteral("nuovo"));
    EXPECT_TRUE(frame.ApplyButton()->isEnabled());
    frame.ApplyButton()->click();
    // Only the changed page is applied.
    EXPECT_EQ(changedNames(spy), (QStringList{"DatabaseName", "AutoComplete", "ToolTipText",
                                              "WordWrap", "GridLineWidth", "FormatString"}));
    EXPECT_EQ(grid.ToolTipText(), QStringLiteral("nuovo"));
    EXPECT_FALSE(frame.ApplyButton()->isEnabled());
}

TEST(PropertyPageFrame, AFailedApplyIsShownAndKeepsTheDialogOpenWithEarlierWrites) {
    MessageBoxRecorder boxes;
    Vantrel grid;
    PropertyPageFrame frame({&grid});
    frame.show();
    frame.Tabs()->setCurrentIndex(2);
    list(&frame, "cmbApp")->setCurrentIndex(1);
    checkBox(&frame, "chkEnterAsKeyTab")->setChecked(true);
    textBox(&frame, "txtRows")->clear();
    textBox(&frame, "txtCols")->setText(QStringLiteral("7"));

    // Both ways of applying: the Apply button, then OK.
    QPushButton *const buttons[] = {frame.ApplyButton(), frame.OkButton()};
    for (QPushButton *button : buttons) {
        QSignalSpy spy(&grid, &Vantrel::PropertyChanged);
        boxes.boxes.clear();
        button->click();
        EXPECT_EQ(changedNames(spy), (QStringList{"Appearance", "BorderStyle", "EnterAsKeyTab",
                                                  "ArrowAsKeyTab", "AllowEdit"}));
        ASSERT_EQ(boxes.boxes.size(), 1);
        EXPECT_EQ(boxes.boxes[0].prompt, VbError::standardDescription(VbError::TypeMismatch));
        EXPECT_EQ(boxes.boxes[0].title, frame.windowTitle());
        EXPECT_TRUE(frame.isVisible());
        EXPECT_EQ(frame.result(), QDialog::Rejected);
        EXPECT_EQ(frame.Tabs()->currentWidget(), pageNamed(frame, "General"));
        EXPECT_TRUE(frame.ApplyButton()->isEnabled());
    }
    EXPECT_EQ(grid.Appearance(), 1);
    EXPECT_TRUE(grid.EnterAsKeyTab());
    EXPECT_EQ(grid.Cols(), 2);

    // Once the text is fixed, OK applies and closes.
    textBox(&frame, "txtRows")->setText(QStringLiteral("5"));
    frame.OkButton()->click();
    EXPECT_FALSE(frame.isVisible());
    EXPECT_EQ(frame.result(), QDialog::Accepted);
    EXPECT_EQ(grid.Rows(), 5);
    EXPECT_EQ(grid.Cols(), 7);
}

TEST(PropertyPageFrame, CancelClosesWithoutApplying) {
    Vantrel grid;
    PropertyPageFrame frame({&grid});
    frame.show();
    textBox(&frame, "txtRows")->setText(QStringLiteral("9"));
    QSignalSpy spy(&grid, &Vantrel::PropertyChanged);
    frame.CancelButton()->click();
    EXPECT_FALSE(frame.isVisible());
    EXPECT_EQ(frame.result(), QDialog::Rejected);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(grid.Rows(), 2);
}

TEST(PropertyPageFrame, WithTwoControlsOnlyTheFirstChanges) {
    Vantrel first;
    Vantrel second;
    second.SetRows(12);
    PropertyPageFrame frame({&first, &second});
    EXPECT_EQ(textBox(&frame, "txtRows")->text(), QStringLiteral("2"));
    textBox(&frame, "txtRows")->setText(QStringLiteral("4"));
    textBox(&frame, "txtToolTipText")->setText(QStringLiteral("primo"));
    QSignalSpy secondSpy(&second, &Vantrel::PropertyChanged);
    frame.show();
    frame.OkButton()->click();
    EXPECT_EQ(first.Rows(), 4);
    EXPECT_EQ(first.ToolTipText(), QStringLiteral("primo"));
    EXPECT_EQ(secondSpy.count(), 0);
    EXPECT_EQ(second.Rows(), 12);
    EXPECT_EQ(second.ToolTipText(), QString());
}

TEST(PropertyPageFrame, TheInformazioniPageRestartsOnRepaintAndStopsWhenTheDialogEnds) {
    Vantrel grid;
    PropertyPageFrame frame({&grid});
    auto *page = qobject_cast<InformazioniPage *>(pageNamed(frame, "Informazioni"));
    ASSERT_NE(page, nullptr);
    TextScroller *scroller = page->Picture1();
    frame.show();
    frame.Tabs()->setCurrentWidget(page);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    QTest::qWait(60);
    ASSERT_TRUE(scroller->Timer1()->isActive());
    // The clock moves the text without repainting the page, so nothing restarts it meanwhile.
    EXPECT_LT(scroller->CanvasTop(), scroller->ScaleHeight() - 2);

    // Move the text well away from the bottom, then hold it still with a step of 0.
    scroller->Timer1()->setProperty("Tag", QStringLiteral("7"));
    scroller->tick();
    scroller->tick();
    scroller->Timer1()->setProperty("Tag", QStringLiteral("0"));
    EXPECT_LE(scroller->CanvasTop(), scroller->ScaleHeight() - 14);

    page->repaint();
    QTRY_EXPECT_EQ(scroller->CanvasTop(), scroller->ScaleHeight());
    EXPECT_TRUE(scroller->Timer1()->isActive());

    frame.reject();
    EXPECT_FALSE(scroller->Timer1()->isActive());
}

TEST(PropertyPageFrame, ShowPropertyPagesRunsTheFrameModally) {
    Vantrel grid;
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto *frame = qobject_cast<PropertyPageFrame *>(QApplication::activeModalWidget());
        ASSERT_NE(frame, nullptr);
        seen = true;
        textBox(frame, "txtCols")->setText(QStringLiteral("3"));
        frame->OkButton()->click();
    });
    ShowPropertyPages({&grid}, nullptr);
    EXPECT_TRUE(seen);
    EXPECT_EQ(grid.Cols(), 3);
}

TEST(PropertyPageFrame, ScreenshotShowsThePagesInColour) {
    Vantrel grid;
    PropertyPageFrame frame({&grid});
    frame.resize(520, 360);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));

    const QImage general = frame.grab().toImage();
    EXPECT_GE(distinctColours(general), 4);
    EXPECT_TRUE(general.save(picturePath(QStringLiteral("pages_general.png"))));

    auto *page = qobject_cast<InformazioniPage *>(pageNamed(frame, "Informazioni"));
    frame.Tabs()->setCurrentWidget(page);
    // The page's first paint starts the text; then bring it up into the window for the picture.
    for (int wait = 0; wait < 100 && !page->Picture1()->Timer1()->isActive(); ++wait) {
        QTest::qWait(10);
    }
    ASSERT_TRUE(page->Picture1()->Timer1()->isActive());
    page->Picture1()->Timer1()->stop();
    for (int i = 0; i < page->Picture1()->ScaleHeight() / 4; ++i) {
        page->Picture1()->tick();
    }
    const QImage info = frame.grab().toImage();
    EXPECT_GE(distinctColours(info), 6);
    EXPECT_TRUE(containsColour(info, QColor(192, 255, 192)));
    EXPECT_TRUE(info.save(picturePath(QStringLiteral("pages_informazioni.png"))));
}
