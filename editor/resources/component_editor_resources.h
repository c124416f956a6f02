// The component editor's resources: its string table (19000 to 19037) and its
// dialog templates (19000 to 19012). The module adds them to the application's
// resources while it is loaded: Resources::AddModule(&ComponentEditorResources()).
#pragma once

#include "editor/resources/resource_ids.h"
#include "platform/resource_registry.h"

const ResourceModule& ComponentEditorResources();
