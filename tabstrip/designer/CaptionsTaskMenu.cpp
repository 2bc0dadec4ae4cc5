#include "CaptionsTaskMenu.h"

#include <ctlTabs.h>
#include <propTabCaptions.h>

#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QExtensionManager>

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

CaptionsTaskMenu::CaptionsTaskMenu(ctlTabs *tabs, QObject *parent)
    : QObject(parent)
    , tabs_(tabs)
    , action_(new QAction(QStringLiteral("Tab Captions..."), this))
{
    connect(action_, &QAction::triggered, this, &CaptionsTaskMenu::editCaptions);
}

void CaptionsTaskMenu::editCaptions()
{
    QDialog dialog(tabs_->window());
    dialog.setWindowTitle(QStringLiteral("Tab Captions"));
    // The page edits a copy; the form learns of the change in one step, through its cursor.
    ctlTabs copy;
    copy.setCaptions(tabs_->Captions());
    auto *page = new propTabCaptions(&dialog);
    page->SelectionChanged({&copy});
    auto *buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, &dialog);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(page);
    layout->addWidget(buttons);

    auto apply = [&] {
        if (!page->Changed())
            return;
        page->ApplyChanges();
        page->setChanged(false);
        if (QDesignerFormWindowInterface *form =
                QDesignerFormWindowInterface::findFormWindow(tabs_))
            form->cursor()->setWidgetProperty(tabs_, QStringLiteral("Captions"), copy.Captions());
        else
            tabs_->setCaptions(copy.Captions());
    };
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, &dialog, apply);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        apply();
        dialog.accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    dialog.exec();
}

QObject *CaptionsTaskMenuFactory::createExtension(QObject *object, const QString &iid,
                                                  QObject *parent) const
{
    auto *tabs = qobject_cast<ctlTabs *>(object);
    if (!tabs || iid != Q_TYPEID(QDesignerTaskMenuExtension))
        return nullptr;
    return new CaptionsTaskMenu(tabs, parent);
}
