#include "PageAudio.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QRadioButton>

#include "BindingTable.h"
#include "Constante.h"
#include "TextFormat.h"

TPageAudio::TPageAudio(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet_Audio"));
    RdoAMODEM = new QCheckBox(QString(Constante::Automatic), this);
    RdoAMODEM->setObjectName(QStringLiteral("RdoAMODEM"));
    RdoAMODEM->move(16, 8);

    auto* group = AudioChannels = new QButtonGroup(this);
    for (int k = 1; k <= 8; ++k) {
        auto* radio = new QRadioButton(TextFormat::Format(Constante::AudioLabelFormat, k), this);
        radio->setObjectName(QStringLiteral("RdoACHANM%1").arg(k));
        radio->setGeometry(16, 36 + (k - 1) * 24, 300, 20);
        group->addButton(radio, k);
        RdoACHANM[static_cast<std::size_t>(k - 1)] = radio;
    }
}

TPageAudio::~TPageAudio() = default;

void TPageAudio::BindTo(TEventRouter& router)
{
    m_bindings = std::make_unique<TBindingTable>(router);
    // Button k hears input k; a value no button stands for (0: none) leaves all cleared.
    m_bindings->Bind({_ACHANM, AudioChannels, ControlKind::RadioGroup});
}
