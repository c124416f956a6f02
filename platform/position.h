// An opaque place in a collection, for the framework's GetFirst.../GetNext... walks.
#pragma once

using POSITION = struct PositionTag*;
