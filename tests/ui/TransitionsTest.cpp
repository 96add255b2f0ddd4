// Transitions, titles and audio: the paced title rows, the shadow band, what each effect status
// and switch mode shows, TAKE and AutoTake, the reference input, the blinking looks and mute.

#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QGroupBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>

#include "AudioIndicator.h"
#include "CompactCombo.h"
#include "EffectRow.h"
#include "MainMenus.h"
#include "MainWindowTestHarness.h"
#include "PageAudio.h"
#include "PageEffect.h"
#include "PageOutput.h"
#include "PageSwitchMode.h"
#include "RadioGroup.h"
#include "ReportCapture.h"

using namespace tesso;

using namespace tesso::test::mainwindow;

namespace
{

struct EffectWindow : ConnectedWindow {
    PageEffect* page = main->TabSheet_Effect;
    void drag(EffectRow* row, int steps)
    {
        for (int i = 0; i < steps; ++i)
            row->ScrollBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    }
    void type(EffectRow* row, const char* text)
    {
        row->Edt->setText(QString::fromLatin1(text));
        emit row->Edt->returnPressed();
    }
};

} // namespace

// ---- Effect page --------------------------------------------------------------------------------

TEST(TitleRows, AFastDragGoesOutOneValuePerReply)
{
    EffectWindow h;
    EffectRow* size = h.page->RowTitleHeight;
    h.drag(size, 3); // 221, 222, 223 from the design position 220
    EXPECT_EQ(h.sent(), QByteArray("221tH"));
    const char* const expected[] = {"221tH", "222tH", "223tH", ""};
    for (const char* wire : expected) {
        h.reply("DEV57\r\nTitH221\r\n"); // the keep-alive's answer keeps what waits
        EXPECT_EQ(h.sent(), QByteArray(wire));
    }
    EXPECT_EQ(size->ScrollBar->value(), 221) << "then the device's value";
    EXPECT_EQ(size->Edt->text(), QStringLiteral("221"));

    // What waits when the device goes away is not replayed once it is back.
    h.drag(size, 2);
    h.sent();
    h.reply("DEV0\r\nDEV57\r\nTitH221\r\n");
    EXPECT_EQ(h.sent(), QByteArray());
    EXPECT_TRUE(size->Queue().empty());
    h.drag(size, 2);
    h.sent();
    h.reply("DEV58\r\nTitH221\r\n");
    EXPECT_EQ(h.sent(), QByteArray()) << "nor for another device";
}

TEST(TitleRows, TheBandStaysUnderTitleMaxYAndTypedValuesAreClamped)
{
    EffectWindow h;
    tesso::test::ReportCapture report;
    h.reply("TitM500\r\nTitS300\r\n");
    EXPECT_EQ(h.page->RowTitleHeight->ScrollBar->maximum(), 200);
    h.reply("TitS600\r\n");
    EXPECT_EQ(h.page->RowTitleHeight->ScrollBar->maximum(), 200) << "no room: left as it was";
    h.reply("TitH100\r\n");
    EXPECT_EQ(h.page->RowTitleStart->ScrollBar->maximum(), 400);

    h.type(h.page->RowTitleStart, "5000");
    EXPECT_EQ(h.sent(), QByteArray("400tS"));
    h.reply("TitS400\r\nTitS400\r\n");
    h.sent();
    h.type(h.page->RowTitleAlpha, "-3");
    h.type(h.page->RowTitleAlpha, "x");
    EXPECT_EQ(h.sent(), QByteArray());
    EXPECT_EQ(h.page->RowTitleAlpha->ScrollBar->value(), 78) << "a refused number leaves the bar";
    EXPECT_EQ(report.messages.size(), 2);
}

TEST(EffectPage, FadeRowSecondsStatusAndVisibility)
{
    EffectWindow h;
    EffectRow* fade = h.page->RowFadeDuration;
    h.reply("FDur25\r\n");
    EXPECT_EQ(fade->Edt->text(), QStringLiteral("2.5s"));
    h.reply("FDur250\r\n");
    EXPECT_EQ(fade->Edt->text(), QStringLiteral("25s"));
    fade->ScrollBar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    fade->ScrollBar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(h.sent(), QByteArray("249FD248FD")) << "the fade goes out at once";

    h.reply("eS2\r\n");
    EXPECT_EQ(h.page->Edit_EFFECTSTATUS->text(), QStringLiteral("Fade"));
    EXPECT_FALSE(fade->isHidden());
    EXPECT_TRUE(h.page->RowTitleStart->isHidden());
    EXPECT_TRUE(h.page->RadioGroup_TITLEAUDIO->isHidden());
    h.reply("eS3\r\n");
    EXPECT_TRUE(fade->isHidden());
    EXPECT_FALSE(h.page->RowTitleDuration->isHidden());
    EXPECT_FALSE(h.page->Btn_TitleHold->isHidden());
    EXPECT_FALSE(h.page->RadioGroup_TITLEAUDIO->isHidden());
    h.reply("eS0\r\n");
    EXPECT_TRUE(h.page->Panel_ZoneEffect->isHidden());
    EXPECT_FALSE(h.main->StatusArea->SpeedButton_Fade->isEnabled());
    h.reply("eS9\r\n");
    EXPECT_EQ(h.page->Edit_EFFECTSTATUS->text(), QStringLiteral("Fade to black")) << "kept";
    EXPECT_FALSE(h.main->StatusArea->SpeedButton_Fade->isEnabled());

    h.reply("Tith1\r\n");
    EXPECT_FALSE(h.page->RowTitleDuration->ScrollBar->isEnabled());
    h.page->Btn_TitleHold->click();
    emit h.page->RadioGroup_TITLEAUDIO->itemClicked(1);
    EXPECT_EQ(h.sent(), QByteArray("0th1ta"));
}

// ---- Effect buttons, switch mode, reference ---------------------------------------------------------

TEST(EffectButtons, AClickChoosesTheEffectAndOpensItsPage)
{
    ConnectedWindow h;
    StatusGridArea* area = h.main->StatusArea;
    area->SpeedButton_Fade->click();
    EXPECT_EQ(h.sent(), QByteArray("2eT"));
    EXPECT_EQ(h.main->PageControl->currentWidget(), h.main->TabSheet_Effect);
    EXPECT_FALSE(area->SpeedButton_Fade->isChecked()) << "down only once the device says so";
    h.reply("eT3\r\n");
    EXPECT_TRUE(area->SpeedButton_Title->isChecked());
    h.reply("eT0\r\n");
    EXPECT_TRUE(area->SpeedButton_Title->isChecked()) << "0 has no button: the last one stays";
    EXPECT_FALSE(area->SpeedButton_Cut->isChecked());
}

TEST(SwitchMode, StandardHidesTheEffectsAndACutOnlyModelKeepsItsButtonsHidden)
{
    ConnectedWindow h;
    const int effectTab = h.main->PageControl->indexOf(h.main->TabSheet_Effect);
    StatusGridArea* area = h.main->StatusArea;
    h.reply("sM1\r\n");
    EXPECT_FALSE(h.main->PageControl->isTabVisible(effectTab));
    EXPECT_TRUE(area->SpeedButton_Cut->isHidden());
    EXPECT_FALSE(h.main->TabSheet_Output->GrpOutputFormat->isHidden());
    EXPECT_TRUE(h.main->TabSheet_SwitchMode->GroupBox_Seamless->isHidden());
    h.reply("sM0\r\n");
    EXPECT_TRUE(h.main->PageControl->isTabVisible(effectTab));
    EXPECT_FALSE(area->SpeedButton_Title->isHidden());
    EXPECT_TRUE(h.main->TabSheet_Output->GrpOutputRate->isHidden());
    EXPECT_FALSE(h.main->TabSheet_SwitchMode->GroupBox_Seamless->isHidden());

    h.reply("DEV58\r\n");
    EXPECT_FALSE(h.main->PageControl->isTabVisible(effectTab));
    h.reply("sM0\r\n");
    EXPECT_TRUE(h.main->PageControl->isTabVisible(effectTab)) << "as the device's rule has it";
    EXPECT_TRUE(area->SpeedButton_Cut->isHidden());
    EXPECT_TRUE(area->SpeedButton_Fade->isHidden());
}

TEST(SwitchMode, ReferenceInputChoices)
{
    ConnectedWindow h;
    tesso::test::ReportCapture report;
    PageSwitchMode* page = h.main->TabSheet_SwitchMode;
    page->sendReferenceInput(3);
    page->sendReferenceInput(1);
    page->sendReferenceInput(7);
    EXPECT_EQ(h.sent(), QByteArray("1RL0RL6CR"));
    EXPECT_EQ(report.messages, QStringList{QStringLiteral("ItemIndex out about Tab: nothing is sent")});
    h.reply("RL0\r\nCR7\r\n");
    EXPECT_EQ(page->SmallCombo_ICHREF->ItemIndex(), 2);
    h.reply("RL1\r\n");
    EXPECT_EQ(page->SmallCombo_ICHREF->ItemIndex(), 3);
    h.reply("RL2\r\nCR5\r\n");
    EXPECT_EQ(page->SmallCombo_ICHREF->ItemIndex(), 3) << "an unknown REFLAST changes nothing";
}

// ---- TAKE, AutoTake and the blinking looks ------------------------------------------------------------

TEST(Take, TakeAutoTakeAndTheirLooks)
{
    ConnectedWindow h;
    QPushButton* take = h.main->StatusArea->Button_Take;
    take->click();
    h.main->Menus->MenuItem_AutoTake_Off->trigger();
    EXPECT_EQ(h.sent(), QByteArray("1uT0uA"));
    h.reply("ATAK1\r\nTAKE1\r\nTKEV0\r\n");
    EXPECT_TRUE(h.main->Menus->MenuItem_AutoTake_On->isChecked());
    EXPECT_EQ(h.main->PnlBtnInputs->cursor().shape(), Qt::PointingHandCursor);
    h.main->blinkTick();
    EXPECT_TRUE(take->font().bold() && take->font().italic());
    h.main->blinkTick();
    EXPECT_FALSE(take->font().bold());
    h.main->blinkTick();
    h.reply("TAKE0\r\nTKEV1\r\n");
    h.main->blinkTick();
    EXPECT_FALSE(take->font().italic());
    EXPECT_EQ(take->cursor().shape(), Qt::ArrowCursor);
}

TEST(Take, ThePreselectedInputBlinksWhileUsedAndGetsItsLookBack)
{
    ConnectedWindow h;
    h.reply("CH1\r\nCHN3\r\nPCH3\r\nPEN1\r\n");
    QToolButton* third = h.button(3);
    h.main->blinkTick();
    EXPECT_TRUE(third->font().bold());
    h.main->blinkTick();
    EXPECT_FALSE(third->font().bold());
    h.main->blinkTick();
    ASSERT_TRUE(third->font().bold());
    h.reply("PCH3\r\nPEN0\r\n");
    h.main->blinkTick();
    EXPECT_FALSE(third->font().bold()) << "no longer blinking: the look of an input not on air";
    EXPECT_TRUE(h.button(1)->font().bold());

    h.reply("PCH3\r\nPEN1\r\nCH3\r\n"); // taken: on air and still the preselected one
    for (int tick = 0; tick < 2; ++tick) {
        h.main->blinkTick();
        EXPECT_TRUE(third->font().bold()) << "the input on air is steady";
    }
}

// ---- Mute --------------------------------------------------------------------------------------------

TEST(Mute, ButtonsCaptionAndIndicator)
{
    tesso::test::ScriptedDriver d;
    d.connectSerial();
    EventRouter router(*d);
    QMainWindow window;
    auto* button = new QToolButton(&window);
    button->setCheckable(true);
    QAction tool(&window);
    auto* bar = new MainStatusBar(&window);
    AudioIndicator audio(router, button, &tool, bar);

    button->click();
    d.feed("MUTE1\r\n");
    EXPECT_TRUE(button->isChecked());
    EXPECT_EQ(button->text(), QStringLiteral("Mute On"));
    audio.Tick();
    EXPECT_EQ(audio.Frame(), AudioIndicator::MutedFrame);
    tool.trigger();
    EXPECT_EQ(d.serial->allWritten(), QByteArray("1RM0RM"));
    d.feed("MUTE2\r\n");
    EXPECT_EQ(button->text(), QStringLiteral("Mute On")) << "any value but 0 reads as muted";
    d.feed("MUTE0\r\n");
    EXPECT_FALSE(button->isChecked());
    EXPECT_EQ(button->text(), QStringLiteral("Mute Off"));
    audio.Tick();
    EXPECT_NE(audio.Frame(), AudioIndicator::MutedFrame) << "the level moves again";
}
