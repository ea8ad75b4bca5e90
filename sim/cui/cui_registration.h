// Host only: makes the simulated SDK object creatable as "IgfxExt.CUIExternal" in the platform
// sandbox, under the simulator's own class id.
#pragma once

namespace varnet::sim::cui {

void RegisterCuiSimulator();
void UnregisterCuiSimulator();

} // namespace varnet::sim::cui
