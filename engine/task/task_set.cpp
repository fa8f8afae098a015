#include "engine/task/task_set.h"

MTaskSet::ListLock::ListLock(MTaskSet& set) : mutex_(set.useMutex_ ? set.mutex_.get() : nullptr) {
    if (mutex_) mutex_->lock();
}

MTaskSet::ListLock::~ListLock() {
    if (mutex_) mutex_->unlock();
}

MTaskSet::~MTaskSet() { clear(); }

void MTaskSet::add(MTask* task) {
    ListLock lock(*this);
    *tail_ = task;
    tail_ = &task->next_;
    task->next_ = nullptr;
}

void MTaskSet::remove(MTask* task) {
    ListLock lock(*this);
    for (MTask** link = &head_; *link; link = &(*link)->next_) {
        if (*link == task) {
            unlinkAt(link);
            return;
        }
    }
}

void MTaskSet::unlinkAt(MTask** link) {
    MTask* task = *link;
    *link = task->next_;
    if (tail_ == &task->next_) tail_ = link;
}

void MTaskSet::clear() {
    ListLock lock(*this);
    MTask* task = head_;
    while (task) {
        MTask* next = task->next_;
        delete task;
        task = next;
    }
    head_ = nullptr;
    tail_ = &head_;
}

bool MTaskSet::isEmpty() {
    ListLock lock(*this);
    return head_ == nullptr;
}

void MTaskSet::enableMutex() {
    useMutex_ = 1;
    if (!mutex_) mutex_ = std::make_unique<std::recursive_mutex>();
}

void MSerialTaskSet::update() {
    ListLock lock(*this);
    while (MTask* head = head_) {
        runTask(head);
        const int32_t state = head->getState();
        // A head still running (or queued on the worker pool) keeps the set waiting.
        if (state == kRunning) return;
        head_ = nextOf(head);
        // A suspended head is only dropped: whoever suspended it still owns it.
        if (state == kFinished) delete head;
    }
    tail_ = &head_;
}

void MSerialTaskSet::draw(int pass) {
    ListLock lock(*this);
    if (head_ && !head_->isHidden() && head_->getState() != kFinished) head_->draw(pass);
}

void MParallelTaskSet::update() {
    ListLock lock(*this);
    MTask** link = &head_;
    while (MTask* child = *link) {
        if (child->getState() == kRunning) runTask(child);
        // The child's update may have removed the child itself from the set.
        if (*link != child) continue;
        if (child->getState() == kFinished) {
            unlinkAt(link);
            delete child;
        } else {
            link = &child->next_;
        }
    }
}

void MParallelTaskSet::draw(int pass) {
    ListLock lock(*this);
    for (MTask* child = head_; child; child = nextOf(child)) {
        if (!child->isHidden() && child->getState() != kFinished) child->draw(pass);
    }
}
