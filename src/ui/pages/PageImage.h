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

namespace tesso
{

class BindingTable;
class DisplayScale;
class EventRouter;
class ValueSlider;

class PageImage : public QWidget
{
    Q_OBJECT

  public:
    explicit PageImage(QWidget* parent = nullptr);
    ~PageImage() override;

    // Ties the page's controls to the device; the rows show device values through the conversion.
    void BindTo(EventRouter& router, const DisplayScale& conversion);

    QGroupBox* GrpSizePos = nullptr;
    ValueSlider* FrameScrollHPos = nullptr;
    ValueSlider* FrameScrollHSize = nullptr;
    ValueSlider* FrameScrollVPos = nullptr;
    ValueSlider* FrameScrollVSize = nullptr;
    QComboBox* CboInputAspectRatio = nullptr;
    QComboBox* CboOutputAspectRatio = nullptr;
    QComboBox* CboUnderOverscan = nullptr;
    QPushButton* BtnCenter = nullptr;

    QGroupBox* GrpPicture = nullptr;
    ValueSlider* FrameScrollBrightness = nullptr;
    ValueSlider* FrameScrollContrast = nullptr;
    ValueSlider* FrameScrollColor = nullptr;
    ValueSlider* FrameScrollHue = nullptr;
    QLabel* LblProcessing = nullptr;
    QComboBox* CboProcessing = nullptr;
    QPushButton* BtnPicturePreset = nullptr;

    QLabel* LblImageNoInputSignal = nullptr;
    QLabel* LblImageNotAvailableComputerInput = nullptr;

  private:
    std::unique_ptr<BindingTable> m_bindings;
};

} // namespace tesso
