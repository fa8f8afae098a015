#pragma once
// The read pipeline over files on disk for the archive and document tests:
// a temporary data folder as the one search directory, the game's data-file
// key, a task set that owns the read tasks, and a capture of trace lines.
// The background queues hook into the binary's one looper
// (tests/support/looper_environment.h).

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/base/debug_trace.h"
#include "engine/data/data_file_key.h"
#include "engine/data/disk_file_read_task.h"
#include "engine/data/mount_table.h"
#include "engine/data/open_file_cache.h"
#include "engine/data/psb_object.h"
#include "engine/data/psb_value.h"
#include "engine/data/search_directories.h"
#include "engine/task/looper.h"
#include "tests/support/temp_dir.h"
#include "tools/psbwriter/data_container.h"
#include "tools/psbwriter/psb_writer.h"
#include "tests/support/looper_environment.h"

class ReadPipelineTest : public testing::Test {
protected:
    ReadPipelineTest() {
        dataFileKey = psbwriter::kGameDataKey;
        dataFileKeyMode = psbwriter::kGameKeyStreamLength;
        clearSearchDirectories();
        setPrimarySearchDirectory(dir / "data/");
        previousSink_ = setDebugTraceSink([this](std::string_view line) {
            std::lock_guard lock(traceMutex_);
            trace_ += line;
        });
    }
    ~ReadPipelineTest() override {
        setDebugTraceSink(previousSink_);
        clearSearchDirectories();
        clearMountTable();
        closeCachedFiles();
        dataFileKey.clear();
        dataFileKeyMode = 0;
    }

    // A file below the search directory.
    void write(const std::string& name, const std::vector<uint8_t>& bytes) {
        dir.write("data/" + name, std::string(bytes.begin(), bytes.end()));
    }
    std::string searchPath(const std::string& name) const { return dir / ("data/" + name); }

    std::string trace() {
        std::lock_guard lock(traceMutex_);
        return trace_;
    }

    MDiskFileReadTask* addTask() {
        auto* task = new MDiskFileReadTask;
        owner.add(task);
        return task;
    }

    // Frames until the owner is empty; false after five seconds.
    bool runUntilEmpty() { return runFramesUntil(owner, [this] { return owner.isEmpty(); }); }

    TempDir dir;
    MParallelTaskSet owner;

private:
    DebugTraceSink previousSink_;
    std::mutex traceMutex_;
    std::string trace_;
};

// Where one request's result goes.
struct ReadSlot {
    ~ReadSlot() { delete doc; }
    int value() const { return doc ? doc->root()["value"].toInt() : -1; }

    PSBObject* doc = nullptr;
    MReadStatus status{-1};
};
