#include <gtest/gtest.h>

#include <QtDesigner/QDesignerContainerExtension>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionManager>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPluginLoader>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

struct Core : QDesignerFormEditorInterface {
    Core() { setExtensionManager(new QExtensionManager(this)); }
};

TEST(DesignerPlugin, CreatesTheStripAndEditsItsCaptionsFromTheTaskMenu)
{
    QPluginLoader loader(QString::fromUtf8(DESIGNER_PLUGIN));
    auto *plugin = qobject_cast<QDesignerCustomWidgetInterface *>(loader.instance());
    ASSERT_NE(plugin, nullptr) << loader.errorString().toStdString();
    // One core for the plugin's life, as in Designer, where the plugin sets itself up once.
    static Core *core = new Core; // never destroyed: it outlives the application
    plugin->initialize(core);
    const QImage icon = plugin->icon().pixmap(22, 22).toImage(); // two small tabs over a page
    EXPECT_TRUE(icon.pixel(12, 3) != icon.pixel(12, 10) && icon.pixel(12, 3) != icon.pixel(19, 3));
    // The plugin holds its own copy of the control's class: reach it by name, as Designer does.
    std::unique_ptr<QWidget> tabs(plugin->createWidget(nullptr));
    auto *menu = qt_extension<QDesignerTaskMenuExtension *>(core->extensionManager(), tabs.get());
    ASSERT_NE(menu, nullptr);
    QTimer::singleShot(0, [] {
        QWidget *dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        // The dialog holds the whole page; Apply waits for a change; Enter is the page's.
        auto *page = dialog->findChild<QWidget *>(u"propTabCaptions"_s);
        for (QWidget *control : page->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            EXPECT_TRUE(page->rect().contains(control->geometry()))
                << control->objectName().toStdString();
        auto *buttons = dialog->findChild<QDialogButtonBox *>();
        EXPECT_FALSE(buttons->button(QDialogButtonBox::Apply)->isEnabled());
        auto *text = dialog->findChild<QLineEdit *>(u"txtCaption"_s);
        QTest::keyClicks(text, u"General"_s), QTest::keyClick(text, Qt::Key_Return);
        EXPECT_TRUE(dialog->isVisible() && buttons->button(QDialogButtonBox::Apply)->isEnabled());
        dialog->findChild<QPushButton *>(u"cmd2"_s)->click(); // Add
        QTest::keyClicks(text, u"More"_s), buttons->button(QDialogButtonBox::Ok)->click();
    });
    menu->preferredEditAction()->trigger();
    EXPECT_EQ(tabs->property("Captions").toStringList().join(u'|'), u"General|More|Tab 2"_s);
    EXPECT_EQ(plugin->domXml().count(u"name=\"ctlTabs1\""_s), 1);

    // Pages as Designer adds, switches and removes them; a page beyond the tabs shows none.
    auto *pages = qt_extension<QDesignerContainerExtension *>(core->extensionManager(), tabs.get());
    ASSERT_NE(pages, nullptr);
    for (int i = 0; i < 4; ++i)
        pages->addWidget(new QWidget);
    tabs->setProperty("SelectedTab", 4);
    EXPECT_EQ(pages->currentIndex(), 2) << "three tabs";
    tabs->setProperty("Captions", u"a b c d"_s.split(u' ')), pages->setCurrentIndex(3);
    EXPECT_EQ(tabs->property("SelectedTab").toInt(), 4);
    EXPECT_TRUE(pages->widget(3)->isVisibleTo(tabs.get()) &&
                !pages->widget(0)->isVisibleTo(tabs.get()));
    pages->remove(3);
    EXPECT_EQ(pages->count(), 3);
    EXPECT_EQ(pages->currentIndex(), 2) << "the strip keeps 4 tabs, the selected one moved";
    pages->setCurrentIndex(0), pages->remove(1);
    EXPECT_EQ(pages->currentIndex(), 0) << "another page gone, the selection stays";
}
