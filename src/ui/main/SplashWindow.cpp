#include "SplashWindow.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

#include "GlyphImages.h"
#include "Texts.h"

namespace tesso
{

// A tool window, not one that stays on top: the first run's "Select port" box comes up while it
// is shown and must not be hidden behind it.
SplashWindow::SplashWindow(QWidget* parent) : QWidget(parent, Qt::Tool)
{
    setObjectName(QStringLiteral("Form_PageAccueil"));
    setWindowTitle(QString(Texts::MakerName));

    // The picture sets the window's size; the progress bar lies over its foot.
    const QPixmap picture = GlyphImages::SplashPicture();
    Image = new QLabel(this);
    Image->setObjectName(QStringLiteral("Image"));
    Image->setPixmap(picture);

    ProgressBar = new QProgressBar(Image);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setRange(0, Steps);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);
    auto* foot = new QVBoxLayout(Image);
    foot->setContentsMargins(20, 0, 20, 20);
    foot->addStretch(1);
    foot->addWidget(ProgressBar);
    auto* whole = new QVBoxLayout(this);
    whole->setContentsMargins(0, 0, 0, 0);
    whole->addWidget(Image);
    setFixedSize(picture.deviceIndependentSize().toSize());

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void SplashWindow::Step()
{
    ProgressBar->setValue(std::min(Steps, ProgressBar->value() + 1));
    if (isVisible())
        repaint();
}

int SplashWindow::Position() const
{
    return ProgressBar->value();
}

} // namespace tesso
