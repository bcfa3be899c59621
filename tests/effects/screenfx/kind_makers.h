// Makers of masked-effect descriptions for tables of cases: a kind with its
// defaults, or set up by a function.
#pragma once

#include <functional>
#include <memory>

#include "effects/screenfx/fx_constructor.h"

namespace screenfx_test {

using Make = std::function<std::unique_ptr<KV_FX_Constructor>()>;

template <class T, class Setup>
Make Kind(Setup setup)
{
    return [setup] {
        auto description = std::make_unique<T>();
        setup(*description);
        return std::unique_ptr<KV_FX_Constructor>(std::move(description));
    };
}

template <class T>
Make Defaults()
{
    return Kind<T>([](T&) {});
}

}  // namespace screenfx_test
