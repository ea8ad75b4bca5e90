// A driver whose every answer comes from the fuzzer's bytes: a Control Library run time
// registered as "ControlLib.dll" and a CUI SDK object registered as "IgfxExt.CUIExternal" in the
// host sandbox. Each writes only inside the buffers its caller described, and reads every buffer
// the caller hands it, so that a wrong size on the library's side shows under AddressSanitizer.
#pragma once

namespace varnet::fuzz {

void RegisterFuzzedRuntime();
void UnregisterFuzzedRuntime();
void RegisterFuzzedCui();
void UnregisterFuzzedCui();

// SDK objects created and not yet released.
long LiveFuzzedCuiObjects();
// Run-time sessions that a successful ctlInit opened and no ctlClose has closed since.
long OpenFuzzedRuntimeSessions();
void ResetFuzzedDriverCounts();

} // namespace varnet::fuzz
