#include "frmMode.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

frmMode::frmMode(const QIcon &icon, bool countDown, std::function<void(bool)> apply)
{
    setObjectName(QStringLiteral("frmMode"));
    setWindowTitle(QStringLiteral("选择模式"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(icon);
    setFixedSize(272, 115); // 4080 × 1725 twips

    auto *group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("Frame1"));
    group->setGeometry(8, 6, 256, 66);
    opt1 = new QRadioButton(QStringLiteral("按倒计时方式"), group);
    opt1->setObjectName(QStringLiteral("opt1"));
    opt1->setGeometry(12, 10, 236, 22);
    opt2 = new QRadioButton(QStringLiteral("按到点方式(到一个固定的时间点)"), group);
    opt2->setObjectName(QStringLiteral("opt2"));
    opt2->setGeometry(12, 36, 236, 22);
    // The options are one stop of the Tab key, at the chosen one, where the focus starts.
    QRadioButton *chosen = countDown ? opt1 : opt2;
    chosen->setChecked(true);
    chosen->setFocus();

    auto *ok = new QPushButton(QStringLiteral("确定(&O)"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setGeometry(56, 80, 76, 26);
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("取消(&C)"), this);
    cancel->setObjectName(QStringLiteral("Command2"));
    cancel->setGeometry(140, 80, 76, 26);

    setTabOrder(opt2, opt1);
    setTabOrder(opt1, ok);
    setTabOrder(ok, cancel);

    connect(ok, &QPushButton::clicked, this, [this, apply] {
        apply(opt1->isChecked());
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}
