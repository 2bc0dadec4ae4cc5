#include "InputRules.h"

#include <QKeyEvent>
#include <QLineEdit>

bool TimeKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
        key->key() == Qt::Key_Escape || key->key() == Qt::Key_Backspace)
        return false;
    const QString text = key->text();
    if (text.isEmpty())
        return false;
    const char16_t c = text.front().unicode();
    const bool accepted = (c >= u'0' && c <= u'9') || c == u'-' || c == u'.' || c == 8;
    return !accepted;
}

LengthLimit::LengthLimit(QLineEdit *box, int limit)
    : QValidator(box)
    , limit_(limit)
    , accepted_(box->text().size())
{
    // The box already holds the edited text while it is checked: remember the one before.
    connect(box, &QLineEdit::textChanged, this,
            [this](const QString &text) { accepted_ = text.size(); });
}

QValidator::State LengthLimit::validate(QString &input, int &) const
{
    return input.size() <= limit_ || input.size() < accepted_ ? Acceptable : Invalid;
}
