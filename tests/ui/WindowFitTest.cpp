// The main window as a person sees it at the scale and font the run is given (the suite runs at
// 100 %, 150 % and 200 % scale and with a 14-point font): every caption whole on every page, and
// every control named for a screen reader; Tab walks the rows of a page as they are read.
#include <cstdlib>

#include <gtest/gtest.h>

#include <QTabWidget>

#include "MainWindowTestHarness.h"
#include "PageEffect.h"
#include "WindowChecks.h"

using namespace tesso::test;
using namespace tesso::test::mainwindow;

namespace
{

class WindowFit : public ::testing::Test
{
  protected:
    static void SetUpTestSuite()
    {
        // The desktop's font, when the run asks for a larger one than Qt's default.
        if (const int points = qEnvironmentVariableIntValue("TESSO_TEST_FONT_POINTS"); points > 0) {
            QFont font = QApplication::font();
            font.setPointSize(points);
            QApplication::setFont(font);
        }
    }

    void SetUp() override
    {
        // A video signal (NTSC) on the input on air: no page hides its controls behind a notice.
        window.reply("CH1\r\nIFA2\r\n");
        window.main->show();
        QApplication::processEvents();
    }

    void showPage(int index)
    {
        window.main->PageControl->setCurrentIndex(index);
        QApplication::processEvents();
    }

    // Standard switching shows the output settings; seamless switching the reference input and,
    // in place of the output settings, a notice.
    static constexpr const char* SwitchModes[] = {"sM1\r\n", "sM0\r\n"};

    ConnectedWindow window;
};

// Tab walks the rows of the Input and Effect pages as they are read: left to right in a row, then
// down to the next row.
TEST_F(WindowFit, TabWalksThePagesRowsInReadingOrder)
{
    QTabWidget* pages = window.main->PageControl;
    for (QWidget* page : {static_cast<QWidget*>(window.main->TabSheet_Input),
                          static_cast<QWidget*>(window.main->TabSheet_Effect)}) {
        showPage(pages->indexOf(page));
        QList<QRect> walked;
        for (QWidget* w = page->nextInFocusChain(); w != page && page->isAncestorOf(w);
             w = w->nextInFocusChain())
            if (w->isVisibleTo(page) && (w->focusPolicy() & Qt::TabFocus))
                walked << QRect(w->mapTo(page, QPoint(0, 0)), w->size());
        ASSERT_GT(walked.size(), 10);
        for (qsizetype i = 1; i < walked.size(); ++i) {
            const QRect& a = walked[i - 1];
            const QRect& b = walked[i];
            const bool sameRow = std::abs(a.center().y() - b.center().y()) < a.height() / 2;
            EXPECT_TRUE(sameRow ? b.left() > a.left() : b.center().y() > a.center().y())
                << pages->tabText(pages->indexOf(page)).toStdString() << ": stop " << i << " at (" << b.x()
                << "," << b.y() << ") after (" << a.x() << "," << a.y() << ")";
        }
    }
}

TEST_F(WindowFit, EveryPageShowsItsCaptionsWhole)
{
    QTabWidget* pages = window.main->PageControl;
    for (const char* mode : SwitchModes) {
        window.reply(mode);
        for (int i = 0; i < pages->count(); ++i) {
            showPage(i);
            EXPECT_EQ(clippedCaptions(pages->currentWidget()), QStringList())
                << pages->tabText(i).toStdString() << ' ' << QByteArray(mode).trimmed().constData();
        }
    }
    EXPECT_EQ(clippedCaptions(window.main.get(), pages), QStringList()) << "outside the pages";
}

TEST_F(WindowFit, EveryControlIsNamedForAScreenReader)
{
    QTabWidget* pages = window.main->PageControl;
    for (const char* mode : SwitchModes) {
        window.reply(mode);
        for (int i = 0; i < pages->count(); ++i) {
            showPage(i);
            EXPECT_EQ(unnamedControls(pages->currentWidget()), QStringList())
                << pages->tabText(i).toStdString() << ' ' << QByteArray(mode).trimmed().constData();
        }
    }
    EXPECT_EQ(unnamedControls(window.main.get()), QStringList());
}

} // namespace
