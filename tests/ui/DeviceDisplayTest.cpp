// What the window makes of the device: the model it reshapes itself for, the about box's device
// labels, the status grid's rows, the input buttons and rows, the labels and the Audio page.

#include <gtest/gtest.h>

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>

#include "AboutDialog.h"
#include "CompactCombo.h"
#include "FloatingHint.h"
#include "InputButtonRow.h"
#include "InputSettingsRow.h"
#include "MainMenus.h"
#include "MainWindowTestHarness.h"
#include "PageAudio.h"
#include "PageInput.h"
#include "PageSwitchMode.h"
#include "StatusGridArea.h"
#include "StatusGridRules.h"

using namespace tesso;

using namespace tesso::test::mainwindow;

namespace
{

using Connected = ConnectedWindow;

// The rows of the grid as the rules compute them from replies; "-" for a row left alone.
QStringList gridFor(const QByteArray& replies, const QLocale& locale = QLocale::c())
{
    tesso::test::ScriptedDriver d;
    d.feed(replies);
    const QStringList labels = {"Internal Rate", "Cam", "Deck", "RGB", "SV", "PC 1", "PC 2", "PC 3", ""};
    const StatusGridCells cells = StatusGridRules::Compute(*d, labels, 7, locale);
    QStringList rows;
    for (int r = 1; r <= 13; ++r)
        rows << cells.text[static_cast<std::size_t>(r)].value_or(QStringLiteral("-")) +
                    (cells.mark[static_cast<std::size_t>(r)].value_or(0) != 0 ? QStringLiteral("!")
                                                                              : QString());
    return rows;
}

const QByteArray palOnInput1 =
    "UNIT27000\r\nCH1\r\nIFA3\r\nIPS1\r\nIST0\r\nIHP0\r\nIVP1\r\nIIN1\r\nILD17280\r\n"
    "IFD312\r\nREFR0\r\nREFA0\r\npm0\r\nORTM1\r\nOFTM1\r\nOSYN0\r\n";

} // namespace

// ---- Model --------------------------------------------------------------------------------------

TEST(DeviceModel, EachModelReshapesTheWindowAndNoModelResetsIt)
{
    Connected h(57);
    EXPECT_EQ(h.main->windowTitle(), QStringLiteral("Lumio remote control"));
    for (int k = 1; k <= 7; ++k)
        EXPECT_TRUE(h.button(k)->isEnabled()) << k;
    EXPECT_FALSE(h.button(8)->isVisibleTo(h.main.get()));
    EXPECT_TRUE(h.row(8)->isHidden());
    EXPECT_FALSE(h.main->Menus->MenuInput[7]->isVisible());
    EXPECT_EQ(h.main->Windows().About->Label_D->text(), QStringLiteral("D = 0039"));
    EXPECT_FALSE(h.row(3)->CboSignalType->isHidden());
    EXPECT_TRUE(h.row(3)->CboStandard->isHidden());

    h.reply("DEV58\r\n");
    EXPECT_EQ(h.main->windowTitle(), QStringLiteral("Snipa remote control"));

    h.reply(palOnInput1);
    EXPECT_EQ(h.cell(1), QStringLiteral("C.Video 1"));
    h.reply("DEV40\r\n"); // accepted on the link, not a model of this window
    EXPECT_EQ(h.main->windowTitle(), QStringLiteral("Tesso remote control"));
    EXPECT_FALSE(h.button(1)->isEnabled());
    EXPECT_EQ(h.cell(1), QStringLiteral("...")) << "no stale signal beside a lost device";
    EXPECT_EQ(h.main->Windows().About->Label_D->text(), QStringLiteral("D = 0028"));
    h.reply("DEV58\r\nDEV0\r\n"); // gone again
    EXPECT_EQ(h.main->windowTitle(), QStringLiteral("Tesso remote control"));
    EXPECT_FALSE(h.button(1)->isEnabled());
}

TEST(DeviceModel, AboutBoxShowsTheDeviceVersions)
{
    Connected h;
    h.reply("I_912\r\nK_15420\r\nS_32289\r\nVERU205\r\nOPT2\r\n");
    AboutDialog* about = h.main->Windows().About;
    EXPECT_EQ(about->label_I->text(), QStringLiteral("I = 0390"));
    EXPECT_EQ(about->label_k->text(), QStringLiteral("K = 3C3C"));
    EXPECT_EQ(about->label_s->text(), QStringLiteral("S = 7E21"));
    EXPECT_EQ(about->label_verupd->text(), QStringLiteral("Version 2.5"));
    EXPECT_EQ(about->label_opt->text(), QStringLiteral("O = 0002"));
    EXPECT_EQ(about->Label_Lan->text(), QStringLiteral("LAN = Installed"));
    h.reply("VERU1210\r\nOPT1\r\n");
    EXPECT_EQ(about->label_verupd->text(), QStringLiteral("Version 12.10"));
    EXPECT_EQ(about->Label_Lan->text(), QStringLiteral("LAN = Not installed"));
}

// ---- Status grid --------------------------------------------------------------------------------

TEST(StatusGrid, RowsForAVideoInput)
{
    EXPECT_EQ(gridFor(palOnInput1),
              (QStringList{"Cam", "Video", "PAL std(4,43/50)", "15 kHz i", "50 Hz", "H & V   (H- V+)", "-",
                           "Internal Rate", "60 Hz", "-", "XGA   1024x768", "60 Hz", "H & V"}));
    // NTSC, progressive, in a German locale: the user's decimal separator and 2 or 3 digits.
    const QByteArray ntsc = "UNIT27000\r\nCH2\r\nIFA2\r\nIPS1\r\nIST1\r\nIIN0\r\nILD17160\r\nIFD262\r\n";
    EXPECT_EQ(gridFor(ntsc, QLocale(QLocale::German)).mid(2, 4),
              (QStringList{"NTSC std(3,58/60)", "15 kHz ", "60 Hz", "TTL Composite"}));
    EXPECT_EQ(gridFor("UNIT27000\r\nIPS1\r\nIIN1\r\nILD17160\r\nIFD262\r\n", QLocale(QLocale::German))[4],
              QStringLiteral("59,93 Hz"));
}

TEST(StatusGrid, RowsForAComputerInputNoSignalAndOddValues)
{
    const QStringList computer =
        gridFor("PCH5\r\nPRGB7\r\nCH5\r\nIFA11\r\nIPS1\r\nIST3\r\nILD5583\r\nIFD806\r\nUNIT27000\r\n");
    EXPECT_EQ(computer[1], QStringLiteral("Computer"));
    EXPECT_EQ(computer.mid(7, 2), (QStringList{"Loopthrough", "Loopthrough"}));
    EXPECT_EQ(computer.mid(10, 3), (QStringList{"Loopthrough", "60 Hz", "Analog Composite"}));

    const QStringList silent = gridFor("CH2\r\nIPS0\r\n");
    EXPECT_EQ(silent.mid(2, 4), (QStringList{"", "", "", "No synchro"}));
    EXPECT_EQ(gridFor("IPS1\r\nIOO1\r\n")[5], QStringLiteral("Out of range"));
    // An input the model does not have, a sync type with no name, no line duration.
    const QStringList odd = gridFor("CH9\r\nIPS1\r\nIST9\r\nILD0\r\nIFD312\r\nOSYN7\r\n");
    EXPECT_EQ(odd[0], QStringLiteral("No input"));
    EXPECT_EQ(odd.mid(3, 3), (QStringList{"", "Not measured", "Sync. error !"}));
    EXPECT_EQ(odd[12], QStringLiteral("-")) << "a sync with no name leaves its cell";
}

TEST(StatusGrid, AMissingReferenceMarksItsRowsInRed)
{
    const QStringList lost = gridFor("CH1\r\nREFR1\r\nREFA0\r\n");
    EXPECT_EQ(lost.mid(7, 2), (QStringList{"No input signal!", "Rate error"}));
    EXPECT_EQ(lost[11], QStringLiteral("No signal at Cam!"));
    Connected h;
    h.reply(palOnInput1 + "REFR1\r\nREFA0\r\n");
    const QTableWidgetItem* source = h.main->StatusArea->GrdStatus->item(8, 1);
    EXPECT_TRUE(source->font().bold());
    EXPECT_EQ(source->foreground().color(), QColor(Qt::red));
    EXPECT_FALSE(h.main->TabSheet_SwitchMode->RefreqM_Label_no_signal_Main_refreq->isHidden());
    h.reply("REFA1\r\n");
    EXPECT_FALSE(h.main->StatusArea->GrdStatus->item(8, 1)->font().bold());
    EXPECT_TRUE(h.main->TabSheet_SwitchMode->RefreqM_Label_no_signal_Main_refreq->isHidden());
}

// ---- Inputs ---------------------------------------------------------------------------------------

TEST(Inputs, AClickSelectsWithANoticeWhileTheDeviceCannotTakeIt)
{
    Connected h;
    h.reply("CH1\r\nTKEV0\r\n");
    h.button(5)->click();
    EXPECT_EQ(h.sent(), QByteArray("5CN"));
    EXPECT_EQ(h.main->PnlBtnInputs->Hint->text(), QStringLiteral("Please Wait"));
    EXPECT_TRUE(h.main->PnlBtnInputs->Hint->isVisible());
    EXPECT_TRUE(h.button(1)->isChecked()) << "the buttons show the input on air, not the click";
    h.reply("TKEV1\r\nPCH6\r\nPRGB7\r\noY2\r\nOTYP2\r\n");
    EXPECT_FALSE(h.main->PnlBtnInputs->Hint->isVisible());
    h.button(6)->click();
    EXPECT_EQ(h.sent(), QByteArray("6CN"));
    EXPECT_EQ(h.main->PnlBtnInputs->Hint->text(), QStringLiteral("Not available (DVI-only output selected)"));

    h.reply("CH3\r\n");
    EXPECT_TRUE(h.button(3)->isChecked());
    EXPECT_TRUE(h.button(3)->font().bold());
    h.reply("CH9\r\n");
    EXPECT_EQ(h.main->PnlBtnInputs->InputGroup->checkedId(), -1)
        << "an input the model lacks is on no button";
}

TEST(Inputs, RowsSendTheirInputFirstAndShowWhatIsReportedForThem)
{
    Connected h;
    h.reply("PCH2\r\nPEN0\r\n");
    EXPECT_FALSE(h.row(2)->ChkUsed->isChecked());
    EXPECT_FALSE(h.row(2)->CboStandard->isEnabled()) << "the row greys with its box";
    EXPECT_TRUE(h.row(2)->SmallCombo_REFASP->isEnabled()) << "but for its reference aspect";
    EXPECT_FALSE(h.button(2)->isEnabled());
    EXPECT_TRUE(h.button(1)->isEnabled());
    EXPECT_TRUE(h.row(1)->ChkUsed->isChecked());

    h.row(2)->ChkUsed->click();
    emit h.row(4)->CboSignalType->activated(0);
    emit h.row(3)->CboSignalType->activated(-1); // a list just emptied
    EXPECT_EQ(h.sent(), QByteArray("2PC1PE4PC0PR"));

    // A report for all inputs resets the signal types: YUV for input 3, Y/C for input 4.
    h.reply("PCH4\r\nPRGB0\r\nPCH0\r\nPRGB0\r\n");
    EXPECT_EQ(h.row(3)->CboSignalType->currentIndex(), 0);
    EXPECT_EQ(h.row(4)->CboSignalType->currentIndex(), 1);
    EXPECT_EQ(h.driver().PRGBIByInput(3), 2u);
    EXPECT_EQ(h.driver().PRGBIByInput(5), 7u);
    h.reply("PCH2\r\nPEN0\r\nPCH0\r\nPEN1\r\n");
    EXPECT_TRUE(h.row(2)->ChkUsed->isChecked());
    EXPECT_TRUE(h.button(2)->isEnabled());
    EXPECT_EQ(h.sent(), QByteArray());
}

TEST(Inputs, RenameKeepsSeventeenCharactersAndCancelChangesNothing)
{
    Connected h;
    QAction* item = h.main->Menus->MenuInput[2];
    h.prompts.answers = {QString(18, u'x'), QString(17, u'y')};
    item->trigger();
    ASSERT_EQ(h.prompts.questions.size(), 2);
    EXPECT_EQ(h.prompts.questions[1][2], QStringLiteral("RGB/YUV")) << "the previous label comes back";
    EXPECT_EQ(h.button(3)->text(), QString(17, u'y'));
    EXPECT_EQ(h.main->TabSheet_Audio->RdoACHANM[2]->text(),
              QStringLiteral("Audio 3 (") + QString(17, u'y') + ')');
    IniFile file;
    ASSERT_EQ(file.load(h.folder.path() + QStringLiteral("/Lumio.ini")), IniFile::LoadResult::Read);
    EXPECT_EQ(file.value(QStringLiteral("Lumio"), QStringLiteral("Input3")), QString(17, u'y'));

    item->trigger(); // Cancel: no answer left
    EXPECT_EQ(h.button(3)->text(), QString(17, u'y'));
    h.main->Menus->MenuCustomizeDefault->trigger();
    EXPECT_EQ(h.main->TabSheet_Audio->RdoACHANM[2]->text(), QStringLiteral("Audio 3 (RGB/YUV)"));
}

TEST(Inputs, AudioFollowsTheDeviceAndAutomaticTogglesItsMode)
{
    Connected h;
    PageAudio* audio = h.main->TabSheet_Audio;
    h.reply("AMOD0\r\nACH3\r\n");
    EXPECT_TRUE(audio->RdoAMODEM->isChecked());
    EXPECT_FALSE(audio->RdoACHANM[0]->isEnabled());
    EXPECT_TRUE(audio->RdoACHANM[2]->isChecked());
    audio->RdoAMODEM->click();
    EXPECT_EQ(h.sent(), QByteArray("1RO"));
    h.reply("AMOD1\r\nACH0\r\n");
    EXPECT_FALSE(audio->RdoAMODEM->isChecked());
    EXPECT_TRUE(audio->RdoACHANM[0]->isEnabled());
    EXPECT_EQ(audio->AudioChannels->checkedId(), -1);
    audio->RdoACHANM[1]->click();
    EXPECT_EQ(h.sent(), QByteArray("2RC"));
}
