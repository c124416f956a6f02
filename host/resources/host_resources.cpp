#include "host/resources/host_resources.h"

namespace {

ResourceModule BuildHostResources() {
  ResourceModule module;
  module.name = "Host";
  // Asked in a Yes/No box when a design fails its validity check; %1 is the
  // check's report. Yes goes on with the design as it is.
  module.strings[IDS_HOST_CONTINUE_WITH_INVALID_DESIGN] =
      "The design check found the following problems:\n\n%1\n\nDo you want to continue anyway?";
  return module;
}

}  // namespace

const ResourceModule& HostResources() {
  static const ResourceModule module = BuildHostResources();
  return module;
}
