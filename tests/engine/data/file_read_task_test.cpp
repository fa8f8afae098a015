// The file reader over files on disk: the read pipeline on the background
// queue, containers deciphered and inflated, the status words, the search
// directories and the task's life. The background queues hook into one
// looper, so the whole binary shares one.
#include "engine/data/disk_file_read_task.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/base/debug_trace.h"
#include "engine/data/data_file_key.h"
#include "engine/data/psb_object.h"
#include "engine/data/psb_value.h"
#include "engine/data/search_directories.h"
#include "engine/task/looper.h"
#include "tests/engine/data/psb_document.h"
#include "tests/support/looper_environment.h"
#include "tests/support/temp_dir.h"
#include "tools/psbwriter/data_container.h"
#include "tools/psbwriter/psb_writer.h"

namespace {

std::string asText(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

std::vector<uint8_t> document(int value) { return psbwriter::writePsb(psbwriter::Object{{"value", value}}); }

std::vector<uint8_t> packed(int value, const std::string& name, const psbwriter::ContainerKey& key = {}) {
    return psbwriter::packContainer(document(value), key, name);
}

// Where one request's result goes.
struct Slot {
    ~Slot() { delete doc; }
    int value() const { return doc ? doc->root()["value"].toInt() : -1; }

    PSBObject* doc = nullptr;
    MReadStatus status{-1};
};

// The trace lines written while it lives.
class TraceCapture {
public:
    TraceCapture() {
        previous_ = setDebugTraceSink([this](std::string_view line) {
            std::lock_guard lock(mutex_);
            lines_.emplace_back(line);
        });
    }
    ~TraceCapture() { setDebugTraceSink(previous_); }
    std::vector<std::string> lines() {
        std::lock_guard lock(mutex_);
        return lines_;
    }

private:
    DebugTraceSink previous_;
    std::mutex mutex_;
    std::vector<std::string> lines_;
};

class FileReadTest : public testing::Test {
protected:
    FileReadTest() {
        dataFileKey = psbwriter::kGameDataKey;
        dataFileKeyMode = psbwriter::kGameKeyStreamLength;
        clearSearchDirectories();
        setPrimarySearchDirectory(dir / "data/");
        addSearchDirectory(dir / "web");
    }
    ~FileReadTest() override {
        clearSearchDirectories();
        dataFileKey.clear();
        dataFileKeyMode = 0;
    }

    void write(const std::string& name, const std::vector<uint8_t>& bytes) { dir.write(name, asText(bytes)); }

    // Frames until the owner is empty; false after five seconds.
    bool runUntilEmpty() { return runFramesUntil(owner, [this] { return owner.isEmpty(); }); }

    template <class Task = MDiskFileReadTask>
    Task* addTask() {
        auto* task = new Task;
        owner.add(task);
        return task;
    }

    TempDir dir;
    MParallelTaskSet owner;
};

TEST_F(FileReadTest, EachRequestEndsWithItsStatusAndDocument) {
    write("data/resource/font/font16.psb.m", packed(16, "font16.psb.m"));
    write("data/plain.psb", document(7));
    auto truncated = packed(3, "cut.psb.m");
    truncated.resize(truncated.size() / 2);
    write("data/cut.psb.m", truncated);
    auto damaged = packed(3, "damaged.psb.m");
    for (size_t i = 8; i < damaged.size(); ++i) damaged[i] = 0xFF;
    write("data/damaged.psb.m", damaged);
    write("data/renamed.psb.m", packed(5, "original.psb.m"));
    write("data/not-container.psb", document(9));
    auto boastful = packed(3, "boastful.psb.m");
    boastful[4] = boastful[5] = boastful[6] = boastful[7] = 0xFF;  // claims 4 GiB
    write("data/boastful.psb.m", boastful);

    const struct {
        const char* path;
        bool decode;
        int32_t status;
        int value;
    } cases[] = {
        {"resource/font/font16.psb.m", true, kReadDone, 16},
        {"plain.psb", false, kReadDone, 7},
        {"missing.psb", false, kReadNotFound, -1},
        {"cut.psb.m", true, kReadUndecodable, -1},
        {"damaged.psb.m", true, kReadUndecodable, -1},
        {"renamed.psb.m", true, kReadUndecodable, -1},  // the key stream follows the name
        {"not-container.psb", true, kReadUndecodable, -1},
        {"boastful.psb.m", true, kReadUndecodable, -1},
    };
    TraceCapture trace;
    MFileReadTask* task = addTask();
    std::vector<Slot> slots(std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(task->request(cases[i].path, &slots[i].doc, &slots[i].status, cases[i].decode), i);
        EXPECT_EQ(slots[i].status, kReadQueued);
    }
    ASSERT_TRUE(runUntilEmpty());
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(slots[i].status, cases[i].status) << cases[i].path;
        EXPECT_EQ(slots[i].value(), cases[i].value) << cases[i].path;
    }
    const auto lines = trace.lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].ends_with("MDiskFileReadTask::ReadRequest(): cannot find file [missing.psb].\n")) << lines[0];
}

TEST_F(FileReadTest, WithoutAKeyStreamContainersAreOnlyInflated) {
    dataFileKeyMode = 0;
    write("data/open.psb.m", packed(11, "open.psb.m", {"", 0}));
    write("data/keyed.psb.m", packed(12, "keyed.psb.m"));
    MFileReadTask* task = addTask();
    Slot open, keyed;
    task->request("open.psb.m", &open.doc, &open.status, true);
    task->request("keyed.psb.m", &keyed.doc, &keyed.status, true);
    ASSERT_TRUE(runUntilEmpty());
    EXPECT_EQ(open.status, kReadDone);
    EXPECT_EQ(open.value(), 11);
    EXPECT_EQ(keyed.status, kReadUndecodable);
}

TEST_F(FileReadTest, PathsAreLookedForInTheSearchDirectories) {
    write("data/both.psb", document(1));
    write("web/both.psb", document(2));
    write("data/label.psb", document(3));
    write("data/sub/dir/file.psb", document(4));
    write("elsewhere/absolute.psb", document(5));
    const struct {
        std::string path;
        int value;
    } cases[] = {
        {"both.psb", 2},  // the later directory wins
        {"/label.psb", 3},  // how the sound loader names an archive without a directory
        {"sub\\dir//file.psb", 4},
        {"sub//dir\\\\file.psb", 4},
        {dir / "elsewhere/absolute.psb", 5},
    };
    MFileReadTask* task = addTask();
    std::vector<Slot> slots(std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) task->request(cases[i].path, &slots[i].doc, &slots[i].status, false);
    ASSERT_TRUE(runUntilEmpty());
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(slots[i].status, kReadDone) << cases[i].path;
        EXPECT_EQ(slots[i].value(), cases[i].value) << cases[i].path;
    }
}

TEST_F(FileReadTest, RawBytesAreHandedOverWithTheirSize) {
    dir.write("data/blob.bin", "some bytes");
    write("data/blob.bin.m", packed(8, "blob.bin.m"));
    MFileReadTask* task = addTask();
    uint8_t* raw = nullptr;
    uint8_t* inflated = nullptr;
    size_t rawSize = 0, inflatedSize = 0;
    MReadStatus rawStatus{-1}, inflatedStatus{-1};
    task->requestBytes("blob.bin", &raw, &rawSize, &rawStatus, false);
    task->requestBytes("blob.bin.m", &inflated, &inflatedSize, &inflatedStatus, true);
    ASSERT_TRUE(runUntilEmpty());
    ASSERT_EQ(rawStatus, kReadDone);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(raw), rawSize), "some bytes");
    ASSERT_EQ(inflatedStatus, kReadDone);
    EXPECT_EQ(std::vector<uint8_t>(inflated, inflated + inflatedSize), document(8));
    std::free(raw);
    std::free(inflated);
}

// Mapped requests share the pipeline with ordinary and container reads; their
// documents borrow the mapping, which outlives the task.
TEST_F(FileReadTest, MappedDocumentsAreReadInPlaceAmongOtherReads) {
    write("data/first.psb", document(11));
    write("data/packed.psb.m", packed(12, "packed.psb.m"));
    write("data/second.psb", document(13));
    TraceCapture trace;
    MFileReadTask* task = addTask();
    Slot first, container, second, missing;
    task->requestMapped("first.psb", &first.doc, &first.status);
    task->request("packed.psb.m", &container.doc, &container.status, true);
    task->requestMapped("second.psb", &second.doc, &second.status);
    task->requestMapped("missing.psb", &missing.doc, &missing.status);
    EXPECT_EQ(second.status, kReadQueued);
    ASSERT_TRUE(runUntilEmpty());
    EXPECT_EQ(first.status, kReadDone);
    EXPECT_EQ(first.value(), 11);
    EXPECT_EQ(container.value(), 12);
    EXPECT_EQ(second.value(), 13);
    ASSERT_NE(first.doc, nullptr);
    EXPECT_EQ(first.doc->ownership(), PSBOwnership::Borrowed);
    EXPECT_EQ(first.doc->size(), document(11).size());
    EXPECT_EQ(container.doc->ownership(), PSBOwnership::Owned);
    EXPECT_EQ(missing.status, kReadNotFound);
    EXPECT_EQ(missing.doc, nullptr);
    const auto lines = trace.lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].ends_with("cannot find file [missing.psb].\n")) << lines[0];
}

// An empty file can't be mapped: it is read as usual, and the document's own
// check refuses it.
TEST_F(FileReadTest, AMappedRequestForAnEmptyFileIsReadAsUsual) {
    dir.write("data/empty.psb", "");
    ThrowingPSBFatal throwing;
    MDiskFileReadTask task;
    task.setSynchronous(true);
    Slot slot;
    task.requestMapped("empty.psb", &slot.doc, &slot.status);
    try {
        task.step();
        ADD_FAILURE() << "an empty document was taken";
    } catch (const PSBFatalError& error) {
        EXPECT_NE(std::string(error.what()).find("shorter than its header"), std::string::npos) << error.what();
    }
    EXPECT_EQ(slot.doc, nullptr);
}

// A reader that asks for more bytes than the file holds, as a damaged
// archive record would.
class OverreachingTask : public MDiskFileReadTask {
protected:
    void ReadRequest(MFileReadRequest& request) override {
        request.size = 4096;
        MDiskFileReadTask::ReadRequest(request);
    }
};

TEST_F(FileReadTest, AShortReadIsAFailedRead) {
    write("data/short.psb", document(1));
    auto* task = addTask<OverreachingTask>();
    Slot slot;
    task->request("short.psb", &slot.doc, &slot.status, false);
    ASSERT_TRUE(runUntilEmpty());
    EXPECT_EQ(slot.status, kReadNotFound);
    EXPECT_EQ(slot.doc, nullptr);
}

// A task that records the decode failures it is told of.
class RecordingTask : public MDiskFileReadTask {
public:
    std::vector<int> errors;

protected:
    void onError(int code) override { errors.push_back(code); }
};

TEST_F(FileReadTest, ADecodeFailureWithoutStatusFailsTheTaskAndReleasesTheReadInFlight) {
    write("data/bad.psb.m", document(1));  // not a container
    write("data/good.psb", document(2));
    write("data/later.psb", document(3));
    auto* task = addTask<RecordingTask>();
    PSBObject* bad = nullptr;
    Slot good, later;
    task->request("bad.psb.m", &bad, nullptr, true);
    task->request("good.psb", &good.doc, &good.status, false);
    task->request("later.psb", &later.doc, &later.status, false);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!task->isFailed() || !task->getSerialSet().isEmpty()) {
        ASSERT_LT(std::chrono::steady_clock::now(), deadline);
        runTask(&owner);
        runTask(&testLooper()->getPostLoopPhase());
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_EQ(task->errors, std::vector<int>{MFileReadTask::kInflateBroken});
    EXPECT_EQ(bad, nullptr);
    // The requests behind it stay queued, the one whose read had started too.
    EXPECT_EQ(good.status, kReadQueued);
    EXPECT_EQ(later.status, kReadQueued);
    for (int frame = 0; frame < 3; ++frame) runTask(&owner);
    EXPECT_FALSE(owner.isEmpty());  // waits to be closed
    task->setClose(true);
    ASSERT_TRUE(runUntilEmpty());
}

TEST_F(FileReadTest, AMappedReadInFlightIsLetGoWhenADecodeFailureFailsTheTask) {
    write("data/bad.psb.m", document(1));  // not a container
    write("data/mapped.psb", document(2));
    auto* task = addTask<RecordingTask>();
    task->setSynchronous(true);
    PSBObject* bad = nullptr;
    Slot mapped;
    task->request("bad.psb.m", &bad, nullptr, true);
    task->requestMapped("mapped.psb", &mapped.doc, &mapped.status);
    for (int frame = 0; frame < 3 && !task->isFailed(); ++frame) runTask(&owner);
    ASSERT_TRUE(task->isFailed());
    EXPECT_EQ(mapped.status, kReadQueued);
    EXPECT_EQ(mapped.doc, nullptr);
    task->setClose(true);
    ASSERT_TRUE(runUntilEmpty());
}

TEST_F(FileReadTest, AMissingFileWithoutStatusFailsTheTask) {
    auto* task = addTask();
    PSBObject* missing = nullptr;
    task->request("missing.psb", &missing, nullptr, false);
    TraceCapture trace;
    for (int frame = 0; frame < 200 && !task->isFailed(); ++frame) {
        runTask(&owner);
        runTask(&testLooper()->getPostLoopPhase());
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(task->isFailed());
    task->setClose(true);
    ASSERT_TRUE(runUntilEmpty());
}

TEST_F(FileReadTest, RequestsQueuedAfterARunAreReadBeforeTheTaskFinishes) {
    write("data/first.psb", document(1));
    write("data/second.psb", document(2));
    MFileReadTask* task = addTask();
    task->setSynchronous(true);
    Slot first, second;
    task->request("first.psb", &first.doc, &first.status, false);
    runTask(&owner);  // dispatches and runs the queue; the next step finishes
    EXPECT_EQ(first.status, kReadDone);
    task->request("second.psb", &second.doc, &second.status, false);
    runTask(&owner);
    EXPECT_EQ(second.status, kReadDone);
    EXPECT_EQ(second.value(), 2);
    EXPECT_FALSE(owner.isEmpty());
    runTask(&owner);
    EXPECT_TRUE(owner.isEmpty());
}

TEST_F(FileReadTest, RequestsQueuedDuringABackgroundRunAreAllRead) {
    for (int i = 0; i < 8; ++i) write("data/f" + std::to_string(i) + ".psb", document(i));
    MFileReadTask* task = addTask();
    std::vector<Slot> slots(8);
    task->request("f0.psb", &slots[0].doc, &slots[0].status, false);
    runTask(&owner);  // the run is on its way
    for (int i = 1; i < 8; ++i) {
        task->request("f" + std::to_string(i) + ".psb", &slots[i].doc, &slots[i].status, false);
        runTask(&testLooper()->getPostLoopPhase());
    }
    ASSERT_TRUE(runUntilEmpty());
    for (int i = 0; i < 8; ++i) EXPECT_EQ(slots[i].value(), i) << i;
}

TEST_F(FileReadTest, AWithdrawnRequestIsNeverRead) {
    write("data/kept.psb", document(1));
    MFileReadTask* task = addTask();
    Slot kept, dropped;
    task->request("kept.psb", &kept.doc, &kept.status, false);
    const uint32_t id = task->request("kept.psb", &dropped.doc, &dropped.status, false);
    EXPECT_TRUE(task->withdrawRequest(id));
    EXPECT_FALSE(task->withdrawRequest(id));
    ASSERT_TRUE(runUntilEmpty());
    EXPECT_EQ(kept.status, kReadDone);
    EXPECT_EQ(dropped.status, kReadQueued);
    EXPECT_EQ(dropped.doc, nullptr);
}

class RefusingTask : public MDiskFileReadTask {
protected:
    bool prepare() override { return false; }
};

TEST_F(FileReadTest, ATaskThatCannotPrepareWaitsToBeClosed) {
    write("data/any.psb", document(1));
    auto* task = addTask<RefusingTask>();
    Slot slot;
    task->request("any.psb", &slot.doc, &slot.status, false);
    for (int frame = 0; frame < 3; ++frame) runTask(&owner);
    EXPECT_TRUE(task->isFailed());
    EXPECT_EQ(slot.status, kReadQueued);
    task->setClose(true);
    ASSERT_TRUE(runUntilEmpty());
}

}  // namespace
