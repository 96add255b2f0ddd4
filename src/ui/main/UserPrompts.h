#pragma once
// The questions and notices the main window puts to the user, behind one small interface so that
// offscreen tests answer them instead of a person. The default shows message boxes.

#include <QString>

class QWidget;

class UserPrompts
{
  public:
    virtual ~UserPrompts() = default;
    // Information box with an OK button.
    virtual void Information(QWidget* parent, const QString& text) = 0;
    // Confirmation box with OK and Cancel; true for OK.
    virtual bool Confirm(QWidget* parent, const QString& text) = 0;
};
