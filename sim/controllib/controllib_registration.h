// Host only: makes the simulated run time loadable as "ControlLib.dll" in the platform sandbox.
#pragma once

namespace varnet::sim::controllib {

void RegisterControlLibSimulator();
void UnregisterControlLibSimulator();

} // namespace varnet::sim::controllib
