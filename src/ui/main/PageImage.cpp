#include "PageImage.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "BindingTable.h"
#include "Constante.h"
#include "FrmScrollbar.h"
#include "PageNotice.h"
#include "TextFormat.h"

namespace
{

TFrameScrollBar* row(const char* name, QLatin1String caption, int y, QWidget* group)
{
    auto* frame = new TFrameScrollBar(group);
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

TPageImage::TPageImage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TabSheet_Image"));

    GrpSizePos = new QGroupBox(QString(Constante::PositionSize), this);
    GrpSizePos->setObjectName(QStringLiteral("GrpSizePos"));
    GrpSizePos->setGeometry(4, 4, 285, 400);
    FrameScrollHPos = row("FrameScrollHPos", Constante::RowHPos, 20, GrpSizePos);
    FrameScrollHSize = row("FrameScrollHSize", Constante::RowHSize, 58, GrpSizePos);
    FrameScrollVPos = row("FrameScrollVPos", Constante::RowVPos, 96, GrpSizePos);
    FrameScrollVSize = row("FrameScrollVSize", Constante::RowVSize, 134, GrpSizePos);
    auto* aspect = new QGroupBox(QString(Constante::AspectRatio), GrpSizePos);
    aspect->setGeometry(8, 176, 269, 84);
    CboInputAspectRatio = list("CboInputAspectRatio", entries(Constante::InputAspectRatios), aspect);
    CboInputAspectRatio->setGeometry(8, 22, 253, 24);
    CboOutputAspectRatio = list("CboOutputAspectRatio", entries(Constante::OutputAspectRatios), aspect);
    CboOutputAspectRatio->setGeometry(8, 52, 253, 24);
    auto* overscanLabel = new QLabel(QString(Constante::UnderOverscan), GrpSizePos);
    overscanLabel->setGeometry(8, 270, 120, 20);
    CboUnderOverscan = list("CboUnderOverscan", entries(Constante::Overscans), GrpSizePos);
    CboUnderOverscan->setGeometry(130, 268, 147, 24);
    BtnCenter = new QPushButton(QString(Constante::Reset), GrpSizePos);
    BtnCenter->setObjectName(QStringLiteral("BtnCenter"));
    BtnCenter->setGeometry(8, 304, 80, 26);

    GrpPicture = new QGroupBox(QString(Constante::Picture), this);
    GrpPicture->setObjectName(QStringLiteral("GrpPicture"));
    GrpPicture->setGeometry(296, 4, 285, 400);
    FrameScrollBrightness = row("FrameScrollBrightness", Constante::RowBrightness, 20, GrpPicture);
    FrameScrollContrast = row("FrameScrollContrast", Constante::RowContrast, 58, GrpPicture);
    FrameScrollColor = row("FrameScrollColor", Constante::RowColor, 96, GrpPicture);
    FrameScrollHue = row("FrameScrollHue", Constante::RowHue, 134, GrpPicture);
    LblProcessing = new QLabel(QString(Constante::Sharpness), GrpPicture);
    LblProcessing->setObjectName(QStringLiteral("LblProcessing"));
    LblProcessing->setGeometry(8, 182, 100, 20);
    QStringList sharpness{QString(Constante::SharpnessStandard)};
    for (int level = 1; level <= 7; ++level)
        sharpness << TextFormat::Format(Constante::SharpnessLevelFormat, level);
    CboProcessing = list("CboProcessing", sharpness, GrpPicture);
    CboProcessing->setGeometry(110, 180, 167, 24);
    BtnPicturePreset = new QPushButton(QString(Constante::Preset), GrpPicture);
    BtnPicturePreset->setObjectName(QStringLiteral("BtnPicturePreset"));
    BtnPicturePreset->setGeometry(8, 304, 80, 26);

    LblImageNoInputSignal =
        MakePageNotice("LblImageNoInputSignal", QString(Constante::ImageNoInputSignal), this);
    LblImageNotAvailableComputerInput = MakePageNotice(
        "LblImageNotAvailableComputerInput", QString(Constante::ImageNotAvailableComputerInput), this);
}

TPageImage::~TPageImage() = default;

void TPageImage::BindTo(TEventRouter& router, const TConversion& conversion)
{
    m_bindings = std::make_unique<TBindingTable>(router);
    const TValueMap shown{{}, &conversion};
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
