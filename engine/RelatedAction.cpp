#include "RelatedAction.h"

#include <Platform.h>
#include <Spaces.h>
#include <TaskRecord.h>
#include <mdlPub.h>

namespace engine {

const QString kNotFoundText = QStringLiteral(
    "您要执行的文件未发现,如果您设置的是DOS命令,请检查命令前面是否忘记加了\"cmd:\"标记");

namespace {
const QString kMark = QStringLiteral("cmd:");
const QString kCommandPrefix = QStringLiteral("cmd /c ");
} // namespace

bool hasCommandMark(QStringView text)
{
    return text.startsWith(kMark, Qt::CaseInsensitive);
}

QString commandLine(const QString &relatedFile)
{
    QString rest = relatedFile.mid(kMark.size());
    rest.replace(kMark, kCommandPrefix, Qt::CaseSensitive);
    return kCommandPrefix + rest;
}

QString trimSpaces(const QString &text)
{
    return tasks::trimSpaces(text).toString();
}

void runRelatedAction(platform::Platform &platform, const QString &text)
{
    const QString rf = trimSpaces(text);
    if (hasCommandMark(rf))
        platform.startCommandLine(commandLine(rf));
    else
        platform.shellOpen(text);
}

bool relatedFileNotFound(const QString &text, const QString &rf)
{
    return text != tasks::kNoRelatedFile && !text.isEmpty() && !hasCommandMark(rf) &&
           !mdlPub::relatedFileUsable(text);
}

} // namespace engine
