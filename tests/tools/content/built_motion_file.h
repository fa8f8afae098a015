// A motion file as the build wrote it, loaded the way the game loads it,
// with the resource manager the test chooses. A file the build did not
// write loads as an empty document with no id.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "tests/engine/data/psb_document.h"

template <class Manager>
struct BuiltMotionFile {
    std::unique_ptr<PSBObject> document;
    Manager manager;
    int32_t id = -1;
};

template <class Manager>
std::unique_ptr<BuiltMotionFile<Manager>> loadBuiltMotionFile(const std::string& name) {
    std::ifstream in(std::string(HALVIR_RESOURCE_DIR) + "/motion/" + name + ".psb", std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    auto file = std::make_unique<BuiltMotionFile<Manager>>();
    if (bytes.empty()) return file;
    file->document = loadDocument(bytes);
    file->id = file->manager.loadMotion(file->document.get());
    return file;
}
