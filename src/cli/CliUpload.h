#pragma once
// tesso-cli upload: a bitmap file fitted into the device's frame and sent into its frame memory
// with the same transfer as the window's, a progress line on standard error every half second
// (share done, pixels, bytes per second, time left) and the result on standard output.

#include <cstdio>
#include <optional>

#include <QImage>
#include <QString>

namespace tesso
{

class FrameUpload;
class DeviceDriver;

class CliUpload
{
  public:
    // The result codes' exit statuses beside the session's own.
    enum ExitStatus { ExitTransferFailed = 5 };

    // Reads the file and fits it ("exact", "crop", "shrink", "center", "zoom"; none needed for a
    // 720 x 576 picture): the 720 x 288 picture to send, or nothing with the reason.
    static std::optional<QImage> prepare(const QString& file, const QString& fit, QString* error);

    CliUpload(DeviceDriver& driver, std::FILE* out, std::FILE* err);
    ~CliUpload();

    // Sends the picture and returns the exit status of the result: 0 only when the device took it.
    // `linkBroken` ends the wait at once.
    int run(const QImage& picture, const bool& linkBroken);
    // Ctrl+C: the transfer aborts and the link is put back before the program ends.
    void interrupt();

    // For the session's reply hand-over.
    FrameUpload* upload() { return m_upload.get(); }

  private:
    void showProgress(qint64 elapsedMs, bool last);

    DeviceDriver& m_driver;
    std::FILE* m_out;
    std::FILE* m_err;
    std::unique_ptr<FrameUpload> m_upload;
};

} // namespace tesso
