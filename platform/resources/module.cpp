#include "resources/module.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "resources/module_files.h"

namespace platform::resources {
namespace {

constexpr WORD kLanguageNeutral = 0;

}  // namespace

Module::Module(std::wstring fileName, std::span<const uint8_t> linkedBytes, std::filesystem::path overlayFile)
    : fileName_(std::move(fileName)), image_(linkedBytes), overlayFile_(std::move(overlayFile)) {
    Restore();
}

Module::Module(std::wstring fileName, std::vector<uint8_t> fileBytes)
    : fileName_(std::move(fileName)), fileBytes_(std::move(fileBytes)), image_(fileBytes_) {
    Restore();
}

Resource* Module::Find(const ResourceName& type, const ResourceName& name, WORD language) {
    Resource* neutral = nullptr;
    Resource* first = nullptr;
    for (const auto& resource : resources_) {
        if (resource->type != type || resource->name != name) continue;
        if (resource->language == language) return resource.get();
        if (neutral == nullptr && resource->language == kLanguageNeutral) neutral = resource.get();
        if (first == nullptr) first = resource.get();
    }
    return neutral != nullptr ? neutral : first;
}

bool Module::HasType(const ResourceName& type) const {
    return std::any_of(resources_.begin(), resources_.end(),
                       [&](const auto& resource) { return resource->type == type; });
}

bool Module::Holds(const Resource* resource) const {
    return std::any_of(resources_.begin(), resources_.end(),
                       [&](const auto& held) { return held.get() == resource; });
}

const Resource* Module::WithData(const void* data) const {
    for (const auto& resource : resources_) {
        if (resource->data.data() == data) return resource.get();
    }
    return nullptr;
}

void Module::Put(const ResourceName& type, const ResourceName& name, std::vector<uint8_t> bytes) {
    Remove(type, name);
    auto resource = std::make_unique<Resource>(Resource{type, name, kLanguageNeutral, {}, std::move(bytes), {}});
    // Never a null pointer, so that an empty resource still loads.
    static const uint8_t kNoBytes = 0;
    resource->data = resource->ownBytes.empty() ? std::span<const uint8_t>(&kNoBytes, 0)
                                                : std::span<const uint8_t>(resource->ownBytes);
    resources_.push_back(std::move(resource));
}

void Module::Remove(const ResourceName& type, const ResourceName& name) {
    auto matches = [&](const auto& resource) { return resource->type == type && resource->name == name; };
    auto removed = std::stable_partition(resources_.begin(), resources_.end(),
                                         [&](const auto& resource) { return !matches(resource); });
    std::move(removed, resources_.end(), std::back_inserter(retired_));
    resources_.erase(removed, resources_.end());
}

void Module::Restore() {
    resources_.clear();
    retired_.clear();
    overlayBytes_.clear();
    if (!overlayFile_.empty()) overlayBytes_ = ReadFileBytes(overlayFile_).value_or(std::vector<uint8_t>());
    const std::vector<ResEntry> overlay = ReadResEntries(overlayBytes_);
    // An overlaid resource replaces every language of the linked one, so
    // that a lookup in any language finds the overlay's.
    auto overlaid = [&](const ResEntry& linked) {
        return std::any_of(overlay.begin(), overlay.end(), [&](const ResEntry& entry) {
            return entry.type == linked.type && entry.name == linked.name;
        });
    };
    for (const auto& entry : ReadResEntries(image_)) {
        if (!overlaid(entry)) Add(entry);
    }
    for (const auto& entry : overlay) Add(entry);
}

void Module::Add(const ResEntry& entry) {
    resources_.push_back(std::make_unique<Resource>(Resource{entry.type, entry.name, entry.language, entry.data, {}, {}}));
}

}  // namespace platform::resources
