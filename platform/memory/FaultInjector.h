#pragma once
// Makes chosen host calls of the memory host fail, so that tests can sweep a
// failure through every call of a user journey: run it once, read
// callCount(), then rerun it failing at call 1, 2, ... N.
//
// Every member of every memory host object calls check() first with its
// name, "Interface.Member" ("ITable.Search", "IMap.LayerCount"); property
// writes carry a trailing '=' ("IActiveView.Extent=", "IModelessFrame.Visible=").
// Object creation by class name checks "HostClasses.create" with the class
// name as detail; a rule may name either "HostClasses.create" or
// "HostClasses.create:<class name>".
//
// check() is on the path of every row read, so when nothing is armed it is
// one increment and one compare.

#include <cstdint>
#include <string>
#include <vector>

#include "host/HostError.h"

namespace corvane::memory {

enum class Occurrence { First, Every };

class FaultInjector {
public:
    static constexpr std::int32_t kDefaultNumber = host::errors::kHostCallFailed;

    void check(const char* call)
    {
        ++m_calls;
        if (m_calls == m_failAt || m_hasRules) [[unlikely]]
            armedCheck(call, nullptr);
    }
    void check(const char* call, const std::string& detail)
    {
        ++m_calls;
        if (m_calls == m_failAt || m_hasRules) [[unlikely]]
            armedCheck(call, &detail);
    }

    // Calls checked since the injector was made or resetCount() was called.
    [[nodiscard]] std::uint64_t callCount() const noexcept { return m_calls; }
    void resetCount() noexcept;

    // The k-th call from now (k >= 1) fails once. An empty description
    // gives a readable default naming the call.
    void failCall(std::uint64_t k, std::int32_t number = kDefaultNumber, std::string description = {});
    // Calls with this name fail: the first one only, or every one.
    void failCalls(std::string name, Occurrence occurrence = Occurrence::First,
                   std::int32_t number = kDefaultNumber, std::string description = {});
    // Forgets every rule; the count goes on.
    void disarm() noexcept;

    // Names of the calls that were made to fail, in order.
    [[nodiscard]] const std::vector<std::string>& failedCalls() const noexcept { return m_failed; }

private:
    struct Rule {
        std::string name;
        Occurrence occurrence;
        std::int32_t number;
        std::string description;
        bool spent = false;
    };

    void armedCheck(const char* call, const std::string* detail);
    [[noreturn]] void fail(const std::string& call, std::int32_t number, const std::string& description);

    std::uint64_t m_calls = 0;
    std::uint64_t m_failAt = 0; // 0: no k-th call armed (m_calls is at least 1 when compared)
    bool m_hasRules = false;
    std::int32_t m_failAtNumber = kDefaultNumber;
    std::string m_failAtDescription;
    std::vector<Rule> m_rules;
    std::vector<std::string> m_failed;
};

} // namespace corvane::memory
