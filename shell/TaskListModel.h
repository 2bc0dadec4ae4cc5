#pragma once

#include <TaskList.h>

#include <QAbstractListModel>

// The reminder texts of the task list, for the task box's list: read from the list as the view
// asks for them, with no item or string kept per task.
class TaskListModel : public QAbstractListModel {
public:
    TaskListModel(const tasks::TaskList &list, QObject *parent)
        : QAbstractListModel(parent)
        , list_(list)
    {
    }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(list_.size());
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
            return {};
        return list_.taskText(index.row()).toString();
    }

    // Around every change of the list.
    void beginChange() { beginResetModel(); }
    void endChange() { endResetModel(); }

private:
    const tasks::TaskList &list_;
};
