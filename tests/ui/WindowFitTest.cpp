// The main window as a person sees it at the scale and font the run is given (the suite runs at
// 100 %, 150 % and 200 % scale and with a 14-point font): every caption whole on every page, and
// every control named for a screen reader; Tab walks the rows of a page as they are read.
#include <cstdlib>

#include <gtest/gtest.h>

#include <QAccessible>
#include <QPalette>
#include <QTabWidget>
#include <QTableWidget>

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

    // With TESSO_TEST_GRAB naming a folder, each page shown is also saved there as a picture, to look at.
    void showPage(int index)
    {
        window.main->PageControl->setCurrentIndex(index);
        QApplication::processEvents();
        if (const QString folder = qEnvironmentVariable("TESSO_TEST_GRAB"); !folder.isEmpty())
            window.main->grab().save(QStringLiteral("%1/page%2.png").arg(folder).arg(index));
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

TEST_F(WindowFit, AGrownWindowGivesThePagesTheRoom)
{
    QWidget* main = window.main.get();
    QTabWidget* pages = window.main->PageControl;
    const QSize before = pages->size();
    const QRect status = window.main->StatusArea->geometry();
    main->resize(main->size() + QSize(200, 150));
    QApplication::processEvents();
    EXPECT_EQ(pages->size(), before + QSize(200, 150));
    EXPECT_EQ(window.main->StatusArea->geometry().topLeft(), status.topLeft()) << "the status column stays";
    EXPECT_EQ(window.main->StatusArea->width(), status.width());
    EXPECT_TRUE(QRect(pages->mapTo(main, QPoint(0, 0)), pages->size())
                    .contains(QRect(window.main->PnlUpdater->mapTo(main, QPoint(0, 0)),
                                    window.main->PnlUpdater->size())))
        << "the update notice stays over the pages";
}

// A screen reader hears each value with its row's label, and the captions between the rows.
TEST_F(WindowFit, TheStatusGridIsReadAsLabelsAndValues)
{
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(window.main->StatusArea->GrdStatus);
    ASSERT_TRUE(grid && grid->tableInterface());
    auto spoken = [&](int row, int column) {
        return grid->tableInterface()->cellAt(row, column)->text(QAccessible::Name);
    };
    EXPECT_EQ(grid->text(QAccessible::Name), QStringLiteral("Machine status"));
    EXPECT_EQ(spoken(1, 1), QStringLiteral("Input: ") + window.cell(1));
    EXPECT_EQ(spoken(7, 0), QStringLiteral("Reference"));
    window.reply(QByteArrayLiteral("ORATEM1\r\n"));
    EXPECT_EQ(spoken(9, 1), QStringLiteral("Rate: ") + window.cell(9))
        << "a new value is read with its label";
}

// A dark desktop: the grid's values, normal and faulty, stand out from its background.
TEST_F(WindowFit, TheStatusGridReadsUnderADarkPalette)
{
    const QPalette light = QApplication::palette();
    QPalette dark = light;
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button, QPalette::ToolTipBase})
        dark.setColor(role, QColor(40, 40, 40));
    for (const auto role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText})
        dark.setColor(role, QColor(230, 230, 230));
    QApplication::setPalette(dark);
    QApplication::processEvents(); // the widgets hear of it from the event loop
    tesso::StatusGridArea* area = window.main->StatusArea;
    StatusGridCells cells;
    cells.mark[2] = -1; // a fault row
    area->ApplyCells(cells);

    QTableWidget* grid = area->GrdStatus;
    const QColor background = grid->palette().color(QPalette::Base);
    const QColor normal = grid->palette().color(QPalette::Text);
    const QColor fault = grid->item(2, 1)->foreground().color();
    QApplication::setPalette(light);
    QApplication::processEvents();
    EXPECT_LT(background.lightnessF(), 0.3);
    EXPECT_GT(normal.lightnessF() - background.lightnessF(), 0.5);
    EXPECT_FALSE(grid->item(1, 1)->data(Qt::ForegroundRole).isValid())
        << "a normal row draws in the grid's text colour";
    EXPECT_GT(fault.lightnessF() - background.lightnessF(), 0.4);
    EXPECT_GT(fault.redF(), fault.greenF() + 0.3) << "and a fault stays red";
}

} // namespace
