#include "PageFrameAlert.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "BindingTable.h"
#include "DeviceLists.h"
#include "ErrorReport.h"
#include "PageNotice.h"
#include "RadioGroup.h"
#include "TextFormat.h"
#include "Texts.h"

namespace tesso
{

namespace
{

QPushButton* button(const char* name, QLatin1String caption, QWidget* parent)
{
    auto* b = new QPushButton(QString(caption), parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

QLabel* redNotice(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    QFont font = label->font();
    font.setBold(true);
    font.setItalic(true);
    label->setFont(font);
    PaintWarningRed(label);
    label->hide();
    return label;
}

constexpr std::uint32_t Capture = 1;
constexpr std::uint32_t Delete = 3;

} // namespace

PageFrameAlert::PageFrameAlert(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet_FrameAlert"));
    RdoFrameAuto = new RadioGroup(QString(Texts::FrameAuto), this);
    RdoFrameAuto->setObjectName(QStringLiteral("RdoFrameAuto"));
    RdoFrameAuto->setItems({QString(Texts::Off), QString(Texts::On)});
    RdoFrameAuto->setColumns(2);
    BtnFrameDisplay = button("BtnFrameDisplay", Texts::FrameDisplay, this);
    BtnFrameHide = button("BtnFrameHide", Texts::FrameHide, this);

    GrpFrameMemory = new QGroupBox(QString(Texts::FrameMemory), this);
    GrpFrameMemory->setObjectName(QStringLiteral("GrpFrameMemory"));
    BtnFrameCapture = button("BtnFrameCapture", Texts::FrameCapture, GrpFrameMemory);
    BtnTransferFrame = button("BtnTransferFrame", Texts::FrameTransfer, GrpFrameMemory);
    BtnDeleteFrame = button("BtnDeleteFrame", Texts::FrameDelete, GrpFrameMemory);
    auto* memory = new QHBoxLayout(GrpFrameMemory);
    for (QPushButton* b : {BtnFrameCapture, BtnTransferFrame, BtnDeleteFrame})
        memory->addWidget(b);

    GrpFrameUsed = new QGroupBox(QString(Texts::UsedFrame), this);
    GrpFrameUsed->setObjectName(QStringLiteral("GrpFrameUsed"));
    CboFrameNumber = new QComboBox(GrpFrameUsed);
    CboFrameNumber->setObjectName(QStringLiteral("CboFrameNumber"));
    CboFrameNumber->setAccessibleName(QStringLiteral("Used frame"));
    (new QVBoxLayout(GrpFrameUsed))->addWidget(CboFrameNumber);
    GrpFrameUsed->hide();

    LblWaitRecordingFrame = redNotice("LblWaitRecordingFrame", this);
    LblWaitRecordingFrame->setText(QString(Texts::WaitRecordingFrame));
    LblFrameNotAvailable = redNotice("LblFrameNotAvailable", this);

    // The automatic display above its two buttons, the groups below; the notices at the bottom.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->addWidget(RdoFrameAuto, 0, 0, 1, 2);
    grid->addWidget(BtnFrameDisplay, 1, 0);
    grid->addWidget(BtnFrameHide, 1, 1);
    grid->addWidget(GrpFrameMemory, 2, 0, 1, 3);
    grid->addWidget(GrpFrameUsed, 3, 0);
    grid->setColumnStretch(3, 1);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(8, 8, 8, 8);
    page->addLayout(grid);
    page->addStretch(1);
    page->addWidget(LblWaitRecordingFrame);
    page->addWidget(LblFrameNotAvailable);

    auto on = [this](QPushButton* b, void (PageFrameAlert::*handler)()) {
        connect(b, &QPushButton::clicked, this,
                [this, handler] { tesso::guarded([&] { (this->*handler)(); }); });
    };
    on(BtnFrameCapture, &PageFrameAlert::captureFrame);
    on(BtnDeleteFrame, &PageFrameAlert::deleteFrame);
    on(BtnTransferFrame, &PageFrameAlert::openFrameTransfer);
    connect(BtnFrameHide, &QPushButton::clicked, this, [this] {
        tesso::guarded([this] {
            if (DeviceDriver* d = driver())
                d->setFASHOW(false);
        });
    });
}

PageFrameAlert::~PageFrameAlert() = default;

void PageFrameAlert::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        PaintWarningRed(LblWaitRecordingFrame);
        PaintWarningRed(LblFrameNotAvailable);
    }
}

void PageFrameAlert::FillFrameNumbers()
{
    CboFrameNumber->clear();
    for (int i = 1; i <= 10; ++i)
        CboFrameNumber->addItem(TextFormat::Format(Texts::FrameNumberFormat, i));
    CboFrameNumber->setCurrentIndex(0);
}

void PageFrameAlert::BindTo(EventRouter& router, const MainRoutines& routines)
{
    m_router = &router;
    m_routines = routines;
    m_bindings = std::make_unique<BindingTable>(router);
    m_bindings->Bind({{_FAAUTO, RdoFrameAuto, ControlKind::RadioGroup},
                      {_FASHOW, BtnFrameDisplay, ControlKind::PushButton},
                      {_FANUMBER, CboFrameNumber, ControlKind::Combo}});
    auto on = [this](tVAR v, auto handler) { m_subscriptions.push_back(m_router->subscribe(v, handler)); };
    on(_FAREC, [this] { showFrameRecorded(); });
    on(_FASTAT, [this] { showFrameStatus(); });
    on(_FAMODEM, [this] { ShowRecording(); });
    on(_FAEXEC, [this] { ShowRecording(); });
    m_subscriptions.push_back(router.subscribe(DriverEvent::Connected, [this] {
        const DeviceDriver* d = driver();
        if (!d || !d->isConnected())
            m_frameStateKnown = false;
        EnableFrameControls();
    }));
    EnableFrameControls();
}

// The frame controls act on a frame the device has told us about: none before a connected device
// has reported its frame state, and none once it is lost.
void PageFrameAlert::EnableFrameControls()
{
    const DeviceDriver* d = driver();
    const bool usable = m_frameStateKnown && d && d->isConnected() && d->FAREC();
    const bool recording = d && d->FAMODEM_() == Capture && d->FAEXEC();
    for (QWidget* w : std::initializer_list<QWidget*>{RdoFrameAuto, BtnFrameDisplay, BtnFrameHide})
        w->setEnabled(usable);
    BtnDeleteFrame->setEnabled(usable && !recording);
}

void PageFrameAlert::ShowNotAvailable(const QString& reason)
{
    LblFrameNotAvailable->setText(TextFormat::Format(Texts::NotAvailableFormat, {reason}));
    LblFrameNotAvailable->show();
    if (m_routines.StartStatusTimer)
        m_routines.StartStatusTimer();
}

void PageFrameAlert::captureFrame()
{
    DeviceDriver* d = driver();
    if (!d)
        return;
    if (d->IFRZM()) {
        ShowNotAvailable(QString(Texts::InputFrozen));
    } else if (!d->IPSIGM()) {
        ShowNotAvailable(QString(Texts::NoInputSignal));
    } else if (d->PRGBIByInput(static_cast<int>(d->ICHM())) == tesso::DeviceLists::ComputerSignal) {
        ShowNotAvailable(QString(Texts::ComputerInput));
    } else {
        d->setFAMODEM_(Capture);
        d->setFAEXEC(true);
        repaint();
    }
}

void PageFrameAlert::deleteFrame()
{
    DeviceDriver* d = driver();
    if (!d)
        return;
    if (d->FASHOW() || d->FASTAT()) {
        ShowNotAvailable(QString(Texts::FrameBeingDisplayed));
        return;
    }
    d->setFAMODEM_(Delete);
    d->setFAEXEC(true);
}

void PageFrameAlert::openFrameTransfer()
{
    DeviceDriver* d = driver();
    if (!d || !d->isConnected()) {
        ShowNotAvailable(QString(Texts::DeviceNotConnected));
        return;
    }
    if (m_routines.OpenTransferWindow)
        m_routines.OpenTransferWindow();
}

void PageFrameAlert::showFrameRecorded()
{
    const DeviceDriver* d = driver();
    if (!d)
        return;
    const bool recorded = d->FAREC();
    if (m_routines.ShowStatusCell)
        m_routines.ShowStatusCell(RecordedRow, QString(recorded ? Texts::Yes : Texts::No));
    m_frameStateKnown = true;
    EnableFrameControls();
}

void PageFrameAlert::showFrameStatus()
{
    const DeviceDriver* d = driver();
    if (d && m_routines.ShowStatusCell)
        m_routines.ShowStatusCell(DisplayedRow, QString(d->FASTAT() ? Texts::Yes : Texts::No));
}

void PageFrameAlert::ShowRecording()
{
    const DeviceDriver* d = driver();
    if (!d)
        return;
    const bool recording = d->FAMODEM_() == Capture && d->FAEXEC();
    LblWaitRecordingFrame->setVisible(recording);
    GrpFrameMemory->setEnabled(!recording);
    BtnTransferFrame->setEnabled(!recording);
    EnableFrameControls();
}

} // namespace tesso
