#pragma once
// An event pump that stops a search which does not end: the searches pump
// once per step, so a test of a search that once ran for ever fails (with
// the exception) instead of hanging the suite.

#include <stdexcept>

#include "core/host/messages.h"

namespace mk::test {

class StepLimitPump final : public EventPump {
public:
    explicit StepLimitPump(long long limit) : limit_(limit) {}
    void Pump() override {
        if (++count > limit_) throw std::runtime_error("the search did not end");
    }
    long long count = 0;

private:
    long long limit_;
};

}  // namespace mk::test
