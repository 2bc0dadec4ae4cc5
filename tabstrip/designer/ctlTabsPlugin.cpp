#include "ctlTabsPlugin.h"
#include "CaptionsTaskMenu.h"

#include <ctlTabs.h>

#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QExtensionManager>

QString ctlTabsPlugin::domXml() const
{
    // A new strip keeps the control's own settings; only its size is given.
    return QStringLiteral(R"(<ui language="c++" displayname="ctlTabs">
 <widget class="ctlTabs" name="ctlTabs">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>353</width><height>313</height></rect>
  </property>
 </widget>
</ui>
)");
}

void ctlTabsPlugin::initialize(QDesignerFormEditorInterface *core)
{
    if (initialized_)
        return;
    if (QExtensionManager *manager = core ? core->extensionManager() : nullptr)
        manager->registerExtensions(new CaptionsTaskMenuFactory(manager),
                                    Q_TYPEID(QDesignerTaskMenuExtension));
    initialized_ = true;
}

QWidget *ctlTabsPlugin::createWidget(QWidget *parent)
{
    return new ctlTabs(parent);
}
