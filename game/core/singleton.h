#pragma once
// Singleton<T>: one instance per derived class, held in a global pointer,
// created and deleted by whoever owns its lifetime (the application main for
// the platform singletons). initialize and finalize are the class's own
// start and stop steps; by default they succeed.
//
// Threads: main thread only.

template <class T>
class Singleton {
public:
    Singleton() = default;
    Singleton(const Singleton&) = delete;
    Singleton& operator=(const Singleton&) = delete;
    virtual ~Singleton() = default;

    virtual bool initialize() { return true; }
    virtual bool finalize() { return true; }

    // Null before create and after destroy.
    static T* getInstance() { return instance_; }
    static T* create() {
        if (!instance_) instance_ = new T();
        return instance_;
    }
    static void destroy() {
        delete instance_;
        instance_ = nullptr;
    }

private:
    static inline T* instance_ = nullptr;
};
