#include "PageAudio.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include "BindingTable.h"
#include "ErrorReport.h"
#include "TextFormat.h"
#include "Texts.h"

namespace tesso
{

PageAudio::PageAudio(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet_Audio"));
    RdoAMODEM = new QCheckBox(QString(Texts::Automatic), this);
    RdoAMODEM->setObjectName(QStringLiteral("RdoAMODEM"));

    AudioChannels = new QButtonGroup(this);
    for (int k = 1; k <= 8; ++k) {
        auto* radio = new QRadioButton(TextFormat::Format(Texts::AudioLabelFormat, k), this);
        radio->setObjectName(QStringLiteral("RdoACHANM%1").arg(k));
        AudioChannels->addButton(radio, k);
        RdoACHANM[static_cast<std::size_t>(k - 1)] = radio;
    }

    SpeedButton_Amute = new QToolButton(this);
    SpeedButton_Amute->setObjectName(QStringLiteral("SpeedButton_Amute"));
    SpeedButton_Amute->setText(QString(Texts::Mute));
    SpeedButton_Amute->setCheckable(true);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(16, 8, 16, 8);
    page->addWidget(RdoAMODEM);
    page->addSpacing(8);
    for (QRadioButton* radio : RdoACHANM)
        page->addWidget(radio);
    page->addSpacing(8);
    page->addWidget(SpeedButton_Amute, 0, Qt::AlignLeft);
    page->addStretch(1);
    connect(RdoAMODEM, &QCheckBox::clicked, this, [this] { tesso::guarded([this] { sendAudioMode(); }); });
}

PageAudio::~PageAudio() = default;

void PageAudio::BindTo(EventRouter& router, const MainRoutines& routines)
{
    m_router = &router;
    m_routines = routines;
    m_bindings = std::make_unique<BindingTable>(router);
    // Button k hears input k; a value no button stands for (0: none) leaves all cleared.
    m_bindings->Bind({_ACHANM, AudioChannels, ControlKind::RadioGroup});
    m_subscriptions.push_back(router.subscribe(_AMODEM, [this] { showAudioMode(); }));
}

void PageAudio::sendAudioMode()
{
    DeviceDriver* driver = m_router ? m_router->driver() : nullptr;
    if (!driver)
        return;
    // The box toggled itself on the click; it shows the device's mode again until the answer.
    showAudioMode();
    driver->setAMODEM(driver->AMODEM() != 1 ? 1 : 0);
}

// Any mode but 1 is automatic: the box checked and the channels not the user's to choose.
void PageAudio::showAudioMode()
{
    const DeviceDriver* driver = m_router ? m_router->driver() : nullptr;
    if (!driver)
        return;
    const bool automatic = driver->AMODEM() != 1;
    {
        const QSignalBlocker blocker(RdoAMODEM);
        RdoAMODEM->setChecked(automatic);
    }
    const int n = m_routines.InputCount ? m_routines.InputCount() : 0;
    for (int k = 1; k <= n && k <= static_cast<int>(RdoACHANM.size()); ++k)
        RdoACHANM[static_cast<std::size_t>(k - 1)]->setEnabled(!automatic);
}

} // namespace tesso
