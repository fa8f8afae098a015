#include "engine/motion/motion_document_check.h"

#include <cstdio>
#include <cstring>

#include "engine/data/psb_kind.h"
#include "engine/data/psb_value.h"

namespace {

// Versions within this of the expected one pass; the difference is taken in
// single precision, as the version is stored.
constexpr double kVersionTolerance = 0.0001;

std::string composed(const char* format, const char* label, const char* text) {
    char buffer[2048];
    std::snprintf(buffer, sizeof buffer, format, label, text);
    return buffer;
}

std::string composed(const char* format, const char* label, float version) {
    char buffer[2048];
    std::snprintf(buffer, sizeof buffer, format, label, double(version), double(kMotionFileVersion));
    return buffer;
}

bool isMotionFile(const PSBValue& root) {
    PSBValue id;
    return root.find("id", id) && id.getType() == kPSBString && std::strcmp(id.toString(), "motion") == 0;
}

}  // namespace

std::string checkMotionDocument(const PSBValue& root, const std::string& engineSpec) {
    if (!isMotionFile(root)) return {};
    const char* spec = root.get("spec").toString();
    if (spec != engineSpec && std::strcmp(spec, "common") != 0) {
        return composed("motion file '%s' has not adaptive spec [%s] of motion file. export psb again.\n",
                        root.get("label").toString(), spec);
    }
    // A document without a version counts as older than any.
    PSBValue stored;
    const bool hasVersion = root.find("version", stored);
    const float version = hasVersion ? stored.toFloat() : 0.0f;
    const float difference = version - kMotionFileVersion;
    if (!hasVersion || double(difference) < -kVersionTolerance) {
        return composed(
            "motion file '%s' version is too old. update Kinetor, export motion file again. (ver: %.04f < %.04f)\n",
            root.get("label").toString(), version);
    }
    if (double(difference) > kVersionTolerance) {
        return composed("motion file '%s' version is too new. update vantorlib. (ver: %.04f > %.04f)\n",
                        root.get("label").toString(), version);
    }
    return {};
}
