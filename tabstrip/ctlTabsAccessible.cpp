#include "ctlTabsAccessible.h"
#include "ctlTabs.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QWindow>

namespace tabstrip {

namespace {

// One tab of a strip, tab `index_ + 1`; its press selects it as a click does.
class AccessibleTab : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    AccessibleTab(ctlTabs *strip, int index)
        : strip_(strip)
        , index_(index)
    {
    }

    bool isValid() const override { return strip_ && index_ < strip_->Tabs(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return strip_->window()->windowHandle(); }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(strip_.data());
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !isValid())
            return {};
        const QString caption = strip_->Caption(index_ + 1);
        return caption.isEmpty() ? QStringLiteral("Tab %1").arg(index_ + 1) : caption;
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!isValid() || index_ >= strip_->tabRects().size())
            return {};
        const TabRect &r = strip_->tabRects()[index_];
        return {strip_->mapToGlobal(QPoint(r.left, r.top)),
                QSize(r.right - r.left + 1, r.bottom - r.top + 1)};
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid())
            return s;
        s.selectable = s.focusable = true;
        s.selected = strip_->SelectedTab() == index_ + 1;
        s.focused = s.selected && strip_->hasFocus();
        s.invisible = !strip_->isVisible();
        return s;
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface
                   ? static_cast<QAccessibleActionInterface *>(this)
                   : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &name) override
    {
        if (name == pressAction() && isValid())
            strip_->pressTab(index_ + 1);
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QPointer<ctlTabs> strip_;
    int index_;
};

// The strip: a page tab list whose children are its tabs, made when first asked for.
class AccessibleStrip : public QAccessibleWidget {
public:
    explicit AccessibleStrip(ctlTabs *strip)
        : QAccessibleWidget(strip, QAccessible::PageTabList)
    {
    }
    ~AccessibleStrip() override
    {
        for (const QAccessible::Id id : std::as_const(tabs_))
            QAccessible::deleteAccessibleInterface(id);
    }

    // The tabs, then the strip's own children (the pages a program puts on it).
    int childCount() const override { return tabs() + QAccessibleWidget::childCount(); }
    QAccessibleInterface *child(int index) const override
    {
        if (index >= tabs())
            return QAccessibleWidget::child(index - tabs());
        if (index < 0)
            return nullptr;
        if (const auto id = tabs_.value(index))
            return QAccessible::accessibleInterface(id);
        auto *tab = new AccessibleTab(strip(), index);
        tabs_.insert(index, QAccessible::registerAccessibleInterface(tab));
        return tab;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const QAccessible::Id id = QAccessible::uniqueId(const_cast<QAccessibleInterface *>(child));
        const int other = QAccessibleWidget::indexOfChild(child);
        return tabs_.key(id, other < 0 ? -1 : other + tabs());
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        for (int i = 0; i < tabs(); ++i)
            if (child(i)->rect().contains(x, y))
                return child(i);
        return QAccessibleWidget::childAt(x, y);
    }

private:
    ctlTabs *strip() const { return static_cast<ctlTabs *>(widget()); }
    int tabs() const { return strip()->Tabs(); }
    mutable QHash<int, QAccessible::Id> tabs_;
};

QAccessibleInterface *factory(const QString &, QObject *object)
{
    auto *strip = qobject_cast<ctlTabs *>(object);
    return strip ? new AccessibleStrip(strip) : nullptr;
}

void send(ctlTabs *strip, QAccessible::Event type, int child)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(strip, type);
    event.setChild(child);
    QAccessible::updateAccessibility(&event);
}

} // namespace

void installAccessibility()
{
    static const bool installed = (QAccessible::installFactory(factory), true);
    (void)installed;
}

void announceSelection(ctlTabs *strip)
{
    send(strip, QAccessible::Selection, strip->SelectedTab() - 1);
    if (strip->hasFocus())
        send(strip, QAccessible::Focus, strip->SelectedTab() - 1);
}

void announceCaption(ctlTabs *strip, int tab)
{
    send(strip, QAccessible::NameChanged, tab - 1);
}

} // namespace tabstrip
