#include "ScriptPreload.h"

#include <QAbstractEventDispatcher>
#include <QFileInfo>

#include <system_error>
#include <utility>

namespace tasks {

ScriptPreload::ScriptPreload(QString path)
    : script_(std::move(path))
    , dispatcher_(QAbstractEventDispatcher::instance())
{
    // A short script is read in less time than a thread takes to start.
    if (QFileInfo(script_.path).size() <= kBlock)
        return;
    try {
        thread_ = std::thread([this] {
            count_ = loadTaskScript(script_, taskList_);
            ended_ = true;
            if (dispatcher_)
                dispatcher_->wakeUp();
        });
    } catch (const std::system_error &) { // no thread to be had: load() reads it then
    }
}

ScriptPreload::~ScriptPreload()
{
    wait();
}

void ScriptPreload::wait()
{
    if (thread_.joinable())
        thread_.join();
}

qsizetype ScriptPreload::load(ScriptFile &script, TaskList &taskList)
{
    wait();
    TaskList early = std::exchange(taskList_, TaskList()); // never kept beyond this call
    const bool read = std::exchange(script_.known, false);
    // The file may have changed since (the sample written, an edit, another copy's save, while
    // a second copy's notice waited): its bytes are compared, as a save compares them.
    qint64 size = -1;
    size_t hash = 0;
    if (script.path != script_.path || !taskList.isEmpty() || !read ||
        !readInPieces(script_.path, size, hash, [](QByteArrayView) {}) || size != script_.size ||
        hash != script_.hash)
        return loadTaskScript(script, taskList);
    script.encoding = script_.encoding;
    script.bom = script_.bom;
    remember(script, size, hash);
    taskList = std::move(early);
    return count_;
}

} // namespace tasks
