// Reads arbitrary bytes as an FGD definition file and checks what comes out.

#include "entities/fgd_reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const vorn::DefinitionRead read = vorn::ReadFgd(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const vorn::EntityDefinition& definition : read.classes) {
        for (const vorn::EntityFlag& flag : definition.flags) {
            if (flag.bit < 0 || flag.bit > 31) __builtin_trap(); // every flag must be a box
        }
    }
    // A problem always says where it is.
    if (read.problem && (read.problem->line < 1 || read.problem->text.empty())) __builtin_trap();
    return 0;
}
