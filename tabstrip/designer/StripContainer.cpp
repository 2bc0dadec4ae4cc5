#include "StripContainer.h"

#include <ctlTabs.h>

StripContainer::StripContainer(ctlTabs *tabs, QObject *parent)
    : QObject(parent)
    , tabs_(tabs)
{
}

int StripContainer::count() const
{
    return tabs_->pageCount();
}

QWidget *StripContainer::widget(int index) const
{
    return tabs_->page(index);
}

int StripContainer::currentIndex() const
{
    // A selected tab without a page of its own shows none.
    return tabs_->SelectedTab() <= tabs_->pageCount() ? tabs_->SelectedTab() - 1 : -1;
}

void StripContainer::setCurrentIndex(int index)
{
    tabs_->setSelectedTab(index + 1);
}

void StripContainer::addWidget(QWidget *page)
{
    insertWidget(count(), page);
}

void StripContainer::insertWidget(int index, QWidget *page)
{
    tabs_->insertPage(index, page);
}

void StripContainer::remove(int index)
{
    tabs_->removePage(index);
    // The tab stays; the current page is the last when the selected tab's page went.
    if (count() > 0 && tabs_->SelectedTab() > count())
        tabs_->setSelectedTab(count());
}

QObject *StripContainerFactory::createExtension(QObject *object, const QString &iid,
                                                QObject *parent) const
{
    auto *tabs = qobject_cast<ctlTabs *>(object);
    if (!tabs || iid != Q_TYPEID(QDesignerContainerExtension))
        return nullptr;
    return new StripContainer(tabs, parent);
}
