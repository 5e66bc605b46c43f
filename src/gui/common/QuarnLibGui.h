#pragma once

#include <QString>

class QAbstractButton;
class QComboBox;
class QFont;
class QWidget;

// The widget helpers shared by the windows.
namespace QuarnLibGui {

// Opens the address in the user's default web browser.
void OpenInDefaultBrowser(const QString& address);

// Adds text (or, when empty, the box's own text), trimmed, at the end of the
// box's list unless empty or already there (exact comparison).
void AddToComboHistory(QComboBox* box, const QString& text = QString());

// The first installed of the fonts the windows prefer; the application's
// default font when none is installed.
QFont ChooseWindowFont();
// The font of combo boxes and tree and list views (first installed of the
// preferred list fonts); empty family when none is installed.
QFont ChooseListFont();
// Gives combo boxes and item views the list font; other widgets are left alone.
void ApplyListFont(QWidget* control);

// True when the mouse pointer is over the widget, edges included.
bool MouseOverControl(const QWidget* control);

// The button's picture is the resource ":/buttons/<name>.png"; "<name>_DISABLED"
// becomes its disabled picture when it exists. False when the picture is missing.
bool LoadButtonGlyphs(QAbstractButton* button, const QString& name);

}  // namespace QuarnLibGui
