// Reads arbitrary bytes as an entity list file and looks every class up.

#include "entities/entity_class.h"
#include "platform/debug_output.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    vorn::EntityClassList classes;
    classes.loadText(std::string_view(reinterpret_cast<const char*>(data), size));
    vorn::NullDebugOutput log;
    for (int i = 0; i < classes.count(); ++i) {
        const vorn::EntityClass& found = classes.find(classes.nameAt(i));
        for (int n = -1; n <= vorn::EntityClass::kFlagCount; ++n) found.flagName(n, log);
        for (int line = 0; line <= found.commentCount(); ++line) found.commentLine(line);
    }
    return 0;
}
