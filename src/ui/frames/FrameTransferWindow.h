#pragma once
// FrameTransferWindow ("Transfer Frame"): the user loads a picture, sees it as the device will show
// it (720 x 576 from the 288 lines that are sent) and sends it into the device's frame memory,
// following the transfer's progress and speed, with an abort that puts the link back.

#include <functional>
#include <memory>
#include <vector>

#include <QDateTime>
#include <QDialog>
#include <QImage>

#include "EventRouter.h"
#include "FramePicture.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace tesso
{

class FrameDebugWindow;
class FrameFormatWindow;
class GradientWindow;
class FrameUpload;
class UserPrompts;

class FrameTransferWindow : public QDialog
{
    Q_OBJECT

  public:
    FrameTransferWindow(EventRouter& router, UserPrompts& prompts, QWidget* parent = nullptr);
    // The fit question, statistics and gradient windows, created after this one.
    void SetWindows(FrameFormatWindow* format, FrameDebugWindow* debug, GradientWindow* gradient);
    ~FrameTransferWindow() override;

    // The fit question; the format window's by default.
    std::function<int(int width, int height)> ChooseFit;

    void ShowTransfer();
    void LoadPicture();
    // Loads a file as the source and prepares it with the fit the user chooses; false with the
    // reason shown when the file is no picture.
    bool LoadFile(const QString& path);
    void PreparePicture(tesso::frames::FitMode mode);
    void GenerateGradient();
    void SavePicture();
    void startTransfer();
    // The Abort/Close button and the close box.
    void abortOrClose();
    // Every 500 ms while a transfer exists.
    void UpdateProgress();
    void SetStatus(bool busy, const QString& text);

    bool Active() const { return m_active; }
    const QImage& SourcePicture() const { return m_source; }
    const QImage& SendPicture() const { return m_picture.send; }
    const QImage& DisplayPicture() const { return m_picture.display; }
    FrameUpload* Upload() { return m_upload.get(); }

    QComboBox* CboTransferMode = nullptr;
    QGroupBox* GrpTransferMode = nullptr;
    QPushButton* BtnLoad = nullptr;
    QGroupBox* GrpPicture = nullptr;
    QPushButton* BtnSave = nullptr;
    QPushButton* BtnGradient = nullptr;
    QPushButton* BtnTransfer = nullptr;
    QPushButton* BtnRetrieve = nullptr;
    QProgressBar* ProgressBar = nullptr;
    QPushButton* BtnAbortClose = nullptr;
    QLineEdit* StatusLine = nullptr;
    QLabel* Display = nullptr;
    QTimer* TimerUpdate = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    void endTransfer();
    void bindUpload();

    EventRouter& m_router;
    UserPrompts& m_prompts;
    FrameFormatWindow* m_format = nullptr;
    FrameDebugWindow* m_debug = nullptr;
    GradientWindow* m_gradient = nullptr;
    QImage m_source;
    tesso::frames::PreparedPicture m_picture;
    std::unique_ptr<FrameUpload> m_upload;
    std::vector<Subscription> m_subscriptions;
    QDateTime m_started;
    bool m_active = false;
    bool m_processing = false;
};

} // namespace tesso
