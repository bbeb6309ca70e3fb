// An entry that fails on purpose, chosen by the start of its input, in each
// way a corpus replay must report: a failed check, a read past the end of the
// input, undefined behaviour and a leak. The replay tests run it on small
// folders to prove that such a finding fails the test and names its input.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace {
void* volatile sink = nullptr;

[[gnu::noinline]] void Leak(std::size_t size) {
    sink = std::malloc(size + 1);
    sink = nullptr;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (input.starts_with("check")) {
        std::fprintf(stderr, "kt-fuzz: a check failed\n");
        std::abort();
    }
    if (input.starts_with("past-end")) {
        const volatile std::uint8_t* bytes = data;
        if (bytes[size] == 0xFF)
            std::fprintf(stderr, "unreachable under the address sanitizer\n");
    }
    if (input.starts_with("overflow")) {
        volatile int largest = std::numeric_limits<int>::max();
        volatile int sum = largest + static_cast<int>(size);
        (void)sum;
    }
    if (input.starts_with("leak"))
        Leak(size);
    return 0;
}
