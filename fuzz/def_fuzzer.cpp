// Reads arbitrary bytes as game source comments holding entity definitions (the DEF format).

#include "entities/def_reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const vorn::DefinitionRead read = vorn::ReadDef(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const vorn::EntityDefinition& definition : read.classes) {
        if (definition.name.empty()) __builtin_trap();
    }
    if (read.problem && (read.problem->line < 1 || read.problem->text.empty())) __builtin_trap();
    return 0;
}
