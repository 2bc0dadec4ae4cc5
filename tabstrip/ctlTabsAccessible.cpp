#include "ctlTabsAccessible.h"
#include "ctlTabs.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QWindow>

#include <algorithm>
#include <climits>

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
    QWindow *window() const override { return strip_ ? strip_->window()->windowHandle() : nullptr; }
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
        const auto extent = [](int from, int to) {
            return int(std::clamp<qint64>(qint64(to) - from + 1, 0, INT_MAX));
        };
        return {strip_->mapToGlobal(QPoint(r.left, r.top)),
                QSize(extent(r.left, r.right), extent(r.top, r.bottom))};
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
        s.disabled = !strip_->isEnabled();
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
        // Only where a click could reach it.
        if (name == pressAction() && isValid() && strip_->isVisible() && strip_->isEnabled())
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
        , key_(strip)
    {
        made().insert(strip, this);
    }
    ~AccessibleStrip() override
    {
        made().remove(key_);
        for (const QAccessible::Id id : std::as_const(tabs_))
            QAccessible::deleteAccessibleInterface(id);
    }
    // The interfaces made for strips, to be let go with their strip.
    static QHash<const QObject *, AccessibleStrip *> &made()
    {
        static QHash<const QObject *, AccessibleStrip *> interfaces;
        return interfaces;
    }

    // The selected tab has the focus while the strip has it.
    QAccessibleInterface *focusChild() const override
    {
        return strip()->hasFocus() ? child(strip()->SelectedTab() - 1) : nullptr;
    }

    // The tabs, then the strip's own children (the pages a program puts on it).
    int childCount() const override { return tabs() + QAccessibleWidget::childCount(); }
    QAccessibleInterface *child(int index) const override
    {
        if (index >= tabs())
            return QAccessibleWidget::child(index - tabs());
        if (index < 0)
            return nullptr;
        forgetRemovedTabs();
        if (const auto id = tabs_.value(index))
            return QAccessible::accessibleInterface(id);
        auto *tab = new AccessibleTab(strip(), index);
        tabs_.insert(index, QAccessible::registerAccessibleInterface(tab));
        return tab;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        forgetRemovedTabs();
        for (auto tab = tabs_.cbegin(); tab != tabs_.cend(); ++tab)
            if (QAccessible::accessibleInterface(tab.value()) == child)
                return tab.key();
        const int other = QAccessibleWidget::indexOfChild(child);
        return other < 0 ? -1 : other + tabs();
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QPoint at = strip()->mapFromGlobal(QPoint(x, y));
        if (const int tab = hitTest(strip()->tabRects(), at.x(), at.y()))
            return child(tab - 1);
        return QAccessibleWidget::childAt(x, y);
    }

private:
    ctlTabs *strip() const { return static_cast<ctlTabs *>(widget()); }
    int tabs() const { return strip()->Tabs(); }
    // Tabs gone since (fewer tabs) are let go.
    void forgetRemovedTabs() const
    {
        for (auto tab = tabs_.begin(); tab != tabs_.end();) {
            if (tab.key() < tabs()) {
                ++tab;
                continue;
            }
            QAccessible::deleteAccessibleInterface(tab.value());
            tab = tabs_.erase(tab);
        }
    }
    const QObject *key_; // the strip, also once it is gone
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

void forgetAccessibility(ctlTabs *strip)
{
    // Before the strip's members go: a query in between would read them.
    if (AccessibleStrip *made = AccessibleStrip::made().value(strip))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
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
