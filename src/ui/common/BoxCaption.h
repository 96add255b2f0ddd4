#pragma once
// The caption of the program's message boxes: the application title set at start-up.

#include <QString>

namespace tesso
{

QString BoxCaption();

} // namespace tesso
