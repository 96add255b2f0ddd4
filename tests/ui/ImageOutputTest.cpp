// The Image and Output pages and the device-wide commands: the choices a page makes beyond its
// binding rows (whose sending and showing is BindingTest's), and which parts of the pages the input
// on air allows.

#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QWheelEvent>

#include "ControlsMenu.h"
#include "MainMenus.h"
#include "MainWindowTestHarness.h"
#include "PageImage.h"
#include "PageOutput.h"
#include "RadioGroup.h"
#include "ValueSlider.h"

using namespace tesso;

using namespace tesso::test::mainwindow;

namespace
{

QStringList entries(const QComboBox* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->itemText(i);
    return texts;
}

} // namespace

// ---- Output page --------------------------------------------------------------------------------

TEST(OutputPage, FormatCodesBothWaysAndTheRatesEachFormatAllows)
{
    ConnectedWindow h;
    PageOutput* page = h.main->TabSheet_Output;
    emit page->CboOutputFormat->activated(0);
    emit page->CboOutputFormat->activated(11);
    EXPECT_EQ(h.sent(), QByteArray("10FM12FM"));

    h.reply("OFTM5\r\nORTM1\r\n");
    EXPECT_EQ(page->CboOutputFormat->currentIndex(), 5);
    EXPECT_EQ(entries(page->CboOutputRate), (QStringList{"50 Hz", "60 Hz", "Follow Input"}));
    EXPECT_EQ(page->CboOutputRate->currentIndex(), 1);
    h.reply("ORTM2\r\n");
    EXPECT_EQ(page->CboOutputRate->currentIndex(), -1) << "72 Hz is no UXGA rate, and not Follow Input";
    h.reply("REFR1\r\n");
    EXPECT_EQ(page->CboOutputRate->currentText(), QStringLiteral("Follow Input"));
    h.reply("OFTM4\r\n"); // a code the table lacks: the format shown stays
    EXPECT_EQ(page->CboOutputFormat->currentIndex(), 5);
    h.reply("REFR0\r\nOFTM1\r\n");
    EXPECT_EQ(page->CboOutputFormat->currentIndex(), 2);
    EXPECT_EQ(page->CboOutputRate->count(), 5);
    EXPECT_EQ(page->CboOutputRate->currentText(), QStringLiteral("72 Hz"));

    emit page->CboOutputRate->activated(4);
    emit page->CboOutputRate->activated(2);
    emit page->CboOutputRate->activated(-1); // a list just emptied
    EXPECT_EQ(h.sent(), QByteArray("1XR0XR2oR"));

    h.reply("DEV40\r\n");
    emit page->CboOutputFormat->activated(0);
    EXPECT_EQ(h.sent(), QByteArray()) << "no format without a known model";
}

TEST(Wheel, OnlyTheControlWithTheFocusTakesIt)
{
    ConnectedWindow h;
    h.main->show();
    QApplication::setActiveWindow(h.main.get());
    h.main->PageControl->setCurrentWidget(h.main->TabSheet_Output);
    QComboBox* format = h.main->TabSheet_Output->CboOutputFormat;
    h.main->PageControl->setCurrentWidget(h.main->TabSheet_Image);
    QScrollBar* bar = h.main->TabSheet_Image->FrameScrollHPos->ScrollBar;
    auto wheel = [](QWidget* w) {
        QWheelEvent turn(QPointF(4, 4), w->mapToGlobal(QPointF(4, 4)), QPoint(), QPoint(0, -120),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(w, &turn);
    };
    h.main->PageControl->setCurrentWidget(h.main->TabSheet_Output);
    wheel(format);
    h.main->PageControl->setCurrentWidget(h.main->TabSheet_Image);
    wheel(bar);
    EXPECT_EQ(h.sent(), QByteArray()) << "scrolled past, nothing changes";
    EXPECT_NE(bar->focusPolicy() & Qt::ClickFocus, 0) << "a click gives the bar the wheel";

    bar->setFocus();
    ASSERT_TRUE(bar->hasFocus());
    wheel(bar);
    EXPECT_FALSE(h.sent().isEmpty()) << "with the focus it works";
}

TEST(OutputPage, RadioGroupsShowOnlyTheirItems)
{
    ConnectedWindow h;
    PageOutput* page = h.main->TabSheet_Output;
    h.reply("OTYP2\r\nOSYN1\r\nOPAT1\r\n");
    EXPECT_EQ(page->RdoOutputType->ItemIndex(), 1);
    EXPECT_EQ(page->RdoOutputSync->ItemIndex(), 1);
    EXPECT_EQ(page->RdoTestPattern->ItemIndex(), 1);
    // A value with no item leaves none (BindingTest's), but for a type of 0.
    h.reply("OTYP0\r\n");
    EXPECT_EQ(page->RdoOutputType->ItemIndex(), 1) << "0: the device has not said";
    h.reply("OTYP4\r\n");
    EXPECT_EQ(page->RdoOutputType->ItemIndex(), -1);
    emit page->RdoOutputType->itemClicked(2);
    emit page->RdoOutputSync->itemClicked(0);
    emit page->RdoTestPattern->itemClicked(0);
    EXPECT_EQ(h.sent(), QByteArray("3oY0FY0oP"));
}

// ---- Which parts the input on air allows -----------------------------------------------------------

TEST(PagesForInput, ComputerInputNoSignalAndTheVideoFamilies)
{
    ConnectedWindow h;
    PageImage* image = h.main->TabSheet_Image;
    PageOutput* output = h.main->TabSheet_Output;
    h.reply("PCH5\r\nPRGB7\r\nCH5\r\nIFA11\r\n");
    EXPECT_TRUE(output->GrpOutput->isHidden());
    EXPECT_FALSE(output->LblOutputNotAvailableComputerInput->isHidden());
    EXPECT_TRUE(output->StaticText_NotOnOutSeamlessMode->isHidden());
    EXPECT_TRUE(image->GrpSizePos->isHidden());
    EXPECT_TRUE(image->GrpPicture->isHidden());
    EXPECT_FALSE(image->LblImageNotAvailableComputerInput->isHidden());
    EXPECT_FALSE(h.main->PnlBtnInputs->BtnFreeze->isEnabled());

    h.reply("CH1\r\nIFA0\r\nsM1\r\n");
    EXPECT_FALSE(output->GrpOutput->isHidden());
    EXPECT_TRUE(output->StaticText_NotOnOutSeamlessMode->isHidden());
    EXPECT_TRUE(image->GrpPicture->isHidden());
    EXPECT_FALSE(image->LblImageNoInputSignal->isHidden());
    EXPECT_TRUE(h.main->PnlBtnInputs->BtnFreeze->isEnabled());

    // Family: hue for NTSC only, no colour in black and white.
    const std::tuple<const char*, bool, bool> families[] = {
        {"IFA2\r\n", true, true}, {"IFA3\r\n", true, false}, {"IFA5\r\n", false, false}};
    for (const auto& [report, color, hue] : families) {
        h.reply(report);
        EXPECT_FALSE(image->GrpPicture->isHidden()) << report;
        EXPECT_EQ(!image->FrameScrollColor->isHidden(), color) << report;
        EXPECT_EQ(!image->FrameScrollHue->isHidden(), hue) << report;
    }
    h.reply("PCH3\r\nPRGB2\r\nCH3\r\n");
    EXPECT_TRUE(image->CboProcessing->isHidden()) << "no sharpness for YUV and RGB";
    h.reply("sM0\r\n");
    EXPECT_FALSE(output->StaticText_NotOnOutSeamlessMode->isHidden());
    EXPECT_EQ(h.sent(), QByteArray());
}

// ---- Controls menu ------------------------------------------------------------------------------

TEST(ControlsMenu, KeyLockingKeepsTheOtherBits)
{
    ConnectedWindow h;
    MainMenus* menus = h.main->Menus;
    const std::tuple<const char*, QAction*, const char*> cases[] = {
        {"LOCK1\r\n", menus->MenuLockAll, "3yl"},
        {"LOCK3\r\n", menus->MenuLockAll, "0yl"},
        {"LOCK3\r\n", menus->MenuLockInput, "1yl"},
        {"LOCK7\r\n", menus->MenuLockAll, "4yl"},
        {"LOCK4\r\n", menus->MenuLockMenu, "5yl"}};
    for (const auto& [report, item, wire] : cases) {
        h.reply(report);
        item->trigger();
        EXPECT_EQ(h.sent(), QByteArray(wire)) << report;
    }
    h.reply("LOCK2\r\n");
    EXPECT_FALSE(menus->MenuLockAll->isChecked());
    EXPECT_FALSE(menus->MenuLockMenu->isChecked()) << "the mark is the device's, not the click's";
    EXPECT_TRUE(menus->MenuLockInput->isChecked());
}

TEST(ControlsMenu, ConfirmationsBlackDelayAndPullDown)
{
    ConnectedWindow h;
    MainMenus* menus = h.main->Menus;
    h.prompts.confirmAnswer = false;
    menus->MenuEraseAll->trigger();
    menus->ToolButton_DefaultValues->trigger();
    EXPECT_EQ(h.sent(), QByteArray());
    h.prompts.confirmAnswer = true;
    menus->ToolButton_EraseAll->trigger();
    menus->MenuDefaultValues->trigger();
    EXPECT_EQ(h.sent(), QByteArray("1ye1Y"));
    EXPECT_EQ(h.prompts.confirmations.size(), 4) << "each item asks, even when refused";

    h.reply("OST1\r\n");
    EXPECT_TRUE(menus->MenuBlackDelayMedium->isChecked());
    h.reply("OST3\r\n");
    EXPECT_EQ(menus->BlackDelayGroup->checkedAction(), nullptr) << "no old mark for a value of 3";
    menus->MenuBlackDelayLong->trigger();
    menus->MenuPullDownAuto->trigger();
    EXPECT_EQ(h.sent(), QByteArray("2oT1QE"));
}
