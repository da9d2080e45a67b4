// What host_probe's "oom" request asks for: just under the largest size a
// byte vector allows, which no 32-bit or 64-bit address space can give.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::size_t kImpossibleAllocation = static_cast<std::size_t>(PTRDIFF_MAX) - 15;
