#pragma once
// The picture the device's frame memory takes: a source of any size fitted into the 720 x 576
// frame (exact, shrink, crop, center or zoom), halved to the 720 x 288 picture that is sent, and
// doubled back for display so that it shows what the device will show. Also the gradient the
// transfer window can generate, and reading a bitmap file. Pure QImage work; no widgets.

#include <optional>

#include <QColor>
#include <QImage>
#include <QString>

namespace tesso::frames
{

constexpr int FrameWidth = 720;
constexpr int FrameHeight = 576;

enum FitMode : int { Cancelled = 0, Exact = 1, Shrink = 2, Crop = 3, Center = 4, Zoom = 5 };

// Which question a source's size asks: none (exactly 720 x 576), too large (wider or taller than
// the frame) or too small (narrower or lower, and neither larger).
enum class FitQuestion { None, TooLarge, TooSmall };
FitQuestion fitQuestionFor(int width, int height);
// Whether a mode fits a source of that size (the modes its question offers).
bool fitModeApplies(FitMode mode, int width, int height);

struct PreparedPicture {
    QImage work;    // 720 x 576
    QImage send;    // 720 x 288: line y stands for work lines 2y and 2y + 1
    QImage display; // 720 x 576: each sent line twice
};
PreparedPicture preparePicture(const QImage& source, FitMode mode);

// A 720 x 576 linear gradient from `start` to `end`, column by column or row by row; each channel
// rounds to the nearest whole number, halves to even.
QImage gradientPicture(const QColor& start, const QColor& end, bool horizontal);

// Reads a bitmap file; nothing, with the reason, when it is not a readable picture: not a regular
// file (a named pipe, a device), shorter than its header promises, or not a picture at all. A 32-bit
// picture whose alpha is zero everywhere is opaque (such files leave the alpha unused).
std::optional<QImage> loadBitmap(const QString& path, QString* error);

} // namespace tesso::frames
