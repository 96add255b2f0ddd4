#include "DeviceIdentity.h"

#include <utility>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

#include "AboutDialog.h"
#include "DeviceLists.h"
#include "DeviceModels.h"
#include "InputButtonRow.h"
#include "InputSettingsRow.h"
#include "ListPositions.h"
#include "MainMenus.h"
#include "PageAudio.h"
#include "PageEffect.h"
#include "PageInput.h"
#include "PageOutput.h"
#include "PageSwitchMode.h"
#include "RadioGroup.h"
#include "StatusGridArea.h"
#include "TextFormat.h"
#include "Texts.h"
#include "UpdateNotice.h"

namespace tesso
{

using tesso::ModelTable;

namespace
{

// Four upper-case hexadecimal digits (16 gives "0010").
QString hex4(std::uint32_t value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')).toUpper();
}

} // namespace

DeviceIdentity::DeviceIdentity(Parts parts, const MainRoutines& routines, EventRouter& router)
    : m_parts(std::move(parts)), m_routines(routines), m_router(router)
{
    auto on = [this](tVAR variable, auto handler) {
        m_subscriptions.push_back(m_router.subscribe(variable, handler));
    };
    on(_DEV, [this] { showDeviceCode(); });
    on(_VERV, [this] { showFirmwareVersion(); });
    // The about box's device labels.
    auto label = [this](QLabel* AboutDialog::*member, QLatin1String format,
                        std::uint32_t (DeviceDriver::*value)() const) {
        return [this, member, format, value] {
            if (m_about)
                (m_about->*member)
                    ->setText(TextFormat::Format(format, {hex4((m_router.driver()->*value)())}));
        };
    };
    on(_VERI, label(&AboutDialog::label_I, Texts::LabelIFormat, &DeviceDriver::VERI));
    on(_VERK, label(&AboutDialog::label_k, Texts::LabelKFormat, &DeviceDriver::VERK));
    on(_VERS, label(&AboutDialog::label_s, Texts::LabelSFormat, &DeviceDriver::VERS));
    on(_VERUPD, [this] {
        const std::uint32_t version = m_router.driver()->VERUPD();
        if (m_about)
            m_about->label_verupd->setText(
                TextFormat::Format(Texts::DeviceVersionFormat,
                                   {QString::number(version / 100), QString::number(version % 100)}));
    });
    on(_OPT, [this] {
        const std::uint32_t options = m_router.driver()->OPT();
        if (!m_about)
            return;
        m_about->label_opt->setText(TextFormat::Format(Texts::LabelOFormat, {hex4(options)}));
        m_about->Label_Lan->setText(
            QString((options & 2u) != 0 ? Texts::LanInstalled : Texts::LanNotInstalled));
    });
}

void DeviceIdentity::setAbout(AboutDialog* about)
{
    m_about = about;
    if (m_about)
        m_about->setProfileName(m_profileName);
}

void DeviceIdentity::setProfileName(const QString& name)
{
    m_profileName = name;
    if (m_about)
        m_about->setProfileName(name);
}

QString DeviceIdentity::BuildWindowTitle(std::int64_t code)
{
    QString name(Texts::ProgramName);
    if (IsSupportedModel(code)) {
        name = QString::fromLatin1(ModelTable::OfCode(code).name);
        if (m_about)
            m_about->setLogoIndex(ModelIndex(code));
    }
    if (m_about)
        m_about->RefreshLogo();
    const QString title = TextFormat::Format(Texts::WindowTitleFormat, {name, QString(Texts::RemoteControl)});
    if (m_profileName.isEmpty())
        return title;
    return TextFormat::Format(Texts::ProfileTitleFormat, {title, m_profileName});
}

void DeviceIdentity::CycleAboutLogo()
{
    const DeviceDriver* driver = m_router.driver();
    if (!m_about || !driver || IsSupportedModel(driver->DEV()))
        return;
    int position = m_about->LogoIndex();
    for (int step = 0; step < ModelTable::Positions; ++step) {
        position = position >= ModelTable::Positions - 1 ? 0 : position + 1;
        if (ModelTable::CodeAt(position) != 0)
            break;
    }
    m_about->setLogoIndex(position);
    m_about->RefreshLogo();
}

// Model detection: a new code, supported or not, reshapes the window; a supported one first
// brings its labels, shown on the input buttons at once.
void DeviceIdentity::showDeviceCode()
{
    const std::uint32_t dev = m_router.driver()->DEV();
    if (m_about)
        m_about->Label_D->setText(TextFormat::Format(Texts::LabelDFormat, {hex4(dev)}));
    if (dev == m_appliedModel)
        return;
    if (IsSupportedModel(dev)) {
        m_parts.LoadInputLabels(dev);
        m_routines.InputOnAir();
    }
    ApplyDeviceModel(dev);
    m_parts.RefreshStatusBar();
}

void DeviceIdentity::ApplyDeviceModel(std::int64_t code)
{
    const Parts& w = m_parts;
    // 1., 2. No model: the input buttons take no selection, and the grid shows nothing stale.
    w.SetWindowTitle(BuildWindowTitle(m_router.driver()->DEV()));
    m_appliedModel = code;
    if (!IsSupportedModel(code)) {
        for (QToolButton* button : w.Inputs->BtnInput)
            button->setEnabled(false);
        w.StatusArea->ResetStatusGrid();
        return;
    }
    const int position = ModelIndex(code);
    const tesso::ModelInfo& model = ModelTable::At(position);
    const tesso::ModelCapabilities& can = model.capabilities;
    const int n = model.inputs;
    // 3. The buttons of the model's inputs; the rest of each input's places hidden.
    w.Inputs->LayOutInputs(n);
    for (int i = 0; i < ModelTable::MaxInputs; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const bool shown = i <= n - 1;
        QToolButton* button = w.Inputs->BtnInput[at];
        button->setEnabled(true);
        button->setToolTip(QString::fromLatin1(ModelTable::ConnectorName(i + 1)));
        button->setVisible(shown);
        w.InputPage->FrameInput[at]->setVisible(shown);
        w.AudioPage->RdoACHANM[at]->setVisible(shown);
        w.Menus->MenuInput[at]->setVisible(shown);
        w.Menus->MenuAudio[at]->setVisible(shown);
    }
    // 4. to 6.
    w.InputPage->ApplyRowLayout();
    w.OutputPage->RdoOutputType->hide();
    w.Menus->MenuMachineLANSetup->setVisible(true);
    w.SwitchModePage->RadioGroup_SWITCHMODE->setVisible(true);
    FillList(w.OutputPage->CboOutputFormat, tesso::DeviceLists::OutputFormat);
    FillList(w.OutputPage->CboOutputRate, tesso::DeviceLists::OutputRate);
    w.OutputPage->CboOutputFormat->setCurrentIndex(-1);
    w.OutputPage->CboOutputRate->setCurrentIndex(-1);
    // 7. to 9.
    w.InputPage->GiveReferenceAspectMenu(n);
    w.InputPage->FitPanel(n);
    w.InputPage->StaticText_ReferenceAR->setVisible(can.referenceAspect);
    // 10., 11. The effects the model offers.
    const int choices = ModelTable::EffectChoiceCount(position);
    const bool anyEffect = can.fadeToBlack || can.cut || can.fade || can.title;
    w.PageControl->setTabVisible(w.PageControl->indexOf(w.EffectPage), anyEffect && choices != 0);
    w.EffectPage->MenuItem_Fadetoblack->setVisible(can.fadeToBlack);
    w.EffectPage->MenuItem_CleanCut->setVisible(can.cut);
    w.EffectPage->MenuItem_CrossFade->setVisible(can.fade);
    w.EffectPage->MenuItem_Shadowtitle->setVisible(can.title);
    // 12., 13.
    EffectButtonVisibility();
    w.OutputPage->RdoOutputType->setVisible(can.outputType);
    w.OutputPage->RdoTestPattern->setVisible(can.testPattern);
    w.StatusArea->Button_Take->setVisible(can.takeButton);
    w.AudioPage->SpeedButton_Amute->setVisible(can.audioMute);
    w.Menus->MenuItem_AutoTake->setVisible(can.autoTake);
}

// Effects are for seamless switching: in standard switching the buttons go, and a model offers
// only the buttons of its effects.
void DeviceIdentity::EffectButtonVisibility()
{
    const DeviceDriver* driver = m_router.driver();
    const int position = ModelIndex(driver->DEV());
    const tesso::ModelCapabilities& can = ModelTable::At(position).capabilities;
    const bool choices = ModelTable::EffectChoiceCount(position) != 0;
    StatusGridArea* area = m_parts.StatusArea;
    switch (driver->SWITCHMODE()) {
    case 0:
        if (!can.seamless)
            return;
        area->SpeedButton_Cut->setVisible(choices);
        area->SpeedButton_Fade->setVisible(can.fade && choices);
        area->SpeedButton_Title->setVisible(can.title && choices);
        return;
    case 1:
        for (QToolButton* button : {area->SpeedButton_Cut, area->SpeedButton_Fade, area->SpeedButton_Title})
            button->hide();
        return;
    default:
        return;
    }
}

// The update notice compares the video firmware with what the model expects.
void DeviceIdentity::showFirmwareVersion()
{
    const DeviceDriver& driver = *m_router.driver();
    const std::uint32_t verv = driver.VERV();
    const int expected = ModelTable::ExpectedFirmware(ModelIndex(driver.DEV()));
    if (static_cast<std::int64_t>(verv) > expected)
        m_parts.Updater->ShowNotice(
            TextFormat::Format(Texts::NewSoftwareFormat, {QString(Texts::SoftwareDescription)}));
    else if (static_cast<std::int64_t>(verv) < expected)
        m_parts.Updater->ShowNotice(
            TextFormat::Format(Texts::NewFirmwareFormat, {QString(Texts::ProgramName)}));
    if (m_about)
        m_about->label_v->setText(TextFormat::Format(Texts::LabelVFormat, {hex4(verv)}));
}

} // namespace tesso
