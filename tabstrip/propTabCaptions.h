#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The design-time page that edits a tab strip's captions, and through them its number of tabs.
// It keeps its own copy of the captions and writes them back when the designer applies it. It
// reaches the control only by name through the meta-object system (the property "Tabs" and the
// invokables "Caption" and "setCaption"), so it works on any object that offers them.
class propTabCaptions : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Changed READ Changed WRITE setChanged NOTIFY ChangedChanged)

public:
    enum Button { Down, Up, Add, Delete };

    explicit propTabCaptions(QWidget *parent = nullptr);

    // Loads the captions of the first of the selected objects.
    void SelectionChanged(const QList<QObject *> &selectedControls);
    // Writes the list back to the first of the selected objects: its number of tabs, then
    // each caption.
    void ApplyChanges();

    QSize sizeHint() const override { return minimumSize(); }

    bool Changed() const { return changed_; }
    void setChanged(bool changed);

signals:
    void ChangedChanged(bool changed);

private:
    void cmbCaptions_Click();
    void txtCaption_Change();
    void cmd_Click(int index);
    void select(int row);

    QList<QPointer<QObject>> selected_;
    bool suppressChange = false;
    bool changed_ = false;

    QLabel *lblCaption = nullptr;
    QLineEdit *txtCaption = nullptr;
    QListWidget *cmbCaptions = nullptr;
    std::array<QPushButton *, 4> cmd{};
};
