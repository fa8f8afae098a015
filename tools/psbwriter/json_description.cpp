#include "tools/psbwriter/json_description.h"

#define PICOJSON_USE_INT64
#include <openssl/evp.h>
#include <picojson.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>

#include "engine/data/psb_object.h"
#include "engine/data/psb_value.h"

namespace psbwriter {

namespace {

using Json = picojson::value;

std::vector<uint8_t> decodeBase64(const std::string& text) {
    if (text.size() % 4 != 0) throw DescriptionError("base64 text of a length not a multiple of 4");
    std::vector<uint8_t> bytes(text.size() / 4 * 3);
    const int n = EVP_DecodeBlock(bytes.data(), reinterpret_cast<const unsigned char*>(text.data()), int(text.size()));
    if (n < 0) throw DescriptionError("bad base64 text");
    // The decoder counts the padding as bytes.
    size_t padding = 0;
    for (size_t i = text.size(); i > 0 && text[i - 1] == '='; --i) ++padding;
    bytes.resize(size_t(n) - padding);
    return bytes;
}

std::string encodeBase64(const uint8_t* bytes, size_t size) {
    std::string text((size + 2) / 3 * 4 + 1, '\0');
    const int n = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(text.data()), bytes, int(size));
    text.resize(size_t(n));
    return text;
}

std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw DescriptionError("cannot read " + path);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

double specialNumber(const std::string& text) {
    if (text == "nan") return std::numeric_limits<double>::quiet_NaN();
    if (text == "inf") return std::numeric_limits<double>::infinity();
    if (text == "-inf") return -std::numeric_limits<double>::infinity();
    if (text == "-0") return -0.0;
    throw DescriptionError("not a number: " + text);
}

double numberOf(const Json& json) {
    if (json.is<std::string>()) return specialNumber(json.get<std::string>());
    if (json.is<int64_t>()) return double(json.get<int64_t>());
    if (json.is<double>()) return json.get<double>();
    throw DescriptionError("a number was expected");
}

Json numberJson(double v) {
    if (std::isnan(v)) return Json("nan");
    if (std::isinf(v)) return Json(v > 0 ? "inf" : "-inf");
    if (v == 0 && std::signbit(v)) return Json("-0");
    return Json(v);
}

class Reader {
public:
    explicit Reader(std::string folder) : folder_(std::move(folder)) {}

    Value value(const Json& json) const {
        if (json.is<picojson::null>()) return Value();
        if (json.is<bool>()) return Value(json.get<bool>());
        if (json.is<int64_t>()) return Value(json.get<int64_t>());
        if (json.is<double>()) return Value(json.get<double>());
        if (json.is<std::string>()) return Value(json.get<std::string>());
        if (json.is<picojson::array>()) {
            List list;
            for (const Json& element : json.get<picojson::array>()) list.push_back(value(element));
            return Value(std::move(list));
        }
        const picojson::object& object = json.get<picojson::object>();
        if (object.size() == 1 && object.begin()->first.starts_with("$")) return tagged(object.begin()->first, object.begin()->second);
        return plainObject(object);
    }

private:
    Value plainObject(const picojson::object& object) const {
        Object out;
        for (const auto& [key, v] : object) out.emplace(key, value(v));
        return Value(std::move(out));
    }

    Value tagged(const std::string& tag, const Json& json) const {
        if (tag == "$float") return Value(float(numberOf(json)));
        if (tag == "$double") return Value(numberOf(json));
        if (tag == "$object" && json.is<picojson::object>()) return plainObject(json.get<picojson::object>());
        const bool extra = tag.starts_with("$extra");
        if (!json.is<std::string>()) throw DescriptionError("a text was expected after " + tag);
        const std::string& text = json.get<std::string>();
        if (tag == "$resource" || tag == "$extraResource") return Value(Resource{decodeBase64(text), extra});
        if (tag == "$resourceFile" || tag == "$extraResourceFile")
            return Value(Resource{readFile(folder_.empty() ? text : folder_ + "/" + text), extra});
        throw DescriptionError("unknown tag " + tag);
    }

    std::string folder_;
};

uint16_t headerNumber(const picojson::object& top, const char* key, uint16_t fallback) {
    const auto it = top.find(key);
    if (it == top.end()) return fallback;
    if (!it->second.is<int64_t>() || it->second.get<int64_t>() < 0 || it->second.get<int64_t>() > 0xFFFF)
        throw DescriptionError(std::string("\"") + key + "\" must be a number 0 to 65535");
    return uint16_t(it->second.get<int64_t>());
}

Json tag(const char* name, Json value) {
    picojson::object object;
    object.emplace(name, std::move(value));
    return Json(std::move(object));
}

Json jsonOf(const PSBValue& value, uint16_t version) {
    switch (value.kind()) {
    case PSBKind::Null: return Json();
    case PSBKind::Bool: return Json(value.toBool());
    case PSBKind::Int:
    case PSBKind::Long: return Json(int64_t(value.toLong()));
    case PSBKind::Float: return tag("$float", numberJson(value.toDouble()));
    case PSBKind::Double: {
        const double v = value.toDouble();
        if (std::isfinite(v) && std::trunc(v) != v) return Json(v);
        return tag("$double", numberJson(v));
    }
    case PSBKind::String: return Json(std::string(value.toString()));
    case PSBKind::Resource:
    case PSBKind::ExtraResource: {
        if (value.kind() == PSBKind::ExtraResource && version < 4)
            throw DescriptionError("psb: broken document: an extra resource in a version " + std::to_string(version) +
                                   " document (extra resources need version 4).");
        const uint8_t* data = value.getResourceData();
        const std::string text = data ? encodeBase64(data, value.getResourceSize()) : "";
        return tag(value.kind() == PSBKind::Resource ? "$resource" : "$extraResource", Json(text));
    }
    case PSBKind::List: {
        picojson::array array;
        for (uint32_t i = 0; i < value.getCount(); ++i) array.push_back(jsonOf(value.at(i), version));
        return Json(std::move(array));
    }
    case PSBKind::Object: {
        std::vector<std::string> keys;
        value.getKeys(keys);
        picojson::object object;
        for (const std::string& key : keys) object.emplace(key, jsonOf(value.get(key), version));
        const bool looksTagged = object.size() == 1 && keys[0].starts_with("$");
        return looksTagged ? tag("$object", Json(std::move(object))) : Json(std::move(object));
    }
    default: throw DescriptionError("the document holds a value of no known type");
    }
}

}  // namespace

Description parseDescription(const std::string& json, const std::string& folder) {
    Json top;
    const std::string error = picojson::parse(top, json);
    if (!error.empty()) throw DescriptionError("bad JSON: " + error);
    if (!top.is<picojson::object>()) throw DescriptionError("the description must be a JSON object");
    const picojson::object& fields = top.get<picojson::object>();
    const auto root = fields.find("root");
    if (root == fields.end()) throw DescriptionError("the description has no \"root\"");
    Description description;
    description.options.version = headerNumber(fields, "version", 3);
    description.options.flags = headerNumber(fields, "flags", 0);
    description.root = Reader(folder).value(root->second);
    return description;
}

std::string describeDocument(const PSBObject& document) {
    picojson::object top;
    top.emplace("version", Json(int64_t(document.version())));
    if (document.version() > 2) top.emplace("flags", Json(int64_t(document.flags())));
    top.emplace("root", jsonOf(document.root(), document.version()));
    return Json(std::move(top)).serialize(true);
}

}  // namespace psbwriter
