#pragma once
// A broken property must stop the fuzzer with the input that broke it, also in
// an optimised build where assert() is compiled out.

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace qz::fuzz {

inline void require(bool holds, std::string_view property)
{
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %.*s\n", static_cast<int>(property.size()), property.data());
    std::abort();
}

}  // namespace qz::fuzz
