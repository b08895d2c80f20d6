#include "common/error_recorder.h"
#include "common/picture_path.h"
#include "pages/page_test_support.h"

#include <Vantrel3/AboutBox.h>

#include "about/about_content.h"
#include "about/frm_about.h"
#include "about/text_scroller.h"

#include <Vantrel3/ErrorSink.h>

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Vantrel3;
using namespace pagetest;

namespace {

// A scroller started and held still, so that only the test's ticks move it.
struct HeldScroller {
    HeldScroller() : scroller(about::ScrollerLines()) {
        scroller.Start();
        scroller.Timer1()->stop();
    }
    TextScroller scroller;
};

QColor background() {
    return QColor(192, 255, 192);
}

} // namespace

TEST(AboutText, HoldsTheFourteenLinesInOrder) {
    const QStringList lines = about::ScrollerLines();
    ASSERT_EQ(lines.size(), 14);
    EXPECT_EQ(lines[0], QString());
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Vantrel3 ")));
    EXPECT_GT(lines[1].size(), QStringLiteral("Vantrel3 ").size());
    EXPECT_EQ(lines[1], about::ProductTitle());
    EXPECT_EQ(lines[2], QStringLiteral("Gli sviluppatori di Vantrel3"));
    EXPECT_TRUE(lines[3].contains(QLatin1Char('@')));
    const QStringList fixed = {
        QStringLiteral("*********"),
        QStringLiteral("Il Controllo è In Beta Test"),
        QStringLiteral("Vi Invito a Segnalarmi"),
        QStringLiteral("Eventuali Errori :("),
        QStringLiteral("*********"),
        QStringLiteral("Il Controllo è Free"),
        QStringLiteral("Il Che Ne Aumenta Il Valore :)"),
        QStringLiteral("Ciao Ciao Ciao"),
        QStringLiteral("e"),
        QStringLiteral("!!!BUON LAVORO!!!"),
    };
    EXPECT_EQ(lines.mid(4), fixed);
}

TEST(TextScroller, StartsBelowTheWindowWithTheClockSetUp) {
    TextScroller scroller(about::ScrollerLines());
    EXPECT_EQ(scroller.objectName(), QStringLiteral("Picture1"));
    EXPECT_EQ(scroller.Picture2()->objectName(), QStringLiteral("Picture2"));
    EXPECT_EQ(scroller.Timer1()->objectName(), QStringLiteral("Timer1"));
    // 2895 x 2595 twips at 96 dpi.
    EXPECT_EQ(scroller.size(), QSize(193, 173));
    EXPECT_FALSE(scroller.Timer1()->isActive());

    scroller.Start();
    EXPECT_EQ(scroller.CanvasTop(), scroller.ScaleHeight());
    EXPECT_EQ(scroller.Picture2()->y(), scroller.ScaleHeight());
    EXPECT_EQ(scroller.CanvasHeight(), 14 * scroller.LineHeight());
    EXPECT_TRUE(scroller.Timer1()->isActive());
    EXPECT_EQ(scroller.Timer1()->interval(), 5);
    EXPECT_EQ(scroller.Timer1()->property("Tag").toString(), QStringLiteral("2"));
}

TEST(TextScroller, EachTickMovesTheTextUpByTheStep) {
    HeldScroller held;
    TextScroller &scroller = held.scroller;
    const int bottom = scroller.ScaleHeight();
    const struct {
        int ticks;
        int top;
    } steps[] = {{1, bottom - 2}, {1, bottom - 4}, {3, bottom - 10}, {10, bottom - 30}};
    for (const auto &step : steps) {
        for (int i = 0; i < step.ticks; ++i) {
            scroller.tick();
        }
        EXPECT_EQ(scroller.CanvasTop(), step.top);
        EXPECT_EQ(scroller.Picture2()->y(), step.top);
    }
}

TEST(TextScroller, WrapsToTheBottomOnceTheWholeTextHasLeftTheTop) {
    HeldScroller held;
    TextScroller &scroller = held.scroller;
    const int bottom = scroller.ScaleHeight();
    const int height = scroller.CanvasHeight();
    // Ticks until the canvas's lower edge is at or above the window's top edge.
    const int gone = (bottom + height + 1) / 2;
    for (int i = 0; i < gone - 1; ++i) {
        scroller.tick();
    }
    EXPECT_GT(scroller.CanvasTop() + height, 0) << "still showing its last line";
    scroller.tick();
    EXPECT_EQ(scroller.CanvasTop(), bottom - 2 * gone);
    EXPECT_LE(scroller.CanvasTop() + height, 0);
    scroller.tick();
    EXPECT_EQ(scroller.CanvasTop(), bottom);
    EXPECT_EQ(scroller.CanvasHeight(), height);
    scroller.tick();
    EXPECT_EQ(scroller.CanvasTop(), bottom - 2);
}

TEST(TextScroller, TheStepIsReadFromTheTagOnEveryTick) {
    HeldScroller held;
    TextScroller &scroller = held.scroller;
    double expected = scroller.ScaleHeight();
    const struct {
        const char *tag;
        double step;
    } tags[] = {{"2", 2}, {"5", 5}, {"1", 1}, {" 3 ", 3}, {"0", 0}, {"-4", -4}};
    for (const auto &tag : tags) {
        scroller.Timer1()->setProperty("Tag", QLatin1String(tag.tag));
        scroller.tick();
        expected -= tag.step;
        EXPECT_EQ(scroller.CanvasTop(), expected) << tag.tag;
    }
}

TEST(TextScroller, ATagThatIsNotANumberIsReportedOnceAndStopsTheClock) {
    ErrorRecorder errors;
    const QList<qint32> &reported = errors.numbers;
    TextScroller scroller(about::ScrollerLines());
    scroller.Start();
    scroller.Timer1()->setProperty("Tag", QStringLiteral("veloce"));
    QTest::qWait(40);
    EXPECT_EQ(reported, (QList<qint32>{VbError::TypeMismatch}));
    EXPECT_FALSE(scroller.Timer1()->isActive());
    EXPECT_EQ(scroller.CanvasTop(), scroller.ScaleHeight());
}

TEST(TextScroller, PrintsEachLineCentredOnTheCanvas) {
    HeldScroller held;
    const QImage canvas = held.scroller.Picture2()->grab().toImage();
    const int lineHeight = held.scroller.LineHeight();
    const QStringList lines = about::ScrollerLines();
    for (int line = 0; line < lines.size(); ++line) {
        int left = canvas.width();
        int right = -1;
        for (int y = line * lineHeight; y < (line + 1) * lineHeight; ++y) {
            for (int x = 0; x < canvas.width(); ++x) {
                if (canvas.pixelColor(x, y).rgb() != background().rgb()) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        if (lines[line].isEmpty()) {
            EXPECT_EQ(right, -1) << "line " << line + 1 << " is empty";
            continue;
        }
        ASSERT_GE(right, 0) << "line " << line + 1;
        const int leftMargin = left;
        const int rightMargin = canvas.width() - 1 - right;
        EXPECT_LE(std::abs(leftMargin - rightMargin), 3) << "line " << line + 1;
    }
}

TEST(FrmAbout, IsOneSharedBoxCaptionedWithTheProductAndItsVersion) {
    FrmAbout *box = FrmAbout::Load();
    EXPECT_EQ(FrmAbout::Load(), box);
    EXPECT_EQ(FrmAbout::Loaded(), box);
    EXPECT_EQ(box->objectName(), QStringLiteral("FrmAbout"));
    EXPECT_EQ(box->parentWidget(), nullptr);
    auto *title = box->findChild<QLabel *>(QStringLiteral("Label1"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), about::ProductTitle());
    EXPECT_EQ(box->windowTitle(), about::ProductTitle() + QStringLiteral(" - Informazioni"));
    EXPECT_EQ(title->font().family(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(title->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    ASSERT_NE(box->findChild<QLabel *>(QStringLiteral("Image1")), nullptr);
    EXPECT_FALSE(box->findChild<QLabel *>(QStringLiteral("Image1"))->pixmap().isNull());
    // Loading starts the text.
    EXPECT_TRUE(box->Picture1()->Timer1()->isActive());
    EXPECT_EQ(box->Picture1()->CanvasTop(), box->Picture1()->ScaleHeight());
    delete box;
    EXPECT_EQ(FrmAbout::Loaded(), nullptr);
}

TEST(FrmAbout, ShowAboutBoxIsModalWithoutOwnerAndDestroysTheBoxOnClose) {
    QWidget host;
    host.show();
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<FrmAbout *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen = true;
        EXPECT_EQ(box, FrmAbout::Loaded());
        EXPECT_EQ(box->parentWidget(), nullptr);
        EXPECT_TRUE(box->isModal());
        TextScroller *scroller = box->Picture1();
        EXPECT_TRUE(scroller->Timer1()->isActive());
        // Bring the text up into the window for the picture.
        scroller->Timer1()->stop();
        for (int i = 0; i < scroller->ScaleHeight() / 3; ++i) {
            scroller->tick();
        }
        const QImage shot = box->grab().toImage();
        EXPECT_GE(distinctColours(shot), 6);
        EXPECT_TRUE(containsColour(shot, background()));
        EXPECT_TRUE(containsColour(shot, QColor(0, 0, 128)));
        EXPECT_TRUE(shot.save(picturePath(QStringLiteral("about.png"))));
        box->close();
    });
    ShowAboutBox(&host);
    EXPECT_TRUE(seen);
    EXPECT_EQ(FrmAbout::Loaded(), nullptr);
}
