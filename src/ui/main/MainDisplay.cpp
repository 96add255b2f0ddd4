#include "MainDisplay.h"

#include <utility>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QTimer>
#include <QToolButton>

#include "DeviceLists.h"
#include "DeviceModels.h"
#include "FrameTransferWindow.h"
#include "InputButtonRow.h"
#include "PageImage.h"
#include "PageOutput.h"
#include "PageSwitchMode.h"
#include "StatusGridArea.h"
#include "StatusGridRules.h"
#include "TextFormat.h"
#include "Texts.h"
#include "ValueSlider.h"

namespace tesso
{

using tesso::DeviceLists;

MainRoutines MainDisplay::Routines()
{
    MainRoutines routines;
    routines.UpdateStatusGrid = [this] { UpdateStatusGrid(); };
    routines.UpdateReferenceStatus = [this] { UpdateReferenceStatus(); };
    routines.UpdatePagesForInput = [this] { UpdatePagesForInput(); };
    routines.InputOnAir = [this] { showCurrentInput(); };
    routines.InputCount = [this] { return InputCount(); };
    routines.InputUsed = [this](int input, bool used) {
        auto& buttons = m_parts.Inputs->BtnInput;
        if (input >= 1 && input <= static_cast<int>(buttons.size()))
            buttons[static_cast<std::size_t>(input - 1)]->setEnabled(used);
    };
    routines.ShowStatusCell = [this](int row, const QString& text) {
        if (row < 0 || row >= StatusGridCells::Rows)
            return;
        StatusGridCells cells;
        cells.text[static_cast<std::size_t>(row)] = text;
        m_parts.StatusArea->ApplyCells(cells);
    };
    routines.StartStatusTimer = [this] { m_parts.StatusTimer->start(); };
    routines.OpenTransferWindow = [this] {
        if (!m_transfer)
            return;
        m_parts.SetWindowVisible(false);
        m_transfer->exec();
        m_parts.SetWindowVisible(true);
    };
    return routines;
}

MainDisplay::MainDisplay(Parts parts, EventRouter& router) : m_parts(std::move(parts)), m_router(router)
{
    auto on = [this](tVAR variable, auto handler) {
        m_subscriptions.push_back(m_router.subscribe(variable, handler));
    };
    on(_ICHM, [this] { showCurrentInput(); });
    on(_REFSTA, [this] { UpdateReferenceStatus(); });
    on(_REFREQ, [this] { UpdateReferenceStatus(); });
    on(_IFAMM, [this] {
        UpdatePagesForInput();
        UpdateStatusGrid();
    });
    // Every other value the grid shows, so that it never keeps what the device no longer reports.
    for (tVAR v : {_UNIT, _ISYNCM, _IHPOLM, _IVPOLM, _IINTM, _ILDM, _IFDM, _REFFAM, _REFFRQ, _EFFECTSTATUS,
                   _PLLMODE, _IFMTREF, _IRATEREF, _SEAMLESS, _OFMTM, _ORATEM, _OSYNCM})
        on(v, [this] { UpdateStatusGrid(); });
}

void MainDisplay::setTransferWindow(FrameTransferWindow* transfer)
{
    m_transfer = transfer;
}

int MainDisplay::InputCount() const
{
    const DeviceDriver* driver = m_router.driver();
    return driver ? tesso::ModelTable::InputCount(ModelIndex(driver->DEV())) : 0;
}

void MainDisplay::UpdateStatusGrid()
{
    const DeviceDriver* driver = m_router.driver();
    if (!driver || !IsSupportedModel(driver->DEV())) {
        m_parts.StatusArea->ResetStatusGrid();
        return;
    }
    m_parts.StatusArea->ApplyCells(
        StatusGridRules::Compute(*driver, m_parts.InputLabels(), InputCount(), QLocale()));
}

// The Switch mode page says when the reference the user asked for has no signal.
void MainDisplay::UpdateReferenceStatus()
{
    const DeviceDriver* driver = m_router.driver();
    if (!driver)
        return;
    QLabel* notice = m_parts.SwitchModePage->RefreqM_Label_no_signal_Main_refreq;
    if (driver->REFREQ() != driver->REFSTA()) {
        const std::uint32_t onAir = driver->ICHM();
        const QStringList labels = m_parts.InputLabels();
        notice->setText(
            driver->PRGBIByInput(static_cast<int>(onAir)) == DeviceLists::ComputerSignal
                ? QString(Texts::NoInputSignal)
                : TextFormat::Format(Texts::NoSignalAtFormat, {labels.value(static_cast<int>(onAir))}));
        notice->adjustSize();
        notice->show();
    } else {
        notice->hide();
    }
    UpdateStatusGrid();
}

void MainDisplay::UpdatePagesForInput()
{
    const DeviceDriver* driver = m_router.driver();
    if (!driver)
        return;
    PageOutput* output = m_parts.OutputPage;
    PageImage* image = m_parts.ImagePage;
    const std::uint32_t signalType = driver->PRGBIByInput(static_cast<int>(driver->ICHM()));
    const std::uint32_t family = driver->IFAMM();
    const bool yuvOrRgb = signalType >= 2 && signalType <= 5;
    image->LblProcessing->setVisible(!yuvOrRgb);
    image->CboProcessing->setVisible(!yuvOrRgb);
    const bool computer = signalType == DeviceLists::ComputerSignal;
    output->GrpOutput->setVisible(!computer);
    output->LblOutputNotAvailableComputerInput->setVisible(computer);
    image->LblImageNotAvailableComputerInput->setVisible(computer);
    if (computer) {
        output->StaticText_NotOnOutSeamlessMode->hide();
        image->GrpSizePos->hide();
        image->GrpPicture->hide();
        image->LblImageNoInputSignal->hide();
    } else {
        const bool seamlessModel = tesso::ModelTable::OfCode(driver->DEV()).capabilities.seamless;
        if (driver->SWITCHMODE() == 0 && seamlessModel)
            output->StaticText_NotOnOutSeamlessMode->show();
        else if (driver->SWITCHMODE() == 1)
            output->StaticText_NotOnOutSeamlessMode->hide();
        if (family <= 1) {
            image->GrpSizePos->hide();
            image->GrpPicture->hide();
            image->LblImageNoInputSignal->show();
        } else if (DeviceLists::isVideoSignal(family)) {
            image->GrpSizePos->show();
            image->GrpPicture->show();
            image->LblImageNoInputSignal->hide();
            image->FrameScrollColor->setVisible(family != 5 && family != 6); // black and white
            image->FrameScrollHue->setVisible(family == 2);                  // NTSC only
        }
    }
    // A computer signal cannot be frozen.
    m_parts.Inputs->BtnFreeze->setEnabled(family != 11);
}

void MainDisplay::showCurrentInput()
{
    UpdateStatusGrid();
    const DeviceDriver* driver = m_router.driver();
    if (!driver || !IsSupportedModel(driver->DEV()))
        return;
    m_parts.Inputs->ShowOnAir(driver->ICHM(), InputCount());
    UpdatePagesForInput();
    UpdateReferenceStatus();
}

} // namespace tesso
