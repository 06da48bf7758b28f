// SPDX-License-Identifier: GPL-3.0-or-later
#include "conversion_paths.h"

#include "vector_kernels.h"

namespace vantrel::detail {
namespace {

bool processorHasAvx2()
{
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

} // namespace

const VectorKernels *kernelsFor(Path path)
{
    switch (path) {
    case Path::Scalar:
        break;
    case Path::Sse2:
        return sse2Kernels();
    case Path::Avx2: {
        static const bool hasAvx2 = processorHasAvx2();
        return hasAvx2 ? avx2Kernels() : nullptr;
    }
    }
    return nullptr;
}

bool pathAvailable(Path path)
{
    return path == Path::Scalar || kernelsFor(path) != nullptr;
}

Path fastestPath()
{
    static const Path fastest = pathAvailable(Path::Avx2)   ? Path::Avx2
                                : pathAvailable(Path::Sse2) ? Path::Sse2
                                                            : Path::Scalar;
    return fastest;
}

const char *pathName(Path path)
{
    switch (path) {
    case Path::Scalar:
        break;
    case Path::Sse2:
        return "SSE2";
    case Path::Avx2:
        return "AVX2";
    }
    return "scalar";
}

} // namespace vantrel::detail
