// Faults a host test arms in the platform sandbox, each of which must fire before it is
// cleared: Clear and the destructor fail the test for one that never did, since a fault on an
// operation the code never reaches tests nothing. Declare it in the test body (or after the
// fixture's TestMachine), so that it goes before anything resets the sandbox.
#pragma once

#include <string>
#include <vector>

namespace varnet::test {

class SandboxFaults {
public:
    SandboxFaults() = default;
    ~SandboxFaults();
    SandboxFaults(const SandboxFaults&) = delete;
    SandboxFaults& operator=(const SandboxFaults&) = delete;

    // As host::InjectFault. Arming an operation again first checks the fault it replaces.
    void Inject(const std::string& operation, int nth, bool persistent);
    void Inject(const std::string& operation, int nth, bool persistent, long code);
    // The fault armed on this operation must not fire (checked like the others).
    void ExpectUnfired(const std::string& operation);
    // Checks every armed fault, then clears them all in the sandbox.
    void Clear();

    // The armed operations whose fault has not fired so far.
    std::vector<std::string> Unfired() const;

private:
    struct Armed {
        std::string operation;
        int nth = 0;
        int firedBefore = 0; // the sandbox's count for the operation when armed
        bool unfiredExpected = false;
    };
    void Check(const Armed& armed) const;
    void Arm(const std::string& operation, int nth);

    std::vector<Armed> armed_;
};

} // namespace varnet::test
