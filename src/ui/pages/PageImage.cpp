#include "PageImage.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "BindingTable.h"
#include "PageNotice.h"
#include "TextFormat.h"
#include "Texts.h"
#include "ValueSlider.h"

namespace tesso
{

namespace
{

ValueSlider* row(const char* name, QLatin1String caption, int y, QWidget* group)
{
    auto* frame = new ValueSlider(group);
    frame->setObjectName(QLatin1String(name));
    frame->Lbl->setText(QString(caption));
    frame->move(8, y);
    return frame;
}

QComboBox* list(const char* name, QStringList entries, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->addItems(entries);
    return combo;
}

template <std::size_t N> QStringList entries(const char* const (&texts)[N])
{
    QStringList list;
    for (const char* text : texts)
        list << QString::fromLatin1(text);
    return list;
}

} // namespace

PageImage::PageImage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet_Image"));

    GrpSizePos = new QGroupBox(QString(Texts::PositionSize), this);
    GrpSizePos->setObjectName(QStringLiteral("GrpSizePos"));
    GrpSizePos->setGeometry(4, 4, 285, 400);
    FrameScrollHPos = row("FrameScrollHPos", Texts::RowHPos, 20, GrpSizePos);
    FrameScrollHSize = row("FrameScrollHSize", Texts::RowHSize, 58, GrpSizePos);
    FrameScrollVPos = row("FrameScrollVPos", Texts::RowVPos, 96, GrpSizePos);
    FrameScrollVSize = row("FrameScrollVSize", Texts::RowVSize, 134, GrpSizePos);
    auto* aspect = new QGroupBox(QString(Texts::AspectRatio), GrpSizePos);
    aspect->setGeometry(8, 176, 269, 84);
    CboInputAspectRatio = list("CboInputAspectRatio", entries(Texts::InputAspectRatios), aspect);
    CboInputAspectRatio->setGeometry(8, 22, 253, 24);
    CboOutputAspectRatio = list("CboOutputAspectRatio", entries(Texts::OutputAspectRatios), aspect);
    CboOutputAspectRatio->setGeometry(8, 52, 253, 24);
    auto* overscanLabel = new QLabel(QString(Texts::UnderOverscan), GrpSizePos);
    overscanLabel->setGeometry(8, 270, 120, 20);
    CboUnderOverscan = list("CboUnderOverscan", entries(Texts::Overscans), GrpSizePos);
    CboUnderOverscan->setGeometry(130, 268, 147, 24);
    BtnCenter = new QPushButton(QString(Texts::Reset), GrpSizePos);
    BtnCenter->setObjectName(QStringLiteral("BtnCenter"));
    BtnCenter->setGeometry(8, 304, 80, 26);

    GrpPicture = new QGroupBox(QString(Texts::Picture), this);
    GrpPicture->setObjectName(QStringLiteral("GrpPicture"));
    GrpPicture->setGeometry(296, 4, 285, 400);
    FrameScrollBrightness = row("FrameScrollBrightness", Texts::RowBrightness, 20, GrpPicture);
    FrameScrollContrast = row("FrameScrollContrast", Texts::RowContrast, 58, GrpPicture);
    FrameScrollColor = row("FrameScrollColor", Texts::RowColor, 96, GrpPicture);
    FrameScrollHue = row("FrameScrollHue", Texts::RowHue, 134, GrpPicture);
    LblProcessing = new QLabel(QString(Texts::Sharpness), GrpPicture);
    LblProcessing->setObjectName(QStringLiteral("LblProcessing"));
    LblProcessing->setGeometry(8, 182, 100, 20);
    QStringList sharpness{QString(Texts::SharpnessStandard)};
    for (int level = 1; level <= 7; ++level)
        sharpness << TextFormat::Format(Texts::SharpnessLevelFormat, level);
    CboProcessing = list("CboProcessing", sharpness, GrpPicture);
    CboProcessing->setGeometry(110, 180, 167, 24);
    BtnPicturePreset = new QPushButton(QString(Texts::Preset), GrpPicture);
    BtnPicturePreset->setObjectName(QStringLiteral("BtnPicturePreset"));
    BtnPicturePreset->setGeometry(8, 304, 80, 26);

    LblImageNoInputSignal = MakePageNotice("LblImageNoInputSignal", QString(Texts::ImageNoInputSignal), this);
    LblImageNotAvailableComputerInput = MakePageNotice("LblImageNotAvailableComputerInput",
                                                       QString(Texts::ImageNotAvailableComputerInput), this);
}

PageImage::~PageImage() = default;

void PageImage::BindTo(EventRouter& router, const DisplayScale& conversion)
{
    m_bindings = std::make_unique<BindingTable>(router);
    const ValueMap shown{{}, &conversion};
    m_bindings->Bind({{_HPOS, FrameScrollHPos, ControlKind::ValueFrame, shown},
                      {_HSIZ, FrameScrollHSize, ControlKind::ValueFrame, shown},
                      {_VPOS, FrameScrollVPos, ControlKind::ValueFrame, shown},
                      {_VSIZ, FrameScrollVSize, ControlKind::ValueFrame, shown},
                      {_BRGT, FrameScrollBrightness, ControlKind::ValueFrame, shown},
                      {_CONTR, FrameScrollContrast, ControlKind::ValueFrame, shown},
                      {_COLOR, FrameScrollColor, ControlKind::ValueFrame, shown},
                      {_HUE, FrameScrollHue, ControlKind::ValueFrame, shown},
                      {_IASP, CboInputAspectRatio, ControlKind::Combo},
                      {_OASP, CboOutputAspectRatio, ControlKind::Combo},
                      {_OVER, CboUnderOverscan, ControlKind::Combo},
                      {_PROC, CboProcessing, ControlKind::Combo},
                      {_AUTOCAD, BtnCenter, ControlKind::PushButton},
                      {_PRESETM, BtnPicturePreset, ControlKind::PushButton}});
}

} // namespace tesso
