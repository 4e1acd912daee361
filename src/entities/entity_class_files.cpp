#include "entities/entity_class_files.h"

#include "entities/def_reader.h"
#include "entities/fgd_reader.h"
#include "map/ignoring_case.h"
#include "map/text_reader.h"

#include <filesystem>

namespace vorn {

ClassFileRead ReadClassFile(std::string_view path, std::string_view text)
{
    const std::string extension = std::filesystem::path(path).extension().string();
    const bool fgd = EqualIgnoringCase(extension, ".fgd");
    if (!fgd && !EqualIgnoringCase(extension, ".def")) {
        TextCursor in(text);
        return {ReadEntityList(in), std::nullopt};
    }
    DefinitionRead read = fgd ? ReadFgd(text) : ReadDef(text);
    ClassFileRead out;
    out.classes.reserve(read.classes.size());
    for (EntityDefinition& definition : read.classes) out.classes.emplace_back(std::move(definition));
    out.problem = std::move(read.problem);
    return out;
}

} // namespace vorn
