#include "FrameTransferWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include "DeviceDriver.h"
#include "ErrorReport.h"
#include "FrameCodec.h"
#include "FrameDebugWindow.h"
#include "FrameFormatWindow.h"
#include "FrameUpload.h"
#include "GradientWindow.h"
#include "UserPrompts.h"

namespace tesso
{

using namespace tesso::frames;

namespace
{
const QString BitmapFilter = QStringLiteral("Bitmaps (*.bmp)");
} // namespace

FrameTransferWindow::FrameTransferWindow(EventRouter& router, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Tool), m_router(router), m_prompts(prompts)
{
    setObjectName(QStringLiteral("FormTransferFrame"));
    setWindowTitle(QStringLiteral("Transfer Frame"));
    m_picture = preparePicture(QImage(), Cancelled);

    auto* layout = new QVBoxLayout(this);
    auto* scroll = new QScrollArea(this);
    scroll->setAccessibleName(QStringLiteral("Picture"));
    Display = new QLabel;
    // The device's frame, pixel for pixel.
    Display->setFixedSize(FrameWidth, FrameHeight);
    Display->setPixmap(QPixmap::fromImage(m_picture.display));
    scroll->setWidget(Display);
    // Grown past the picture, the window would only show more grey around it.
    const int frame = 2 * scroll->frameWidth();
    scroll->setMaximumSize(FrameWidth + frame, FrameHeight + frame);
    layout->addWidget(scroll, 1);

    auto* row = new QHBoxLayout;
    GrpTransferMode = new QGroupBox(QStringLiteral("Transfer mode"), this);
    CboTransferMode = new QComboBox(GrpTransferMode);
    CboTransferMode->addItems(
        {QStringLiteral("RAW"), QStringLiteral("RAW Encapsulated"), QStringLiteral("RLE")});
    CboTransferMode->setAccessibleName(GrpTransferMode->title());
    (new QHBoxLayout(GrpTransferMode))->addWidget(CboTransferMode);
    BtnLoad = new QPushButton(QStringLiteral("&Load picture..."), this);
    GrpPicture = new QGroupBox(QStringLiteral("Picture"), this);
    auto* pictureRow = new QHBoxLayout(GrpPicture);
    BtnSave = new QPushButton(QStringLiteral("&Save..."), GrpPicture);
    BtnGradient = new QPushButton(QStringLiteral("&Gradient"), GrpPicture);
    pictureRow->addWidget(BtnSave);
    pictureRow->addWidget(BtnGradient);
    BtnTransfer = new QPushButton(QStringLiteral("Transfer &to Device"), this);
    BtnRetrieve = new QPushButton(QStringLiteral("Retreive &from Device"), this);
    BtnRetrieve->hide();
    for (QWidget* w :
         std::initializer_list<QWidget*>{GrpTransferMode, BtnLoad, GrpPicture, BtnTransfer, BtnRetrieve})
        row->addWidget(w);
    row->addStretch();
    layout->addLayout(row);

    auto* progressRow = new QHBoxLayout;
    ProgressBar = new QProgressBar(this);
    BtnAbortClose = new QPushButton(QStringLiteral("&Abort/Close"), this);
    progressRow->addWidget(ProgressBar, 1);
    progressRow->addWidget(BtnAbortClose);
    layout->addLayout(progressRow);
    StatusLine = new QLineEdit(this);
    StatusLine->setReadOnly(true);
    StatusLine->setAccessibleName(QStringLiteral("Transfer status"));
    layout->addWidget(StatusLine);

    TimerUpdate = new QTimer(this);
    TimerUpdate->setInterval(500);
    ChooseFit = [this](int width, int height) {
        return m_format ? m_format->ChooseFit(width, height) : int(Exact);
    };

    auto on = [this](QPushButton* button, void (FrameTransferWindow::*handler)()) {
        connect(button, &QPushButton::clicked, this,
                [this, handler] { tesso::guarded([&] { (this->*handler)(); }); });
    };
    on(BtnLoad, &FrameTransferWindow::LoadPicture);
    on(BtnSave, &FrameTransferWindow::SavePicture);
    on(BtnGradient, &FrameTransferWindow::GenerateGradient);
    on(BtnTransfer, &FrameTransferWindow::startTransfer);
    on(BtnAbortClose, &FrameTransferWindow::abortOrClose);
    connect(TimerUpdate, &QTimer::timeout, this, [this] { tesso::guarded([this] { UpdateProgress(); }); });
    SetStatus(false, QStringLiteral("Idle"));
}

void FrameTransferWindow::SetWindows(FrameFormatWindow* format, FrameDebugWindow* debug,
                                     GradientWindow* gradient)
{
    m_format = format;
    m_debug = debug;
    m_gradient = gradient;
}

FrameTransferWindow::~FrameTransferWindow()
{
    // The thread may be waiting to run a call on this thread: keep serving it until it has ended.
    if (m_upload)
        m_upload->AbortAndWait();
}

void FrameTransferWindow::showEvent(QShowEvent* event)
{
    ShowTransfer();
    QDialog::showEvent(event);
}

void FrameTransferWindow::ShowTransfer()
{
    GrpPicture->hide();
    GrpTransferMode->hide();
    BtnSave->hide();
    if (!m_active)
        SetStatus(false, QStringLiteral("Idle"));
}

void FrameTransferWindow::SetStatus(bool busy, const QString& text)
{
    StatusLine->setText(text);
    if (busy) {
        BtnAbortClose->setText(QStringLiteral("Abort"));
    } else {
        m_active = false;
        m_processing = false;
        BtnAbortClose->setText(QStringLiteral("Close"));
        ProgressBar->setValue(0);
    }
    const bool idle = !m_active && !m_processing;
    for (QWidget* w : std::initializer_list<QWidget*>{BtnTransfer, BtnRetrieve, BtnLoad, BtnSave, BtnGradient,
                                                      CboTransferMode})
        w->setEnabled(idle);
}

void FrameTransferWindow::LoadPicture()
{
    const std::optional<QString> path = m_prompts.AskOpenFile(this, BitmapFilter);
    if (path && QFileInfo::exists(*path))
        LoadFile(*path);
}

bool FrameTransferWindow::LoadFile(const QString& path)
{
    QString error;
    // Into a temporary: a cancelled fit keeps the picture loaded before.
    const std::optional<QImage> loaded = loadBitmap(path, &error);
    if (!loaded) {
        m_prompts.Information(this, error);
        return false;
    }
    const int mode = ChooseFit(loaded->width(), loaded->height());
    if (mode == Cancelled)
        return true;
    m_source = *loaded;
    PreparePicture(static_cast<FitMode>(mode));
    return true;
}

void FrameTransferWindow::PreparePicture(FitMode mode)
{
    m_processing = true;
    m_active = false;
    ProgressBar->setRange(0, FrameWidth * FrameHeight);
    ProgressBar->setValue(0);
    SetStatus(true, QStringLiteral("Processing picture..."));
    // The transfer reads its own copy of the picture: preparing never meets it.
    m_picture = preparePicture(m_source, mode);
    SetStatus(true, QStringLiteral("Updating..."));
    Display->setPixmap(QPixmap::fromImage(m_picture.display));
    if (m_debug) {
        m_debug->ShowWidth(m_source.width());
        m_debug->ShowHeight(m_source.height());
    }
    SetStatus(false, QStringLiteral("Idle"));
}

void FrameTransferWindow::GenerateGradient()
{
    if (!m_gradient || m_gradient->exec() != QDialog::Accepted)
        return;
    ProgressBar->setRange(0, FrameWidth * FrameHeight);
    SetStatus(true, QStringLiteral("Generating..."));
    m_source = gradientPicture(m_gradient->StartColour(), m_gradient->EndColour(), m_gradient->Horizontal());
    PreparePicture(Exact);
}

void FrameTransferWindow::SavePicture()
{
    const std::optional<QString> path = m_prompts.AskSaveFile(this, BitmapFilter);
    if (path && !m_picture.display.save(*path, "BMP"))
        m_prompts.Information(this, QStringLiteral("Cannot write %1").arg(*path));
}

void FrameTransferWindow::startTransfer()
{
    DeviceDriver* driver = m_router.driver();
    if (!driver || !driver->isConnected()) {
        m_prompts.Information(this, QStringLiteral("Device NOT connected"));
        return;
    }
    if (m_source.isNull())
        LoadPicture();
    if (m_source.width() < 1 || m_source.height() < 1)
        return;
    m_upload.reset();
    if (CboTransferMode->currentIndex() != 0) {
        m_prompts.Information(this, QStringLiteral("Bad transfer mode !"));
        return;
    }
    m_upload = std::make_unique<FrameUpload>(*driver);
    bindUpload();
    m_started = QDateTime::currentDateTime();
    m_active = true;
    SetStatus(true, QStringLiteral("Transferring frame..."));
    ProgressBar->setRange(0, PictureWidth * PictureHeight);
    ProgressBar->setValue(0);
    QString error;
    if (!m_upload->Start(m_picture.send, &error)) {
        SetStatus(false, error);
        m_upload.reset();
        m_subscriptions.clear();
        return;
    }
    UpdateProgress();
    TimerUpdate->start();
}

// The transfer takes the raw bytes for itself and hears the replies of its variables; both are
// given back when it goes.
void FrameTransferWindow::bindUpload()
{
    m_subscriptions.clear();
    FrameUpload* upload = m_upload.get();
    m_subscriptions.push_back(
        m_router.takeOver(DriverEvent::RawData, [upload] { upload->RawDataArrived(); }));
    for (tVAR v : {_FAMODEM, _FATRMODE, _FAEXEC})
        m_subscriptions.push_back(m_router.subscribe(v, [upload, v] { upload->VariableReported(v); }));
}

void FrameTransferWindow::UpdateProgress()
{
    if (!m_upload) {
        SetStatus(false, QStringLiteral("Idle"));
        TimerUpdate->stop();
        return;
    }
    if (m_upload->Running() && m_active) {
        const std::uint32_t done = m_upload->PixelCount();
        ProgressBar->setValue(static_cast<int>(done));
        const QDateTime now = QDateTime::currentDateTime();
        const qint64 seconds = m_started.secsTo(now);
        const qint64 speed = seconds > 0 ? static_cast<qint64>(std::llround(done * 3.0 / seconds)) : 0;
        if (m_debug) {
            m_debug->ShowElapsed(QTime(0, 0).addMSecs(static_cast<int>(m_started.msecsTo(now))));
            m_debug->ShowProgress(static_cast<int>(done), ProgressBar->maximum());
            m_debug->ShowSpeed(speed);
        }
        return;
    }
    if (m_upload->Finished() && m_upload->Result() != 0)
        endTransfer();
}

void FrameTransferWindow::endTransfer()
{
    m_active = false;
    m_upload->AbortAndWait();
    TimerUpdate->stop();
    const std::uint8_t result = m_upload->Result();
    m_subscriptions.clear();
    m_upload.reset();
    SetStatus(false, FrameTransferJob::ResultText(result));
    BtnAbortClose->setEnabled(true);
}

void FrameTransferWindow::abortOrClose()
{
    if (m_active && m_upload) {
        if (!m_prompts.AskYesNo(this, QStringLiteral("Transfer is still active.\r\nDo you want to abort ?")))
            return;
        // The box may have stayed open while the transfer ended by itself.
        if (!m_upload)
            return;
        BtnAbortClose->setEnabled(false);
        m_upload->UserAbort();
        UpdateProgress();
        return;
    }
    hide();
    if (m_debug)
        m_debug->hide();
    done(QDialog::Accepted);
}

void FrameTransferWindow::closeEvent(QCloseEvent* event)
{
    if (m_active) {
        event->ignore();
        tesso::guarded([this] { abortOrClose(); });
        return;
    }
    QDialog::closeEvent(event);
}

void FrameTransferWindow::reject()
{
    // Escape behaves like the close box.
    tesso::guarded([this] { abortOrClose(); });
}

} // namespace tesso
