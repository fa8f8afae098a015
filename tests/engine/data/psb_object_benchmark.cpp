// PSB reading speed: loading a 10 MB document in place, reading every value
// of it, and a keyed lookup in a 1,000-key object.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/data/psb_object.h"
#include "engine/data/psb_value.h"
#include "tools/psbwriter/psb_writer.h"

namespace {

using psbwriter::List;
using psbwriter::Object;
using psbwriter::Resource;
using psbwriter::Value;

// About 10 MB: records of mixed values, plus resource data.
std::vector<uint8_t>& largeDocument() {
    static std::vector<uint8_t> bytes = [] {
        List records;
        for (int i = 0; i < 40000; ++i) {
            Object record;
            record["id"] = i;
            record["x"] = float(i) * 0.5f;
            record["y"] = double(i) / 3.0;
            record["name"] = "record" + std::to_string(i % 5000);
            record["flags"] = List{i % 2 == 0, int64_t(i) * 1000003, int64_t(i) << 33};
            records.push_back(std::move(record));
        }
        Object root;
        root["records"] = std::move(records);
        root["blob"] = Resource{std::vector<uint8_t>(8 << 20, 0x5A)};
        return psbwriter::writePsb(root, {3});
    }();
    return bytes;
}

std::vector<uint8_t>& keyedDocument() {
    static std::vector<uint8_t> bytes = [] {
        Object object;
        for (int i = 0; i < 1000; ++i) object["key_" + std::to_string(i)] = i;
        return psbwriter::writePsb(Object{{"table", object}}, {3});
    }();
    return bytes;
}

// Loading in place: the document is built over bytes already in memory.
void BM_LoadInPlace(benchmark::State& state) {
    std::vector<uint8_t>& bytes = largeDocument();
    for (auto _ : state) {
        PSBObject doc(bytes.data(), bytes.size(), PSBOwnership::Borrowed);
        benchmark::DoNotOptimize(doc.rootPointer());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}
BENCHMARK(BM_LoadInPlace);

double sumAll(const PSBValue& value) {
    switch (value.getType()) {
    case kPSBBool:
    case kPSBInteger:
    case kPSBFloat: return value.toDouble();
    case kPSBString: return double(value.toString()[0]);
    case kPSBResource: return double(value.getResourceData()[0]);
    case kPSBList: {
        double sum = 0;
        for (uint32_t i = 0, n = value.getCount(); i < n; ++i) sum += sumAll(value.at(i));
        return sum;
    }
    case kPSBObject: {
        std::vector<std::string> keys;
        value.getKeys(keys);
        double sum = 0;
        for (const std::string& key : keys) sum += sumAll(value.get(key));
        return sum;
    }
    default: return 0;
    }
}

void BM_LoadAndReadEveryValue(benchmark::State& state) {
    std::vector<uint8_t>& bytes = largeDocument();
    for (auto _ : state) {
        PSBObject doc(bytes.data(), bytes.size(), PSBOwnership::Borrowed);
        benchmark::DoNotOptimize(sumAll(doc.root()));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}
BENCHMARK(BM_LoadAndReadEveryValue)->Unit(benchmark::kMillisecond);

void BM_KeyedLookup(benchmark::State& state) {
    std::vector<uint8_t>& bytes = keyedDocument();
    PSBObject doc(bytes.data(), bytes.size(), PSBOwnership::Borrowed);
    const PSBValue table = doc.root().get("table");
    std::vector<std::string> keys;
    for (int i = 0; i < 1000; ++i) keys.push_back("key_" + std::to_string(i * 617 % 1000));
    size_t at = 0;
    for (auto _ : state) {
        PSBValue found;
        benchmark::DoNotOptimize(table.find(keys[at].c_str(), found));
        benchmark::DoNotOptimize(found);
        at = at + 1 == keys.size() ? 0 : at + 1;
    }
}
BENCHMARK(BM_KeyedLookup);

}  // namespace
