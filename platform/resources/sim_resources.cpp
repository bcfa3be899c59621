#include <platform/sim_resources.h>

#include <utility>

#include "resources/module_table.h"
#include "resources/resource_name.h"

namespace platform::sim {

using resources::Modules;
using resources::ResourceName;

void SetOwnModuleResource(LPCWSTR type, LPCWSTR name, std::vector<uint8_t> bytes) {
    Modules()->Own().Put(ResourceName::FromArgument(type), ResourceName::FromArgument(name), std::move(bytes));
}

void RemoveOwnModuleResource(LPCWSTR type, LPCWSTR name) {
    Modules()->Own().Remove(ResourceName::FromArgument(type), ResourceName::FromArgument(name));
}

void ResetOwnModuleResources() { Modules()->Own().Restore(); }

}  // namespace platform::sim
