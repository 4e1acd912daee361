#include "ui/control_panel.h"

#include "map/entity.h"

namespace vorn {

void CQView::showEntity(const CQEntity* entity)
{
    entityRows_.clear();
    if (!entity) return;
    for (const CQKeyValue& pair : entity->pairs()) entityRows_.push_back(pair.key + "  " + pair.value);
}

} // namespace vorn
