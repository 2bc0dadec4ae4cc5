#pragma once

#include <QtUiPlugin/QDesignerCustomWidgetInterface>

// Hosts the tab strip in Qt Designer's widget box, with the task-menu entry that opens the
// caption page.
class ctlTabsPlugin : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetInterface")
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    using QObject::QObject;

    QString name() const override { return QStringLiteral("ctlTabs"); }
    QString group() const override { return QStringLiteral("Tocklet"); }
    QString toolTip() const override { return QStringLiteral("Owner-drawn tab strip"); }
    QString whatsThis() const override { return toolTip(); }
    QString includeFile() const override { return QStringLiteral("ctlTabs.h"); }
    QIcon icon() const override;
    bool isContainer() const override { return true; }
    QString domXml() const override;
    bool isInitialized() const override { return initialized_; }
    void initialize(QDesignerFormEditorInterface *core) override;
    QWidget *createWidget(QWidget *parent) override;

private:
    bool initialized_ = false;
};
