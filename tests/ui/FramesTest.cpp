// The Frame Alert page and the transfer window, offscreen on a scripted link.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include "FrameTransferWindow.h"
#include "MainWindowTestHarness.h"
#include "PageFrameAlert.h"
#include "RadioGroup.h"

using namespace tesso;

using namespace tesso::test::mainwindow;

TEST(FrameAlertPage, RefusalsAreShownAndSendNothing)
{
    ConnectedWindow h;
    PageFrameAlert* page = h.main->TabSheet_FrameAlert;
    h.reply("FARC0\r\nFAST0\r\n");
    EXPECT_FALSE(page->BtnDeleteFrame->isEnabled());
    EXPECT_FALSE(page->RdoFrameAuto->isEnabled());
    EXPECT_EQ(h.cell(PageFrameAlert::RecordedRow), QStringLiteral("No"));

    h.reply("PCH5\r\nPRGB7\r\nCH5\r\nIPS1\r\n");
    page->captureFrame();
    EXPECT_EQ(page->LblFrameNotAvailable->text(), QStringLiteral("Not available (Computer input)"));
    EXPECT_TRUE(h.main->TimerStatus->isActive()) << "the notice goes after 2 s";
    h.reply("FRZ1\r\n");
    page->captureFrame();
    EXPECT_EQ(page->LblFrameNotAvailable->text(), QStringLiteral("Not available (Input frozen)"));
    h.reply("FARC1\r\nFASW1\r\nFAST1\r\n");
    EXPECT_TRUE(page->BtnDeleteFrame->isEnabled());
    EXPECT_EQ(h.cell(PageFrameAlert::DisplayedRow), QStringLiteral("Yes"));
    page->deleteFrame();
    EXPECT_EQ(page->LblFrameNotAvailable->text(), QStringLiteral("Not available (Frame is being displayed)"));
    EXPECT_EQ(h.sent(), QByteArray());
}

TEST(FrameAlertPage, CaptureDeleteAndTheRecordingNotice)
{
    ConnectedWindow h;
    PageFrameAlert* page = h.main->TabSheet_FrameAlert;
    h.reply("CH1\r\nIPS1\r\nFRZ0\r\nFARC1\r\n");
    page->captureFrame();
    h.reply("FASW0\r\nFAST0\r\n");
    page->deleteFrame();
    page->BtnFrameHide->click();
    emit page->RdoFrameAuto->itemClicked(1);
    EXPECT_EQ(h.sent(), QByteArray("1fM1fX3fM1fX0fs1fA"));
    h.reply("FAMD1\r\nFAEX1\r\n");
    EXPECT_FALSE(page->LblWaitRecordingFrame->isHidden());
    EXPECT_FALSE(page->GrpFrameMemory->isEnabled());
    h.reply("FAEX0\r\n");
    EXPECT_TRUE(page->LblWaitRecordingFrame->isHidden());
    EXPECT_TRUE(page->BtnTransferFrame->isEnabled());
}

TEST(FrameAlertPage, NothingActsOnAFrameWithoutADevice)
{
    Harness h;
    h.startWith();
    PageFrameAlert* page = h.main->TabSheet_FrameAlert;
    auto enabled = [page] {
        return std::vector<bool>{page->RdoFrameAuto->isEnabled(), page->BtnFrameDisplay->isEnabled(),
                                 page->BtnFrameHide->isEnabled(), page->BtnDeleteFrame->isEnabled()};
    };
    const std::vector<bool> none(4, false);
    EXPECT_EQ(enabled(), none) << "at start-up";
    h.connectDevice(57);
    EXPECT_EQ(enabled(), none) << "before the device reported its frame";
    h.links.deliverSerial("FARC1\r\n");
    EXPECT_EQ(enabled(), std::vector<bool>(4, true));
    h.links.deliverSerial("DEV0\r\n");
    h.links.timer->fire(); // the device is declared lost
    EXPECT_EQ(enabled(), none) << "once the device is lost";

    h.main->TabSheet_FrameAlert->openFrameTransfer();
    EXPECT_EQ(h.main->TabSheet_FrameAlert->LblFrameNotAvailable->text(),
              QStringLiteral("Not available (Device NOT connected)"));
    FrameTransferWindow* window = h.main->Windows().TransferFrame;
    window->startTransfer();
    ASSERT_EQ(h.prompts.informations.size(), 1);
    EXPECT_EQ(h.prompts.informations[0].text, QStringLiteral("Device NOT connected"));
    EXPECT_FALSE(window->Active());
}

TEST(FrameAlertPage, TheTransferWindowOpensModalWithTheMainWindowHidden)
{
    ConnectedWindow h;
    h.main->show();
    FrameTransferWindow* window = h.main->Windows().TransferFrame;
    ASSERT_NE(window, nullptr);
    bool shownAlone = false;
    // Runs inside the transfer window's own event loop, then closes it.
    QTimer::singleShot(0, window, [&] {
        shownAlone = window->isVisible() && h.main->isHidden();
        window->close();
    });
    h.main->TabSheet_FrameAlert->BtnTransferFrame->click();
    EXPECT_TRUE(shownAlone);
    EXPECT_TRUE(window->isHidden());
    EXPECT_TRUE(h.main->isVisible()) << "the main window comes back when the transfer window closes";
}

TEST(TransferWindow, LoadingFittingAndRefusals)
{
    ConnectedWindow h;
    FrameTransferWindow* window = h.main->Windows().TransferFrame;
    ASSERT_NE(window, nullptr);
    QTemporaryDir dir;
    QImage small(640, 480, QImage::Format_RGB32);
    small.fill(Qt::white);
    const QString path = dir.filePath(QStringLiteral("small.bmp"));
    ASSERT_TRUE(small.save(path, "BMP"));

    QList<QSize> asked;
    int answer = 4;
    window->ChooseFit = [&](int w, int hgt) {
        asked << QSize(w, hgt);
        return answer;
    };
    ASSERT_TRUE(window->LoadFile(path));
    EXPECT_EQ(asked, QList<QSize>{QSize(640, 480)});
    EXPECT_EQ(window->SendPicture().size(), QSize(720, 288));
    EXPECT_EQ(window->SendPicture().pixel(40, 24), qRgb(255, 255, 255));
    EXPECT_EQ(window->SendPicture().pixel(39, 24), qRgb(0, 0, 0));
    answer = 0;
    small.fill(Qt::red);
    ASSERT_TRUE(small.save(path, "BMP"));
    window->LoadFile(path);
    EXPECT_EQ(window->SourcePicture().pixel(0, 0), qRgb(255, 255, 255)) << "Cancel keeps the picture";

    QFile junk(dir.filePath(QStringLiteral("junk.bmp")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("junk");
    junk.close();
    EXPECT_FALSE(window->LoadFile(junk.fileName()));
    ASSERT_EQ(h.prompts.informations.size(), 1);
    EXPECT_TRUE(
        h.prompts.informations[0].text.startsWith(QStringLiteral("junk.bmp is not a readable picture")));

    window->CboTransferMode->setCurrentIndex(2);
    window->startTransfer();
    EXPECT_EQ(h.prompts.informations.last().text, QStringLiteral("Bad transfer mode !"));
    EXPECT_FALSE(window->Active());
}
