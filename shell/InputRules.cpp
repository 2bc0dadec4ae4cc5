#include "InputRules.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

namespace {

bool isTimeCharacter(QChar c)
{
    return (c >= u'0' && c <= u'9') || c == u'-' || c == u'.';
}

// Text from an input method, with full-width digits as ASCII digits and every character that
// cannot be typed into a time field dropped.
QString timeCharacters(const QString &text)
{
    QString kept;
    for (QChar c : text) {
        if (c >= QChar(0xFF10) && c <= QChar(0xFF19))
            c = QChar(u'0' + (c.unicode() - 0xFF10));
        if (isTimeCharacter(c))
            kept += c;
    }
    return kept;
}

} // namespace

bool TimeKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::InputMethod) {
        auto *input = static_cast<QInputMethodEvent *>(event);
        const QString kept = timeCharacters(input->commitString());
        if (kept != input->commitString())
            input->setCommitString(kept, input->replacementStart(), input->replacementLength());
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    switch (key->key()) {
    // The window's buttons, the focus moves and the editing keys. On X11 Tab carries the text
    // "\t" and Delete "\x7f", but neither types a character here.
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        return false;
    default:
        break;
    }
    const QString text = key->text();
    // Keys that type nothing pass; of typed characters only the time characters do. The control
    // codes of Ctrl+C, Ctrl+V, Ctrl+X and the other Ctrl+letter keys are dropped.
    return !std::all_of(text.begin(), text.end(), isTimeCharacter);
}

LengthLimit::LengthLimit(QLineEdit *box, int limit, bool timeCharacters)
    : QValidator(box)
    , limit_(limit)
    , timeCharacters_(timeCharacters)
    , accepted_(box->text())
{
    // The box already holds the edited text while it is checked: remember the one before.
    connect(box, &QLineEdit::textChanged, this, [this](const QString &text) { accepted_ = text; });
}

QValidator::State LengthLimit::validate(QString &input, int &pos) const
{
    if (timeCharacters_ && static_cast<const QLineEdit *>(parent())->isModified()) {
        // What the edit inserted lies between what it kept of the old text at either end.
        qsizetype front = 0, back = 0;
        while (front < input.size() && front < accepted_.size() && input[front] == accepted_[front])
            ++front;
        while (back < input.size() - front && back < accepted_.size() - front &&
               input[input.size() - 1 - back] == accepted_[accepted_.size() - 1 - back])
            ++back;
        const qsizetype end = input.size() - back;
        const QString inserted = input.sliced(front, end - front);
        const QString kept = timeCharacters(inserted);
        if (kept != inserted) {
            if (pos >= end)
                pos -= int(inserted.size() - kept.size());
            else if (pos > front)
                pos = int(front + timeCharacters(inserted.first(pos - front)).size());
            input.replace(front, inserted.size(), kept);
        }
    }
    if (input.size() <= limit_ || input.size() < accepted_.size())
        return Acceptable;
    // Text set by the program (which leaves the box unmodified) is kept whole.
    if (!static_cast<const QLineEdit *>(parent())->isModified())
        return Intermediate;
    // Typing or pasting past the limit inserts the part that fits: the excess is cut from the
    // end of what was just inserted, which ends at the caret.
    const qsizetype excess = input.size() - limit_;
    if (accepted_.size() > limit_ || pos < excess)
        return Invalid;
    input.remove(pos - excess, excess);
    pos -= int(excess);
    return Acceptable;
}
