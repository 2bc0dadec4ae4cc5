#include "mdlPubFields.h"

#include <NumberText.h>
#include <TimeInput.h>

#include <QLineEdit>

namespace mdlPub {

bool canTakeFocus(const QLineEdit *box)
{
    return box && box->isEnabled() && box->isVisibleTo(box->window());
}

void focusTextEnd(QLineEdit *box)
{
    if (!canTakeFocus(box))
        return;
    box->setFocus(Qt::OtherFocusReason);
    box->setCursorPosition(int(box->text().size()));
}

void selectAllText(QLineEdit *box)
{
    box->selectAll();
}

QString fieldNumberText(double value)
{
    QString text = tasks::numberText(value);
    if (text.startsWith(QStringLiteral("0.")))
        text.remove(0, 1);
    else if (text.startsWith(QStringLiteral("-0.")))
        text.remove(1, 1);
    return text;
}

void addLeadingZero(QLineEdit *box)
{
    const QString converted = fieldNumberText(engine::leadingNumber(box->text()));
    if (converted.startsWith(u'.'))
        box->setText(u'0' + converted);
}

} // namespace mdlPub
