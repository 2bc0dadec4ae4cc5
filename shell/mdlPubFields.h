#pragma once

#include <QString>

class QLineEdit;

// Procedures of the public module that work on the window's text boxes.
namespace mdlPub {

// Whether the box can take the focus: enabled, and shown within its window (a box on a hidden
// tab page cannot).
bool canTakeFocus(const QLineEdit *box);

// Gives the box the focus and puts the caret after its text, nothing selected. A box that
// cannot take the focus is left alone.
void focusTextEnd(QLineEdit *box);

// Selects the whole text, so that typing replaces it.
void selectAllText(QLineEdit *box);

// A time field left holding a number whose text starts with "." gets a "0" in front of it; any
// other text stays exactly as typed.
void addLeadingZero(QLineEdit *box);

// The number-to-text conversion of the time fields: like the script's, but with no zero before
// the point (0.5 is ".5").
QString fieldNumberText(double value);

} // namespace mdlPub
