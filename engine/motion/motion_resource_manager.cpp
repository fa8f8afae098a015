#include "engine/motion/motion_resource_manager.h"

#include <algorithm>

#include "engine/base/win_app_settings.h"
#include "engine/data/psb_object.h"
#include "engine/motion/motion_document_check.h"
#include "engine/motion/motion_draw_modes.h"

namespace {

std::vector<std::string> keysOf(const PSBValue& object) {
    std::vector<std::string> keys;
    object.getKeys(keys);
    return keys;
}

bool isHint(const MMotionDataEntry& entry, const PSBValue& hint) {
    return hint.document() != nullptr && entry.document == hint.document() &&
           entry.document->rootPointer() == hint.pointer();
}

// A rename entry replaces both names for the rest of the search.
void applyRename(const MMotionDataEntry& entry, std::string& source, std::string& icon) {
    PSBValue pair;
    if (entry.renameMap.document() == nullptr || !entry.renameMap.find(source + "/" + icon, pair)) return;
    source = pair.at(0).toString();
    icon = pair.at(1).toString();
}

}  // namespace

uint32_t MMotionIdPool::acquire() {
    if (returned_.empty()) return next_++;
    const uint32_t id = returned_.back();
    returned_.pop_back();
    return id;
}

void MMotionResourceManager::correctGround(const MMotionVec3&, MMotionVec3&, const MMotionVec3&, int32_t) {}

int32_t MMotionResourceManager::loadMotion(const PSBObject* document) {
    if (!document) return -1;
    const PSBValue root = document->root();
    checkMessage_ = checkMotionDocument(root, M_SPEC);
    for (MMotionDataEntry& entry : entries_) {
        if (entry.document == document) {
            ++entry.referenceCount;
            return entry.id;
        }
    }
    MMotionDataEntry entry;
    entry.id = nextId_++;
    entry.document = document;
    root.find("sourceIconRenameMap", entry.renameMap);
    const PSBValue sources = root.get("source");
    const std::vector<uint32_t> drawModes = motionDrawModes(root);
    for (const std::string& name : keysOf(sources)) {
        const PSBValue source = sources.get(name);
        const PSBValue icons = source.get("icon");
        const PSBValue texture = source.get("texture");
        entry.sources[name] = MMotionSourceEntry{icons, loadTexture(texture, true)};
        warmTexture(entry.sources[name].texture, drawModes);
    }
    const PSBValue objects = root.get("object");
    for (const std::string& name : keysOf(objects)) entry.objects[name] = objects.get(name);
    entries_.push_back(std::move(entry));
    return entries_.back().id;
}

void MMotionResourceManager::warmTexture(int32_t, const std::vector<uint32_t>&) {}

void MMotionResourceManager::releaseMotion(int32_t id) {
    const auto it = std::find_if(entries_.begin(), entries_.end(), [id](const auto& e) { return e.id == id; });
    if (it == entries_.end() || --it->referenceCount >= 1) return;
    for (const auto& [name, source] : it->sources) releaseTexture(source.texture);
    entries_.erase(it);
}

bool MMotionResourceManager::findMotion(const std::string& object, const std::string& motion, PSBValue& out,
                                        const PSBValue& hint) const {
    const auto search = [&](const MMotionDataEntry& entry) {
        const auto found = entry.objects.find(object);
        return found != entry.objects.end() && found->second.get("motion").find(motion, out);
    };
    const auto hinted = std::find_if(entries_.begin(), entries_.end(), [&](const auto& e) { return isHint(e, hint); });
    if (hinted != entries_.end() && search(*hinted)) return true;
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it != hinted && search(*it)) return true;
    }
    out = PSBValue();
    return false;
}

bool MMotionResourceManager::getSourceInfo(const std::string& source, const std::string& icon, MMotionSourceInfo& out,
                                           const PSBValue& hint) {
    std::string s = source;
    std::string i = icon;
    for (const MMotionDataEntry& entry : entries_) {
        if (isHint(entry, hint)) {
            if (findIcon(entry, s, i, out)) return true;
            break;
        }
    }
    for (const MMotionDataEntry& entry : entries_) {
        if (findIcon(entry, s, i, out)) return true;
    }
    return false;
}

bool MMotionResourceManager::findIcon(const MMotionDataEntry& entry, std::string& source, std::string& icon,
                                      MMotionSourceInfo& out) const {
    applyRename(entry, source, icon);
    const auto found = entry.sources.find(source);
    PSBValue value;
    if (found == entry.sources.end() || !found->second.icons.find(icon, value)) return false;
    PSBValue optional;
    out.texture = found->second.texture;
    out.attr = value.find("attr", optional) ? optional.toInt() : 0;
    out.originX = value.get("originX").toFloat();
    out.originY = value.get("originY").toFloat();
    out.left = value.get("left").toInt();
    out.top = value.get("top").toInt();
    out.width = value.get("width").toInt();
    out.height = value.get("height").toInt();
    out.resolution = value.find("resolution", optional) ? optional.toFloat() : 1.0f;
    return true;
}
