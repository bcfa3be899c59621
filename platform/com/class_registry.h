// The classes that CoCreateInstance can create.
#pragma once

#include <objbase.h>

namespace platform {

// Creates an object and answers the interface asked for, as
// IClassFactory::CreateInstance does (see CreateComObject).
using ComClassFactory = HRESULT (*)(REFIID iid, void** object);

// Registering a class again replaces its factory.
void RegisterComClass(REFCLSID clsid, ComClassFactory factory);

}  // namespace platform
