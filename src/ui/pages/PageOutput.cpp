#include "PageOutput.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>

#include "BindingTable.h"
#include "DeviceLists.h"
#include "DeviceModels.h"
#include "ErrorReport.h"
#include "ListPositions.h"
#include "PageNotice.h"
#include "RadioGroup.h"
#include "Texts.h"

namespace tesso
{

using tesso::DeviceLists;

namespace
{

RadioGroup* radioGroup(const char* name, QLatin1String title, const QStringList& items, QWidget* parent)
{
    auto* group = new RadioGroup(QString(title), parent);
    group->setObjectName(QLatin1String(name));
    group->setItems(items);
    return group;
}

} // namespace

PageOutput::PageOutput(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet_Output"));
    GrpOutput = new QGroupBox(this);
    GrpOutput->setObjectName(QStringLiteral("GrpOutput"));
    GrpOutput->setGeometry(4, 4, 577, 400);
    GrpOutput->setFlat(true);

    GrpOutputFormat = new QGroupBox(QString(Texts::OutputFormat), GrpOutput);
    GrpOutputFormat->setGeometry(4, 4, 300, 56);
    CboOutputFormat = new QComboBox(GrpOutputFormat);
    CboOutputFormat->setObjectName(QStringLiteral("CboOutputFormat"));
    CboOutputFormat->setGeometry(8, 22, 284, 24);
    GrpOutputRate = new QGroupBox(QString(Texts::OutputRate), GrpOutput);
    GrpOutputRate->setGeometry(4, 64, 300, 56);
    CboOutputRate = new QComboBox(GrpOutputRate);
    CboOutputRate->setObjectName(QStringLiteral("CboOutputRate"));
    CboOutputRate->setGeometry(8, 22, 284, 24);

    RdoOutputSync = radioGroup("RdoOutputSync", Texts::OutputSync, {}, GrpOutput);
    RdoOutputSync->setGeometry(4, 124, 180, 90);
    RdoOutputType = radioGroup(
        "RdoOutputType", Texts::OutputType,
        {QString(Texts::OutputTypeComputer), QString(Texts::OutputTypeDvi), QString(Texts::OutputTypeBoth)},
        GrpOutput);
    RdoOutputType->setGeometry(192, 124, 180, 90);
    RdoTestPattern = radioGroup("RdoTestPattern", Texts::TestPattern,
                                {QString(Texts::None), QString(Texts::Grid)}, GrpOutput);
    RdoTestPattern->setGeometry(380, 124, 180, 70);

    LblOutputNotAvailableComputerInput = MakePageNotice(
        "LblOutputNotAvailableComputerInput", QString(Texts::OutputNotAvailableComputerInput), this);
    StaticText_NotOnOutSeamlessMode =
        MakePageNotice("StaticText_NotOnOutSeamlessMode", QString(Texts::NotOnOutSeamlessMode), this);
    StaticText_NotOnOutSeamlessMode->move(8, 380);
}

PageOutput::~PageOutput() = default;

void PageOutput::BindTo(EventRouter& router, const MainRoutines& routines)
{
    m_router = &router;
    m_routines = routines;
    m_bindings = std::make_unique<BindingTable>(router);
    const std::vector<std::uint32_t> outputTypes{1, 2, 3};
    m_bindings->Bind({{_OSYNCM, RdoOutputSync, ControlKind::RadioGroup},
                      // 0: the device has not said which output it drives.
                      {_OTYPEM,
                       RdoOutputType,
                       ControlKind::RadioGroup,
                       ValueMap{outputTypes},
                       0,
                       {},
                       [](std::uint32_t type) { return type != 0; }},
                      {_OPAT, RdoTestPattern, ControlKind::RadioGroup}});
    m_subscriptions.push_back(router.subscribe(_OFMTM, [this] { showOutputFormat(); }));
    m_subscriptions.push_back(router.subscribe(_ORATEM, [this] { ShowOutputRate(); }));
    m_subscriptions.push_back(router.subscribe(_REFREQ, [this] { ShowOutputRate(); }));
    auto guard = [](auto action) {
        return [action](int position) { tesso::guarded([&] { action(position); }); };
    };
    connect(CboOutputFormat, &QComboBox::activated, this,
            guard([this](int position) { sendOutputFormat(position); }));
    connect(CboOutputRate, &QComboBox::activated, this,
            guard([this](int position) { sendOutputRate(position); }));
}

void PageOutput::sendOutputFormat(int position)
{
    DeviceDriver* driver = m_router ? m_router->driver() : nullptr;
    if (!driver || !IsSupportedModel(driver->DEV()))
        return;
    if (const std::optional<std::uint32_t> code = ValueAtIndex(position, DeviceLists::OutputFormatCodes))
        driver->setOFMTM(*code);
}

void PageOutput::sendOutputRate(int position)
{
    DeviceDriver* driver = m_router ? m_router->driver() : nullptr;
    if (!driver || position < 0)
        return;
    if (position == CboOutputRate->count() - 1) {
        driver->setREFREQ(1);
    } else {
        driver->setREFREQ(0);
        driver->setORATEM(static_cast<std::uint32_t>(position));
    }
}

void PageOutput::showOutputFormat()
{
    const DeviceDriver* driver = m_router ? m_router->driver() : nullptr;
    if (!driver)
        return;
    const std::uint32_t format = driver->OFMTM();
    if (IsSupportedModel(driver->DEV())) {
        // A code the model's table lacks leaves the choice as it is.
        const int position = IndexOfValue(format, DeviceLists::OutputFormatCodes);
        if (position >= 0 && position < CboOutputFormat->count()) {
            const QSignalBlocker blocker(CboOutputFormat);
            CboOutputFormat->setCurrentIndex(position);
        }
    }
    // The UXGA formats (4 and 5) go up to 60 Hz only.
    const QSignalBlocker blocker(CboOutputRate);
    if (format == 4 || format == 5)
        FillList(CboOutputRate, DeviceLists::UxgaOutputRate);
    else
        FillList(CboOutputRate, DeviceLists::OutputRate);
    ShowOutputRate();
}

void PageOutput::ShowOutputRate()
{
    const DeviceDriver* driver = m_router ? m_router->driver() : nullptr;
    if (!driver)
        return;
    if (m_routines.UpdateReferenceStatus)
        m_routines.UpdateReferenceStatus();
    const int followInput = CboOutputRate->count() - 1;
    int position = -1;
    if (driver->REFREQ() == 1)
        position = followInput;
    else if (driver->ORATEM() < static_cast<std::uint32_t>(std::max(followInput, 0)))
        position = static_cast<int>(driver->ORATEM()); // a real rate, never "Follow Input"
    const QSignalBlocker blocker(CboOutputRate);
    CboOutputRate->setCurrentIndex(position);
    if (m_routines.UpdateStatusGrid)
        m_routines.UpdateStatusGrid();
}

void PageOutput::SetSyncItems(const QStringList& items)
{
    RdoOutputSync->setItems(items);
    if (m_bindings)
        m_bindings->ShowAll();
}

} // namespace tesso
