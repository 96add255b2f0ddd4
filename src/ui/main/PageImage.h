#pragma once
// The "Image" page of the main window's page control: position and size, the aspect ratios and
// overscan (group GrpSizePos), the picture rows and sharpness (group GrpPicture), and two notices
// over the page, centred at start-up, shown when the input on air has no picture to adjust.

#include <memory>

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class TBindingTable;
class TConversion;
class TEventRouter;
class TFrameScrollBar;

class TPageImage : public QWidget
{
    Q_OBJECT

  public:
    explicit TPageImage(QWidget* parent = nullptr);
    ~TPageImage() override;

    // Ties the page's controls to the device; the rows show device values through the conversion.
    void BindTo(TEventRouter& router, const TConversion& conversion);

    QGroupBox* GrpSizePos = nullptr;
    TFrameScrollBar* FrameScrollHPos = nullptr;
    TFrameScrollBar* FrameScrollHSize = nullptr;
    TFrameScrollBar* FrameScrollVPos = nullptr;
    TFrameScrollBar* FrameScrollVSize = nullptr;
    QComboBox* CboInputAspectRatio = nullptr;
    QComboBox* CboOutputAspectRatio = nullptr;
    QComboBox* CboUnderOverscan = nullptr;
    QPushButton* BtnCenter = nullptr;

    QGroupBox* GrpPicture = nullptr;
    TFrameScrollBar* FrameScrollBrightness = nullptr;
    TFrameScrollBar* FrameScrollContrast = nullptr;
    TFrameScrollBar* FrameScrollColor = nullptr;
    TFrameScrollBar* FrameScrollHue = nullptr;
    QLabel* LblProcessing = nullptr;
    QComboBox* CboProcessing = nullptr;
    QPushButton* BtnPicturePreset = nullptr;

    QLabel* LblImageNoInputSignal = nullptr;
    QLabel* LblImageNotAvailableComputerInput = nullptr;

  private:
    std::unique_ptr<TBindingTable> m_bindings;
};
