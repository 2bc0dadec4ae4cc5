#include "mdlOpen.h"

#include <Platform.h>

namespace mdlOpen {

QString relatedFileFilter()
{
    const QChar nul(u'\0');
    const QString audio = QStringLiteral(
        "*.mp3;*.mid;*.midi;*.rmi;*.ra;*.rm;*.rmvb;*.wma;*.wmv;*.wav;*.avi;*.vob;*.cda");
    const QString programs = QStringLiteral("*.exe;*.com;*.bat;*.cmd;*.vbs");
    const QString all = QStringLiteral("*.*");
    return QStringLiteral("音频文件(") + audio + u')' + nul + audio + nul +
           QStringLiteral("可执行文件(") + programs + u')' + nul + programs + nul +
           QStringLiteral("所有文件(") + all + u')' + nul + all + nul + nul;
}

QString showOpenDialog(platform::Platform &platform, QWidget *owner, const QString &title,
                       const QString &filter)
{
    return platform.openFileDialog(owner, title, filter);
}

} // namespace mdlOpen
