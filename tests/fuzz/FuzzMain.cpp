// The libFuzzer entry of one fuzzer: MORVIND_FUZZ_ENTRY names the entry
// point of FuzzTargets.h this binary runs.

#include "fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return morvind::fuzz::MORVIND_FUZZ_ENTRY(data, size);
}
