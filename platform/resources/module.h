// A module as the resource functions see it: a file path and resources.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include <windef.h>

#include "resources/res_file.h"
#include "resources/resource_name.h"

namespace platform::resources {

struct Resource {
    ResourceName type;
    ResourceName name;
    WORD language;
    std::span<const uint8_t> data;
    std::vector<uint8_t> ownBytes;  // for resources set after loading
    // Converted copies handed out by LoadStringW's pointer form, by slot.
    std::map<UINT, std::wstring> wideStrings;
};

class Module {
public:
    // bytes: a .res image that outlives the module, or is moved into it.
    // The resources of a .res file at overlayFile, when there is one, take
    // the place of the linked ones of the same type and name.
    Module(std::wstring fileName, std::span<const uint8_t> linkedBytes, std::filesystem::path overlayFile = {});
    Module(std::wstring fileName, std::vector<uint8_t> fileBytes);
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    const std::wstring& FileName() const { return fileName_; }

    // The resource in this language, else a language-neutral one, else the first.
    Resource* Find(const ResourceName& type, const ResourceName& name, WORD language);
    bool HasType(const ResourceName& type) const;
    bool Holds(const Resource* resource) const;
    const Resource* WithData(const void* data) const;

    // Replaced and removed resources stay alive until Restore, so that
    // pointers already handed out remain valid.
    void Put(const ResourceName& type, const ResourceName& name, std::vector<uint8_t> bytes);
    void Remove(const ResourceName& type, const ResourceName& name);
    // Back to the resources of the .res image, with the overlay file read again.
    void Restore();

private:
    void Add(const ResEntry& entry);

    std::wstring fileName_;
    std::vector<uint8_t> fileBytes_;
    std::span<const uint8_t> image_;
    std::filesystem::path overlayFile_;
    std::vector<uint8_t> overlayBytes_;
    std::vector<std::unique_ptr<Resource>> resources_;
    std::vector<std::unique_ptr<Resource>> retired_;
};

}  // namespace platform::resources
