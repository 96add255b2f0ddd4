#include "DeviceIdentity.h"

#include <QAction>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

#include "Constante.h"
#include "DeviceModels.h"
#include "FrmInput.h"
#include "InputButtonRow.h"
#include "MainMenus.h"
#include "PageAudio.h"
#include "PageEffect.h"
#include "PageInput.h"
#include "PageSwitchMode.h"
#include "RadioGroup.h"
#include "TextFormat.h"
#include "Unit_About.h"
#include "Unit_Main.h"
#include "UpdateNotice.h"

namespace
{

QString hex4(std::uint32_t value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace

TDeviceIdentity::TDeviceIdentity(TForm_MAIN& window, TEventRouter& router)
    : m_window(window), m_router(router)
{
    m_subscriptions.push_back(router.subscribe(_DEV, [this] { DriverDEVChange(); }));
    m_subscriptions.push_back(router.subscribe(_VERV, [this] { DriverVERVChange(); }));
}

QString TDeviceIdentity::BuildWindowTitle(std::int64_t code)
{
    QString name(Constante::ProgramName);
    if (IsSupportedModel(code)) {
        name = QString::fromLatin1(tesso::ModelTable::OfCode(code).name);
        if (m_about)
            m_about->setLogoIndex(ModelIndex(code));
    }
    if (m_about)
        m_about->RefreshLogo();
    return TextFormat::Format(Constante::WindowTitleFormat, {name, QString(Constante::RemoteControl)});
}

void TDeviceIdentity::CycleAboutLogo()
{
    const TMirex_d* driver = m_router.driver();
    if (!m_about || !driver || IsSupportedModel(driver->DEV()))
        return;
    int position = m_about->LogoIndex();
    for (int step = 0; step < tesso::ModelTable::Positions; ++step) {
        position = position >= tesso::ModelTable::Positions - 1 ? 0 : position + 1;
        if (tesso::ModelTable::CodeAt(position) != 0)
            break;
    }
    m_about->setLogoIndex(position);
    m_about->RefreshLogo();
}

// Model detection: a new code, supported or not, reshapes the window; a supported one first
// brings its labels.
void TDeviceIdentity::DriverDEVChange()
{
    const std::uint32_t dev = m_router.driver()->DEV();
    if (m_about)
        m_about->Label_D->setText(TextFormat::Format(Constante::LabelDFormat, {hex4(dev)}));
    if (dev == m_appliedModel)
        return;
    if (IsSupportedModel(dev))
        m_window.LoadInputLabels(dev);
    ApplyDeviceModel(dev);
    m_window.RefreshStatusBar();
}

void TDeviceIdentity::ApplyDeviceModel(std::int64_t code)
{
    TForm_MAIN& w = m_window;
    w.setWindowTitle(BuildWindowTitle(m_router.driver()->DEV()));
    m_appliedModel = code;
    if (!IsSupportedModel(code)) {
        for (QToolButton* button : w.PnlBtnInputs->BtnInput)
            button->setEnabled(false);
        return;
    }
    const int position = ModelIndex(code);
    const int n = tesso::ModelTable::InputCount(position);
    w.PnlBtnInputs->LayOutInputs(n);
    for (int i = 0; i < tesso::ModelTable::MaxInputs; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const bool shown = i <= n - 1;
        QToolButton* button = w.PnlBtnInputs->BtnInput[at];
        button->setEnabled(true);
        button->setToolTip(QString::fromLatin1(tesso::ModelTable::ConnectorName(i + 1)));
        button->setVisible(shown);
        w.TabSheet_Input->FrameInput[at]->setVisible(shown);
        w.TabSheet_Audio->RdoACHANM[at]->setVisible(shown);
        w.Menus->MenuInput[at]->setVisible(shown);
        w.Menus->MenuAudio[at]->setVisible(shown);
    }
    w.Menus->MenuMachineLANSetup->setVisible(true);
    w.TabSheet_SwitchMode->RadioGroup_SWITCHMODE->setVisible(true);
    w.TabSheet_Input->StaticText_ReferenceAR->setVisible(true);
    w.PageControl->setTabVisible(w.PageControl->indexOf(w.TabSheet_Effect),
                                 tesso::ModelTable::EffectChoiceCount(position) > 0);
}

// The update notice compares the video firmware with what the model expects.
void TDeviceIdentity::DriverVERVChange()
{
    const TMirex_d& driver = *m_router.driver();
    const std::uint32_t verv = driver.VERV();
    const int expected = tesso::ModelTable::ExpectedFirmware(ModelIndex(driver.DEV()));
    if (static_cast<std::int64_t>(verv) > expected)
        m_window.PnlUpdater->ShowNotice(
            TextFormat::Format(Constante::NewSoftwareFormat, {QString(Constante::SoftwareDescription)}));
    else if (static_cast<std::int64_t>(verv) < expected)
        m_window.PnlUpdater->ShowNotice(
            TextFormat::Format(Constante::NewFirmwareFormat, {QString(Constante::ProgramName)}));
    if (m_about)
        m_about->label_v->setText(TextFormat::Format(Constante::LabelVFormat, {hex4(verv)}));
}
