#pragma once
// The suite's look, in one place: the colours of windows, buttons, text fields and grids, the
// focus colours of text fields, the section headings and the pictures of the buttons. The host
// program takes the same look for its own window.

#include <QColor>
#include <QIcon>

class QApplication;
class QLabel;
class QPushButton;
class QWidget;

namespace vornel::Look {

// A text field or combo box is black (0), dark grey (0x404040) while it has the focus.
constexpr int kFieldBackground = 0x000000;
constexpr int kFocusedBackground = 0x404040;

// The look of the whole program (Fusion style and the suite's palette); the host calls it once.
void applyToApplication(QApplication& app);
// A window of the component: dark window and buttons, light text; disabled controls stay dark.
void applyToWindow(QWidget* window);
// A grid: black cells with light text, also when it is disabled.
void applyToGrid(QWidget* grid);
// A text field with one of the two field backgrounds.
void paintField(QWidget* field, int background);
// A field of a frame that is disabled as a whole stays black; only its text dims.
void keepDarkWhenDisabled(QWidget* field);
// A bold section heading over a group of fields.
void makeHeading(QLabel* label);
// A label that warns (a closed period).
void makeWarning(QLabel* label);
// The text colour of a button given as the suite gives colours (0xBBGGRR); kept in the button's
// property "ForeColor".
void setForeColour(QPushButton* button, int bgr);
// Fore colours of the salary window's page buttons: the chosen page red, the others green.
constexpr int kChosenPage = 0x0000FF;
constexpr int kOtherPage = 0x00FF00;

enum class Picture { None, Add, Modify, Delete, Cancel, Search, Save, Accept, Close, Take, Company };
QIcon picture(Picture which);

} // namespace vornel::Look
