#include "ctlTabsPlugin.h"
#include "CaptionsTaskMenu.h"
#include "StripContainer.h"

#include <ctlTabs.h>

#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QExtensionManager>

#include <QIcon>
#include <QPixmap>

QString ctlTabsPlugin::domXml() const
{
    // A new strip keeps the control's own settings and gets a page for each of its two tabs;
    // only its size is given, and a name that is not the class's own (a member named like its
    // class would not compile). The widgets on a strip are its pages.
    return QStringLiteral(R"(<ui language="c++" displayname="ctlTabs">
 <widget class="ctlTabs" name="ctlTabs1">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>353</width><height>313</height></rect>
  </property>
  <widget class="QWidget" name="page"/>
  <widget class="QWidget" name="page_2"/>
 </widget>
 <customwidgets>
  <customwidget>
   <class>ctlTabs</class>
   <extends>QWidget</extends>
   <addpagemethod>addPage</addpagemethod>
  </customwidget>
 </customwidgets>
</ui>
)");
}

void ctlTabsPlugin::initialize(QDesignerFormEditorInterface *core)
{
    if (initialized_)
        return;
    if (QExtensionManager *manager = core ? core->extensionManager() : nullptr) {
        manager->registerExtensions(new CaptionsTaskMenuFactory(manager),
                                    Q_TYPEID(QDesignerTaskMenuExtension));
        manager->registerExtensions(new StripContainerFactory(manager),
                                    Q_TYPEID(QDesignerContainerExtension));
    }
    initialized_ = true;
}

QIcon ctlTabsPlugin::icon() const
{
    // The strip drawing itself: two small tabs over a page, the first one raised.
    ctlTabs tabs;
    tabs.setTabsWidth(9);
    tabs.setTabsHeight(7);
    tabs.setCaptions({QString(), QString()});
    tabs.resize(22, 22);
    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::transparent);
    tabs.render(&pixmap, {}, {}, QWidget::DrawChildren);
    return QIcon(pixmap);
}

QWidget *ctlTabsPlugin::createWidget(QWidget *parent)
{
    return new ctlTabs(parent);
}
