#pragma once

#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionFactory>

class ctlTabs;
class QAction;

// The strip's entry "Tab Captions..." in Designer's context menu: the caption page in a dialog
// whose OK and Apply commit the captions through the form window, so that the change is saved
// with the form and can be undone.
class CaptionsTaskMenu : public QObject, public QDesignerTaskMenuExtension {
    Q_OBJECT
    Q_INTERFACES(QDesignerTaskMenuExtension)

public:
    CaptionsTaskMenu(ctlTabs *tabs, QObject *parent);
    QAction *preferredEditAction() const override { return action_; }
    QList<QAction *> taskActions() const override { return {action_}; }

private:
    void editCaptions();

    ctlTabs *tabs_;
    QAction *action_;
};

class CaptionsTaskMenuFactory : public QExtensionFactory {
    Q_OBJECT

public:
    using QExtensionFactory::QExtensionFactory;

protected:
    QObject *createExtension(QObject *object, const QString &iid, QObject *parent) const override;
};
