#include "entity_listing.h"

#include "entities/entity_class.h"
#include "platform/host.h"

#include <algorithm>
#include <cstdio>

namespace vorn {

int ListEntityClasses(std::span<const std::string> files, Host& host)
{
    std::string list;
    for (const std::string& file : files) list += (list.empty() ? "" : ";") + file;
    EntityClassList classes;
    const EntityListRead read = classes.loadList(list, host);
    for (const std::string& problem : read.problems) host.messageBox(problem);
    if (read.filesRead == 0) return 1;

    std::vector<const EntityClass*> sorted;
    for (const EntityClass& entityClass : classes.all()) sorted.push_back(&entityClass);
    std::ranges::stable_sort(sorted, {}, &EntityClass::name);
    for (const EntityClass* entityClass : sorted) {
        std::printf("%s %s ", entityClass->name().c_str(), entityClass->isFixedSize() ? "point" : "solid");
        if (entityClass->isFixedSize()) {
            const Vec3 mins = entityClass->mins();
            const Vec3 maxs = entityClass->maxs();
            std::printf("%g %g %g %g %g %g ", mins.x, mins.y, mins.z, maxs.x, maxs.y, maxs.z);
        } else {
            std::printf("- ");
        }
        const std::string& model = entityClass->model().path;
        std::printf("%s\n", model.empty() ? "-" : model.c_str());
    }
    std::printf("classes: %zu\n", sorted.size());
    return read.problems.empty() ? 0 : 1;
}

} // namespace vorn
