#include "CliUpload.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "DeviceDriver.h"
#include "FramePicture.h"
#include "FrameUpload.h"

namespace tesso
{

using namespace tesso::frames;

namespace
{

std::optional<FitMode> fitNamed(const QString& name)
{
    const std::pair<const char*, FitMode> names[] = {
        {"exact", Exact}, {"shrink", Shrink}, {"crop", Crop}, {"center", Center}, {"zoom", Zoom}};
    for (const auto& [text, mode] : names)
        if (name.compare(QLatin1String(text), Qt::CaseInsensitive) == 0)
            return mode;
    return std::nullopt;
}

QString choicesFor(FitQuestion question)
{
    return question == FitQuestion::TooLarge ? QStringLiteral("--fit crop or --fit shrink")
                                             : QStringLiteral("--fit center or --fit zoom");
}

} // namespace

std::optional<QImage> CliUpload::prepare(const QString& file, const QString& fit, QString* error)
{
    const std::optional<QImage> source = loadBitmap(file, error);
    if (!source)
        return std::nullopt;
    const FitQuestion question = fitQuestionFor(source->width(), source->height());
    std::optional<FitMode> mode = fit.isEmpty() && question == FitQuestion::None ? Exact : fitNamed(fit);
    const QString size = QStringLiteral("%1 x %2").arg(source->width()).arg(source->height());
    if (!mode && fit.isEmpty()) {
        *error =
            QStringLiteral("the picture is %1, not 720 x 576: choose %2").arg(size, choicesFor(question));
        return std::nullopt;
    }
    if (!mode || !fitModeApplies(*mode, source->width(), source->height())) {
        *error = question == FitQuestion::None
                     ? QStringLiteral("the picture is 720 x 576 already: no --fit but exact applies")
                     : QStringLiteral("--fit %1 does not apply to a picture of %2: choose %3")
                           .arg(fit, size, choicesFor(question));
        return std::nullopt;
    }
    return preparePicture(*source, *mode).send;
}

CliUpload::CliUpload(DeviceDriver& driver, std::FILE* out, std::FILE* err)
    : m_driver(driver), m_out(out), m_err(err), m_upload(std::make_unique<FrameUpload>(driver))
{
    // Gone with the upload, so nothing reaches it once it is destroyed.
    QObject::connect(&m_driver, &DeviceDriver::rawDataArrived, m_upload.get(),
                     [this] { m_upload->RawDataArrived(); });
}

CliUpload::~CliUpload()
{
    m_upload->AbortAndWait();
}

void CliUpload::interrupt()
{
    m_upload->UserAbort();
}

int CliUpload::run(const QImage& picture, const bool& linkBroken)
{
    QString error;
    if (!m_upload->Start(picture, &error)) {
        std::fprintf(m_err, "tesso-cli: %s\n", error.toLocal8Bit().constData());
        return ExitTransferFailed;
    }
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    QTimer progress;
    QObject::connect(&progress, &QTimer::timeout, &loop, [&] {
        showProgress(clock.elapsed(), false);
        if (linkBroken)
            interrupt();
    });
    QObject::connect(m_upload.get(), &FrameUpload::finished, &loop, &QEventLoop::quit);
    progress.start(500);
    if (!m_upload->Finished())
        loop.exec();
    showProgress(clock.elapsed(), true);
    const std::uint8_t result = m_upload->Result();
    std::fprintf(m_out, "%s\n", FrameTransferJob::ResultText(result).toLocal8Bit().constData());
    std::fflush(m_out);
    switch (result) {
    case FrameTransferJob::Success:
        return 0;
    case FrameTransferJob::TimedOut:
        return 3; // no reply in time, as for the other commands
    default:
        return ExitTransferFailed;
    }
}

void CliUpload::showProgress(qint64 elapsedMs, bool last)
{
    const std::uint32_t done = m_upload->PixelCount();
    const std::uint32_t total = m_upload->PixelTotal();
    const qint64 seconds = elapsedMs / 1000;
    const qint64 speed = seconds > 0 ? done * 3 / seconds : 0;
    QString left = QStringLiteral("--");
    if (done > 0 && done < total) {
        const qint64 remaining = elapsedMs * (total - done) / done / 1000;
        left = QStringLiteral("%1:%2").arg(remaining / 60).arg(remaining % 60, 2, 10, QLatin1Char('0'));
    }
    const QString line = QStringLiteral("\rupload: %1% %2/%3 pixels, %4 bytes/s, %5 left   ")
                             .arg(total ? done * 100 / total : 0, 3)
                             .arg(done)
                             .arg(total)
                             .arg(speed)
                             .arg(left);
    std::fputs(line.toLocal8Bit().constData(), m_err);
    if (last)
        std::fputc('\n', m_err);
    std::fflush(m_err);
}

} // namespace tesso
