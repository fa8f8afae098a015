#pragma once
// The tree of values that the PSB writer encodes: null, booleans, integers,
// single and double floats, strings, resources (plain, or extra resources of
// version 4), lists and objects.

#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

namespace psbwriter {

struct Resource {
    std::vector<uint8_t> bytes;
    bool extra = false;  // stored in the version-4 extra-resource section
};

struct Value;
using List = std::vector<Value>;
using Object = std::map<std::string, Value>;

struct Value {
    using Data = std::variant<std::monostate, bool, int64_t, float, double, std::string, Resource, List, Object>;

    Value() = default;  // null
    Value(bool v) : data(v) {}
    Value(int v) : data(int64_t(v)) {}
    Value(int64_t v) : data(v) {}
    Value(uint32_t v) : data(int64_t(v)) {}
    Value(float v) : data(v) {}
    Value(double v) : data(v) {}
    Value(const char* v) : data(std::string(v)) {}
    Value(std::string v) : data(std::move(v)) {}
    Value(Resource v) : data(std::move(v)) {}
    Value(List v) : data(std::move(v)) {}
    Value(Object v) : data(std::move(v)) {}

    Data data;
};

}  // namespace psbwriter
