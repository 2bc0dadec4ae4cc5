#pragma once

#include <QtDesigner/QDesignerContainerExtension>
#include <QtDesigner/QExtensionFactory>

class ctlTabs;

// The strip as a container in Designer: its pages are added, removed and switched from the
// context menu and the object inspector, and the current page is the selected tab's. A page
// beyond the tabs shows once "Tab Captions..." gives it a tab.
class StripContainer : public QObject, public QDesignerContainerExtension {
    Q_OBJECT
    Q_INTERFACES(QDesignerContainerExtension)

public:
    StripContainer(ctlTabs *tabs, QObject *parent);

    int count() const override;
    QWidget *widget(int index) const override;
    int currentIndex() const override;
    void setCurrentIndex(int index) override;
    bool canAddWidget() const override { return true; }
    void addWidget(QWidget *page) override;
    void insertWidget(int index, QWidget *page) override;
    bool canRemove(int) const override { return true; }
    void remove(int index) override;

private:
    ctlTabs *tabs_;
};

class StripContainerFactory : public QExtensionFactory {
    Q_OBJECT

public:
    using QExtensionFactory::QExtensionFactory;

protected:
    QObject *createExtension(QObject *object, const QString &iid, QObject *parent) const override;
};
