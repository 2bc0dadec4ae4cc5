#include "propTabCaptions.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

QString captionOf(QObject *control, int index)
{
    QString caption;
    QMetaObject::invokeMethod(control, "Caption", Q_RETURN_ARG(QString, caption),
                              Q_ARG(int, index));
    return caption;
}

} // namespace

propTabCaptions::propTabCaptions(QWidget *parent)
    : QWidget(parent)
{
    // Places in pixels, 15 twips each.
    setObjectName(QStringLiteral("propTabCaptions"));
    resize(380, 242);
    // Its size as a page in a dialog's layout: the controls' places are fixed.
    setMinimumSize(size());
    lblCaption = new QLabel(QStringLiteral("Caption:"), this);
    lblCaption->setObjectName(QStringLiteral("lblCaption"));
    lblCaption->setGeometry(6, 8, 180, 16);
    txtCaption = new QLineEdit(this);
    txtCaption->setObjectName(QStringLiteral("txtCaption"));
    txtCaption->setGeometry(6, 25, 202, 21);
    cmbCaptions = new QListWidget(this);
    cmbCaptions->setObjectName(QStringLiteral("cmbCaptions"));
    cmbCaptions->setGeometry(6, 51, 202, 112);

    const std::array<std::pair<const char *, QRect>, 4> buttons = {{
        {"Down", {160, 200, 49, 22}},
        {"Up", {160, 177, 49, 22}},
        {"Add", {6, 177, 49, 22}},
        {"Delete", {6, 200, 49, 22}},
    }};
    for (int i = 0; i < 4; ++i) {
        cmd[i] = new QPushButton(QString::fromLatin1(buttons[i].first), this);
        cmd[i]->setObjectName(QStringLiteral("cmd%1").arg(i));
        cmd[i]->setGeometry(buttons[i].second);
        connect(cmd[i], &QPushButton::clicked, this, [this, i] { cmd_Click(i); });
    }
    // In the page's own order: the text, the list, Add, Up, Delete, Down.
    setTabOrder(txtCaption, cmbCaptions);
    setTabOrder(cmbCaptions, cmd[Add]);
    setTabOrder(cmd[Add], cmd[Up]);
    setTabOrder(cmd[Up], cmd[Delete]);
    setTabOrder(cmd[Delete], cmd[Down]);

    // A pick in the list; the page's own selections also call the handler themselves, since
    // a row that keeps its number (Delete) changes no row.
    connect(cmbCaptions, &QListWidget::currentRowChanged, this, [this] { cmbCaptions_Click(); });
    connect(txtCaption, &QLineEdit::textChanged, this, &propTabCaptions::txtCaption_Change);
}

void propTabCaptions::setChanged(bool changed)
{
    if (changed_ == changed)
        return;
    changed_ = changed;
    emit ChangedChanged(changed);
}

void propTabCaptions::select(int row)
{
    cmbCaptions->setCurrentRow(row);
    cmbCaptions_Click();
}

void propTabCaptions::SelectionChanged(const QList<QObject *> &selectedControls)
{
    selected_.clear();
    for (QObject *control : selectedControls)
        selected_.append(control);
    if (selected_.isEmpty() || !selected_.first())
        return;
    suppressChange = true;
    QObject *control = selected_.first();
    cmbCaptions->clear();
    const int tabs = control->property("Tabs").toInt();
    for (int i = 1; i <= tabs; ++i)
        cmbCaptions->addItem(captionOf(control, i));
    select(0);
    suppressChange = false;
}

void propTabCaptions::cmbCaptions_Click()
{
    suppressChange = true;
    const QListWidgetItem *item = cmbCaptions->currentItem();
    txtCaption->setText(item ? item->text() : QString());
    txtCaption->setSelection(0, int(txtCaption->text().size())); // typing replaces it
    suppressChange = false;
}

void propTabCaptions::txtCaption_Change()
{
    if (suppressChange)
        return;
    if (QListWidgetItem *item = cmbCaptions->currentItem())
        item->setText(txtCaption->text());
    setChanged(true);
}

void propTabCaptions::cmd_Click(int index)
{
    const int i = cmbCaptions->currentRow();
    const int n = cmbCaptions->count();
    auto exchange = [&](int a, int b) {
        const QString text = cmbCaptions->item(a)->text();
        cmbCaptions->item(a)->setText(cmbCaptions->item(b)->text());
        cmbCaptions->item(b)->setText(text);
    };
    switch (index) {
    case Down:
        if (i < 0 || i >= n - 1)
            return;
        exchange(i, i + 1);
        select(i + 1);
        break;
    case Up:
        if (i < 1)
            return;
        exchange(i, i - 1);
        select(i - 1);
        break;
    case Add:
        cmbCaptions->insertItem(i + 1, QString());
        select(i + 1);
        break;
    case Delete:
        if (n < 2 || i < 0)
            return;
        delete cmbCaptions->takeItem(i);
        select(i >= cmbCaptions->count() ? cmbCaptions->count() - 1 : i);
        break;
    default:
        return;
    }
    setChanged(true);
}

void propTabCaptions::ApplyChanges()
{
    if (selected_.isEmpty() || !selected_.first())
        return;
    QObject *control = selected_.first();
    control->setProperty("Tabs", cmbCaptions->count());
    const int tabs = control->property("Tabs").toInt();
    for (int i = 1; i <= tabs; ++i) {
        const QListWidgetItem *item = cmbCaptions->item(i - 1);
        QMetaObject::invokeMethod(control, "setCaption", Q_ARG(int, i),
                                  Q_ARG(QString, item ? item->text() : QString()));
    }
}
