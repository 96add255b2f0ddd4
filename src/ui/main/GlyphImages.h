#pragma once
// The program's pictures, drawn at run time so that no binary resource is needed: indicator
// lamps for the buttons and the status bar, the model logos of the about box and the splash
// picture.

#include <QColor>
#include <QPixmap>
#include <QString>
#include <vector>

namespace tesso
{

class GlyphImages
{
  public:
    // A round lamp of the given colour.
    static QPixmap Led(const QColor& colour, int size);
    // The main window's bitmap list: 0 idle, 1 input on air, 2 and 3 the two blinking states.
    static std::vector<QPixmap> ButtonGlyphs();
    // The audio indicator's picture for a frame of the tool bar's image list: 3 to 6 a speaker
    // with 0 to 3 sound waves, 76 the muted speaker.
    static QPixmap AudioFrame(int frame);
    // The about box's logo for a model name; an empty name gives the program's own logo.
    static QPixmap Logo(const QString& modelName);
    // The 400 x 521 picture of the start-up window.
    static QPixmap SplashPicture();
};

} // namespace tesso
