#include "sandbox_faults.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "platform/host/sandbox.h"

namespace varnet::test {

namespace host = platform::host;

SandboxFaults::~SandboxFaults() {
    Clear();
}

void SandboxFaults::Inject(const std::string& operation, int nth, bool persistent) {
    Arm(operation, nth);
    host::InjectFault(operation, nth, persistent);
}

void SandboxFaults::Inject(const std::string& operation, int nth, bool persistent, long code) {
    Arm(operation, nth);
    host::InjectFault(operation, nth, persistent, code);
}

void SandboxFaults::Arm(const std::string& operation, int nth) {
    const auto same = [&](const Armed& a) { return a.operation == operation; };
    const auto it = std::find_if(armed_.begin(), armed_.end(), same);
    if (it != armed_.end()) {
        Check(*it);
        armed_.erase(it);
    }
    armed_.push_back({operation, nth, host::FaultsFired(operation), false});
}

void SandboxFaults::ExpectUnfired(const std::string& operation) {
    for (Armed& a : armed_) {
        if (a.operation == operation) {
            a.unfiredExpected = true;
            return;
        }
    }
    ADD_FAILURE() << "no sandbox fault armed on " << operation;
}

void SandboxFaults::Clear() {
    for (const Armed& a : armed_) {
        Check(a);
    }
    armed_.clear();
    host::ClearFaults();
}

std::vector<std::string> SandboxFaults::Unfired() const {
    std::vector<std::string> unfired;
    for (const Armed& a : armed_) {
        if (host::FaultsFired(a.operation) == a.firedBefore) {
            unfired.push_back(a.operation);
        }
    }
    return unfired;
}

void SandboxFaults::Check(const Armed& a) const {
    // A test that stopped early never reached its faults; saying so adds nothing.
    if (::testing::Test::HasFatalFailure() || ::testing::Test::IsSkipped()) {
        return;
    }
    const int fired = host::FaultsFired(a.operation) - a.firedBefore;
    if (fired == 0 && !a.unfiredExpected) {
        ADD_FAILURE() << "sandbox fault on " << a.operation << " (call " << a.nth
                      << ") never fired: the test never reached it";
    } else if (fired != 0 && a.unfiredExpected) {
        ADD_FAILURE() << "sandbox fault on " << a.operation << " fired " << fired
                      << " times though the test expects it not to";
    }
}

} // namespace varnet::test
