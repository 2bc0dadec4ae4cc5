#pragma once

#include <QObject>
#include <QValidator>

class QLineEdit;

// Typing into a time field: digits, "-" and "." pass; every other typed character (letters,
// the space, the control codes of Ctrl+C, Ctrl+V, Ctrl+X) is dropped, and so is any other
// character an input method commits (full-width digits become digits). Keys that type nothing
// there (Tab, Delete, Backspace, the arrows, Home, End) and Enter and Esc, which belong to the
// window's buttons, pass untouched.
class TimeKeyFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// At most `limit` characters by typing or pasting; a longer paste inserts the part that fits.
// Text set by the program is never cut, and a longer text may still be shortened. With
// `timeCharacters`, text that arrives other than by a key (Shift+Insert, the middle button, the
// context menu) keeps only what a time field's keys would let through.
class LengthLimit : public QValidator {
public:
    LengthLimit(QLineEdit *box, int limit, bool timeCharacters = false);
    State validate(QString &input, int &pos) const override;

private:
    int limit_;
    bool timeCharacters_;
    QString accepted_; // the box's text before the edit being checked
};
