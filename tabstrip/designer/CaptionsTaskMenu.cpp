#include "CaptionsTaskMenu.h"

#include <ctlTabs.h>
#include <propTabCaptions.h>

#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>
#include <QtDesigner/QExtensionManager>

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QUndoStack>
#include <QVBoxLayout>

CaptionsTaskMenu::CaptionsTaskMenu(ctlTabs *tabs, QObject *parent)
    : QObject(parent)
    , tabs_(tabs)
    , action_(new QAction(QStringLiteral("Tab Captions..."), this))
{
    connect(action_, &QAction::triggered, this, &CaptionsTaskMenu::editCaptions);
}

namespace {

// Keeps Enter and Return from the widgets it watches going on to their dialog.
struct ReturnKeeper : QObject {
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent *>(event)->key();
        return key == Qt::Key_Return || key == Qt::Key_Enter;
    }
};

} // namespace

void CaptionsTaskMenu::editCaptions()
{
    QDialog dialog(tabs_->window());
    dialog.setWindowTitle(QStringLiteral("Tab Captions"));
    // The page edits a copy; the form learns of the change in one step, through its cursor.
    ctlTabs copy;
    copy.setCaptions(tabs_->Captions());
    copy.setSelectedTab(tabs_->SelectedTab());
    auto *page = new propTabCaptions(&dialog);
    page->SelectionChanged({&copy});
    auto *buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, &dialog);
    // Enter in the caption box belongs to the page, not to OK (the box makes OK the default).
    ReturnKeeper keeper;
    if (auto *text = page->findChild<QLineEdit *>(QStringLiteral("txtCaption")))
        text->installEventFilter(&keeper);
    QPushButton *applyButton = buttons->button(QDialogButtonBox::Apply);
    applyButton->setEnabled(false);
    connect(page, &propTabCaptions::ChangedChanged, applyButton, &QWidget::setEnabled);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(page);
    layout->addWidget(buttons);

    auto apply = [&] {
        if (!page->Changed())
            return;
        page->ApplyChanges();
        page->setChanged(false);
        // Fewer tabs may move the selected tab: both change in one step, undone together.
        QDesignerFormWindowInterface *form = QDesignerFormWindowInterface::findFormWindow(tabs_);
        if (!form) {
            tabs_->setCaptions(copy.Captions());
            return;
        }
        // The tab first: each step keeps the value it replaces, and the captions would already
        // have moved the tab.
        form->commandHistory()->beginMacro(QStringLiteral("Change the tab captions"));
        form->cursor()->setWidgetProperty(tabs_, QStringLiteral("SelectedTab"), copy.SelectedTab());
        form->cursor()->setWidgetProperty(tabs_, QStringLiteral("Captions"), copy.Captions());
        form->commandHistory()->endMacro();
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
