// A module as the resource functions see it: a file path and resources.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include <windef.h>

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
    Module(std::wstring fileName, std::span<const uint8_t> linkedBytes);
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
    // Back to the resources of the .res image.
    void Restore();

private:
    std::wstring fileName_;
    std::vector<uint8_t> fileBytes_;
    std::span<const uint8_t> image_;
    std::vector<std::unique_ptr<Resource>> resources_;
    std::vector<std::unique_ptr<Resource>> retired_;
};

}  // namespace platform::resources
